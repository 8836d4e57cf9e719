#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "ui_fixture.h"

namespace uitest {
namespace {

TEST(JournalFormat, MsgBoxKeepsCrAndLfEscapedAndNamesNoOwnerAsNull) {
  CollectJournal j;
  j.MsgBox(0, "決算書", "一行目\r\n二行目\n", MB_YESNO | MB_ICONQUESTION, IDNO);
  ASSERT_EQ(j.lines.size(), 1u);
  EXPECT_EQ(j.lines[0],
            U8(u8"{\"ev\":\"msgbox\",\"owner\":null,\"ownerName\":null,\"caption\":\"決算書\","
               u8"\"text\":\"一行目\\r\\n二行目\\n\",\"buttons\":\"yesno\",\"icon\":\"question\","
               u8"\"answer\":\"no\"}"));
}

TEST(JournalFormat, MsgBoxOwnerNamesAndIcons) {
  CollectJournal j;
  j.NameWindow(4660, "caller");
  j.MsgBox(4660, "c", "t", MB_OK | MB_ICONEXCLAMATION, IDOK);
  j.MsgBox(77, "c", "t", MB_OK | MB_ICONINFORMATION, IDOK);
  j.MsgBox(4660, "c", "t", MB_OK, IDOK);
  j.ForgetWindow(4660);
  j.MsgBox(4660, "c", "t", MB_YESNO, IDYES);
  EXPECT_EQ(j.lines[0],
            "{\"ev\":\"msgbox\",\"owner\":4660,\"ownerName\":\"caller\",\"caption\":\"c\","
            "\"text\":\"t\",\"buttons\":\"ok\",\"icon\":\"exclamation\",\"answer\":\"ok\"}");
  EXPECT_EQ(j.lines[1],
            "{\"ev\":\"msgbox\",\"owner\":77,\"ownerName\":null,\"caption\":\"c\","
            "\"text\":\"t\",\"buttons\":\"ok\",\"icon\":\"information\",\"answer\":\"ok\"}");
  EXPECT_NE(j.lines[2].find("\"icon\":\"none\""), std::string::npos);
  EXPECT_EQ(j.lines[3],
            "{\"ev\":\"msgbox\",\"owner\":4660,\"ownerName\":null,\"caption\":\"c\","
            "\"text\":\"t\",\"buttons\":\"yesno\",\"icon\":\"none\",\"answer\":\"yes\"}");
}

TEST(JournalFormat, DialogWaitListsControlsByIdWithCheckedOnlyForRadios) {
  CollectJournal j;
  std::vector<ControlSnapshot> controls = {
      {1016, "4", true, false, false},
      {1019, "株主(&K)", false, true, true},
      {1020, "", true, true, false},
  };
  j.DialogWait(130, 1016, controls);
  j.DialogWait(130, 0, {});
  EXPECT_EQ(j.lines[0], U8(u8"{\"ev\":\"dialog-wait\",\"id\":130,\"focus\":1016,\"controls\":{"
                           u8"\"1016\":{\"text\":\"4\",\"enabled\":true},"
                           u8"\"1019\":{\"text\":\"株主(&K)\",\"enabled\":false,\"checked\":true},"
                           u8"\"1020\":{\"text\":\"\",\"enabled\":true,\"checked\":false}}}"));
  EXPECT_EQ(j.lines[1], "{\"ev\":\"dialog-wait\",\"id\":130,\"focus\":null,\"controls\":{}}");
}

TEST(JournalFormat, OtherEvents) {
  CollectJournal j;
  j.DialogOpen(130);
  j.Focus(1016);
  j.FileDialog("保存", "C:\\out", "a.xml", "XML", "Xml Files (*.xml)|*.xml||", std::nullopt);
  j.FileDialog("t", "", "", "", "", std::string("C:\\x\\b.xml"));
  j.DialogEnd(131, 1);
  j.Caption(131, "集計中 10％");
  j.ProgressClose(1007, 1234);
  j.Enable(4660, false);
  j.Foreground(4660);
  j.Post(4660, 0x8001, -1, -2147483648LL);
  j.Engine("Initiate", 0);
  j.Exit(2, 2);
  const std::vector<std::string> want = {
      "{\"ev\":\"dialog-open\",\"id\":130}",
      "{\"ev\":\"focus\",\"id\":1016}",
      U8(u8"{\"ev\":\"filedialog\",\"title\":\"保存\",\"folder\":\"C:\\\\out\",\"file\":\"a.xml\","
         u8"\"ext\":\"XML\",\"filter\":\"Xml Files (*.xml)|*.xml||\",\"result\":null}"),
      "{\"ev\":\"filedialog\",\"title\":\"t\",\"folder\":\"\",\"file\":\"\",\"ext\":\"\","
      "\"filter\":\"\",\"result\":\"C:\\\\x\\\\b.xml\"}",
      "{\"ev\":\"dialog-end\",\"id\":131,\"result\":1}",
      U8(u8"{\"ev\":\"caption\",\"id\":131,\"text\":\"集計中 10％\"}"),
      "{\"ev\":\"progress-close\",\"steps\":1007,\"ticks\":1234}",
      "{\"ev\":\"enable\",\"hwnd\":4660,\"enabled\":false}",
      "{\"ev\":\"foreground\",\"hwnd\":4660}",
      "{\"ev\":\"post\",\"hwnd\":4660,\"msg\":32769,\"wparam\":-1,\"lparam\":-2147483648}",
      "{\"ev\":\"engine\",\"call\":\"Initiate\",\"result\":0}",
      "{\"ev\":\"exit\",\"status\":2,\"runResult\":2}",
  };
  EXPECT_EQ(j.lines, want);
}

TEST(JournalFormat, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonString("a\"b\\c\td\x01"
                       "e\x1f"),
            "\"a\\\"b\\\\c\\td\\u0001e\\u001f\"");
  // A double-byte character whose second byte is 0x5C stays one character.
  EXPECT_EQ(JsonString("表"), U8(u8"\"表\""));
}

TEST(JournalFormat, BytesWithoutAReadingBecomeReplacementCharacters) {
  EXPECT_EQ(JsonString("a\xFF"
                       "b"),
            U8(u8"\"a\uFFFDb\""));
  EXPECT_EQ(JsonString("x\x81"), U8(u8"\"x\uFFFD\""));
}

TEST(JournalFile, AppendsOneLinePerEvent) {
  const std::string path = ::testing::TempDir() + "pui_journal_test.jsonl";
  {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << "{\"ev\":\"earlier\"}\n";
  }
  Journal j(path);
  j.DialogOpen(131);
  j.Exit(0, 0);
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "{\"ev\":\"earlier\"}\n{\"ev\":\"dialog-open\",\"id\":131}\n"
            "{\"ev\":\"exit\",\"status\":0,\"runResult\":0}\n");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace uitest
