#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_db.h"
#include "platform/fault_env.h"
#include "platform/host.h"
#include "statements/kessansho_source.h"
#include "tests/statements/test_lines.h"

namespace {

using stmt_test::Yen;

constexpr std::uint32_t kCash = 0x80888100;       // balance sheet
constexpr std::uint32_t kPayables = 0x80488100;   // balance sheet
constexpr std::uint32_t kSales = 0x40888100;      // income statement
constexpr std::uint32_t kMaterials = 0x20800100;  // manufacturing cost
constexpr int kDebitSide = 1;
constexpr int kCreditSide = 2;

// The current user selects data set 7, whose data ID is D001.
const char kCompany[] =
    "INSERT INTO engine_settings VALUES ('current_user', 'u1');"
    "INSERT INTO users VALUES ('u1', 0, 7);"
    "INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end) "
    "VALUES (1, 'D001', 7, 20230401, 20240331);";

// A CP932 text as an SQL blob, passed through by the engine unchanged.
std::string Blob(const std::string& cp932) {
  std::string out = "X'";
  char hex[3];
  for (unsigned char c : cp932) {
    std::snprintf(hex, sizeof hex, "%02X", c);
    out += hex;
  }
  return out + "'";
}

std::string Account(int seq, std::int32_t key, const std::string& name, int side,
                    std::uint32_t category, int kind = 0, const std::string& name2 = "") {
  return "INSERT INTO accounts VALUES ('D001', " + std::to_string(seq) + ", " +
         std::to_string(key) + ", " + Blob(name) + ", " + Blob(name2) + ", " +
         std::to_string(kind) + ", " + std::to_string(side) + ", " + std::to_string(category) +
         ");";
}

std::string Literal(std::int64_t v) {
  // -9223372036854775808 would be read as a real number.
  if (v == std::numeric_limits<std::int64_t>::min()) return "(-9223372036854775807 - 1)";
  return std::to_string(v);
}

std::string Amount(int seq, int set, int slot, std::int64_t debit, std::int64_t credit) {
  return "INSERT INTO account_amounts VALUES ('D001', " + std::to_string(seq) + ", " +
         std::to_string(set) + ", " + std::to_string(slot) + ", " + Literal(debit) + ", " +
         Literal(credit) + ");";
}

std::string Setting(const std::string& name, std::int64_t value) {
  return "INSERT INTO engine_settings VALUES ('" + name + "', " + std::to_string(value) + ");";
}

struct Window {
  int start = 1, end = 12, join2 = 1, value3 = 18, value4 = 0;
};

StFINDINFO MakeWindow(const Window& w) {
  StFINDINFO f{};
  auto put = [&f](std::size_t entry, std::size_t field, int v) {
    rec::PutI16(f.raw, (entry - 1) * StFINDINFO::kEntrySize + field, static_cast<std::int16_t>(v));
  };
  put(1, StFINDINFO::kValue, w.start);
  put(2, StFINDINFO::kValue, w.end);
  put(2, StFINDINFO::kJoin, w.join2);
  put(3, StFINDINFO::kValue, w.value3);
  if (w.value4 != 0) {
    put(3, StFINDINFO::kJoin, 1);
    put(4, StFINDINFO::kValue, w.value4);
  }
  return f;
}

StDATAINFO MakeData(int introIndex = 0, int extraPeriod = 0) {
  StDATAINFO d{};
  std::memcpy(d.raw, "D001", 4);
  rec::PutI16(d.raw, StDATAINFO::kIntroMonthIndex, static_cast<std::int16_t>(introIndex));
  rec::PutI32(d.raw, StDATAINFO::kExtraPeriodFlag, extraPeriod);
  return d;
}

class RecordingProgress : public ClProgressSink {
 public:
  void AdvanceTo(std::int16_t from, std::int16_t to) override { ranges.emplace_back(from, to); }
  void Tick() override { ++ticks; }
  std::vector<std::pair<int, int>> ranges;
  int ticks = 0;
};

using Ranges = std::vector<std::pair<int, int>>;
const Ranges kAllRanges = {{0, 100}, {100, 300}, {300, 400}, {400, 500}};

class AggregationTest : public ::testing::Test {
 protected:
  void SetUp() override { engine::Reset(); }
  void TearDown() override { engine::Reset(); }

  void Load(const std::string& sql) {
    std::string error;
    ASSERT_TRUE(engine::UseInMemoryDatabase(kCompany + sql, &error)) << error;
    ASSERT_EQ(ClLdgConnect::Inst()->Initiate(), 0);
  }

  int Run(const Window& w = {}, const StDATAINFO& data = MakeData(), int taxFlag = 0) {
    sums.clear();
    progress = RecordingProgress();
    ClKessanshoSource source;
    source.SetSums(&sums);
    source.SetProgress(&progress);
    const StFINDINFO window = MakeWindow(w);
    return source.Aggregate(taxFlag, &window, &data);
  }

  const AccountSum& At(std::size_t i) const {
    auto it = sums.begin();
    std::advance(it, static_cast<long>(i));
    return **it;
  }

  AccountSumList sums;
  RecordingProgress progress;
};

TEST_F(AggregationTest, WholeYearBalancesOnEachAccountsOwnSide) {
  Load(Account(0, 1111000, "現金", kDebitSide, kCash) + Amount(0, 1, 0, Yen(100), Yen(30)) +
       Amount(0, 1, 1, Yen(50), 0) + Amount(0, 1, 12, 0, Yen(20)) + Amount(0, 1, 13, Yen(5), 0) +
       Amount(0, 1, 14, Yen(1000), 0) + Amount(0, 2, 1, Yen(9999), 0) +
       Account(1, 4110000, "売上高", kCreditSide, kSales, 3, "売上") + Amount(1, 1, 0, 0, Yen(50)) +
       Amount(1, 1, 1, Yen(10), Yen(200)) +
       Account(2, 1110000, "流動資産", kDebitSide, 0x80880000, 1) + Amount(2, 1, 1, Yen(7), 0) +
       Account(3, 2110000, "買掛金", kCreditSide, kPayables) + Amount(3, 1, 3, Yen(80), Yen(30)));
  ASSERT_EQ(Run(), 1);
  ASSERT_EQ(sums.size(), 3u) << "the kind 1 account is read but not kept";

  const AccountSum& cash = At(0);
  EXPECT_EQ(cash.key, 1111000);
  EXPECT_STREQ(cash.name, "現金");
  EXPECT_EQ(cash.category, kCash);
  EXPECT_EQ(cash.kind, 0);
  EXPECT_EQ(cash.opening, Yen(70));
  EXPECT_EQ(cash.closing, Yen(105)) << "slots 1-13; slot 14 without the extra period";
  EXPECT_EQ(cash.movement, Yen(35));

  const AccountSum& sales = At(1);
  EXPECT_EQ(sales.key, 4110000);
  EXPECT_STREQ(sales.name2, "売上");
  EXPECT_EQ(sales.kind, 3);
  EXPECT_EQ(sales.opening, Yen(50));
  EXPECT_EQ(sales.closing, Yen(240));
  EXPECT_EQ(sales.movement, Yen(190));

  const AccountSum& payables = At(2);
  EXPECT_EQ(payables.key, 2110000);
  EXPECT_EQ(payables.opening, 0);
  EXPECT_EQ(payables.closing, Yen(-50)) << "debits above credits on the credit side";

  EXPECT_EQ(progress.ranges, kAllRanges);
  EXPECT_EQ(progress.ticks, 4);
}

TEST_F(AggregationTest, ConsumptionTaxFlagTakesTheSecondSet) {
  Load(Account(0, 1, "現金", kDebitSide, kCash) + Amount(0, 1, 0, Yen(100), 0) +
       Amount(0, 1, 2, Yen(1), 0) + Amount(0, 2, 0, Yen(3), 0) + Amount(0, 2, 2, 0, Yen(1)));
  ASSERT_EQ(Run({}, MakeData(), 1), 1);
  ASSERT_EQ(sums.size(), 1u);
  EXPECT_EQ(At(0).opening, Yen(3));
  EXPECT_EQ(At(0).closing, Yen(2));
  ASSERT_EQ(Run({}, MakeData(), 0), 1);
  EXPECT_EQ(At(0).closing, Yen(101));
}

TEST_F(AggregationTest, OpeningRulesByStatementAndIntroductionMonth) {
  // Debit k + 1 yen in every slot k: sums of slots are triangular numbers.
  std::string sql = Account(0, 1, "BS", kDebitSide, kCash) +
                    Account(1, 2, "PL", kDebitSide, kSales) +
                    Account(2, 3, "MFG", kDebitSide, kMaterials);
  for (int seq = 0; seq < 3; ++seq) {
    for (int k = 0; k < 15; ++k) sql += Amount(seq, 1, k, Yen(k + 1), 0);
  }
  Load(sql);
  struct Case {
    int start, intro;
    std::int64_t bsOpening, bsClosing, otherOpening, otherClosing;
  };
  const Case cases[] = {
      {1, 0, 1, 91, 1, 91},   // the period's first month: slot 0 for every account
      {4, 0, 10, 91, 0, 81},  // later start: only balance-sheet accounts bring a balance
      {4, 4, 10, 91, 1, 82},  // started up in month 4: slot 0 is the opening
      {4, 6, 10, 91, 1, 82}, {5, 4, 15, 91, 0, 76}, {0, 0, 0, 91, 0, 91},
  };
  for (const Case& c : cases) {
    Window w;
    w.start = c.start;
    w.join2 = 0;
    ASSERT_EQ(Run(w, MakeData(c.intro)), 1);
    ASSERT_EQ(sums.size(), 3u);
    const std::string where =
        "start " + std::to_string(c.start) + " intro " + std::to_string(c.intro);
    EXPECT_EQ(At(0).opening, Yen(c.bsOpening)) << where;
    EXPECT_EQ(At(0).closing, Yen(c.bsClosing)) << where;
    for (std::size_t i : {1u, 2u}) {
      EXPECT_EQ(At(i).opening, Yen(c.otherOpening)) << where;
      EXPECT_EQ(At(i).closing, Yen(c.otherClosing)) << where;
      EXPECT_EQ(At(i).movement, Yen(c.otherClosing - c.otherOpening)) << where;
    }
  }
}

TEST_F(AggregationTest, SlotsThirteenAndFourteenUnderTheirConditions) {
  Load(Account(0, 1, "PL", kDebitSide, kSales) + Amount(0, 1, 1, Yen(1), 0) +
       Amount(0, 1, 13, Yen(10), 0) + Amount(0, 1, 14, Yen(100), 0));
  struct Case {
    Window window;
    int extraPeriod;
    std::int64_t closing;
  };
  const Case cases[] = {
      {{1, 12, 1, 18, 0}, 0, 11},  {{1, 12, 0, 18, 0}, 0, 1}, {{1, 12, 1, 15, 0}, 0, 1},
      {{1, 6, 0, 0, 0}, 1, 101},   {{1, 5, 0, 0, 0}, 1, 1},   {{1, 6, 0, 0, 0}, 2, 1},
      {{1, 6, 1, 15, 18}, 1, 101},  // 18 in entry 4 is not looked at
      {{1, 6, 1, 18, 0}, 1, 111},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Run(c.window, MakeData(0, c.extraPeriod)), 1);
    ASSERT_EQ(sums.size(), 1u);
    EXPECT_EQ(At(0).closing, Yen(c.closing))
        << "end " << c.window.end << " join " << c.window.join2 << " entry 3 " << c.window.value3
        << " extra " << c.extraPeriod;
  }
}

TEST_F(AggregationTest, NamesAreCutAtACharacterBoundaryAndKindIsSignWidened) {
  const std::string name29 = std::string(29, 'A');
  Load(Account(0, -5, name29 + "漢字", kDebitSide, kCash, 0xFF, std::string(28, 'B') + "漢") +
       Account(1, 6, std::string(31, 'C'), kDebitSide, kCash, 2, "（株）"));
  ASSERT_EQ(Run(), 1);
  ASSERT_EQ(sums.size(), 2u);
  EXPECT_EQ(At(0).key, -5);
  EXPECT_EQ(std::string(At(0).name), name29) << "the character at byte 30 would not fit";
  EXPECT_EQ(std::string(At(0).name2), std::string(28, 'B') + "漢");
  EXPECT_EQ(At(0).kind, -1);
  EXPECT_EQ(std::string(At(1).name), std::string(30, 'C'));
  EXPECT_STREQ(At(1).name2, "（株）");
  EXPECT_EQ(At(1).kind, 2);
}

TEST_F(AggregationTest, EveryAccountOfALargeCompanyIsRead) {
  Load(
      "WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < 32769) "
      "INSERT INTO accounts (data_id, seq, account_key, category) "
      "SELECT 'D001', x, x, 2156429568 FROM n;");
  ASSERT_EQ(Run(), 1);
  ASSERT_EQ(sums.size(), 32770u);
  EXPECT_EQ(sums.back()->key, 32769);
  EXPECT_EQ(progress.ticks, 32770);
}

TEST_F(AggregationTest, FailuresOfTheEngineAndOfAllocation) {
  const std::string accounts = Account(0, 1, "A", kDebitSide, kCash) +
                               Account(1, 2, "B", kDebitSide, kCash) +
                               Account(2, 3, "C", kDebitSide, kCash);
  struct Case {
    const char* what;
    std::string settings;
    const char* failAllocation;
    int nth;
    int result;
    std::size_t entries;
    int ticks;
  };
  const Case cases[] = {
      {"GetSumCount error", Setting("sumcount_result", 3), nullptr, 0, 0, 0, 0},
      {"SetMovePos error", Setting("setmovepos_result", 2), nullptr, 0, 0, 0, 0},
      {"MoveNext error", Setting("movenext_error_at", 1), nullptr, 0, 0, 1, 2},
      {"MoveNext error code", Setting("movenext_error_at", 2) + Setting("movenext_error_code", -1),
       nullptr, 0, 0, 2, 3},
      {"end before the count", Setting("sum_count", 5), nullptr, 0, 1, 3, 4},
      {"end reported early", Setting("movenext_error_at", 1) + Setting("movenext_error_code", 5000),
       nullptr, 0, 1, 1, 2},
      {"no accounts counted", Setting("sum_count", 0), nullptr, 0, 1, 0, 0},
      {"rule object", "", "ClRuleKamoku", 1, 0, 0, 0},
      {"second entry", "", "AccountSum", 2, 0, 1, 2},
  };
  for (const Case& c : cases) {
    engine::Reset();
    Load(accounts + c.settings);
    stmt_test::NullEnv inner;
    platform::FaultEnv env(inner);
    if (c.failAllocation != nullptr) env.FailAllocation(c.failAllocation, c.nth);
    platform::ScopedHost host(platform::Host{&env, nullptr, nullptr, nullptr});
    EXPECT_EQ(Run(), c.result) << c.what;
    EXPECT_EQ(sums.size(), c.entries) << c.what;
    EXPECT_EQ(progress.ticks, c.ticks) << c.what;
    if (c.result == 1) {
      EXPECT_EQ(progress.ranges, kAllRanges) << c.what;
    } else {
      EXPECT_NE(progress.ranges.back(), std::make_pair(400, 500)) << c.what;
    }
  }
}

TEST_F(AggregationTest, OverflowingSumsFailInsteadOfWrapping) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t k6e17 = 600000000000000000;
  constexpr std::int64_t k1e18 = 1000000000000000000;
  struct Case {
    const char* what;
    int side;
    std::vector<std::pair<int, std::pair<std::int64_t, std::int64_t>>>
        slots;  // slot, debit, credit
    int result;
  };
  const Case cases[] = {
      {"closing of 10^14 yen", kDebitSide, {{0, {k6e17, 0}}, {1, {k6e17, 0}}}, 0},
      {"closing just below the limit", kDebitSide, {{0, {k1e18 - 2, 0}}, {1, {1, 0}}}, 1},
      {"window sum beyond 64 bits", kDebitSide, {{1, {kMax, 0}}, {2, {1, 0}}}, 0},
      {"opening beyond 64 bits", kCreditSide, {{0, {kMin, 0}}}, 0},
      {"closing beyond 64 bits", kDebitSide, {{1, {0, kMin}}}, 0},
      {"movement beyond 64 bits", kDebitSide, {{0, {0, k1e18 - 1}}, {1, {0, kMin}}}, 0},
  };
  for (const Case& c : cases) {
    engine::Reset();
    std::string sql = Account(0, 1, "ok", kDebitSide, kCash) + Amount(0, 1, 1, Yen(1), 0) +
                      Account(1, 2, "big", c.side, kCash);
    for (const auto& [slot, amounts] : c.slots) {
      sql += Amount(1, 1, slot, amounts.first, amounts.second);
    }
    Load(sql);
    EXPECT_EQ(Run(), c.result) << c.what;
    EXPECT_EQ(sums.size(), c.result == 1 ? 2u : 1u) << c.what;
  }
}

}  // namespace
