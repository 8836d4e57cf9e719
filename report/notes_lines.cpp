// The notes text cut into lines, and the warning about note groups the
// document cannot carry.
#include "report/notes_lines.h"

#include <cstring>

namespace {

struct Entity {
  const char* text;
  char ch;
};
constexpr Entity kEntities[] = {
    {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}, {"&quot;", '"'},
};

// One pass: a character produced by decoding is never read again.
std::string DecodeEntities(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    bool decoded = false;
    if (text[i] == '&') {
      for (const Entity& e : kEntities) {
        std::size_t n = std::strlen(e.text);
        if (text.compare(i, n, e.text) == 0) {
          out += e.ch;
          i += n;
          decoded = true;
          break;
        }
      }
    }
    if (!decoded) out += text[i++];
  }
  return out;
}

struct UnsupportedGroup {
  int position;
  const char* line;
};
// In the order they are tested and listed.
constexpr UnsupportedGroup kUnsupported[] = {
    {32, "・会計上の見積もりに関する注記\n"}, {20, "・会計上の見積もりの変更に関する注記\n"},
    {21, "・誤謬の訂正に関する注記\n"},       {16, "・金融商品に関する注記\n"},
    {17, "・賃貸等不動産に関する注記\n"},     {33, "・収益認識に関する注記\n"},
};

}  // namespace

void BuildNotesLines(std::string text, NotesLines& lines) {
  lines.clear();
  text = DecodeEntities(text);
  if (text.find("\r\n") == std::string::npos) {
    if (!text.empty()) lines.push_back(std::move(text));
    return;
  }
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
  std::size_t start = 0;
  for (std::size_t end = text.find("\r\n"); end != std::string::npos;
       end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
}

std::string UnsupportedNotesWarning(const unsigned char* flags) {
  if (flags == nullptr) return std::string();
  std::string body;
  for (const UnsupportedGroup& g : kUnsupported) {
    if (flags[g.position] != 0) body += g.line;
  }
  if (body.empty()) return std::string();
  return "以下の注記は連動に対応していません。\nこれらの注記はZeimark上で手入力してください。\n\n" +
         body + "\nこれらの注記を除いて処理を続行します。";
}
