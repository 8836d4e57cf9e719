#include "platform/profile.h"

#include <string_view>

#include "platform/cp932.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

// Blanks cannot be trail bytes, so trimming byte by byte never splits a
// double-byte character.
std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names compare without regard to ASCII case; the bytes of a double-byte
// character (whose trail byte may look like a letter) compare exactly.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  while (i < a.size()) {
    std::size_t n = CharLength(a, i);
    if (n == 2) {
      if (a.compare(i, 2, b, i, 2) != 0) return false;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

// The first single-byte `c` in s (0x5D may be a trail byte), or npos.
std::size_t FindChar(std::string_view s, char c) {
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (s[i] == c && CharLength(s, i) == 1) return i;
  }
  return std::string_view::npos;
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

std::string CutToBuffer(std::string_view v, std::size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  return std::string(v.substr(0, bufferSize - 1));
}

// The value of `key` in the first section named `section`, or nullopt.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  bool inSection = false;
  bool sectionSeen = false;
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (sectionSeen) return std::nullopt;  // only the first such section counts
      std::size_t close = FindChar(line, ']');
      std::string_view name = Trim(
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      inSection = SameName(name, section);
      sectionSeen = inSection;
      continue;
    }
    if (!inSection) continue;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (SameName(Trim(line.substr(0, eq)), key)) return Trim(line.substr(eq + 1));
  }
  return std::nullopt;
}

}  // namespace

std::string GetPrivateProfileString(Env& env, const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path) {
  // The platform drops trailing blanks of the default.
  std::string_view fallback = defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);

  std::optional<std::string> text = ReadWholeFile(env, path);
  if (!text) return CutToBuffer(fallback, bufferSize);
  std::optional<std::string_view> value = FindValue(*text, Trim(section), Trim(key));
  if (!value) return CutToBuffer(fallback, bufferSize);
  return CutToBuffer(Unquote(*value), bufferSize);
}

}  // namespace platform
