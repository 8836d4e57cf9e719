#include "conditions/cond_dlg.h"

#include "fixture.h"
#include "platform/script_frontend.h"
#include "res/resources.h"

namespace {

namespace fs = std::filesystem;

using cnd_test::EngineTest;
using platform::Dialog;
using platform::Key;

constexpr unsigned kRefusal = platform::MB_OK | platform::MB_ICONEXCLAMATION;
constexpr unsigned kQuestion = platform::MB_YESNO | platform::MB_ICONQUESTION;
constexpr unsigned kNotice = platform::MB_OK | platform::MB_ICONINFORMATION;

const std::string kMonthFault = "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
const std::string kIntroFault = "集計期間には、導入開始月より前は指定できません。";
const std::string kBadChars =
    "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
const std::string kBadDrive =
    "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
const std::string kNoFileName = "ファイル名が指定されていません。";
const std::string kNoFolder = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
const std::string kFolderFailed = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
const std::string kOverwrite = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";
const std::string kEmptyPath = "データ出力先が指定されていません。\n\n出力先を指定してください。";
const std::string kTooLong = "出力先のパスが長すぎます。\n\n260バイト以内で指定してください。";
const std::string kCancelNotice = "｢決算書｣の集計を中止します。";

class CondDlgTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    StartEngine("C:\\out\\", "C:\\set\\");
    MakeDirOnC("out");
    dlg_ = std::make_unique<ClCondDlg>(0);
    dlg_->m_companyText = " 株式会社テスト";
    dlg_->m_periodText = " 2022/04/01～2023/03/31";
    dlg_->m_periodStart = 20220401;
    dlg_->m_periodEnd = 20230331;
    dlg_->m_companiesAct = 1;
    std::snprintf(dlg_->m_userId, sizeof dlg_->m_userId, "1");
    std::snprintf(dlg_->m_dataId, sizeof dlg_->m_dataId, "D001");
  }

  void Do(std::function<void(Dialog&)> step) { ui_.steps.push_back(std::move(step)); }
  void Set(int id, const std::string& text) {
    Do([id, text](Dialog& d) { d.UserSetText(id, text); });
  }
  void Click(int id) {
    Do([id](Dialog& d) { d.UserClick(id); });
  }
  void Press(Key key, int focusId = 0, unsigned mods = 0) {
    Do([=](Dialog& d) {
      if (focusId != 0) d.UserFocus(focusId);
      d.UserKey(key, mods);
    });
  }
  // Months and a path that pass every check.
  void SetGood(const std::string& path = "C:\\out\\r.xml") {
    Set(IDC_START_MONTH, "4");
    Set(IDC_END_MONTH, "3");
    Set(IDC_OUTPUT_PATH, path);
  }
  // Checks made while the dialog waits for the user's next action.
  void Check(std::function<void()> f) {
    Do([f = std::move(f)](Dialog&) { f(); });
  }
  int Run() { return dlg_->DoModal(); }
  // A new dialog and host for the next case of a table.
  void Fresh() {
    TearDown();
    SetUp();
  }

  const platform::ControlState& Ctl(int id) const {
    for (const platform::ControlState& c : dlg_->Controls()) {
      if (c.tmpl->id == id) return c;
    }
    static platform::ControlState none;
    return none;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& b : ui_.boxes) t.push_back(b.text);
    return t;
  }
  void ExpectAllSelected(int id) const {
    EXPECT_EQ(Ctl(id).selStart, 0) << id;
    EXPECT_EQ(Ctl(id).selEnd, static_cast<int>(Ctl(id).text.size())) << id;
  }

  std::unique_ptr<ClCondDlg> dlg_;
};

TEST_F(CondDlgTest, RefusedDataEndsAtOnceWithOneMessage) {
  const std::string past =
      "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
  const std::string notConverted =
      "選択された会計データは会社法(H18.5施行)に対応していないため、\n連携の対象として使用でき"
      "ません。\n(Ledgoraを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n変換するこ"
      "とで、連携ができます。)\n\nアプリケーションを終了します。";
  struct Case {
    std::int32_t pastResults;
    std::int16_t companiesAct;
    std::string message;
  };
  const Case cases[] = {{1, 0, past}, {1, 1, past}, {0, 0, notConverted}, {0, 2, notConverted}};
  for (const Case& c : cases) {
    Fresh();
    dlg_->m_isPastResults = c.pastResults;
    dlg_->m_companiesAct = c.companiesAct;
    EXPECT_EQ(Run(), 1003);
    ASSERT_EQ(ui_.boxes.size(), 1u);
    EXPECT_EQ(ui_.boxes[0].text, c.message);
    EXPECT_EQ(ui_.boxes[0].caption, "決算書");
    EXPECT_EQ(ui_.boxes[0].type, kRefusal);
    EXPECT_NE(ui_.boxes[0].owner, 0);
    EXPECT_EQ(ui_.boxes[0].owner, dlg_->GetSafeHwnd());
  }
}

TEST_F(CondDlgTest, OpensWithThePeriodAndTheDefaultPath) {
  EXPECT_EQ(Run(), -1);  // still open
  EXPECT_EQ(Ctl(IDC_START_MONTH).text, "4");
  EXPECT_EQ(Ctl(IDC_END_MONTH).text, "3");
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).text, "C:\\out\\*.xml");
  EXPECT_EQ(Ctl(IDC_COMPANY).text, " 株式会社テスト");
  EXPECT_EQ(Ctl(IDC_PERIOD).text, " 2022/04/01～2023/03/31");
  EXPECT_TRUE(Ctl(IDC_KIND_SHAREHOLDERS).checked);
  EXPECT_FALSE(Ctl(IDC_KIND_MEMBERS).checked);
  EXPECT_EQ(Ctl(IDC_GROUP_OUTPUT).text, "出力先(&O)");
  EXPECT_EQ(Ctl(IDC_START_MONTH).limit, 2u);
  EXPECT_EQ(Ctl(IDC_END_MONTH).limit, 2u);
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).limit, 255u);
  EXPECT_EQ(dlg_->GetFocus(), IDC_START_MONTH);
  EXPECT_EQ(dlg_->m_statementKind, 1);
  EXPECT_EQ(dlg_->m_pathFixed, 0);
  EXPECT_TRUE(dlg_->m_savedPath.empty());
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(CondDlgTest, DefaultPathFallsBackToTheTemporaryFolder) {
  engine::Reset();
  StartEngine("", "C:\\set\\");
  EXPECT_EQ(Run(), -1);
  const std::string temp = platform::host().env->GetTempPath();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).text, temp + (temp.back() == '\\' ? "" : "\\") + "*.xml");
}

TEST_F(CondDlgTest, PreloadsTheRememberedConditions) {
  WriteOnC("set/stmtlink-birch.env", "1/D001:0/3/2/C:\\saved\\x.xml\n");
  EXPECT_EQ(Run(), -1);
  EXPECT_EQ(Ctl(IDC_START_MONTH).text, "4");  // 0: the period's first month
  EXPECT_EQ(Ctl(IDC_END_MONTH).text, "3");
  EXPECT_TRUE(Ctl(IDC_KIND_MEMBERS).checked);
  EXPECT_FALSE(Ctl(IDC_KIND_SHAREHOLDERS).checked);
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).text, "C:\\saved\\x.xml");
  EXPECT_EQ(dlg_->m_savedPath, "C:\\saved\\x.xml");
  EXPECT_EQ(dlg_->m_statementKind, 2);
}

TEST_F(CondDlgTest, OtherSavedKindSelectsTheFirstRadioAndExecuteTakesTheRadios) {
  WriteOnC("set/stmtlink-birch.env", "1/D001:6/9/5/C:\\out\\k.xml\n");
  Check([&] {
    EXPECT_TRUE(Ctl(IDC_KIND_SHAREHOLDERS).checked);
    EXPECT_EQ(dlg_->m_statementKind, 5);
  });
  Click(IDC_EXECUTE);
  EXPECT_EQ(Run(), 1002);
  EXPECT_EQ(dlg_->m_statementKind, 1);
  EXPECT_EQ(dlg_->m_startMonthText, "6");
  EXPECT_EQ(dlg_->m_endMonthText, "9");
  EXPECT_EQ(dlg_->m_outputPath, "C:\\out\\k.xml");
}

TEST_F(CondDlgTest, CallerPathIsFixed) {
  WriteOnC("set/stmtlink-birch.env", "1/D001:5/3/1/C:\\saved\\x.xml\n");
  dlg_->m_callerPath = "C:\\caller\\r.xml";
  Press(Key::Enter, IDC_END_MONTH);
  EXPECT_EQ(Run(), -1);
  EXPECT_FALSE(Ctl(IDC_OUTPUT_PATH).enabled);
  EXPECT_FALSE(Ctl(IDC_BROWSE).enabled);
  EXPECT_EQ(Ctl(IDC_GROUP_OUTPUT).text, "出力先");
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).text, "C:\\caller\\r.xml");
  EXPECT_EQ(dlg_->m_pathFixed, 1);
  EXPECT_EQ(dlg_->m_savedPath, "C:\\saved\\x.xml");
  EXPECT_EQ(dlg_->GetFocus(), IDC_EXECUTE);  // Enter in the end month skips the path
}

struct MonthCase {
  const char* start;
  const char* end;
  std::int16_t intro;
  const std::string* message;
  int focus;
};

TEST_F(CondDlgTest, MonthChecksSendTheUserBack) {
  const MonthCase cases[] = {
      {"2", "1", 0, &kMonthFault, IDC_END_MONTH},     // rule 8
      {"6", "5", 0, &kMonthFault, IDC_END_MONTH},     // rule 7
      {"13", "3", 0, &kMonthFault, IDC_START_MONTH},  // out of range
      {"", "3", 0, &kMonthFault, IDC_START_MONTH},   {"4", "0", 0, &kMonthFault, IDC_END_MONTH},
      {"4", "6", 4, &kIntroFault, IDC_END_MONTH},  // end index 3 before 4
  };
  for (const MonthCase& c : cases) {
    Fresh();
    dlg_->m_introMonthIndex = c.intro;
    Set(IDC_OUTPUT_PATH, "C:\\out\\r.xml");
    Set(IDC_START_MONTH, c.start);
    Set(IDC_END_MONTH, c.end);
    Do([](Dialog& d) { d.UserFocus(IDC_OUTPUT_PATH); });
    Click(IDC_EXECUTE);
    EXPECT_EQ(Run(), -1) << c.start << "-" << c.end;
    EXPECT_EQ(Texts(), std::vector<std::string>{*c.message}) << c.start << "-" << c.end;
    EXPECT_EQ(ui_.boxes.at(0).type, kRefusal);
    EXPECT_EQ(dlg_->GetFocus(), c.focus) << c.start << "-" << c.end;
    ExpectAllSelected(c.focus);
  }
}

TEST_F(CondDlgTest, StartBeforeTheIntroductionMonthPasses) {
  dlg_->m_introMonthIndex = 4;
  SetGood();
  Set(IDC_END_MONTH, "7");
  Click(IDC_EXECUTE);
  EXPECT_EQ(Run(), 1002);
  EXPECT_TRUE(ui_.boxes.empty());
}

struct PathCase {
  std::string path;
  std::vector<int> answers;
  std::vector<std::string> messages;
};

TEST_F(CondDlgTest, PathChecksInTheirOrder) {
  const PathCase cases[] = {
      {"C:\\out\\*.xml", {}, {kBadChars}},
      {"C:\\out\\a,b.xml", {}, {kBadChars}},
      {"C:\\out\\\\a.xml", {}, {kBadChars}},
      {"D:\\a.xml", {}, {kBadDrive}},
      {"\\\\SRV\\a.xml", {}, {kBadDrive}},
      {"C:\\out\\", {}, {kNoFileName}},
      {"C:\\out", {}, {kNoFileName}},  // an existing folder named without a backslash
      {"C:\\new\\a.xml", {platform::IDNO}, {kNoFolder}},
      {"C:\\fail\\a.xml", {platform::IDYES}, {kNoFolder, kFolderFailed}},
  };
  for (const PathCase& c : cases) {
    Fresh();
    env_->FailCreateDirectory("fail");
    ui_.answers.assign(c.answers.begin(), c.answers.end());
    SetGood(c.path);
    Click(IDC_EXECUTE);
    EXPECT_EQ(Run(), -1) << c.path;
    EXPECT_EQ(Texts(), c.messages) << c.path;
    EXPECT_EQ(dlg_->GetFocus(), IDC_OUTPUT_PATH) << c.path;
    ExpectAllSelected(IDC_OUTPUT_PATH);
    EXPECT_EQ(ui_.boxes.at(0).type, c.answers.empty() ? kRefusal : kQuestion) << c.path;
    EXPECT_FALSE(fs::exists(OnC("new")));
    EXPECT_FALSE(fs::exists(OnC("fail")));
  }
}

TEST_F(CondDlgTest, MissingFolderIsCreatedOnYes) {
  SetGood("C:\\out\\2006\\決算.xml");
  Click(IDC_EXECUTE);
  EXPECT_EQ(Run(), 1002);
  EXPECT_EQ(Texts(), std::vector<std::string>{kNoFolder});
  EXPECT_TRUE(DirOnC("out/2006"));
  EXPECT_EQ(dlg_->m_outputPath, "C:\\out\\2006\\決算.xml");
}

TEST_F(CondDlgTest, OverwriteQuestion) {
  WriteOnC("out/a.xml", "old");
  ui_.answers = {platform::IDNO};
  SetGood("C:\\out\\a.xml");
  Click(IDC_EXECUTE);
  Check([&] {
    EXPECT_EQ(Texts(), std::vector<std::string>{kOverwrite});
    EXPECT_EQ(ui_.boxes[0].type, kQuestion);
    EXPECT_EQ(dlg_->GetFocus(), IDC_OUTPUT_PATH);
  });
  Click(IDC_EXECUTE);  // default answer Yes
  EXPECT_EQ(Run(), 1002);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kOverwrite, kOverwrite}));
  EXPECT_EQ(ReadOnC("out/a.xml"), "old");  // written later by the run, not here
}

TEST_F(CondDlgTest, CallerPathIsOverwrittenWithoutAQuestion) {
  WriteOnC("out/a.xml", "old");
  dlg_->m_callerPath = "C:\\out\\a.xml";
  Set(IDC_START_MONTH, "4");
  Set(IDC_END_MONTH, "3");
  Click(IDC_EXECUTE);
  EXPECT_EQ(Run(), 1002);
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_EQ(dlg_->m_outputPath, "C:\\out\\a.xml");
}

TEST_F(CondDlgTest, EmptyPathOpensTheFileDialog) {
  SetGood("");
  Click(IDC_EXECUTE);
  EXPECT_EQ(Run(), -1);
  EXPECT_EQ(Texts(), std::vector<std::string>{kEmptyPath});
  EXPECT_EQ(ui_.fileDialogs.size(), 1u);
  EXPECT_EQ(dlg_->GetFocus(), IDC_EXECUTE);
}

TEST_F(CondDlgTest, BrowseArgumentsAndTakingAFile) {
  Set(IDC_OUTPUT_PATH, "C:x.xml");
  Click(IDC_BROWSE);
  ui_.files = {std::string("C:\\out\\chosen.xml")};
  EXPECT_EQ(Run(), -1);
  ASSERT_EQ(ui_.fileDialogs.size(), 1u);
  const platform::FileDialogArgs& a = ui_.fileDialogs[0];
  EXPECT_EQ(a.folder, "C:");
  EXPECT_EQ(a.file, "x.xml");
  EXPECT_EQ(a.ext, "XML");
  EXPECT_EQ(a.filter, "Xml Files (*.xml)|*.xml||");
  EXPECT_EQ(a.title, "保存ファイルを指定");
  EXPECT_EQ(a.flags, platform::OFN_HIDEREADONLY | platform::OFN_NOCHANGEDIR |
                         platform::OFN_PATHMUSTEXIST | platform::OFN_FILEMUSTEXIST);
  EXPECT_EQ(a.parent, dlg_->GetSafeHwnd());
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).text, "C:\\out\\chosen.xml");
  EXPECT_EQ(dlg_->GetFocus(), IDC_EXECUTE);
}

TEST_F(CondDlgTest, BrowseCancelledKeepsThePath) {
  Set(IDC_OUTPUT_PATH, "C:\\out\\a.xml");
  Press(Key::Enter, IDC_BROWSE);
  EXPECT_EQ(Run(), -1);
  ASSERT_EQ(ui_.fileDialogs.size(), 1u);
  EXPECT_EQ(ui_.fileDialogs[0].folder, "C:\\out\\");
  EXPECT_EQ(ui_.fileDialogs[0].file, "a.xml");
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).text, "C:\\out\\a.xml");
  EXPECT_EQ(dlg_->GetFocus(), IDC_EXECUTE);
}

TEST_F(CondDlgTest, LongPathFromTheFileDialogIsRefusedNotCut) {
  const std::string longPath = "C:\\out\\" + std::string(300, 'p') + ".xml";
  SetGood();
  Click(IDC_BROWSE);
  ui_.files = {longPath};
  Click(IDC_EXECUTE);
  EXPECT_EQ(Run(), -1);
  EXPECT_EQ(Texts(), std::vector<std::string>{kTooLong});
  EXPECT_EQ(ui_.boxes[0].type, kRefusal);
  EXPECT_EQ(dlg_->GetFocus(), IDC_OUTPUT_PATH);
  EXPECT_EQ(dlg_->m_outputPath, longPath);
  EXPECT_EQ(Ctl(IDC_OUTPUT_PATH).text, longPath);
}

TEST_F(CondDlgTest, PathOf260BytesPasses) {
  const std::string path = "C:\\out\\" + std::string(249, 'p') + ".xml";
  ASSERT_EQ(path.size(), 260u);
  SetGood();
  Click(IDC_BROWSE);
  ui_.files = {path};
  Click(IDC_EXECUTE);
  EXPECT_EQ(Run(), 1002);
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(CondDlgTest, LongCallerPathIsRefused) {
  const std::string longPath = "C:\\out\\" + std::string(300, 'q') + ".xml";
  dlg_->m_callerPath = longPath;
  Set(IDC_START_MONTH, "4");
  Set(IDC_END_MONTH, "3");
  Click(IDC_EXECUTE);
  Check([&] {
    EXPECT_EQ(Texts(), std::vector<std::string>{kTooLong});
    EXPECT_EQ(dlg_->GetFocus(), IDC_CANCEL);  // the path itself cannot be edited
    EXPECT_EQ(dlg_->m_outputPath, longPath);
  });
  Click(IDC_CANCEL);
  EXPECT_EQ(Run(), 1003);
}

TEST_F(CondDlgTest, CancelAndEsc) {
  for (bool esc : {false, true}) {
    Fresh();
    if (esc) {
      Press(Key::Esc, IDC_END_MONTH);
    } else {
      Click(IDC_CANCEL);
    }
    EXPECT_EQ(Run(), 1003);
    ASSERT_EQ(ui_.boxes.size(), 1u);
    EXPECT_EQ(ui_.boxes[0].text, kCancelNotice);
    EXPECT_EQ(ui_.boxes[0].type, kNotice);
    EXPECT_EQ(ui_.boxes[0].caption, "決算書");
  }
}

TEST_F(CondDlgTest, KeyTable) {
  Press(Key::Enter, IDC_START_MONTH);
  Check([&] {
    EXPECT_EQ(dlg_->GetFocus(), IDC_END_MONTH);
    ExpectAllSelected(IDC_END_MONTH);
  });
  Press(Key::Enter);
  Check([&] {
    EXPECT_EQ(dlg_->GetFocus(), IDC_OUTPUT_PATH);
    ExpectAllSelected(IDC_OUTPUT_PATH);
  });
  Press(Key::Enter);
  Check([&] { EXPECT_EQ(dlg_->GetFocus(), IDC_BROWSE); });
  Press(Key::Enter);  // browse, cancelled
  Check([&] {
    EXPECT_EQ(ui_.fileDialogs.size(), 1u);
    EXPECT_EQ(dlg_->GetFocus(), IDC_EXECUTE);
  });
  Press(Key::Enter);  // execute: the default path's "*" is refused
  Check([&] { EXPECT_EQ(Texts(), std::vector<std::string>{kBadChars}); });
  Set(IDC_OUTPUT_PATH, "C:\\out\\r.xml");
  Press(Key::F12, IDC_KIND_MEMBERS);
  EXPECT_EQ(Run(), 1002);
}

TEST_F(CondDlgTest, KeysWithModifiersAreLeftToThePlatform) {
  SetGood();
  Press(Key::F12, IDC_START_MONTH, platform::kModShift);
  Press(Key::Enter, IDC_START_MONTH, platform::kModCtrl);  // the platform's confirm
  EXPECT_EQ(Run(), 1002);
  EXPECT_NE(dlg_->GetFocus(), IDC_END_MONTH);
}

TEST_F(CondDlgTest, EnterOnARadioButtonRunsTheChecks) {
  Set(IDC_START_MONTH, "2");
  Set(IDC_END_MONTH, "1");
  Set(IDC_OUTPUT_PATH, "C:\\out\\r.xml");
  Click(IDC_KIND_MEMBERS);
  Press(Key::Enter, IDC_KIND_MEMBERS);
  Check([&] {
    EXPECT_FALSE(dlg_->IsEnded());
    EXPECT_EQ(Texts(), std::vector<std::string>{kMonthFault});
    EXPECT_EQ(dlg_->GetFocus(), IDC_END_MONTH);
  });
  Set(IDC_END_MONTH, "3");
  Set(IDC_START_MONTH, "4");
  Press(Key::Enter, IDC_KIND_MEMBERS);
  EXPECT_EQ(Run(), 1002);
  EXPECT_EQ(dlg_->m_statementKind, 2);
}

class CollectingJournal : public platform::Journal {
 public:
  std::vector<std::string> lines;
  void WriteLine(const std::string& line) override { lines.push_back(line); }
};

TEST_F(CondDlgTest, DrivenByAnAnswerScript) {
  dlg_->m_introMonthIndex = 4;
  std::string error;
  auto actions = platform::ParseScript(
      "set 1015 C:\\out\\script.xml\n"
      "set 1000 6\n"
      "key F12\n"
      "answer ok\n"
      "set 1000 3\n"
      "click 1020\n"
      "key Enter\n",
      &error);
  ASSERT_TRUE(actions) << error;
  CollectingJournal journal;
  platform::ScriptFrontEnd script(*actions, journal, nullptr);
  platform::Host h = platform::host();
  h.ui = &script;
  h.journal = &journal;
  platform::ScopedHost scoped(h);

  EXPECT_EQ(Run(), 1002);
  EXPECT_EQ(dlg_->m_statementKind, 2);
  EXPECT_EQ(dlg_->m_endMonthText, "3");
  EXPECT_EQ(dlg_->m_outputPath, "C:\\out\\script.xml");
  int boxes = 0;
  for (const std::string& line : journal.lines) {
    if (line.find("\"msgbox\"") == std::string::npos) continue;
    ++boxes;
    EXPECT_NE(line.find(platform::Cp932ToUtf8(kIntroFault)), std::string::npos) << line;
  }
  EXPECT_EQ(boxes, 1);
}

}  // namespace
