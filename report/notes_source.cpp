// The saved notes of the company data, read through the engine's saved
// financial-statement settings.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "platform/host.h"
#include "report/notes_lines.h"
#include "statements/kessansho_source.h"

namespace {

// The saved data kinds the notes use.
constexpr int kKindGeneral = 0;
constexpr int kKindNotesSettings = 100;
constexpr int kKindNotesText = 1000;

// Frees an engine text buffer when it goes out of scope.
class EngineText {
 public:
  EngineText() = default;
  ~EngineText() {
    if (buffer_ != nullptr) CoTaskMemFree(buffer_);
  }
  EngineText(const EngineText&) = delete;
  EngineText& operator=(const EngineText&) = delete;
  char** Slot() { return &buffer_; }
  bool Empty() const { return buffer_ == nullptr || *buffer_ == '\0'; }
  std::string_view View() const { return buffer_ != nullptr ? buffer_ : std::string_view(); }

 private:
  char* buffer_ = nullptr;
};

// The decimal long at `pos`, read up to the entry's end (CR, LF or the end
// of the text); missing or non-numeric digits read as 0.
long EntryNumber(std::string_view text, std::size_t pos) {
  if (pos > text.size()) return 0;
  std::string_view rest = text.substr(pos);
  std::size_t end = rest.find_first_of("\r\n");
  std::string entry(rest.substr(0, end));
  return std::strtol(entry.c_str(), nullptr, 10);
}

}  // namespace

int ClKessanshoSource::FetchSavedData(int kind, char** buffer, long* length) {
  if (buffer == nullptr) return 0;
  *buffer = nullptr;
  platform::Env* env = platform::host().env;
  if (env != nullptr && !env->MayAllocate("ClSaveKessansho")) return 0;
  auto* saved = new ClSaveKessansho();
  delete saved_;
  saved_ = saved;

  ClDataMgr* data = ClDataMgr::Inst();
  saved->AttachSetMgr(data->GetSetMgr());
  std::string dataId;
  if (auto* set = dynamic_cast<ClSetData*>(data->GetSetObject(5, 1))) {
    if (const StDATAINFO* info = set->GetSelectedInfo()) {
      const char* id = rec::Text(info->raw, StDATAINFO::kDataId);
      dataId.assign(id, strnlen(id, StDATAINFO::kDataNo - StDATAINFO::kDataId));
    }
  }
  saved->SetCurDataID(dataId.c_str());
  saved->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());

  char* text = nullptr;
  long size = 0;
  int result = saved->GetDataType02(kind, &text, &size);
  if (length != nullptr) *length = size;
  if (result != 0 || text == nullptr) {
    if (text != nullptr) CoTaskMemFree(text);
    return 0;
  }
  *buffer = text;
  return 1;
}

int ClKessanshoSource::IsNotesInputMode() {
  EngineText text;
  if (!FetchSavedData(kKindNotesSettings, text.Slot(), nullptr)) return 0;
  std::string_view t = text.View();
  std::size_t key = t.find("InputMode");
  if (key == std::string_view::npos) return 0;
  std::size_t eq = t.find('=', key + 1);
  if (eq == std::string_view::npos) return 0;
  return EntryNumber(t, eq + 1) > 0 ? 1 : 0;
}

int ClKessanshoSource::IsNotesEnabled() {
  EngineText text;
  if (!FetchSavedData(kKindGeneral, text.Slot(), nullptr)) return 0;
  std::string_view t = text.View();
  std::size_t key = t.find("Note=");
  if (key == std::string_view::npos || key + 5 >= t.size()) return 0;
  return EntryNumber(t, key + 5) > 0 ? 1 : 0;
}

void ClKessanshoSource::ReadNoteDisplayFlags(unsigned char* flags) {
  if (flags == nullptr) return;
  EngineText text;
  if (!FetchSavedData(kKindNotesSettings, text.Slot(), nullptr) || text.Empty()) return;
  std::string_view t = text.View();
  std::size_t from = 0;
  // In order of appearance, not by the number in the header.
  for (int count = 0; count < kNoteDisplayFlagCount; ++count) {
    std::size_t section = t.find("[Note_", from);
    if (section == std::string_view::npos) break;
    std::size_t disp = t.find("Disp=", std::min(section + 9, t.size()));
    if (disp == std::string_view::npos) break;
    flags[count] = static_cast<unsigned char>(EntryNumber(t, disp + 5) & 0xFF);
    from = disp + 5;
  }
}

int ClKessanshoSource::ReadNotesText(std::string& text) {
  EngineText fetched;
  if (FetchSavedData(kKindNotesText, fetched.Slot(), nullptr)) {
    text.assign(fetched.View());
  } else {
    text.clear();
  }
  return 1;
}
