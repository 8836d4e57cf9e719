#include "tests/statements/test_lines.h"

#include <cstring>
#include <memory>

namespace stmt_test {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {

std::string Attributes(const char* attr1, const char* value1, const char* attr2,
                       const char* value2) {
  std::string out;
  if (attr1 == nullptr || value1 == nullptr) return out;
  out += std::string(" ") + attr1 + "=\"" + Escape(value1) + "\"";
  if (attr2 != nullptr && value2 != nullptr) {
    out += std::string(" ") + attr2 + "=\"" + Escape(value2) + "\"";
  }
  return out;
}

std::string Tabs(int indent) { return std::string(static_cast<std::size_t>(indent), '\t'); }

}  // namespace

int TestXmlLines::Emit(const std::string& line) {
  ++calls;
  if (failFrom_ > 0 && calls >= failFrom_) return 0;
  text += line;
  return 1;
}

int TestXmlLines::WriteStartTag(int indent, const char* name, const char* attr1, const char* value1,
                                const char* attr2, const char* value2) {
  return Emit(Tabs(indent) + "<" + name + Attributes(attr1, value1, attr2, value2) + ">\r\n");
}

int TestXmlLines::WriteEndTag(int indent, const char* name) {
  return Emit(Tabs(indent) + "</" + name + ">\r\n");
}

int TestXmlLines::WriteElement(int indent, const char* name, const char* text_, const char* attr1,
                               const char* value1, const char* attr2, const char* value2) {
  return Emit(Tabs(indent) + "<" + name + Attributes(attr1, value1, attr2, value2) + ">" +
              Escape(text_) + "</" + name + ">\r\n");
}

AccountSumList MakeList(const std::vector<EntrySpec>& specs) {
  AccountSumList list;
  for (const EntrySpec& s : specs) {
    auto e = std::make_unique<AccountSum>();
    e->key = s.key;
    std::memcpy(e->name, s.name, strnlen(s.name, sizeof e->name - 1));
    std::memcpy(e->name2, s.name2, strnlen(s.name2, sizeof e->name2 - 1));
    e->category = s.category;
    e->kind = s.kind;
    e->opening = s.opening;
    e->closing = s.closing;
    e->movement = s.closing - s.opening;
    list.push_back(std::move(e));
  }
  return list;
}

}  // namespace stmt_test
