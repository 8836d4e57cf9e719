#include "app/link_app.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/progress_dlg.h"
#include "conditions/cond_dlg.h"
#include "conditions/months.h"
#include "conditions/path_checks.h"
#include "platform/cp932.h"
#include "platform/host.h"
#include "platform/profile.h"
#include "report/kessansho_xml.h"
#include "res/edition.h"
#include "res/resources.h"
#include "statements/kessansho_source.h"

namespace {

constexpr const char* kCaption = "決算書";

// The C runtime's reading of a decimal field (leading blanks, an optional
// sign, digits; 0 when there are none) into the platform's 32-bit long,
// saturating instead of overflowing: "99999999999" is 2147483647 there, as
// it is for the caller that wrote the command line.
std::int32_t ReadLong(const std::string& text) {
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

platform::Journal* journal() { return platform::host().journal; }

// The run's conditions dialog names its window for the journal as soon as it
// has one, so that message boxes it owns are attributed to it.
class RunConditionsDialog : public ClCondDlg {
 public:
  using ClCondDlg::ClCondDlg;
  bool OnInitDialog() override {
    if (journal()) journal()->NameWindow(GetSafeHwnd(), "conditions");
    return ClCondDlg::OnInitDialog();
  }
};

// Wait cursor: the host shows none; the calls mark where the run starts and
// ends its busy state.
void BeginWaitCursor() {}
void RestoreWaitCursor() {}
void EndWaitCursor() {}

}  // namespace

ClLinkApp::ClLinkApp() = default;
ClLinkApp::~ClLinkApp() = default;

int ClLinkApp::ParseCallerLink(const std::string& text) {
  // The text is read whole: a cut would change the output path of field 4.
  if (text.empty()) return 0;
  std::size_t c1 = text.find(',');
  if (c1 == std::string::npos) return 0;
  callerWindow_ = static_cast<platform::HWND>(ReadLong(text.substr(0, c1)));
  std::size_t c2 = text.find(',', c1 + 1);
  if (c2 == std::string::npos) return 0;
  callerMessage_ = static_cast<std::uint32_t>(ReadLong(text.substr(c1 + 1, c2 - c1 - 1)));
  std::size_t c3 = text.find(',', c2 + 1);
  if (c3 == std::string::npos) return 0;
  callerWParam_ = static_cast<std::int16_t>(
      static_cast<std::uint16_t>(ReadLong(text.substr(c2 + 1, c3 - c2 - 1))));
  if (c3 + 1 < text.size()) callerOutputPath_ = text.substr(c3 + 1);
  return 1;
}

int ClLinkApp::CheckTargetProgram(int showMessage) {
  platform::Env& env = *platform::host().env;
  std::string path = env.GetCurrentDirectory();
  if (path.size() > 260) path.clear();  // as a 261-byte buffer would not take it
  if (!path.empty() && !platform::EndsInBackslash(path) && path.size() < 516) path += '\\';
  path += "ZeimarkDef.ini";

  int outcome;
  if (!env.Access(path, 0)) {
    outcome = -1;
  } else {
    std::string value =
        platform::GetPrivateProfileString(env, "ProgramLevel", "QX71", "1", 16, path);
    if (value.empty()) {
      outcome = -1;
    } else {
      int level = ReadLong(value);
      outcome = level == 3 ? 0 : (level < 3 ? 1 : 2);
    }
  }

  static const struct {
    int code;
    const char* text;
  } kMessages[] = {
      {-1,
       "動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してくださ"
       "い。"},
      {1,
       "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません"
       "。\nES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。"},
      {2,
       "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません"
       "。\n連動コンポーネントの最新版を入手してインストールしてからご利用ください。"},
  };
  for (const auto& m : kMessages) {
    if (m.code != outcome) continue;
    if (showMessage)
      ClLdgConnect::Inst()->DispMsg(callerWindow_, m.text, kCaption,
                                    platform::MB_OK | platform::MB_ICONEXCLAMATION);
    return 0;
  }
  return 1;
}

int ClLinkApp::FindSelectedData(StDATAINFO* record) {
  if (!selectedData_)
    selectedData_ = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1));
  char user[65] = {};
  ClSysUser* sysUser = ClDataMgr::Inst()->GetSysUserObject();
  sysUser->GetCurUserID(user);
  long first = 0, second = 0;
  sysUser->GetSelectedNo(user, &first, &second);
  std::memset(record->raw, 0, sizeof record->raw);
  if (!selectedData_) return 0;

  long cursor = 0;
  selectedData_->GetDatCursor(&cursor);
  selectedData_->ReadyDat(cursor, 0);
  int found = 0;
  StDATAINFO work{};
  while (selectedData_->WalkDat(&work, cursor) == 0) {
    if (rec::I32(work.raw, StDATAINFO::kDataNo) == second) {
      std::memcpy(record->raw, work.raw, sizeof record->raw);
      found = 1;
      break;
    }
    std::memset(work.raw, 0, sizeof work.raw);
  }
  selectedData_->ReleaseDatCursor(cursor);
  return found;
}

int ClLinkApp::GetShohizeiInfo(StSHOHIZEIINFO* record, const char* dataId) {
  auto* tax = static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(4, 1));
  if (!tax) return 0;
  tax->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
  tax->SetCurDataID(dataId);
  StSHOHIZEIINFO work{};
  if (tax->Get(&work) != 0) return 0;
  std::memcpy(record->raw, work.raw, sizeof record->raw);
  return 1;
}

bool ClLinkApp::InitInstance() {
  platform::Host& h = platform::host();
  const EditionProfile& edition = CurrentEdition();

  ClLdgConnect* connect = ClLdgConnect::Inst();
  connect->m_caption = kCaption;
  connect->SetAppType(edition.appType);
  connect->SetUseDataType(1);
  initiateResult_ = connect->Initiate();
  if (initiateResult_ != 0) {
    initiateFailed_ = true;
    return false;
  }

  int linked = ParseCallerLink(commandLine_);
  // The handle read from the command line owns the compatibility messages
  // even when the rest of the line was not accepted.
  if (callerWindow_ != 0) {
    platform::ReserveWindowHandle(callerWindow_);
    if (journal()) journal()->NameWindow(callerWindow_, "caller");
  }
  if (linked == 1) {
    callerLinked_ = 1;
    callerWindowObject_ = callerWindow_;
    h.windows->EnableWindow(callerWindow_, false);
    connect->m_owner = callerWindow_;
  }

  std::string folder = FolderPartOf(h.env->GetModuleFileName());
  if (!folder.empty()) h.env->SetCurrentDirectory(folder);

  if (!CheckTargetProgram(1)) {
    runResult_ = 2;
    return false;
  }
  int sysLink = connect->ExpSysLink();
  if (sysLink == 1) {
    runResult_ = 1;
    return false;
  }
  if (sysLink != 0) {
    runResult_ = 2;
    return false;
  }

  StDATAINFO data{};
  StSHOHIZEIINFO tax{};
  FindSelectedData(&data);
  GetShohizeiInfo(&tax, rec::Text(data.raw, StDATAINFO::kDataId));

  RunConditionsDialog conditions(callerWindowObject_);
  {
    ClSysUser* sysUser = ClDataMgr::Inst()->GetSysUserObject();
    sysUser->GetCurUserID(conditions.m_userId);
    long first = 0, second = 0;
    sysUser->GetSelectedNo(conditions.m_userId, &first, &second);
    conditions.m_selectedNo = static_cast<std::int32_t>(first);
    if (selectedData_) ClUtyDBHpr::MakeIDStr(selectedData_->GetSelectedInfo(), conditions.m_dataId);
    std::int16_t intro = rec::I16(data.raw, StDATAINFO::kIntroMonthIndex);
    conditions.m_isPastResults = intro == 99 ? 1 : 0;
    conditions.m_callerPath.clear();
    if (callerLinked_ == 1) conditions.m_callerPath = callerOutputPath_;
    std::int32_t start = rec::I32(data.raw, StDATAINFO::kPeriodStart);
    std::int32_t end = rec::I32(data.raw, StDATAINFO::kPeriodEnd);
    conditions.m_periodStart = start;
    conditions.m_periodEnd = end;
    conditions.m_introMonthIndex = intro;
    // The company name may hold up to 259 bytes: the text is built whole.
    conditions.m_companyText =
        std::string(" ") +
        std::string(rec::Text(data.raw, StDATAINFO::kCompanyName),
                    strnlen(rec::Text(data.raw, StDATAINFO::kCompanyName),
                            StDATAINFO::kPeriodStart - StDATAINFO::kCompanyName));
    char period[128];
    std::snprintf(period, sizeof period, " %04d/%02d/%02d～%04d/%02d/%02d", start / 10000,
                  start % 10000 / 100, start % 100, end / 10000, end % 10000 / 100, end % 100);
    conditions.m_periodText = period;
    conditions.m_companiesAct = static_cast<std::int16_t>(data.raw[StDATAINFO::kCompaniesAct]);
  }

  if (conditions.DoModal() == 1003) {
    runResult_ = 1;
    return false;
  }
  return RunAfterConditions(conditions, data, tax);
}

bool ClLinkApp::RunAfterConditions(ClCondDlg& conditions, const StDATAINFO& data,
                                   const StSHOHIZEIINFO& tax) {
  platform::Host& h = platform::host();
  std::int32_t startMonth = ReadLong(conditions.m_startMonthText);
  std::int32_t endMonth = ReadLong(conditions.m_endMonthText);
  std::int16_t kind = conditions.m_statementKind;
  // The dialog refuses a path longer than the 260 bytes the output
  // conditions hold, so it is taken whole.
  const std::string& outputPath = conditions.m_outputPath;

  auto progress = std::make_unique<ClProgressDlg>(0);
  progress->Create(0);
  if (journal()) journal()->NameWindow(progress->GetSafeHwnd(), "progress");
  if (callerWindowObject_ != 0) progress->SetParent(callerWindowObject_);
  progress->ShowWindow(true);
  BeginWaitCursor();
  progress->InitProgress();

  bool result = false;
  {
    ClKessanshoSource source;
    source.SetProgress(progress.get());
    source.SetSums(&sums_);
    ClKessanshoXml xml;
    xml.SetProgress(progress.get());
    xml.SetSums(&sums_);
    xml.SetOwnerWindow(progress->GetSafeHwnd());
    xml.SetStatementKind(kind);
    xml.SetFallbackProgramName(CurrentEdition().fallbackProgramName);
    xml.SetConnectedProgramVersion(LoadResourceString(1));

    StFINDINFO window{};
    int windowBuilt = BuildSearchWindow(&window, &data, startMonth, endMonth);
    int taxFlag = tax.raw[StSHOHIZEIINFO::kTaxFlag] != 0 ? 1 : 0;

    // A failure ends the progress display behind its message, owned by it.
    auto fail = [&](const char* message) {
      h.ui->MessageBox(progress->GetSafeHwnd(), message, kCaption,
                       platform::MB_OK | platform::MB_ICONEXCLAMATION);
      progress->EndDialog(1);
      RestoreWaitCursor();
      runResult_ = 2;
    };

    // A window built without the fiscal period would select the wrong
    // months, and a partial account list must never become a document that
    // claims to be complete.
    if (!windowBuilt || source.Aggregate(taxFlag, &window, &data) == 0) {
      fail("勘定科目の集計に失敗しました。\n\nアプリケーションを終了します。");
    } else {
      static unsigned char noteFlags[kNoteDisplayFlagCount];
      int notesPresent = 0;
      if (source.IsNotesInputMode() && source.IsNotesEnabled()) {
        std::memset(noteFlags, 0, sizeof noteFlags);
        source.ReadNoteDisplayFlags(noteFlags);
        xml.SetNoteDisplayFlags(noteFlags);
        notesPresent = 1;
        std::string text;
        source.ReadNotesText(text);
        BuildNotesLines(std::move(text));
        xml.SetNotesLines(&notesLines_);
        std::string warning = UnsupportedNotesWarning(noteFlags);
        if (!warning.empty())
          h.ui->MessageBox(progress->GetSafeHwnd(), warning, kCaption,
                           platform::MB_OK | platform::MB_ICONEXCLAMATION);
      }
      xml.SetNotesPresent(notesPresent);
      xml.SetProgressBase(500);
      if (xml.WriteReport(outputPath.c_str(), callerWParam_, &data) == 0) {
        fail("XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。");
      } else {
        conditions.WriteSettings(static_cast<std::int16_t>(startMonth),
                                 static_cast<std::int16_t>(endMonth), kind,
                                 callerLinked_ == 1 ? nullptr : outputPath.c_str());
        progress->EndDialog(1);
        RestoreWaitCursor();
        h.ui->MessageBox(progress->GetSafeHwnd(),
                         "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。",
                         kCaption, platform::MB_OK | platform::MB_ICONINFORMATION);
        result = true;
      }
    }
    // xml, then source, are destroyed here.
  }
  EndWaitCursor();
  progress.reset();
  return result;
}

int ClLinkApp::ExitInstance() {
  sums_.clear();
  ClLdgConnect* connect = ClLdgConnect::Inst();
  connect->LogOut();
  connect->Terminate();
  connect->Release();
  if (callerLinked_ == 1) {
    platform::WindowSystem& w = *platform::host().windows;
    w.SetForegroundWindow(callerWindow_);
    w.EnableWindow(callerWindow_, true);
    w.PostMessage(callerWindow_, callerMessage_, static_cast<std::intptr_t>(callerWParam_),
                  static_cast<std::intptr_t>(runResult_));
    w.EnableWindow(callerWindow_, true);
  }
  return 0;
}

int ClLinkApp::ExitStatus() const {
  if (initiateFailed_) return 3;
  if (runResult_ == 1) return 1;
  if (runResult_ != 0) return 2;
  return 0;
}
