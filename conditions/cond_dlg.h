// The conditions dialog "決算書 - 集計条件" (template 130): company and
// period shown, months, kind of statement of changes and output file chosen,
// the remembered conditions preloaded and stored.
#pragma once
#include <cstdint>
#include <string>

#include "platform/dialog.h"

// DoModal ends with 1002 after an execute that passed every check, 1003 after
// a cancel or for refused data.
class ClCondDlg : public platform::Dialog {
 public:
  explicit ClCondDlg(platform::HWND parent);
  ~ClCondDlg() override;

  // Inputs, written by the run before DoModal (CP932).
  std::string m_periodText;
  std::string m_companyText;
  std::int16_t m_introMonthIndex = 0;
  std::int32_t m_selectedNo = 0;
  char m_dataId[35] = {};
  std::int32_t m_periodStart = 0;
  std::int32_t m_periodEnd = 0;
  std::int32_t m_isPastResults = 0;
  std::int16_t m_companiesAct = 0;
  std::string m_callerPath;
  char m_userId[65] = {};
  // Outputs.
  std::string m_outputPath;
  std::string m_endMonthText;
  std::string m_startMonthText;
  std::int16_t m_statementKind = 1;
  std::int32_t m_pathFixed = 0;
  std::string m_savedPath;

  // Settings file (the edition's file name and key format).
  int ReadSettings(std::int16_t* startMonth, std::int16_t* endMonth, std::int16_t* kind,
                   std::string* path);
  // path null: the remembered path (m_savedPath) is written.
  int WriteSettings(std::int16_t startMonth, std::int16_t endMonth, std::int16_t kind,
                    const char* path);

  bool OnInitDialog() override;
  void OnCommand(int id) override;
  bool PreTranslateKeyDown(platform::Key key, unsigned mods) override;
  // The platform's confirm command (Enter on a control the key table leaves
  // alone) runs OnExecute, so the dialog never ends unchecked.
  void OnOK() override;
  void OnCancel() override;

  void OnExecute();
  void OnBrowse();
  void FocusAndSelect(int editId);
  void ValidateOutputPath();
  // Data exchange: save (controls to members) or load.
  void UpdateData(bool save);
};
