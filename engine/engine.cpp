#include "engine/engine.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "engine/engine_db.h"
#include "engine/engine_state.h"
#include "platform/cp932.h"
#include "platform/host.h"

// The engine's manager objects carry no state of their own in the stand-in:
// they only have to exist, so that attaching to them works as in the engine.
class ClSetMgr {};
class ClOptLink {};

namespace {

using engine::detail::Loaded;

// MoveNext and WalkDat: nothing is left to deliver.
constexpr int kNoMoreData = 5000;

struct Objects {
  bool connected = false;               // a successful Initiate, until Release
  std::map<long, std::size_t> cursors;  // data-set cursor -> next row
  long nextCursor = 1;
};

Objects& O() {
  static Objects o;
  return o;
}

void Record(const char* call, long result) {
  if (platform::Journal* j = platform::host().journal) j->Engine(call, result);
}

ClSetData& SetData() {
  static ClSetData s;
  return s;
}

ClSetShohizei& SetShohizei() {
  static ClSetShohizei s;
  return s;
}

// The current user's row, or (0, 0).
engine::detail::User CurrentUser() {
  const auto& d = Loaded();
  auto it = d.users.find(d.settings.currentUser);
  return it == d.users.end() ? engine::detail::User{} : it->second;
}

// Replaces every ES_APRPACKAGENAME that starts on a character boundary, so
// that the trail byte of a double-byte character never begins a match.
std::string ReplacePackageName(const std::string& text, const std::string& name) {
  static const std::string token = "ES_APRPACKAGENAME";
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, token.size(), token) == 0) {
      out += name;
      i += token.size();
      continue;
    }
    std::size_t n = platform::CharLength(text, i);
    out.append(text, i, n);
    i += n;
  }
  return out;
}

// Converts a host path (UTF-8) to the Windows form the program handles.
std::string WindowsFolderOf(const std::string& hostPath) {
  std::string win;
  if (platform::Env* env = platform::host().env) {
    if (auto mapped = env->WindowsFormOf(hostPath)) win = *mapped;
  }
  if (win.empty()) {
    std::string text = "C:" + hostPath;
    for (char& c : text)
      if (c == '/') c = '\\';
    win = platform::Utf8ToCp932(text).value_or(text);
  }
  if (!platform::EndsInBackslash(win)) win += '\\';
  return win;
}

// $XDG_DATA_HOME/ledgora, or $HOME/.local/share/ledgora.
std::string DefaultSettingsHostFolder() {
  auto trimmed = [](std::string dir) {
    while (!dir.empty() && dir.back() == '/') dir.pop_back();
    return dir;
  };
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return trimmed(xdg) + "/ledgora";
  std::string home;
  if (const char* h = std::getenv("HOME"); h && h[0]) {
    home = h;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  return trimmed(home) + "/.local/share/ledgora";
}

bool IsLeapYear(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Days of a yyyymmdd date's month; 0 for a date that is not a calendar date.
int DaysInMonth(long date) {
  long y = date / 10000, m = date % 10000 / 100, d = date % 100;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date <= 0 || m < 1 || m > 12) return 0;
  int n = kDays[m - 1] + (m == 2 && IsLeapYear(y) ? 1 : 0);
  return d >= 1 && d <= n ? n : 0;
}

constexpr short kEndOfMonth = 99;

}  // namespace

namespace engine::detail {

// Called by engine::Reset: the engine objects forget their state.
void ResetObjects() {
  O() = Objects();
  *ClLdgConnect::Inst() = ClLdgConnect();
  for (ClSetBase* s :
       {static_cast<ClSetBase*>(&SetData()), static_cast<ClSetBase*>(&SetShohizei())}) {
    s->AttachSetMgr(nullptr);
    s->SetCurDataID("");
  }
}

}  // namespace engine::detail

// ---- ClLdgConnect ----

ClLdgConnect* ClLdgConnect::Inst() {
  static ClLdgConnect c;
  return &c;
}

void ClLdgConnect::SetAppType(int type) { appType_ = type; }

void ClLdgConnect::SetUseDataType(int type) { useDataType_ = type; }

int ClLdgConnect::Initiate() {
  std::string error;
  int result;
  if (engine::detail::OpenAndLoad(&error)) {
    O().connected = true;
    result = Loaded().settings.initiateResult;
  } else {
    O().connected = false;
    // The fault may quote a database text that is not UTF-8.
    std::fprintf(stderr, "stmtlink: %s\n", platform::ValidUtf8(error).c_str());
    result = -1;
  }
  Record("Initiate", result);
  return result;
}

int ClLdgConnect::ExpSysLink() {
  int result = O().connected ? Loaded().settings.expSysLinkResult : -1;
  Record("ExpSysLink", result);
  return result;
}

int ClLdgConnect::DispMsg(HWND owner, const char* text, const char* caption, unsigned flags) {
  std::string shown = ReplacePackageName(text ? text : "", Loaded().settings.packageName);
  if (platform::FrontEnd* ui = platform::host().ui)
    return ui->MessageBox(owner, shown, caption ? caption : "", flags);
  // Without a front end the box gets its default answer.
  return (flags & 0x0Fu) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
}

int ClLdgConnect::LogOut() {
  Record("LogOut", 0);
  return 0;
}

int ClLdgConnect::Terminate() {
  Record("Terminate", 0);
  return 0;
}

int ClLdgConnect::Release() {
  engine::detail::Close();
  O().connected = false;
  O().cursors.clear();
  Record("Release", 0);
  return 0;
}

// ---- set objects ----

int ClSetBase::AttachSetMgr(ClSetMgr* mgr) {
  mgr_ = mgr;
  return 0;
}

int ClSetBase::SetCurDataID(const char* dataId) {
  dataId_ = dataId ? dataId : "";
  return 0;
}

const StDATAINFO* ClSetData::GetSelectedInfo() {
  std::memset(selected_.raw, 0, sizeof selected_.raw);
  long second = CurrentUser().second;
  for (const auto& ds : Loaded().dataSets) {
    if (ds.dataNo == second) {
      selected_ = ds.record;
      break;
    }
  }
  return &selected_;
}

int ClSetData::GetDatCursor(long* cursor) {
  if (!cursor) return 1;
  *cursor = O().nextCursor++;
  O().cursors[*cursor] = 0;
  return 0;
}

int ClSetData::ReadyDat(long cursor, int option) {
  (void)option;
  auto it = O().cursors.find(cursor);
  if (it == O().cursors.end()) return 1;
  it->second = 0;
  return 0;
}

int ClSetData::WalkDat(StDATAINFO* record, long cursor) {
  auto it = O().cursors.find(cursor);
  if (!record || it == O().cursors.end()) return 1;
  const auto& sets = Loaded().dataSets;
  if (it->second >= sets.size()) return kNoMoreData;
  *record = sets[it->second++].record;
  return 0;
}

int ClSetData::ReleaseDatCursor(long cursor) { return O().cursors.erase(cursor) ? 0 : 1; }

int ClSetShohizei::Get(StSHOHIZEIINFO* info) {
  const auto* ds = engine::detail::FindDataSet(dataId_);
  if (!info || !ds) return 1;
  // A failure leaves the caller's record as it was.
  if (ds->taxResult != 0) return ds->taxResult;
  std::memset(info->raw, 0, sizeof info->raw);
  info->raw[StSHOHIZEIINFO::kTaxFlag] = ds->taxFlag;
  return 0;
}

// ---- users, managers ----

int ClSysUser::GetCurUserID(char* buffer) {
  if (!buffer) return 1;
  const std::string& user = Loaded().settings.currentUser;  // at most 64 bytes
  std::memcpy(buffer, user.c_str(), user.size() + 1);
  return 0;
}

int ClSysUser::GetSelectedNo(const char* userId, long* first, long* second) {
  engine::detail::User u;
  const auto& users = Loaded().users;
  if (auto it = users.find(userId ? userId : ""); it != users.end()) u = it->second;
  if (first) *first = u.first;
  if (second) *second = u.second;
  return 0;
}

ClDataMgr* ClDataMgr::Inst() {
  static ClDataMgr m;
  return &m;
}

ClSysUser* ClDataMgr::GetSysUserObject() {
  static ClSysUser u;
  return &u;
}

ClSetMgr* ClDataMgr::GetSetMgr() {
  static ClSetMgr m;
  return &m;
}

ClSetBase* ClDataMgr::GetSetObject(int kind, int option) {
  (void)option;
  if (kind == 5) return &SetData();
  if (kind == 4) return &SetShohizei();
  return nullptr;
}

ClLinkMgr* ClLinkMgr::Inst() {
  static ClLinkMgr m;
  return &m;
}

ClOptLink* ClLinkMgr::GetOptLink() {
  static ClOptLink l;
  return &l;
}

int ClUtyDBHpr::MakeIDStr(const StDATAINFO* record, char* text) {
  if (!record || !text) return 1;
  // The data set whose record this is; else the first with its data ID; else
  // the record's own data ID.
  const auto& sets = Loaded().dataSets;
  const engine::detail::DataSet* found = nullptr;
  for (const auto& ds : sets) {
    if (std::memcmp(ds.record.raw, record->raw, sizeof record->raw) == 0) {
      found = &ds;
      break;
    }
  }
  std::string id(reinterpret_cast<const char*>(record->raw + StDATAINFO::kDataId),
                 strnlen(reinterpret_cast<const char*>(record->raw + StDATAINFO::kDataId), 15));
  if (!found) found = engine::detail::FindDataSet(id);
  const std::string& out = found ? found->idText : id;  // at most 34 bytes
  std::memcpy(text, out.c_str(), out.size() + 1);
  return 0;
}

// ---- aggregation rule ----

ClRuleKamoku::ClRuleKamoku() = default;
ClRuleKamoku::~ClRuleKamoku() = default;

int ClRuleKamoku::AttachSetMgr(ClSetMgr* mgr) {
  (void)mgr;
  return 0;
}

int ClRuleKamoku::SetCurDataID(const char* dataId) {
  dataId_ = dataId ? dataId : "";
  return 0;
}

int ClRuleKamoku::AttachOptLink(ClOptLink* link) {
  (void)link;
  return 0;
}

int ClRuleKamoku::MoveReady(int sumType, int bmnType, int dispType, StFINDINFO* window,
                            void* department, int past) {
  (void)sumType, (void)bmnType, (void)dispType, (void)department, (void)past;
  // Every slot of both sets is delivered whatever the window says; the window
  // is kept as the engine would keep it.
  std::memset(window_.raw, 0, sizeof window_.raw);
  if (window) window_ = *window;
  index_ = 0;
  return 0;
}

int ClRuleKamoku::GetSumCount(unsigned long* count) {
  const auto& s = Loaded().settings;
  if (!count) return 1;
  if (s.sumCountResult != 0) return s.sumCountResult;
  auto it = Loaded().accounts.find(dataId_);
  std::size_t n = it == Loaded().accounts.end() ? 0 : it->second.size();
  *count = s.sumCount ? *s.sumCount : static_cast<unsigned long>(n);
  return 0;
}

int ClRuleKamoku::SetMovePos(long pos) {
  int result = Loaded().settings.setMovePosResult;
  if (result == 0) index_ = pos;
  return result;
}

int ClRuleKamoku::MoveNext(StKAMOKUSUMINFO* record) {
  if (!record) return 1;
  const auto& s = Loaded().settings;
  if (s.moveNextErrorAt && *s.moveNextErrorAt == index_) return s.moveNextErrorCode;
  auto it = Loaded().accounts.find(dataId_);
  if (it == Loaded().accounts.end() || index_ < 0 ||
      static_cast<std::size_t>(index_) >= it->second.size())
    return kNoMoreData;
  *record = it->second[static_cast<std::size_t>(index_++)].record;
  return 0;
}

int ClRuleKamoku::MoveFinish() {
  index_ = 0;
  return 0;
}

// ---- saved statements ----

ClSaveKessansho::ClSaveKessansho() = default;
ClSaveKessansho::~ClSaveKessansho() = default;

int ClSaveKessansho::AttachSetMgr(ClSetMgr* mgr) {
  (void)mgr;
  return 0;
}

int ClSaveKessansho::SetCurDataID(const char* dataId) {
  dataId_ = dataId ? dataId : "";
  return 0;
}

int ClSaveKessansho::AttachOptLink(ClOptLink* link) {
  (void)link;
  return 0;
}

int ClSaveKessansho::GetDataType02(int kind, char** buffer, long* length) {
  if (buffer) *buffer = nullptr;
  if (length) *length = 0;
  const auto& saved = Loaded().saved;
  auto it = saved.find({dataId_, kind});
  if (it == saved.end()) return 1;
  const auto& s = it->second;
  // A row without content still hands out an empty text on success.
  if (s.content || s.result == 0) {
    const std::string text = s.content.value_or(std::string());
    char* p = static_cast<char*>(std::malloc(text.size() + 1));
    if (!p) return 1;
    std::memcpy(p, text.c_str(), text.size() + 1);
    if (buffer) {
      *buffer = p;
    } else {
      std::free(p);
    }
    if (length) *length = static_cast<long>(text.size());
  }
  return s.result;
}

// ---- periods ----

ClLdgPeriod::ClLdgPeriod() = default;
ClLdgPeriod::~ClLdgPeriod() = default;

int ClLdgPeriod::SetPeriod(long start, long end) {
  if (DaysInMonth(start) == 0 || DaysInMonth(end) == 0 || end < start) return 1;
  start_ = start;
  end_ = end;
  return 0;
}

int ClLdgPeriod::GetClosingDayByEndDate(long end, int option, short* day) {
  (void)option;
  int days = DaysInMonth(end);
  if (days == 0 || !day) return 1;
  *day = end % 100 == days ? kEndOfMonth : static_cast<short>(end % 100);
  return 0;
}

int ClLdgPeriod::SetClosingDay(short day) {
  if (day != kEndOfMonth && (day < 1 || day > 31)) return 1;
  closingDay_ = day;
  return 0;
}

int ClLdgPeriod::GetAMonthByDate(long date, short* month, int option) {
  (void)option;
  if (DaysInMonth(date) == 0 || !month) return 1;
  auto m = static_cast<short>(date % 10000 / 100);
  if (closingDay_ != kEndOfMonth && date % 100 > closingDay_) m = static_cast<short>(m % 12 + 1);
  *month = m;
  return 0;
}

// ---- folders ----

ClFileMgr* ClFileMgr::Inst() {
  static ClFileMgr f;
  return &f;
}

std::string ClFileMgr::GetAppFolderPath(int type) {
  const auto& s = Loaded().settings;
  if (type == 0) return s.outputFolder;
  if (type == 1)
    return s.settingsFolder ? *s.settingsFolder : WindowsFolderOf(DefaultSettingsHostFolder());
  return std::string();
}

void CoTaskMemFree(void* p) { std::free(p); }
