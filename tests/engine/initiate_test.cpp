// Initiate: the database is checked record by record, a fault fails the
// connection with a message naming the database and the fault; the results
// and the journal.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine_test_util.h"

namespace enginetest {
namespace {

namespace fs = std::filesystem;

const char kOneDataSet[] = R"(
  INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end)
    VALUES (1, 'D1', 1, 20240101, 20241231);
)";

struct FaultCase {
  const char* name;
  std::string sql;
  std::string message;  // the whole fault after "engine database (in memory): "
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

std::string Rep(const char8_t* piece, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += U8(piece);
  return s;
}

std::vector<FaultCase> FaultCases() {
  const std::string ds = kOneDataSet;
  return {
      {"DataIdOver15", R"(INSERT INTO data_sets (cursor_order, data_id, data_no, period_start,
           period_end) VALUES (2, 'ABCDEFGHIJKLMNOPQ', 1, 20240101, 20241231);)",
       "data set 2: data_id is 17 bytes, at most 15"},
      {"IdTextOver34",
       "INSERT INTO data_sets (cursor_order, data_id, id_text, data_no, period_start, "
       "period_end) VALUES (1, 'D1', '" +
           std::string(35, 'x') + "', 1, 20240101, 20241231);",
       "data set 1: id_text is 35 bytes, at most 34"},
      // 130 kana: 390 bytes of UTF-8, 260 of CP932.
      {"CompanyNameOver259",
       "INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start, "
       "period_end) VALUES (3, 'D1', 1, '" +
           Rep(u8"あ", 130) + "', 20240101, 20241231);",
       "data set 3: company_name is 260 bytes, at most 259"},
      {"AccountNameOver56",
       ds + "INSERT INTO accounts (data_id, seq, account_key, name) VALUES ('D1', 4, 1, '" +
           Rep(u8"金", 28) + "x');",
       "account 4 of data set 'D1': name is 57 bytes, at most 56"},
      {"AccountName2Over32",
       ds + "INSERT INTO accounts (data_id, seq, account_key, name2) VALUES ('D1', 4, 1, '" +
           std::string(33, 'n') + "');",
       "account 4 of data set 'D1': name2 is 33 bytes, at most 32"},
      {"SlotOutside0To14", ds + R"(DROP TABLE account_amounts;
           CREATE TABLE account_amounts (data_id, seq, amount_set, slot, debit, credit);
           INSERT INTO accounts (data_id, seq, account_key) VALUES ('D1', 1, 1);
           INSERT INTO account_amounts VALUES ('D1', 1, 1, 15, 0, 0);)",
       "amounts of account 1 of data set 'D1': slot is 15, outside 0 to 14"},
      {"AmountSetOutside1To2", ds + R"(DROP TABLE account_amounts;
           CREATE TABLE account_amounts (data_id, seq, amount_set, slot, debit, credit);
           INSERT INTO accounts (data_id, seq, account_key) VALUES ('D1', 1, 1);
           INSERT INTO account_amounts VALUES ('D1', 1, 3, 0, 0, 0);)",
       "amounts of account 1 of data set 'D1': amount_set is 3, outside 1 to 2"},
      {"NoCp932Form",
       "INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start, "
       "period_end) VALUES (1, 'D1', 1, '" +
           U8(u8"株式会社😀") + "', 20240101, 20241231);",
       "data set 1: company_name has a character without a CP932 form (text \"" +
           U8(u8"株式会社😀") + "\")"},
      {"ZeroByteInText",
       ds + "INSERT INTO accounts (data_id, seq, account_key, name) "
            "VALUES ('D1', 2, 1, X'410042');",
       "account 2 of data set 'D1': name contains a zero byte"},
      {"KindOutside8Bits",
       ds + "INSERT INTO accounts (data_id, seq, account_key, kind) VALUES ('D1', 2, 1, 256);",
       "account 2 of data set 'D1': kind is 256, outside 0 to 255"},
      {"CategoryOutside32Bits",
       ds + "INSERT INTO accounts (data_id, seq, account_key, category) "
            "VALUES ('D1', 2, 1, 0x100000000);",
       "account 2 of data set 'D1': category is 4294967296, outside -2147483648 to 4294967295"},
      {"IntroMonthOutside16Bits",
       "INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end, "
       "intro_month_index) VALUES (1, 'D1', 1, 20240101, 20241231, 40000);",
       "data set 1: intro_month_index is 40000, outside -32768 to 32767"},
      {"PeriodNotAnInteger",
       "INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end) "
       "VALUES (1, 'D1', 1, '2024-01-01', 20241231);",
       "data set 1: period_start is not an integer (\"2024-01-01\")"},
      {"AccountOfUnknownDataSet",
       ds + "INSERT INTO accounts (data_id, seq, account_key) VALUES ('D9', 1, 1);",
       "account 1 of data set 'D9': no data set has this data_id"},
      {"AmountOfUnknownAccount", ds + "INSERT INTO account_amounts VALUES ('D1', 7, 1, 0, 1, 1);",
       "amounts of account 7 of data set 'D1': no such account"},
      {"SavedOfUnknownDataSet",
       ds + "INSERT INTO saved_statements (data_id, kind, content) VALUES ('D9', 0, 'x');",
       "saved statement kind 0 of data set 'D9': no data set has this data_id"},
      {"UnknownSetting", "INSERT INTO engine_settings VALUES ('initiate_reslut', 1);",
       "setting 'initiate_reslut': unknown setting"},
      {"ResultNotAnInteger", "INSERT INTO engine_settings VALUES ('expsyslink_result', 'no');",
       "setting 'expsyslink_result': value is not an integer (\"no\")"},
      {"CurrentUserOver64",
       "INSERT INTO engine_settings VALUES ('current_user', '" + std::string(65, 'u') + "');",
       "setting 'current_user': value is 65 bytes, at most 64"},
      {"SameDataIdTextAndBlob",
       ds + "INSERT INTO accounts (data_id, seq, account_key) VALUES ('D1', 1, 1), "
            "(X'4431', 1, 2);",
       "account 1 of data set 'D1': is given twice"},
  };
}

class InitiateFaultTest : public EngineTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(InitiateFaultTest, FailsWithAMessageNamingDatabaseAndFault) {
  const FaultCase& c = GetParam();
  testing::internal::CaptureStderr();
  int result = Connect(c.sql);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(0, result);
  std::string want = "engine database (in memory): " + c.message;
  EXPECT_EQ(want, engine::LastInitiateError());
  EXPECT_EQ("stmtlink: " + want + "\n", err);
  // Nothing of the faulty database is visible.
  EXPECT_STREQ(
      "",
      rec::Text(
          static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1))->GetSelectedInfo()->raw,
          0));
}

INSTANTIATE_TEST_SUITE_P(Limits, InitiateFaultTest, ::testing::ValuesIn(FaultCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, TextsAtTheirLimitsAreAccepted) {
  std::string sql =
      "INSERT INTO data_sets (cursor_order, data_id, id_text, data_no, company_name, "
      "period_start, period_end) VALUES (1, '" +
      std::string(15, 'd') + "', '" + std::string(34, 'i') + "', 1, '" + Rep(u8"社", 129) +
      "x', 20240101, 20241231);" +
      "INSERT INTO accounts (data_id, seq, account_key, name, name2) VALUES ('" +
      std::string(15, 'd') + "', 1, 1, '" + Rep(u8"金", 28) + "', '" + std::string(32, 'n') +
      "');" + "INSERT INTO engine_settings VALUES ('current_user', '" + std::string(64, 'u') +
      "');";
  EXPECT_EQ(0, Connect(sql)) << engine::LastInitiateError();
}

class FileDatabaseTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    dir_ = fs::temp_directory_path() / ("engine_test_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    EngineTest::TearDown();
    fs::remove_all(dir_);
  }
  std::string Make(const std::string& name, const std::string& sql) {
    std::string path = (dir_ / name).string();
    sqlite3* db = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr));
    sqlite3_close(db);
    return path;
  }
  static int TableCount(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table'", -1, &st,
                       nullptr);
    sqlite3_step(st);
    int n = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
  }
  fs::path dir_;
};

TEST_F(FileDatabaseTest, SchemaDatabaseIsOpenedAndRead) {
  std::string path = Make("full.db", std::string(engine::SchemaSql()) + kOneDataSet +
                                         "INSERT INTO engine_settings VALUES "
                                         "('initiate_result', 4);");
  engine::SetDatabasePath(path);
  EXPECT_EQ(4, ClLdgConnect::Inst()->Initiate());
  EXPECT_EQ("", engine::LastInitiateError());
}

TEST_F(FileDatabaseTest, MissingTablesCountAsEmptyAndTheFileIsNotWritten) {
  std::string path = Make("partial.db",
                          "CREATE TABLE data_sets (cursor_order INTEGER PRIMARY KEY, data_id, "
                          "id_text, data_no, company_name, period_start, period_end, "
                          "mfg_cost_flag, extra_period_flag, intro_month_index, companies_act, "
                          "tax_flag, tax_result);" +
                              std::string(kOneDataSet));
  engine::SetDatabasePath(path);
  EXPECT_EQ(0, ClLdgConnect::Inst()->Initiate()) << engine::LastInitiateError();
  ClRuleKamoku rule;
  rule.SetCurDataID("D1");
  unsigned long count = 99;
  EXPECT_EQ(0, rule.GetSumCount(&count));
  EXPECT_EQ(0u, count);
  ClLdgConnect::Inst()->Release();
  EXPECT_EQ(1, TableCount(path));
}

TEST_F(FileDatabaseTest, MissingOrForeignFileFails) {
  std::string missing = (dir_ / "none.db").string();
  engine::SetDatabasePath(missing);
  testing::internal::CaptureStderr();
  EXPECT_NE(0, ClLdgConnect::Inst()->Initiate());
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(0u, err.find("stmtlink: engine database " + missing + ": cannot open")) << err;
  EXPECT_FALSE(fs::exists(missing));  // read-only: never created

  std::string foreign = (dir_ / "text.db").string();
  std::ofstream(foreign) << "this is not a database, only some text that fills a page.\n";
  engine::SetDatabasePath(foreign);
  testing::internal::CaptureStderr();
  EXPECT_NE(0, ClLdgConnect::Inst()->Initiate());
  err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(0u, err.find("stmtlink: engine database " + foreign + ": ")) << err;
}

TEST_F(EngineTest, BadSqlIsRefusedByUseInMemoryDatabase) {
  std::string error;
  EXPECT_FALSE(engine::UseInMemoryDatabase("INSERT INTO nowhere VALUES (1);", &error));
  EXPECT_EQ("no such table: nowhere", error);
  // The schema's own checks apply too.
  EXPECT_FALSE(engine::UseInMemoryDatabase(
      "INSERT INTO account_amounts VALUES ('D1', 1, 1, 15, 0, 0);", &error));
  EXPECT_NE(std::string::npos, error.find("CHECK constraint failed")) << error;
  // Nothing is left to initiate on.
  testing::internal::CaptureStderr();
  EXPECT_NE(0, ClLdgConnect::Inst()->Initiate());
  testing::internal::GetCapturedStderr();
}

TEST_F(EngineTest, NoDatabaseSetFails) {
  testing::internal::CaptureStderr();
  EXPECT_NE(0, ClLdgConnect::Inst()->Initiate());
  EXPECT_EQ("stmtlink: engine database: no database path is set\n",
            testing::internal::GetCapturedStderr());
}

TEST_F(EngineTest, ResultsComeFromTheSettings) {
  ASSERT_EQ(3, Connect("INSERT INTO engine_settings VALUES ('initiate_result', 3), "
                       "('expsyslink_result', 1);"));
  EXPECT_EQ(1, ClLdgConnect::Inst()->ExpSysLink());
}

TEST_F(EngineTest, DefaultsWithoutSettings) {
  ASSERT_EQ(0, Connect(""));
  EXPECT_EQ(0, ClLdgConnect::Inst()->ExpSysLink());
  char user[65];
  std::memset(user, 'x', sizeof user);
  EXPECT_EQ(0, ClDataMgr::Inst()->GetSysUserObject()->GetCurUserID(user));
  EXPECT_STREQ("", user);
  EXPECT_EQ("", ClFileMgr::Inst()->GetAppFolderPath(0));
  ClRuleKamoku rule;
  rule.SetCurDataID("D1");
  EXPECT_EQ(0, rule.SetMovePos(0));
  StKAMOKUSUMINFO rec{};
  EXPECT_EQ(5000, rule.MoveNext(&rec));
}

TEST_F(EngineTest, JournalRecordsTheConnectionCalls) {
  JournalSpy journal;
  platform::ScopedHost host({nullptr, nullptr, nullptr, &journal});
  ASSERT_EQ(0, Connect("INSERT INTO engine_settings VALUES ('expsyslink_result', 2);"));
  auto* c = ClLdgConnect::Inst();
  EXPECT_EQ(2, c->ExpSysLink());
  c->LogOut();
  c->Terminate();
  c->Release();
  EXPECT_EQ((std::vector<std::string>{
                R"({"ev":"engine","call":"Initiate","result":0})",
                R"({"ev":"engine","call":"ExpSysLink","result":2})",
                R"({"ev":"engine","call":"LogOut","result":0})",
                R"({"ev":"engine","call":"Terminate","result":0})",
                R"({"ev":"engine","call":"Release","result":0})",
            }),
            journal.lines);
}

TEST_F(EngineTest, ClosingIsSafeAfterAFailedOrMissingInitiate) {
  JournalSpy journal;
  platform::ScopedHost host({nullptr, nullptr, nullptr, &journal});
  auto* c = ClLdgConnect::Inst();
  EXPECT_EQ(0, c->LogOut());
  EXPECT_EQ(0, c->Terminate());
  EXPECT_EQ(0, c->Release());
  testing::internal::CaptureStderr();
  EXPECT_EQ(-1, Connect("INSERT INTO engine_settings VALUES ('bogus', 1);"));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(-1, c->ExpSysLink());
  EXPECT_EQ(0, c->LogOut());
  EXPECT_EQ(0, c->Terminate());
  EXPECT_EQ(0, c->Release());
  ASSERT_EQ(8u, journal.lines.size());
  EXPECT_EQ(R"({"ev":"engine","call":"Initiate","result":-1})", journal.lines[3]);
  EXPECT_EQ(R"({"ev":"engine","call":"ExpSysLink","result":-1})", journal.lines[4]);
}

TEST_F(EngineTest, ReleaseForgetsTheDataAndResetClearsTheConnection) {
  ASSERT_EQ(0, Connect(std::string(kOneDataSet) +
                       "INSERT INTO engine_settings VALUES ('current_user', 'u');"));
  auto* c = ClLdgConnect::Inst();
  c->m_caption = "x";
  c->m_owner = 5;
  c->SetAppType(3);
  c->Release();
  char user[65] = "?";
  ClDataMgr::Inst()->GetSysUserObject()->GetCurUserID(user);
  EXPECT_STREQ("", user);
  // The in-memory database stays until Reset: a second Initiate reads it again.
  EXPECT_EQ(0, c->Initiate());
  ClDataMgr::Inst()->GetSysUserObject()->GetCurUserID(user);
  EXPECT_STREQ("u", user);
  engine::Reset();
  EXPECT_EQ("", c->m_caption);
  EXPECT_EQ(0, c->m_owner);
  EXPECT_EQ(0, c->AppType());
  testing::internal::CaptureStderr();
  EXPECT_NE(0, c->Initiate());
  testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace enginetest
