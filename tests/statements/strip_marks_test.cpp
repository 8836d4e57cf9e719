#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "statements/statement_sections.h"

namespace {

TEST(StripMarks, RemovesTheMarksWhereverTheyOccur) {
  const std::pair<const char*, const char*> cases[] = {
      {"[製]材料　費", "材料費"},
      {"（株）ＡＢＣ", "株ＡＢＣ"},
      {"A B", "AB"},
      {"【現金】", "現金"},
      {"《特》［別］", "特別"},
      {"(製)(完)[完](未)[未]品", "品"},
      // Only the whole mark goes: a lone half-width bracket stays.
      {"(製品)", "(製品)"},
      {"[製", "[製"},
      {"   ", ""},
      {"ソフト表示", "ソフト表示"},
  };
  for (const auto& [name, label] : cases) {
    EXPECT_EQ(ClStatementSections::StripMarks(std::string(name)), label) << name;
  }
}

TEST(StripMarks, BufferFormHonoursLengthAndLeavesLabelOnEmptyName) {
  char label[64];
  std::strcpy(label, "untouched");
  EXPECT_EQ(ClStatementSections::StripMarks("", label, 10), 0);
  EXPECT_STREQ(label, "untouched");

  EXPECT_EQ(ClStatementSections::StripMarks("ab cd", label, 3), 1);
  EXPECT_STREQ(label, "ab");
  EXPECT_EQ(ClStatementSections::StripMarks("（株）ＡＢＣ", label, 64), 1);
  EXPECT_STREQ(label, "株ＡＢＣ");
}

TEST(StripMarks, LongNamesAreKeptWhole) {
  std::string name;
  std::string expected;
  for (int i = 0; i < 200; ++i) {
    name += "科目　";
    expected += "科目";
  }
  EXPECT_EQ(ClStatementSections::StripMarks(name), expected);
}

}  // namespace
