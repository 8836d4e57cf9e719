// Test doubles for the statement writers: a line writer that lays out each
// line as the document's XML writer does, and helpers for expected text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/env.h"
#include "statements/account_sum.h"
#include "statements/xml_lines.h"
#include "tests/support/fakes.h"

namespace stmt_test {

// Formats lines into `text`: tabs, "<name attr=\"value\">", escaped texts and
// values, CR LF. From line `failFrom` on (1-based; 0 never) every call fails
// and writes nothing.
class TestXmlLines : public ClXmlLines {
 public:
  explicit TestXmlLines(int failFrom = 0) : failFrom_(failFrom) {}

  int WriteStartTag(int indent, const char* name, const char* attr1, const char* value1,
                    const char* attr2, const char* value2) override;
  int WriteEndTag(int indent, const char* name) override;
  int WriteElement(int indent, const char* name, const char* text, const char* attr1,
                   const char* value1, const char* attr2, const char* value2) override;

  std::string text;
  int calls = 0;  // every attempted line, written or failed

 private:
  int Emit(const std::string& line);
  int failFrom_;
};

std::string Escape(const std::string& text);

// Expected documents: one line at an indent, CR LF appended.
class Doc {
 public:
  Doc& L(int indent, const std::string& line) {
    text_ += std::string(static_cast<std::size_t>(indent), '\t') + line + "\r\n";
    return *this;
  }
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

// Amounts in ten-thousandths of a yen.
constexpr std::int64_t Yen(std::int64_t yen) { return yen * 10000; }

struct EntrySpec {
  std::int32_t key;
  const char* name;
  const char* name2;
  std::uint32_t category;
  std::int16_t kind;
  std::int64_t opening;
  std::int64_t closing;
};

// Entries in the given order; movement = closing - opening.
AccountSumList MakeList(const std::vector<EntrySpec>& specs);

using test_support::NullEnv;

}  // namespace stmt_test
