#include <gtest/gtest.h>

#include <cstdio>

#include "ui_fixture.h"

namespace uitest {
namespace {

using Kind = ScriptAction::Kind;

std::vector<ScriptAction> Parse(const std::string& script) {
  std::string error;
  auto actions = ParseScript(script, &error);
  EXPECT_TRUE(actions) << error;
  return actions ? *actions : std::vector<ScriptAction>{};
}

TEST(ParseScript, EveryActionWithCommentsAndBlankLines) {
  const auto a =
      Parse(U8(u8"# conditions\n"
               u8"\n"
               u8"set 1016 4\n"
               u8"set 1015 C:\\決算書\\a b.xml \r\n"
               u8"set 1000\n"
               u8"set 1000 \n"
               u8"   \t\n"
               u8"click 1019\n"
               u8"focus 1015\n"
               u8"key F12\n"
               u8"key Ctrl+Alt+Shift+Tab\n"
               u8"answer no\n"
               u8"file C:\\出力\\b.xml\n"
               u8"file cancel"));
  ASSERT_EQ(a.size(), 11u);
  EXPECT_EQ(a[0].kind, Kind::Set);
  EXPECT_EQ(a[0].id, 1016);
  EXPECT_EQ(a[0].text, "4");
  EXPECT_EQ(a[0].line, 3);
  // Everything after the one blank, trailing blank included, as CP932.
  EXPECT_EQ(a[1].text, "C:\\決算書\\a b.xml ");
  EXPECT_EQ(a[2].text, "");
  EXPECT_EQ(a[3].text, "");
  EXPECT_EQ(a[3].id, 1000);
  EXPECT_EQ(a[4].kind, Kind::Click);
  EXPECT_EQ(a[4].id, 1019);
  EXPECT_EQ(a[4].line, 8);
  EXPECT_EQ(a[5].kind, Kind::Focus);
  EXPECT_EQ(a[5].id, 1015);
  EXPECT_EQ(a[6].kind, Kind::Key);
  EXPECT_EQ(a[6].key, Key::F12);
  EXPECT_EQ(a[6].mods, 0u);
  EXPECT_EQ(a[7].key, Key::Tab);
  EXPECT_EQ(a[7].mods, kModShift | kModCtrl | kModAlt);
  EXPECT_EQ(a[8].kind, Kind::Answer);
  EXPECT_EQ(a[8].text, "no");
  EXPECT_EQ(a[9].kind, Kind::File);
  EXPECT_EQ(a[9].text, "C:\\出力\\b.xml");
  EXPECT_FALSE(a[9].cancel);
  EXPECT_TRUE(a[10].cancel);
  EXPECT_EQ(a[10].line, 14);
}

TEST(ParseScript, MalformedLinesAreNamedWithTheirNumberAndContent) {
  struct Case {
    std::string line;
  } cases[] = {{"clik 1002"},
               {"click"},
               {"click 10x2"},
               {"click 1002 now"},
               {"focus -1"},
               {"set"},
               {"set abc 1"},
               {"key Space"},
               {"key enter"},
               {"key Shift+"},
               {"key Shift+Shift+Tab"},
               {"answer"},
               {"answer cancel"},
               {"file"},
               {"file "}};
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseScript("# first\n\nclick 1002\n" + c.line + "\n", &error)) << c.line;
    EXPECT_EQ(error, "line 4: not an action: " + c.line);
  }
}

TEST(ParseScript, TextWithoutACp932FormIsMalformed) {
  const std::string face = "\xF0\x9F\x98\x80";  // U+1F600 in UTF-8
  std::string error;
  EXPECT_FALSE(ParseScript("set 1016 1\nset 1015 C:\\" + face + ".xml\n", &error));
  EXPECT_NE(error.find("line 2:"), std::string::npos) << error;
  EXPECT_NE(error.find("C:\\" + face + ".xml"), std::string::npos) << error;
  EXPECT_FALSE(ParseScript("file C:\\" + face + ".xml\n", &error));
  EXPECT_NE(error.find("line 1:"), std::string::npos) << error;
}

TEST(ScriptMessageBox, TakesOnlyAnAnswerStandingNext) {
  UiHost host("click 1002\nanswer no\n");
  EXPECT_EQ(host.ui->MessageBox(0, "t", "c", MB_YESNO), IDYES);
  EXPECT_EQ(host.ui->PendingActions(), 2u);
}

TEST(ScriptMessageBox, AnswerThatDoesNotFitCountsAsTheDefault) {
  struct Case {
    const char* answer;
    unsigned type;
    int result;
  } cases[] = {
      {"ok", MB_OK, IDOK},      {"yes", MB_OK, IDOK},   {"no", MB_OK, IDOK},
      {"yes", MB_YESNO, IDYES}, {"no", MB_YESNO, IDNO}, {"ok", MB_YESNO, IDYES},
  };
  for (const Case& c : cases) {
    UiHost host(std::string("answer ") + c.answer + "\n");
    EXPECT_EQ(host.ui->MessageBox(0, "t", "c", c.type | MB_ICONQUESTION), c.result)
        << c.answer << " " << c.type;
    EXPECT_EQ(host.ui->PendingActions(), 0u);  // taken even when it did not fit
  }
  UiHost none;
  EXPECT_EQ(none.ui->MessageBox(0, "t", "c", MB_YESNO), IDYES);
  EXPECT_EQ(none.ui->MessageBox(0, "t", "c", MB_OK), IDOK);
}

TEST(ScriptMessageBox, IsPrintedInUtf8) {
  CollectJournal journal;
  char* buf = nullptr;
  std::size_t size = 0;
  std::FILE* echo = open_memstream(&buf, &size);
  ASSERT_NE(echo, nullptr);
  {
    ScriptFrontEnd ui(Parse("answer no\n"), journal, echo);
    ui.MessageBox(0, "中止しますか?\n(はい)", "決算書", MB_YESNO | MB_ICONQUESTION);
  }
  std::fclose(echo);
  const std::string printed(buf, size);
  std::free(buf);
  EXPECT_EQ(printed, U8(u8"[決算書] 中止しますか?\n(はい)\n  -> no\n"));
  ASSERT_EQ(journal.lines.size(), 1u);
  EXPECT_NE(journal.lines[0].find("\"answer\":\"no\""), std::string::npos);
}

TEST(ScriptFileDialog, TakesAFileLineOrIsCancelled) {
  UiHost host(U8(u8"file C:\\出力\\b.xml\nfile cancel\nanswer ok\n"));
  FileDialogArgs args;
  args.title = "保存ファイルを指定";
  args.folder = "C:\\out";
  args.file = "a.xml";
  args.ext = "XML";
  args.filter = "Xml Files (*.xml)|*.xml||";
  EXPECT_EQ(host.ui->SaveFileDialog(args), std::optional<std::string>("C:\\出力\\b.xml"));
  EXPECT_EQ(host.ui->SaveFileDialog(args), std::nullopt);
  EXPECT_EQ(host.ui->SaveFileDialog(args), std::nullopt);  // an answer is not a file
  EXPECT_EQ(host.ui->PendingActions(), 1u);
  ASSERT_EQ(host.journal.lines.size(), 3u);
  EXPECT_EQ(host.journal.lines[0],
            U8(u8"{\"ev\":\"filedialog\",\"title\":\"保存ファイルを指定\",\"folder\":\"C:\\\\out\","
               u8"\"file\":\"a.xml\",\"ext\":\"XML\",\"filter\":\"Xml Files (*.xml)|*.xml||\","
               u8"\"result\":\"C:\\\\出力\\\\b.xml\"}"));
  EXPECT_NE(host.journal.lines[1].find("\"result\":null"), std::string::npos);
}

TEST(ScriptModal, WithoutActionsExecuteIsClickedThenCancel) {
  UiHost host;
  TestDlg dlg;
  EXPECT_EQ(dlg.DoModal(), 1003);
  EXPECT_EQ(dlg.commands, (std::vector<int>{1002, 1003}));
  EXPECT_EQ(host.journal.Events(),
            (std::vector<std::string>{"dialog-open", "focus", "dialog-wait", "focus", "msgbox",
                                      "dialog-wait", "focus", "dialog-end"}));
  EXPECT_EQ(host.journal.lines.back(), "{\"ev\":\"dialog-end\",\"id\":130,\"result\":1003}");
  // The message box is owned by the dialog, journaled by name.
  EXPECT_NE(host.journal.lines[4].find("\"ownerName\":\"conditions\""), std::string::npos);
  EXPECT_FALSE(host.ui->Stuck());
}

TEST(ScriptModal, ExecuteThatSucceedsEndsTheLoop) {
  UiHost host("set 100 12\n");
  TestDlg dlg;
  dlg.executeEnds = true;
  EXPECT_EQ(dlg.DoModal(), 1002);
  EXPECT_EQ(dlg.GetDlgItemText(100), "12");
  EXPECT_EQ(host.journal.Events(),
            (std::vector<std::string>{"dialog-open", "focus", "dialog-wait", "dialog-wait", "focus",
                                      "dialog-end"}));
  EXPECT_EQ(host.journal.lines[3].rfind("{\"ev\":\"dialog-wait\",\"id\":130,\"focus\":100,", 0),
            0u);
  EXPECT_NE(host.journal.lines[3].find("\"100\":{\"text\":\"12\",\"enabled\":true}"),
            std::string::npos);
}

TEST(ScriptModal, AScriptActionEarnsExecuteAnotherDefaultClick) {
  // The answers stay for the message boxes that the clicks bring.
  UiHost host("click 1002\nanswer no\nanswer no\nset 101 x\n");
  TestDlg dlg;
  EXPECT_EQ(dlg.DoModal(), 1003);
  // Script click, then (answer next, not a dialog action) the default click,
  // whose box takes the second answer; the set comes next, then 1002 again.
  EXPECT_EQ(dlg.commands, (std::vector<int>{1002, 1002, 1002, 1003}));
  EXPECT_EQ(dlg.lastAnswer, IDYES);  // the third box found no answer
  EXPECT_EQ(host.ui->PendingActions(), 0u);
}

TEST(ScriptModal, ADialogThatCannotBeEndedIsStuck) {
  UiHost host;
  TestDlg dlg;
  dlg.cancelEnabled = false;
  EXPECT_EQ(dlg.DoModal(), 1003);
  EXPECT_TRUE(host.ui->Stuck());
  EXPECT_EQ(dlg.commands, std::vector<int>{1002});
  EXPECT_EQ(host.journal.lines.back(), "{\"ev\":\"dialog-end\",\"id\":130,\"result\":1003}");
}

TEST(ScriptModal, InitialisationThatEndsTheDialogWaitsForNothing) {
  UiHost host("click 1002\n");
  TestDlg dlg;
  dlg.refuse = true;
  EXPECT_EQ(dlg.DoModal(), 1003);
  EXPECT_EQ(host.journal.Events(), (std::vector<std::string>{"dialog-open", "dialog-end"}));
  EXPECT_EQ(host.ui->PendingActions(), 1u);
}

TEST(ScriptModal, KeysAndFocusGoThroughTheDialogRules) {
  UiHost host("focus 1001\nkey Enter\nkey Shift+Tab\nkey Esc\n");
  TestDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.commands, (std::vector<int>{1001, IDCANCEL}));
  EXPECT_EQ(dlg.focusAtCommand, (std::vector<int>{1001, 101}));
}

}  // namespace
}  // namespace uitest
