#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace uitest {
namespace {

class DialogRules : public ::testing::Test {
 protected:
  // A dialog as it stands after its initialisation, journal emptied.
  void SetUp() override {
    dlg.AttachWindow(AllocateWindowHandle());
    dlg.OnInitDialog();
    host.journal.lines.clear();
  }
  UiHost host;
  TestDlg dlg;
};

TEST_F(DialogRules, InitialFocusIsTheFirstEnabledTabStop) {
  TestDlg d;
  d.EnableDlgItem(100, false);
  d.OnInitDialog();
  EXPECT_EQ(d.GetFocus(), 101);
  EXPECT_EQ(host.journal.lines, std::vector<std::string>{"{\"ev\":\"focus\",\"id\":101}"});
}

TEST_F(DialogRules, SetTextIsCutAtTheLimitAtACharacterBoundary) {
  dlg.LimitText(100, 5);
  struct Case {
    std::string typed, kept;
  } cases[] = {
      {"abcdefg", "abcde"},
      {"abc決", "abc決"},  // exactly five bytes
      {"abcd決", "abcd"},  // the double-byte character would not fit whole
      {"", ""},
  };
  for (const Case& c : cases) {
    dlg.UserSetText(100, c.typed);
    EXPECT_EQ(dlg.GetDlgItemText(100), c.kept) << c.typed;
  }
  EXPECT_EQ(dlg.GetFocus(), 100);  // typing moves no focus
  EXPECT_TRUE(host.journal.lines.empty());
}

TEST_F(DialogRules, EditsStartWithTheDefaultLimit) {
  dlg.UserSetText(101, std::string(30001, '7'));
  EXPECT_EQ(dlg.GetDlgItemText(101), std::string(30000, '7'));
  // Text set by the program is not bound by the typing limit.
  dlg.LimitText(101, 2);
  dlg.SetDlgItemText(101, "12345");
  EXPECT_EQ(dlg.GetDlgItemText(101), "12345");
}

TEST_F(DialogRules, SetOnANonEditIsIgnored) {
  dlg.UserSetText(1002, "x");
  dlg.UserSetText(10, "x");
  EXPECT_EQ(dlg.GetDlgItemText(1002), "Run");
  EXPECT_EQ(dlg.GetDlgItemText(10), "Label");
}

TEST_F(DialogRules, DisabledControlsIgnoreSetClickAndFocus) {
  dlg.SetDlgItemText(101, "old");
  dlg.EnableDlgItem(101, false);
  dlg.EnableDlgItem(201, false);
  dlg.EnableDlgItem(1002, false);
  dlg.UserSetText(101, "new");
  dlg.UserFocus(101);
  dlg.UserClick(101);
  dlg.UserClick(201);
  dlg.UserClick(1002);
  EXPECT_EQ(dlg.GetDlgItemText(101), "old");
  EXPECT_FALSE(dlg.IsDlgButtonChecked(201));
  EXPECT_TRUE(dlg.commands.empty());
  EXPECT_EQ(dlg.GetFocus(), 100);
  EXPECT_TRUE(host.journal.lines.empty());
}

TEST_F(DialogRules, ClickPutsTheFocusOnTheButtonBeforeItActs) {
  dlg.UserClick(1001);
  EXPECT_EQ(dlg.commands, std::vector<int>{1001});
  EXPECT_EQ(dlg.focusAtCommand, std::vector<int>{1001});
  EXPECT_EQ(host.journal.lines, std::vector<std::string>{"{\"ev\":\"focus\",\"id\":1001}"});
}

TEST_F(DialogRules, FocusIsJournaledAlsoOntoTheControlThatHasIt) {
  dlg.UserFocus(100);
  dlg.SetFocus(100);
  EXPECT_EQ(host.journal.lines.size(), 2u);
  dlg.UserFocus(10);  // a label takes no focus
  dlg.UserFocus(999);
  EXPECT_EQ(dlg.GetFocus(), 100);
  EXPECT_EQ(host.journal.lines.size(), 2u);
}

TEST_F(DialogRules, RadioClickChecksWithinItsGroupOnly) {
  dlg.CheckRadioButton(200, 201, 200);
  dlg.UserClick(400);
  EXPECT_TRUE(dlg.IsDlgButtonChecked(200));
  EXPECT_TRUE(dlg.IsDlgButtonChecked(400));
  dlg.UserClick(201);
  EXPECT_FALSE(dlg.IsDlgButtonChecked(200));
  EXPECT_TRUE(dlg.IsDlgButtonChecked(201));
  EXPECT_TRUE(dlg.IsDlgButtonChecked(400));
  EXPECT_EQ(dlg.GetFocus(), 201);
  EXPECT_TRUE(dlg.commands.empty());  // a radio sends no command of its own here
  dlg.CheckRadioButton(200, 201, 200);
  EXPECT_TRUE(dlg.IsDlgButtonChecked(200));
  EXPECT_FALSE(dlg.IsDlgButtonChecked(201));
}

TEST_F(DialogRules, TabAndShiftTabFollowTheTabStopsAndWrap) {
  dlg.EnableDlgItem(1001, false);
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    dlg.UserKey(Key::Tab, 0);
    seen.push_back(dlg.GetFocus());
  }
  EXPECT_EQ(seen, (std::vector<int>{101, 1002, 1003, 100}));
  dlg.UserKey(Key::Tab, kModShift);
  EXPECT_EQ(dlg.GetFocus(), 1003);
  // From a control without a tab stop, Tab goes on from its place.
  dlg.UserClick(200);
  dlg.UserKey(Key::Tab, 0);
  EXPECT_EQ(dlg.GetFocus(), 1002);
}

TEST_F(DialogRules, EnterOnAButtonClicksItElsewhereItIsTheConfirmCommand) {
  dlg.UserFocus(1001);
  dlg.UserKey(Key::Enter, 0);
  EXPECT_EQ(dlg.commands, std::vector<int>{1001});
  EXPECT_FALSE(dlg.IsEnded());
  dlg.UserFocus(100);
  dlg.UserKey(Key::Enter, 0);
  EXPECT_EQ(dlg.commands, (std::vector<int>{1001, IDOK}));
  EXPECT_TRUE(dlg.IsEnded());
  EXPECT_EQ(dlg.Result(), IDOK);
}

TEST_F(DialogRules, EscIsTheCancelCommand) {
  dlg.UserKey(Key::Esc, kModShift);
  EXPECT_EQ(dlg.commands, std::vector<int>{IDCANCEL});
  EXPECT_EQ(dlg.Result(), IDCANCEL);
}

TEST_F(DialogRules, AltCombinationsAndAnUnconsumedF12DoNothing) {
  dlg.UserKey(Key::Enter, kModAlt);
  dlg.UserKey(Key::Esc, kModAlt | kModCtrl);
  dlg.UserKey(Key::Tab, kModAlt);
  dlg.UserKey(Key::F12, 0);
  EXPECT_TRUE(dlg.commands.empty());
  EXPECT_EQ(dlg.GetFocus(), 100);
  EXPECT_FALSE(dlg.IsEnded());
}

TEST_F(DialogRules, PreTranslateKeyDownConsumesBeforeThePlatform) {
  dlg.consumeF12 = true;
  dlg.UserKey(Key::F12, 0);
  EXPECT_EQ(dlg.commands, std::vector<int>{-12});
  dlg.UserKey(Key::F12, kModShift);  // not consumed, and the platform ignores it
  EXPECT_EQ(dlg.commands, std::vector<int>{-12});
}

TEST_F(DialogRules, SnapshotLeavesOutTheUnnumberedLabels) {
  dlg.CheckRadioButton(200, 201, 201);
  dlg.EnableDlgItem(1001, false);
  std::vector<ControlSnapshot> snap = dlg.Snapshot();
  std::vector<int> ids;
  for (const ControlSnapshot& c : snap) ids.push_back(c.id);
  EXPECT_EQ(ids, (std::vector<int>{10, 100, 101, 200, 201, 300, 400, 1001, 1002, 1003}));
  EXPECT_TRUE(snap[4].isRadio && snap[4].checked);
  EXPECT_FALSE(snap[0].isRadio);
  EXPECT_FALSE(snap[7].enabled);
  EXPECT_EQ(snap[3].text, "A(&A)");
}

// Progress dialog: modeless, captions journaled, bars stepped.
const DialogTemplate& ProgressTemplate() {
  static const DialogTemplate t{131,
                                "Busy",
                                100,
                                20,
                                WS_POPUP | WS_CAPTION,
                                "",
                                9,
                                {{1016, ControlKind::Progress, "", 0, 0, 10, 10, kChild, 0},
                                 {1017, ControlKind::Progress, "", 0, 0, 10, 10, kChild, 0}}};
  return t;
}

TEST(ModelessDialog, CreateCaptionAndEndDialogHideIt) {
  UiHost host;
  Dialog d(ProgressTemplate(), 0);
  ASSERT_TRUE(d.Create(0));
  EXPECT_NE(d.GetSafeHwnd(), 0);
  EXPECT_FALSE(d.IsVisible());
  host.journal.NameWindow(d.GetSafeHwnd(), "progress");
  d.ShowWindow(true);
  d.SetWindowText("a");
  d.SetWindowText("a");
  d.EndDialog(1);
  EXPECT_FALSE(d.IsVisible());
  EXPECT_NE(d.GetSafeHwnd(), 0);  // hidden, not destroyed
  host.ui->MessageBox(d.GetSafeHwnd(), "m", "c", MB_OK);
  const std::string owner = std::to_string(d.GetSafeHwnd());
  EXPECT_EQ(host.journal.lines,
            (std::vector<std::string>{
                "{\"ev\":\"dialog-open\",\"id\":131}",
                "{\"ev\":\"caption\",\"id\":131,\"text\":\"a\"}",
                "{\"ev\":\"caption\",\"id\":131,\"text\":\"a\"}",
                "{\"ev\":\"dialog-end\",\"id\":131,\"result\":1}",
                "{\"ev\":\"msgbox\",\"owner\":" + owner +
                    ",\"ownerName\":\"progress\",\"caption\":\"c\",\"text\":\"m\","
                    "\"buttons\":\"ok\",\"icon\":\"none\",\"answer\":\"ok\"}",
            }));
  d.DestroyWindow();
  EXPECT_EQ(d.GetSafeHwnd(), 0);
}

TEST(ProgressBar, StepsPastTheEndStartOverAndAreCounted) {
  Dialog d(ProgressTemplate(), 0);
  d.SetRange(1017, 0, 5);
  d.SetStep(1017, 1);
  d.SetPos(1017, 0);
  std::vector<int> pos;
  for (int i = 0; i < 6; ++i) {
    d.StepIt(1017);
    pos.push_back(d.GetPos(1017));
  }
  EXPECT_EQ(pos, (std::vector<int>{1, 2, 3, 4, 5, 0}));
  EXPECT_EQ(d.StepCount(1017), 6);
  EXPECT_EQ(d.StepCount(1016), 0);
  d.SetPos(1017, 99);
  EXPECT_EQ(d.GetPos(1017), 5);  // a position is kept within the range
}

}  // namespace
}  // namespace uitest
