#include "conditions/cond_dlg.h"

#include <cstdlib>
#include <string>

#include "conditions/months.h"
#include "conditions/path_checks.h"
#include "engine/engine.h"
#include "platform/cp932.h"
#include "platform/frontend.h"
#include "platform/host.h"
#include "res/resources.h"

using platform::host;

namespace {

// The output conditions hold 260 bytes of path text.
constexpr std::size_t kMaxOutputPath = 260;
constexpr std::size_t kPathEditLimit = 255;

const char kCaption[] = "決算書";

std::int16_t MonthValue(const std::string& text) {
  return static_cast<std::int16_t>(std::atoi(text.c_str()));
}

}  // namespace

ClCondDlg::ClCondDlg(platform::HWND parent)
    : platform::Dialog(ConditionsDialogTemplate(), parent) {}

ClCondDlg::~ClCondDlg() = default;

namespace {
int Message(const ClCondDlg& dlg, const char* text, unsigned flags) {
  return host().ui->MessageBox(dlg.GetSafeHwnd(), text, kCaption, flags);
}
}  // namespace

void ClCondDlg::UpdateData(bool save) {
  if (save) {
    m_periodText = GetDlgItemText(IDC_PERIOD);
    m_companyText = GetDlgItemText(IDC_COMPANY);
    // A path given by the caller cannot be edited: it is taken as given,
    // whatever its length, never as an edit control may hold it.
    if (m_pathFixed != 1) m_outputPath = GetDlgItemText(IDC_OUTPUT_PATH);
    m_endMonthText = GetDlgItemText(IDC_END_MONTH);
    m_startMonthText = GetDlgItemText(IDC_START_MONTH);
    return;
  }
  SetDlgItemText(IDC_PERIOD, m_periodText);
  SetDlgItemText(IDC_COMPANY, m_companyText);
  SetDlgItemText(IDC_OUTPUT_PATH, m_outputPath);
  LimitText(IDC_END_MONTH, 2);
  SetDlgItemText(IDC_END_MONTH, m_endMonthText);
  LimitText(IDC_START_MONTH, 2);
  SetDlgItemText(IDC_START_MONTH, m_startMonthText);
}

bool ClCondDlg::OnInitDialog() {
  platform::Dialog::OnInitDialog();
  UpdateData(false);

  if (m_isPastResults == 1) {
    Message(*this,
            "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。",
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
    EndDialog(IDC_CANCEL);
    return false;
  }
  if (m_companiesAct != 1) {
    Message(*this,
            "選択された会計データは会社法(H18.5施行)に対応していないため、\n"
            "連携の対象として使用できません。\n"
            "(Ledgoraを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n"
            "変換することで、連携ができます。)\n\nアプリケーションを終了します。",
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
    EndDialog(IDC_CANCEL);
    return false;
  }

  LimitText(IDC_OUTPUT_PATH, kPathEditLimit);

  m_savedPath.clear();
  std::int16_t kind = 1, start = 0, end = 0;
  std::string path;
  if (ReadSettings(&start, &end, &kind, &path)) {
    m_savedPath = path;
  } else {
    GetPeriodMonths(m_periodStart, m_periodEnd, &start, &end);
    end = static_cast<std::int16_t>(end % 100);
  }

  if (path.empty()) {
    path = ClFileMgr::Inst()->GetAppFolderPath(0);
    if (path.empty()) {
      path = host().env->GetTempPath();
      AddTrailingBackslash(path, kPathCapacity);  // left as it is at 260 bytes or more
    }
    path += "*.xml";
  }

  if (!m_callerPath.empty()) {
    m_outputPath = m_callerPath;
    EnableDlgItem(IDC_BROWSE, false);
    EnableDlgItem(IDC_OUTPUT_PATH, false);
    SetDlgItemText(IDC_GROUP_OUTPUT, "出力先");
    m_pathFixed = 1;
  } else {
    m_outputPath = path;
    m_pathFixed = 0;
  }

  if (start == 0) GetPeriodMonths(m_periodStart, m_periodEnd, &start, nullptr);
  m_startMonthText = std::to_string(start);
  m_endMonthText = std::to_string(end);

  CheckRadioButton(IDC_KIND_SHAREHOLDERS, IDC_KIND_MEMBERS,
                   kind == 2 ? IDC_KIND_MEMBERS : IDC_KIND_SHAREHOLDERS);
  m_statementKind = kind;

  UpdateData(false);
  return true;
}

void ClCondDlg::OnExecute() {
  UpdateData(true);
  m_statementKind = IsDlgButtonChecked(IDC_KIND_MEMBERS) ? 2 : 1;
  const std::int16_t start = MonthValue(m_startMonthText);
  const std::int16_t end = MonthValue(m_endMonthText);

  MonthCheck check = CheckSelectedMonths(start, end, m_periodStart, m_periodEnd);
  if (check != MonthCheck::Pass) {
    Message(*this, "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。",
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
    FocusAndSelect(check == MonthCheck::StartFault ? IDC_START_MONTH : IDC_END_MONTH);
    return;
  }
  if (EndsBeforeIntroduction(start, end, m_periodStart, m_periodEnd, m_introMonthIndex)) {
    Message(*this, "集計期間には、導入開始月より前は指定できません。",
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
    FocusAndSelect(IDC_END_MONTH);
    return;
  }
  ValidateOutputPath();
}

void ClCondDlg::ValidateOutputPath() {
  constexpr unsigned kRefusal = platform::MB_OK | platform::MB_ICONEXCLAMATION;
  constexpr unsigned kQuestion = platform::MB_YESNO | platform::MB_ICONQUESTION;

  if (m_outputPath.empty()) {
    Message(*this, "データ出力先が指定されていません。\n\n出力先を指定してください。", kRefusal);
    OnBrowse();
    return;
  }
  // The output conditions carry at most 260 bytes; a longer path is refused
  // rather than cut to a different file.
  if (m_outputPath.size() > kMaxOutputPath) {
    Message(*this, "出力先のパスが長すぎます。\n\n260バイト以内で指定してください。", kRefusal);
    if (m_pathFixed == 1) {
      SetFocus(IDC_CANCEL);  // the caller's path cannot be changed here
    } else {
      FocusAndSelect(IDC_OUTPUT_PATH);
    }
    return;
  }
  if (!CheckPathCharacters(m_outputPath)) {
    Message(*this, "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。",
            kRefusal);
    FocusAndSelect(IDC_OUTPUT_PATH);
    return;
  }
  if (!CheckOutputDrive(m_outputPath)) {
    Message(*this, "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。",
            kRefusal);
    FocusAndSelect(IDC_OUTPUT_PATH);
    return;
  }
  if (FileNamePartOf(m_outputPath).empty()) {
    Message(*this, "ファイル名が指定されていません。", kRefusal);
    FocusAndSelect(IDC_OUTPUT_PATH);
    return;
  }

  platform::Env& env = *host().env;
  const std::string folder = FolderPartOf(m_outputPath);
  if (!folder.empty() && !env.Access(folder, 0)) {
    if (Message(*this, "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？",
                kQuestion) != platform::IDYES) {
      FocusAndSelect(IDC_OUTPUT_PATH);
      return;
    }
    if (!CreateFolderTree(folder)) {
      Message(*this, "フォルダの作成に失敗しました。\n\n出力先を再入力してください。", kRefusal);
      FocusAndSelect(IDC_OUTPUT_PATH);
      return;
    }
  }

  // The caller's path is overwritten without a question.
  if (m_pathFixed == 1) {
    EndDialog(IDC_EXECUTE);
    return;
  }
  if (std::optional<platform::FileStatus> status = env.GetStatus(m_outputPath)) {
    if (status->isDirectory) {
      Message(*this, "ファイル名が指定されていません。", kRefusal);
      FocusAndSelect(IDC_OUTPUT_PATH);
      return;
    }
    if (Message(*this, "同名のファイルが存在します。\n\n上書きしてもよろしいですか？", kQuestion) !=
        platform::IDYES) {
      FocusAndSelect(IDC_OUTPUT_PATH);
      return;
    }
  }
  EndDialog(IDC_EXECUTE);
}

void ClCondDlg::OnBrowse() {
  UpdateData(true);
  std::string folder = FolderPartOf(m_outputPath);
  std::string file;
  if (folder.empty()) {
    folder = DrivePartOf(m_outputPath);
    file = AfterDrivePartOf(m_outputPath);
  } else {
    file = FileNamePartOf(m_outputPath);
  }

  platform::FileDialogArgs args;
  args.parent = GetSafeHwnd();
  args.title = "保存ファイルを指定";
  args.folder = folder;
  args.file = file;
  args.ext = "XML";
  args.filter = "Xml Files (*.xml)|*.xml||";
  args.flags = platform::OFN_HIDEREADONLY | platform::OFN_NOCHANGEDIR |
               platform::OFN_PATHMUSTEXIST | platform::OFN_FILEMUSTEXIST;
  if (std::optional<std::string> chosen = host().ui->SaveFileDialog(args)) {
    m_outputPath = *chosen;
    UpdateData(false);
  }
  SetFocus(IDC_EXECUTE);
}

void ClCondDlg::OnCancel() {
  Message(*this, "｢決算書｣の集計を中止します。", platform::MB_OK | platform::MB_ICONINFORMATION);
  EndDialog(IDC_CANCEL);
}

// The platform's confirm command (Enter on a control the key table leaves
// alone, such as a radio button) runs the same checks as the execute button,
// so the dialog never ends with unchecked conditions.
void ClCondDlg::OnOK() { OnExecute(); }

void ClCondDlg::OnCommand(int id) {
  switch (id) {
    case IDC_EXECUTE:
      OnExecute();
      break;
    case IDC_BROWSE:
      OnBrowse();
      break;
    case IDC_CANCEL:
    case platform::IDCANCEL:
      OnCancel();
      break;
    case platform::IDOK:
      OnOK();
      break;
    default:
      platform::Dialog::OnCommand(id);
      break;
  }
}

bool ClCondDlg::PreTranslateKeyDown(platform::Key key, unsigned mods) {
  if (mods & (platform::kModShift | platform::kModCtrl | platform::kModAlt)) return false;
  if (key == platform::Key::F12) {
    OnExecute();
    return true;
  }
  if (key != platform::Key::Enter) return false;

  const bool pathEditable = IsDlgItemEnabled(IDC_BROWSE);
  switch (GetFocus()) {
    case IDC_START_MONTH:
      FocusAndSelect(IDC_END_MONTH);
      return true;
    case IDC_END_MONTH:
      if (pathEditable) {
        FocusAndSelect(IDC_OUTPUT_PATH);
      } else {
        SetFocus(IDC_EXECUTE);
      }
      return true;
    case IDC_OUTPUT_PATH:
      SetFocus(pathEditable ? IDC_BROWSE : IDC_EXECUTE);
      return true;
    case IDC_BROWSE:
      OnBrowse();
      return true;
    case IDC_EXECUTE:
      OnExecute();
      return true;
    default:
      return false;
  }
}

void ClCondDlg::FocusAndSelect(int editId) {
  SetFocus(editId);
  SetSel(editId, 0, -1);
  ScrollCaret(editId);
}
