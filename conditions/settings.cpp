// The settings file: one line per user and data set, "key" directly followed
// by "start/end/kind/path", each ended by a line feed. The line of the pair
// last written is always the last line; other lines keep their bytes.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "conditions/cond_dlg.h"
#include "conditions/path_checks.h"
#include "engine/engine.h"
#include "platform/env.h"
#include "platform/host.h"
#include "res/edition.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

std::string BoundedText(const char* text, std::size_t capacity) {
  return std::string(text, strnlen(text, capacity));
}

std::string SettingsKey(const char* userId, std::size_t userCap, std::int32_t selectedNo,
                        const char* dataId, std::size_t dataCap) {
  std::string key = BoundedText(userId, userCap);
  key += '/';
  if (CurrentEdition().keyWithSelectionNo) {
    key += std::to_string(selectedNo);
    key += '/';
  }
  key += BoundedText(dataId, dataCap);
  key += ':';
  return key;
}

// Offset of the first line that begins with `key`, or npos. A key matches
// only at the start of a line, so "1/..." is never found inside "11/...".
std::size_t FindKeyLine(std::string_view content, std::string_view key, std::size_t from = 0) {
  for (std::size_t pos = from; pos < content.size();) {
    if (content.compare(pos, key.size(), key) == 0) return pos;
    std::size_t lf = content.find('\n', pos);
    if (lf == npos) break;
    pos = lf + 1;
  }
  return npos;
}

// The C runtime's atoi on a 16-bit field: leading blanks, a sign, digits up to
// the first other character; values beyond int are clamped as atoi does.
std::int16_t DecimalField(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<std::int16_t>(static_cast<int>(value));
}

std::string SettingsFolder() { return ClFileMgr::Inst()->GetAppFolderPath(1); }

}  // namespace

int ClCondDlg::ReadSettings(std::int16_t* startMonth, std::int16_t* endMonth, std::int16_t* kind,
                            std::string* path) {
  platform::Env& env = *platform::host().env;
  const std::string file = SettingsFolder() + CurrentEdition().settingsFileName;
  const std::string key =
      SettingsKey(m_userId, sizeof m_userId, m_selectedNo, m_dataId, sizeof m_dataId);

  if (!env.GetStatus(file)) return 0;
  std::optional<std::string> content = platform::ReadWholeFile(env, file);
  if (!content) return 0;

  std::size_t line = FindKeyLine(*content, key);
  if (line == npos) return 0;
  std::string_view value = std::string_view(*content).substr(line + key.size());
  value = value.substr(0, value.find('\n'));

  std::size_t slash1 = value.find('/');
  std::size_t slash2 = slash1 == npos ? npos : value.find('/', slash1 + 1);
  std::size_t slash3 = slash2 == npos ? npos : value.find('/', slash2 + 1);
  if (slash3 == npos) return 0;

  std::size_t lastSlash = value.rfind('/');
  if (startMonth != nullptr) *startMonth = DecimalField(value);
  if (endMonth != nullptr) *endMonth = DecimalField(value.substr(slash1 + 1));
  if (kind != nullptr) *kind = DecimalField(value.substr(slash2 + 1));
  if (path != nullptr) *path = std::string(value.substr(lastSlash + 1));
  return 1;
}

int ClCondDlg::WriteSettings(std::int16_t startMonth, std::int16_t endMonth, std::int16_t kind,
                             const char* path) {
  platform::Env& env = *platform::host().env;
  const std::string key =
      SettingsKey(m_userId, sizeof m_userId, m_selectedNo, m_dataId, sizeof m_dataId);
  const std::string folder = SettingsFolder();
  if (folder.empty()) return 0;
  if (!IsExistingFolder(folder) && !CreateFolderTree(folder)) return 0;

  const std::string file = folder + CurrentEdition().settingsFileName;
  std::string line = key;
  line += std::to_string(startMonth) + '/' + std::to_string(endMonth) + '/' + std::to_string(kind) +
          '/';
  line += path != nullptr ? std::string(path) : m_savedPath;
  line += '\n';

  std::string content;
  if (env.GetStatus(file)) {
    std::optional<std::string> old = platform::ReadWholeFile(env, file);
    if (!old) return 0;
    content = std::move(*old);
    // Every line of this pair goes (a hand-edited file may hold more than
    // one), so the line written now is the one read next time.
    for (std::size_t pos = FindKeyLine(content, key); pos != npos;
         pos = FindKeyLine(content, key, pos)) {
      std::size_t lf = content.find('\n', pos);
      content.erase(pos, lf == npos ? npos : lf - pos + 1);
    }
    // A last line without its line feed keeps its bytes and gets one, so
    // that the new line does not run into it.
    if (!content.empty() && content.back() != '\n') content.push_back('\n');
  }
  content += line;
  // The old file stays whole unless the new content is completely in place.
  return platform::WriteFileReplacing(env, file, content) ? 1 : 0;
}
