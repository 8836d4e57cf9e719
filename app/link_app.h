// The application object: one run from the start step to the exit step,
// with the caller protocol, the compatibility check and the selected data.
#pragma once
#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "report/notes_lines.h"
#include "statements/account_sum.h"

class ClLinkApp {
 public:
  ClLinkApp();
  ~ClLinkApp();
  ClLinkApp(const ClLinkApp&) = delete;
  ClLinkApp& operator=(const ClLinkApp&) = delete;

  // The command-line text (CP932): the program's arguments joined by blanks.
  void SetCommandLine(std::string text) { commandLine_ = std::move(text); }

  bool InitInstance();
  int ExitInstance();

  int ParseCallerLink(const std::string& text);
  int CheckTargetProgram(int showMessage);
  int FindSelectedData(StDATAINFO* record);
  int GetShohizeiInfo(StSHOHIZEIINFO* record, const char* dataId);
  void BuildNotesLines(std::string text) { ::BuildNotesLines(std::move(text), notesLines_); }

  // The process exit status: 0 written, 1 stopped without an error, 2 stopped
  // on an error, 3 the engine connection could not be initiated.
  int ExitStatus() const;
  int RunResult() const { return runResult_; }
  int InitiateResult() const { return initiateResult_; }

  // Read access for tests.
  int CallerLinked() const { return callerLinked_; }
  platform::HWND CallerWindow() const { return callerWindow_; }
  std::uint32_t CallerMessage() const { return callerMessage_; }
  std::int16_t CallerWParam() const { return callerWParam_; }
  const std::string& CallerOutputPath() const { return callerOutputPath_; }
  const AccountSumList& Sums() const { return sums_; }

 private:
  bool RunAfterConditions(class ClCondDlg& conditions, const StDATAINFO& data,
                          const StSHOHIZEIINFO& tax);

  std::int32_t callerLinked_ = 0;
  platform::HWND callerWindow_ = 0;
  std::uint32_t callerMessage_ = 0;
  std::int16_t callerWParam_ = 3;
  std::string callerOutputPath_;
  platform::HWND callerWindowObject_ = 0;  // parent of the run's dialogs
  std::int32_t runResult_ = 0;
  AccountSumList sums_;
  ClSetData* selectedData_ = nullptr;
  NotesLines notesLines_;

  std::string commandLine_;
  bool initiateFailed_ = false;
  int initiateResult_ = 0;
};
