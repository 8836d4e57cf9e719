// The engine objects over a small database: data-set cursor and selection,
// users, ID texts, the aggregation rule's switches, saved texts, periods,
// folders and DispMsg.
#include <cstdlib>
#include <cstring>

#include "engine_test_util.h"

namespace enginetest {
namespace {

ClSetData* SetData() { return static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1)); }

// Data sets in cursor order 1, 2, 3 (inserted out of order); numbers 7, 5, 7.
const char kThreeDataSets[] = R"(
  INSERT INTO data_sets (cursor_order, data_id, id_text, data_no, period_start, period_end)
    VALUES (3, 'C', NULL, 7, 20240101, 20241231),
           (1, 'A', 'A-text', 7, 20240101, 20241231),
           (2, 'B', NULL, 5, 20240101, 20241231);
)";

TEST_F(EngineTest, CursorWalksInCursorOrder) {
  ASSERT_EQ(0, Connect(kThreeDataSets));
  long cursor = 0;
  ASSERT_EQ(0, SetData()->GetDatCursor(&cursor));
  ASSERT_EQ(0, SetData()->ReadyDat(cursor, 0));
  std::string order;
  StDATAINFO rec{};
  while (SetData()->WalkDat(&rec, cursor) == 0) order += rec::Text(rec.raw, 0);
  EXPECT_EQ("ABC", order);
  EXPECT_EQ(0, SetData()->ReleaseDatCursor(cursor));
  EXPECT_NE(0, SetData()->WalkDat(&rec, cursor));  // released
  EXPECT_NE(0, SetData()->ReleaseDatCursor(cursor));
}

struct SelectionCase {
  const char* users;  // rows for the users table, or ""
  const char* currentUser;
  const char* selected;  // data ID of the selected record, "" for all zero
};
void PrintTo(const SelectionCase& c, std::ostream* os) {
  *os << "users " << c.users << ", current " << c.currentUser;
}

class SelectionTest : public EngineTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionTest, FirstDataSetWithTheSelectedNumber) {
  const auto& c = GetParam();
  std::string sql = kThreeDataSets;
  if (c.users[0]) sql += std::string("INSERT INTO users VALUES ") + c.users + ";";
  sql +=
      std::string("INSERT INTO engine_settings VALUES ('current_user', '") + c.currentUser + "');";
  ASSERT_EQ(0, Connect(sql));
  const StDATAINFO* sel = SetData()->GetSelectedInfo();
  EXPECT_STREQ(c.selected, rec::Text(sel->raw, 0));
  if (!c.selected[0]) {
    for (unsigned char b : sel->raw) ASSERT_EQ(0, b);
  }
}

INSTANTIATE_TEST_SUITE_P(Users, SelectionTest,
                         ::testing::Values(SelectionCase{"('u', 1, 7)", "u", "A"},
                                           SelectionCase{"('u', 7, 5)", "u", "B"},
                                           SelectionCase{"('u', 0, 6)", "u", ""},
                                           // No row for the user: (0, 0), no data set 0.
                                           SelectionCase{"('v', 0, 7)", "u", ""},
                                           SelectionCase{"", "", ""}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(EngineTest, UsersAndSelectedNumbers) {
  ASSERT_EQ(0, Connect("INSERT INTO users VALUES ('u1', 3, 4), ('u11', 5, 6);"
                       "INSERT INTO engine_settings VALUES ('current_user', 'u11');"));
  auto* user = ClDataMgr::Inst()->GetSysUserObject();
  char id[65];
  ASSERT_EQ(0, user->GetCurUserID(id));
  EXPECT_STREQ("u11", id);
  long first = -1, second = -1;
  EXPECT_EQ(0, user->GetSelectedNo("u1", &first, &second));
  EXPECT_EQ(3, first);
  EXPECT_EQ(4, second);
  EXPECT_EQ(0, user->GetSelectedNo("nobody", &first, &second));
  EXPECT_EQ(0, first);
  EXPECT_EQ(0, second);
}

TEST_F(EngineTest, MakeIDStrGivesIdTextOrDataId) {
  ASSERT_EQ(0, Connect(kThreeDataSets));
  long cursor = 0;
  SetData()->GetDatCursor(&cursor);
  SetData()->ReadyDat(cursor, 0);
  StDATAINFO a{}, b{};
  SetData()->WalkDat(&a, cursor);
  SetData()->WalkDat(&b, cursor);
  SetData()->ReleaseDatCursor(cursor);
  char text[35];
  ASSERT_EQ(0, ClUtyDBHpr::MakeIDStr(&a, text));
  EXPECT_STREQ("A-text", text);
  ASSERT_EQ(0, ClUtyDBHpr::MakeIDStr(&b, text));
  EXPECT_STREQ("B", text);
  StDATAINFO unknown{};
  std::memcpy(unknown.raw, "ZZ", 2);
  ASSERT_EQ(0, ClUtyDBHpr::MakeIDStr(&unknown, text));
  EXPECT_STREQ("ZZ", text);
}

TEST_F(EngineTest, GetSetObjectKinds) {
  EXPECT_NE(nullptr, dynamic_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1)));
  EXPECT_NE(nullptr, dynamic_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(4, 1)));
  EXPECT_EQ(nullptr, ClDataMgr::Inst()->GetSetObject(3, 1));
  EXPECT_EQ(ClDataMgr::Inst(), ClDataMgr::Inst());
  EXPECT_NE(nullptr, ClDataMgr::Inst()->GetSetMgr());
  EXPECT_NE(nullptr, ClLinkMgr::Inst()->GetOptLink());
}

// ---- aggregation rule ----

// Accounts 10, 2 and 5 of D1 (delivered 2, 5, 10) and one of D2.
const char kAccounts[] = R"(
  INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end)
    VALUES (1, 'D1', 1, 20240101, 20241231), (2, 'D2', 2, 20240101, 20241231);
  INSERT INTO accounts (data_id, seq, account_key) VALUES
    ('D1', 10, 100), ('D1', 2, 20), ('D1', 5, 50), ('D2', 1, 1);
)";

struct RuleCase {
  const char* name;
  const char* settings;  // engine_settings rows, or ""
  const char* dataId;
  int sumCountResult;
  unsigned long count;  // when sumCountResult is 0
  int setMovePosResult;
  std::vector<int> moveNext;  // results of successive MoveNext calls
  std::vector<int> keys;      // keys delivered, in order
};
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class RuleTest : public EngineTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(RuleTest, CountPositionAndDelivery) {
  const auto& c = GetParam();
  std::string sql = kAccounts;
  if (c.settings[0]) sql += std::string("INSERT INTO engine_settings VALUES ") + c.settings + ";";
  ASSERT_EQ(0, Connect(sql));
  ClRuleKamoku rule;
  rule.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
  rule.SetCurDataID(c.dataId);
  rule.AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
  StFINDINFO window{};
  EXPECT_EQ(0, rule.MoveReady(1, 0, 0, &window, nullptr, 0));
  unsigned long count = 12345;
  EXPECT_EQ(c.sumCountResult, rule.GetSumCount(&count));
  EXPECT_EQ(c.sumCountResult == 0 ? c.count : 12345ul, count);
  EXPECT_EQ(c.setMovePosResult, rule.SetMovePos(0));
  std::vector<int> results, keys;
  for (std::size_t i = 0; i < c.moveNext.size(); ++i) {
    StKAMOKUSUMINFO rec{};
    int r = rule.MoveNext(&rec);
    results.push_back(r);
    if (r == 0) keys.push_back(rec::I32(rec.raw, StKAMOKUSUMINFO::kKey));
  }
  EXPECT_EQ(c.moveNext, results);
  EXPECT_EQ(c.keys, keys);
  EXPECT_EQ(0, rule.MoveFinish());
}

INSTANTIATE_TEST_SUITE_P(
    Switches, RuleTest,
    ::testing::Values(
        RuleCase{"Defaults", "", "D1", 0, 3, 0, {0, 0, 0, 5000, 5000}, {20, 50, 100}},
        RuleCase{"OtherDataSet", "", "D2", 0, 1, 0, {0, 5000}, {1}},
        RuleCase{"UnknownDataSet", "", "D9", 0, 0, 0, {5000}, {}},
        RuleCase{"SumCountSet", "('sum_count', 7)", "D1", 0, 7, 0, {0, 0, 0, 5000}, {20, 50, 100}},
        RuleCase{"SumCountFails", "('sumcount_result', 9)", "D1", 9, 0, 0, {0}, {20}},
        RuleCase{"SetMovePosFails", "('setmovepos_result', 4)", "D1", 0, 3, 4, {0}, {20}},
        // The account at the index stays unread: each further call fails too.
        RuleCase{"MoveNextFailsWithDefaultCode",
                 "('movenext_error_at', 1)",
                 "D1",
                 0,
                 3,
                 0,
                 {0, 7, 7},
                 {20}},
        RuleCase{"MoveNextFailsWithCode",
                 "('movenext_error_at', 0), ('movenext_error_code', -2)",
                 "D1",
                 0,
                 3,
                 0,
                 {-2},
                 {}},
        RuleCase{"ErrorIndexBeyondTheAccounts",
                 "('movenext_error_at', 3)",
                 "D1",
                 0,
                 3,
                 0,
                 {0, 0, 0, 7},
                 {20, 50, 100}},
        RuleCase{"ErrorIndexFarBeyond",
                 "('movenext_error_at', 4)",
                 "D1",
                 0,
                 3,
                 0,
                 {0, 0, 0, 5000, 5000},
                 {20, 50, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, SetMovePosMovesTheCursor) {
  ASSERT_EQ(0, Connect(kAccounts));
  ClRuleKamoku rule;
  rule.SetCurDataID("D1");
  rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
  StKAMOKUSUMINFO rec{};
  ASSERT_EQ(0, rule.SetMovePos(2));
  ASSERT_EQ(0, rule.MoveNext(&rec));
  EXPECT_EQ(100, rec::I32(rec.raw, StKAMOKUSUMINFO::kKey));
  ASSERT_EQ(0, rule.SetMovePos(0));
  ASSERT_EQ(0, rule.MoveNext(&rec));
  EXPECT_EQ(20, rec::I32(rec.raw, StKAMOKUSUMINFO::kKey));
}

// ---- saved statements ----

TEST_F(EngineTest, GetDataType02Results) {
  ASSERT_EQ(0, Connect(U8(u8R"(
    INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end)
      VALUES (1, 'D1', 1, 20240101, 20241231), (2, 'D2', 2, 20240101, 20241231);
    INSERT INTO saved_statements VALUES
      ('D1', 0, 'Note=1', 0),
      ('D1', 100, '注記', 3),
      ('D1', 1000, NULL, 0),
      ('D2', 0, NULL, 2),
      ('D2', 100, '', 0);
  )")));
  struct Case {
    const char* dataId;
    int kind;
    int result;
    const char* text;  // nullptr: no buffer
    long length;
  };
  const Case cases[] = {
      {"D1", 0, 0, "Note=1", 6}, {"D1", 100, 3, "注記", 4}, {"D1", 1000, 0, "", 0},
      {"D2", 0, 2, nullptr, 0},  {"D2", 100, 0, "", 0},     {"D2", 1000, 1, nullptr, 0},
      {"D9", 0, 1, nullptr, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.dataId) + " kind " + std::to_string(c.kind));
    ClSaveKessansho save;
    save.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
    save.SetCurDataID(c.dataId);
    save.AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
    char* buffer = reinterpret_cast<char*>(&save);  // must be overwritten
    long length = -1;
    EXPECT_EQ(c.result, save.GetDataType02(c.kind, &buffer, &length));
    if (c.text) {
      ASSERT_NE(nullptr, buffer);
      EXPECT_STREQ(c.text, buffer);
      EXPECT_EQ(c.length, length);
      CoTaskMemFree(buffer);
    } else {
      EXPECT_EQ(nullptr, buffer);
    }
  }
}

// ---- periods ----

struct PeriodCase {
  long start, end;
  short closingDay;
  std::vector<std::pair<long, short>> months;  // date -> accounting month
};
void PrintTo(const PeriodCase& c, std::ostream* os) { *os << c.start << "-" << c.end; }

class PeriodTest : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodTest, ClosingDayAndMonthOfADate) {
  const auto& c = GetParam();
  ClLdgPeriod* period = new ClLdgPeriod;
  EXPECT_EQ(0, period->SetPeriod(c.start, c.end));
  short day = 0;
  EXPECT_EQ(0, period->GetClosingDayByEndDate(c.end, 0, &day));
  EXPECT_EQ(c.closingDay, day);
  EXPECT_EQ(0, period->SetClosingDay(day));
  for (auto [date, month] : c.months) {
    short m = 0;
    EXPECT_EQ(0, period->GetAMonthByDate(date, &m, 0));
    EXPECT_EQ(month, m) << date;
  }
  delete period;
}

INSTANTIATE_TEST_SUITE_P(
    Periods, PeriodTest,
    ::testing::Values(
        PeriodCase{20240101, 20241231, 99, {{20240101, 1}, {20240131, 1}, {20241231, 12}}},
        PeriodCase{20240401, 20250331, 99, {{20240401, 4}, {20241231, 12}, {20250331, 3}}},
        // Closing day 20: a day after it belongs to the next month, December to January.
        PeriodCase{20240121,
                   20250120,
                   20,
                   {{20240121, 2}, {20240120, 1}, {20240220, 2}, {20241221, 1}, {20250120, 1}}},
        PeriodCase{20230301, 20240229, 99, {{20240229, 2}}},  // leap day ends February
        PeriodCase{20230301, 20240228, 28, {{20240229, 3}}},
        PeriodCase{20220301, 20230228, 99, {{20230228, 2}}}),
    [](const auto& info) {
      return std::to_string(info.param.start) + "_" + std::to_string(info.param.end);
    });

TEST(PeriodFaults, DatesThatAreNotCalendarDates) {
  ClLdgPeriod period;
  short v = 42;
  EXPECT_NE(0, period.GetClosingDayByEndDate(20230229, 0, &v));
  EXPECT_NE(0, period.GetClosingDayByEndDate(20241301, 0, &v));
  EXPECT_NE(0, period.GetAMonthByDate(20240100, &v, 0));
  EXPECT_EQ(42, v);
  EXPECT_NE(0, period.SetClosingDay(32));
  // Before SetClosingDay the month ends at its last day.
  EXPECT_EQ(0, period.GetAMonthByDate(20240131, &v, 0));
  EXPECT_EQ(1, v);
}

// ---- folders ----

class FolderTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Save("XDG_DATA_HOME", xdg_);
    Save("HOME", home_);
  }
  void TearDown() override {
    Restore("XDG_DATA_HOME", xdg_);
    Restore("HOME", home_);
    EngineTest::TearDown();
  }
  static void Save(const char* name, std::optional<std::string>& saved) {
    if (const char* v = std::getenv(name)) saved = v;
  }
  static void Restore(const char* name, const std::optional<std::string>& saved) {
    if (saved) {
      setenv(name, saved->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  std::optional<std::string> xdg_, home_;
};

TEST_F(FolderTest, SettingsFolderDefaultsToTheDataHome) {
  ASSERT_EQ(0, Connect(""));
  setenv("XDG_DATA_HOME", "/data/home/", 1);
  EXPECT_EQ("C:\\data\\home\\ledgora\\", ClFileMgr::Inst()->GetAppFolderPath(1));
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", "/home/kei", 1);
  EXPECT_EQ("C:\\home\\kei\\.local\\share\\ledgora\\", ClFileMgr::Inst()->GetAppFolderPath(1));
  // A relative data home is ignored, as the base-directory rules say.
  setenv("XDG_DATA_HOME", "rel", 1);
  EXPECT_EQ("C:\\home\\kei\\.local\\share\\ledgora\\", ClFileMgr::Inst()->GetAppFolderPath(1));

  MappingEnv env;
  platform::ScopedHost host({&env, nullptr, nullptr, nullptr});
  env.answer = "D:\\ledgora";
  EXPECT_EQ("D:\\ledgora\\", ClFileMgr::Inst()->GetAppFolderPath(1));
  EXPECT_EQ("/home/kei/.local/share/ledgora", env.asked);
  env.answer = std::nullopt;  // no mapped drive holds it
  EXPECT_EQ("C:\\home\\kei\\.local\\share\\ledgora\\", ClFileMgr::Inst()->GetAppFolderPath(1));
}

TEST_F(FolderTest, FoldersFromTheSettings) {
  ASSERT_EQ(0, Connect(U8(u8"INSERT INTO engine_settings VALUES "
                          u8"('output_folder', 'C:\\出力'), ('settings_folder', 'E:\\設定\\');")));
  EXPECT_EQ("C:\\出力", ClFileMgr::Inst()->GetAppFolderPath(0));
  EXPECT_EQ("E:\\設定\\", ClFileMgr::Inst()->GetAppFolderPath(1));
  EXPECT_EQ("", ClFileMgr::Inst()->GetAppFolderPath(2));
}

// ---- DispMsg ----

TEST_F(EngineTest, DispMsgReplacesThePackageNameAndShowsTheBox) {
  ASSERT_EQ(0, Connect(U8(u8"INSERT INTO engine_settings VALUES ('package_name', '税務');")));
  FrontEndSpy ui;
  platform::ScopedHost host({nullptr, nullptr, &ui, nullptr});
  // "ウ" is 0x83 0x45: its trail byte reads as "E" but never starts a token.
  int answer = ClLdgConnect::Inst()->DispMsg(
      77, "ES_APRPACKAGENAMEを起動します。\nウS_APRPACKAGENAME/ES_APRPACKAGENAME", "決算書",
      platform::MB_YESNO | platform::MB_ICONQUESTION);
  EXPECT_EQ(platform::IDNO, answer);
  ASSERT_EQ(1u, ui.boxes.size());
  EXPECT_EQ(77, ui.boxes[0].owner);
  EXPECT_EQ("税務を起動します。\nウS_APRPACKAGENAME/税務", ui.boxes[0].text);
  EXPECT_EQ("決算書", ui.boxes[0].caption);
  EXPECT_EQ(platform::MB_YESNO | platform::MB_ICONQUESTION, ui.boxes[0].type);
}

TEST_F(EngineTest, DispMsgDefaultsWithoutAFrontEnd) {
  ASSERT_EQ(0, Connect(""));
  FrontEndSpy ui;
  {
    platform::ScopedHost host({nullptr, nullptr, &ui, nullptr});
    ClLdgConnect::Inst()->DispMsg(0, "ES_APRPACKAGENAME", "", platform::MB_OK);
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_EQ("Zeimark", ui.boxes[0].text);
  }
  platform::ScopedHost none({nullptr, nullptr, nullptr, nullptr});
  EXPECT_EQ(platform::IDOK, ClLdgConnect::Inst()->DispMsg(0, "x", "", platform::MB_OK));
  EXPECT_EQ(platform::IDYES, ClLdgConnect::Inst()->DispMsg(0, "x", "", platform::MB_YESNO));
}

}  // namespace
}  // namespace enginetest
