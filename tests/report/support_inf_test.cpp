#include "report/support_inf.h"

#include "report_fixture.h"

namespace {

using reptest::HostFolderTest;

class SupportInfTest : public HostFolderTest {};

TEST_F(SupportInfTest, ValuesEndAtTheirLineEnds) {
  PutFile("SUPPORT.INF",
          "[Info]\r\n[=製品名=]Ledgora２２ Pro\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]22.03.05\r\nrest\r\n");
  ClSupportInf inf;
  EXPECT_STREQ(inf.GetProductName(), "Ledgora２２ Pro");
  EXPECT_STREQ(inf.GetProductVersion(), "22.03.05");
  EXPECT_EQ(inf.Load(), 1);
}

TEST_F(SupportInfTest, EdgeCases) {
  struct Case {
    const char* label;
    std::string content;
    const char* name;
    const char* version;
  } cases[] = {
      {"ctrl-z ends the value", "[=製品名=]Abc\x1A", "Abc", ""},
      {"first occurrence counts", "[=製品名=]First\r\n[=製品名=]Second\r\n", "First", ""},
      {"key in mid-line", "x=1 [=製品ﾊﾞｰｼﾞｮﾝ=]9.9\r\n", "", "9.9"},
      {"last line without line end", "[=製品名=]Tail", "Tail", ""},
      {"key without value", "[=製品名=]\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]1\r\n", "", "1"},
      {"lone LF is part of the value", "[=製品名=]A\nB\r\n", "A\nB", ""},
      {"empty file", "", "", ""},
  };
  for (const Case& c : cases) {
    PutFile("SUPPORT.INF", c.content);
    ClSupportInf inf;
    EXPECT_STREQ(inf.GetProductName(), c.name) << c.label;
    EXPECT_STREQ(inf.GetProductVersion(), c.version) << c.label;
  }
}

TEST_F(SupportInfTest, OnlyTheFirst30000BytesAreSearched) {
  std::string content(29990, 'x');
  content += "[=製品名=]AB";  // key ends at 30000, the value beyond it
  content += "CD\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]1\r\n";
  PutFile("SUPPORT.INF", content);
  ClSupportInf inf;
  EXPECT_STREQ(inf.GetProductName(), "");  // the key does not fit whole
  EXPECT_STREQ(inf.GetProductVersion(), "");

  std::string fits(29980, 'x');
  fits += "[=製品名=]0123456789ABCDEF";  // the value is cut by the buffer's end
  PutFile("SUPPORT.INF", fits);
  ClSupportInf inf2;
  EXPECT_STREQ(inf2.GetProductName(), "0123456789");
}

TEST_F(SupportInfTest, MissingFileGivesEmptyValuesWithoutMessage) {
  ClSupportInf inf;
  EXPECT_STREQ(inf.GetProductName(), "");
  EXPECT_STREQ(inf.GetProductVersion(), "");
  EXPECT_EQ(inf.Load(), 0);
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(SupportInfTest, FileIsReadOnce) {
  PutFile("SUPPORT.INF", "[=製品名=]One\r\n");
  ClSupportInf inf;
  EXPECT_STREQ(inf.GetProductName(), "One");
  PutFile("SUPPORT.INF", "[=製品名=]Two\r\n");
  EXPECT_STREQ(inf.GetProductName(), "One");
}

TEST_F(SupportInfTest, AllocationFailureShowsTheMessageAtEachLookup) {
  PutFile("SUPPORT.INF", "[=製品名=]One\r\n");
  fault_->FailAllocation("SupportInf", 1);
  UseEnv(fault_.get());
  ClSupportInf inf;
  EXPECT_STREQ(inf.GetProductName(), "");
  EXPECT_STREQ(inf.GetProductVersion(), "");
  ASSERT_EQ(ui_.boxes.size(), 2u);
  EXPECT_EQ(ui_.boxes[0].text, "ﾒﾓﾘが不足しています。");
  EXPECT_EQ(ui_.boxes[0].caption, "stmtlink-birch");  // the program's title
  EXPECT_EQ(ui_.boxes[0].type, platform::MB_OK | platform::MB_ICONEXCLAMATION);

  ClSupportInf titled("stmtlink-cedar");
  EXPECT_STREQ(titled.GetProductName(), "");
  EXPECT_EQ(ui_.boxes.back().caption, "stmtlink-cedar");
}

}  // namespace
