#include "conditions/months.h"

#include <array>
#include <cstring>

#include "fixture.h"

namespace {

using cnd_test::HostTest;

struct Period {
  std::int32_t start, end;
};
constexpr Period kJanDec{20220101, 20221231};
constexpr Period kAprMar{20220401, 20230331};
constexpr Period kJan21{20220121, 20230120};
constexpr Period kAprSep{20220401, 20220930};
constexpr Period kAprFeb{20220401, 20230228};

class MonthsTest : public HostTest {};

struct PeriodCase {
  Period period;
  std::int16_t first, last;
};

TEST_F(MonthsTest, PeriodMonthsFollowTheEngine) {
  const PeriodCase cases[] = {
      {kJanDec, 1, 12},
      {kAprMar, 4, 103},
      // Closing day 20: the engine puts 21 January into month 2.
      {kJan21, 2, 101},
      {kAprSep, 4, 9},
  };
  for (const PeriodCase& c : cases) {
    std::int16_t first = 0, last = 0;
    GetPeriodMonths(c.period.start, c.period.end, &first, &last);
    EXPECT_EQ(first, c.first) << c.period.start;
    EXPECT_EQ(last, c.last) << c.period.start;
  }
  std::int16_t firstOnly = 0;
  GetPeriodMonths(kAprMar.start, kAprMar.end, &firstOnly, nullptr);
  EXPECT_EQ(firstOnly, 4);
}

TEST_F(MonthsTest, FailedPeriodObjectLeavesOutputsUnwritten) {
  env_->FailAllocation("ClLdgPeriod");
  std::int16_t first = 77, last = 88;
  GetPeriodMonths(kAprMar.start, kAprMar.end, &first, &last);
  EXPECT_EQ(first, 77);
  EXPECT_EQ(last, 88);
}

struct IndexCase {
  std::int16_t first, last, start, end, startIndex, endIndex;
};

TEST_F(MonthsTest, MonthIndexesWithinTheFiscalYear) {
  const IndexCase cases[] = {
      {1, 12, 1, 12, 1, 12},  {1, 12, 5, 5, 5, 5},    {4, 103, 4, 3, 1, 12},
      {4, 103, 12, 12, 9, 9}, {4, 103, 1, 1, 10, 10}, {4, 103, 10, 3, 7, 12},
      {4, 103, 4, 12, 1, 9},  {2, 101, 2, 1, 1, 12},  {4, 9, 4, 9, 1, 6},
  };
  for (const IndexCase& c : cases) {
    std::int16_t s = 0, e = 0;
    GetMonthIndexes(c.first, c.last, c.start, c.end, &s, &e);
    EXPECT_EQ(s, c.startIndex) << c.first << "/" << c.last << " " << c.start;
    EXPECT_EQ(e, c.endIndex) << c.first << "/" << c.last << " " << c.end;
  }
  std::int16_t only = 55;
  GetMonthIndexes(4, 103, 4, 3, &only, nullptr);
  EXPECT_EQ(only, 55);
}

struct CheckCase {
  Period period;
  std::int16_t start, end;
  MonthCheck expected;
};

TEST_F(MonthsTest, SelectedMonthsRulesInOrder) {
  using enum MonthCheck;
  const CheckCase cases[] = {
      {kJanDec, 0, 5, StartFault},    // rule 1
      {kJanDec, 13, 13, StartFault},  // rule 1 before rule 2
      {kJanDec, 1, 13, EndFault},     // rule 2
      {kJanDec, 1, 0, EndFault},      // rule 2
      {kAprSep, 3, 9, StartFault},    // rule 4
      {kAprSep, 4, 10, StartFault},   // rule 5
      {kJanDec, 5, 4, StartFault},    // rule 6
      {kAprMar, 6, 5, EndFault},      // rule 7
      {kAprMar, 2, 1, EndFault},      // rule 8
      {kAprFeb, 1, 3, EndFault},      // rule 8: end past the last month
      {kAprFeb, 3, 5, StartFault},    // rule 9
      {kAprFeb, 4, 3, StartFault},    // rule 10
      {kJan21, 1, 12, EndFault},      // rule 8
      {kJanDec, 1, 12, Pass},        {kJanDec, 12, 12, Pass}, {kAprMar, 12, 3, Pass},
      {kAprMar, 4, 3, Pass},         {kAprMar, 4, 4, Pass},   {kAprMar, 1, 3, Pass},
      {kJan21, 2, 1, Pass},          {kAprSep, 4, 9, Pass},
  };
  for (const CheckCase& c : cases) {
    EXPECT_EQ(CheckSelectedMonths(c.start, c.end, c.period.start, c.period.end), c.expected)
        << c.period.start << " " << c.start << "-" << c.end;
  }
}

TEST_F(MonthsTest, IntroductionMonthLimitsTheEndOnly) {
  EXPECT_TRUE(EndsBeforeIntroduction(4, 6, kAprMar.start, kAprMar.end, 4));   // end index 3
  EXPECT_FALSE(EndsBeforeIntroduction(4, 7, kAprMar.start, kAprMar.end, 4));  // end index 4
  EXPECT_FALSE(EndsBeforeIntroduction(5, 3, kAprMar.start, kAprMar.end, 12));
  EXPECT_FALSE(EndsBeforeIntroduction(4, 4, kAprMar.start, kAprMar.end, 0));
}

// One window entry as the engine reads it: item, compare, value type, value
// and join, little-endian, all other bytes zero.
struct Entry {
  int compare, value, join;
};

std::array<unsigned char, 136> Expected(std::initializer_list<Entry> entries) {
  std::array<unsigned char, 136> bytes{};
  int i = 0;
  for (const Entry& e : entries) {
    unsigned char* p = bytes.data() + 34 * i++;
    p[0] = 17;
    p[6] = static_cast<unsigned char>(e.compare);
    p[10] = 2;
    p[18] = static_cast<unsigned char>(e.value);
    p[30] = static_cast<unsigned char>(e.join);
  }
  return bytes;
}

StDATAINFO Data(Period period, std::int32_t extraFlag) {
  StDATAINFO data{};
  rec::PutI32(data.raw, StDATAINFO::kPeriodStart, period.start);
  rec::PutI32(data.raw, StDATAINFO::kPeriodEnd, period.end);
  rec::PutI32(data.raw, StDATAINFO::kExtraPeriodFlag, extraFlag);
  return data;
}

struct WindowCase {
  const char* name;
  Period period;
  std::int32_t extraFlag, start, end;
  std::array<unsigned char, 136> bytes;
};

TEST_F(MonthsTest, SearchWindowBytes) {
  const WindowCase cases[] = {
      {"Jan-Dec 1-12", kJanDec, 0, 1, 12, Expected({{4, 1, 1}, {6, 12, 2}, {1, 18, 0}})},
      {"Apr-Mar 10-3", kAprMar, 0, 10, 3, Expected({{4, 7, 1}, {6, 12, 2}, {1, 18, 0}})},
      {"Apr-Mar 4-12", kAprMar, 0, 4, 12, Expected({{4, 1, 1}, {6, 9, 0}})},
      {"Apr-Mar flag 4-9", kAprMar, 1, 4, 9, Expected({{4, 1, 1}, {6, 6, 2}, {1, 15, 0}})},
      {"Apr-Mar flag 4-3", kAprMar, 1, 4, 3, Expected({{4, 1, 1}, {6, 12, 2}, {1, 18, 0}})},
      {"Apr-Mar flag 2 4-9", kAprMar, 2, 4, 9, Expected({{4, 1, 1}, {6, 6, 0}})},
      {"Apr-Sep flag 4-9", kAprSep, 1, 4, 9,
       Expected({{4, 1, 1}, {6, 6, 2}, {1, 15, 2}, {1, 18, 0}})},
      {"21 Jan 2-1", kJan21, 0, 2, 1, Expected({{4, 1, 1}, {6, 12, 2}, {1, 18, 0}})},
  };
  for (const WindowCase& c : cases) {
    StFINDINFO window;
    std::memset(window.raw, 0xA5, sizeof window.raw);  // whatever the caller left there
    StDATAINFO data = Data(c.period, c.extraFlag);
    BuildSearchWindow(&window, &data, c.start, c.end);
    EXPECT_EQ(0, std::memcmp(window.raw, c.bytes.data(), 136)) << c.name;
  }
}

TEST_F(MonthsTest, SearchWindowNeedsBothRecords) {
  StFINDINFO window;
  std::memset(window.raw, 0xA5, sizeof window.raw);
  EXPECT_EQ(BuildSearchWindow(&window, nullptr, 1, 12), 0);
  EXPECT_EQ(window.raw[0], 0xA5);
  StDATAINFO data = Data(kJanDec, 0);
  EXPECT_EQ(BuildSearchWindow(nullptr, &data, 1, 12), 0);  // no crash
  EXPECT_EQ(BuildSearchWindow(&window, &data, 1, 12), 1);
}

// Without the period object there are no period months: indexes reckoned
// from 0 would name months 2 to 13 of a January-December year, a window that
// would quietly leave out the first month.
TEST_F(MonthsTest, SearchWindowWithoutPeriodMonthsIsAFailure) {
  env_->FailAllocation("ClLdgPeriod");
  StFINDINFO window;
  std::memset(window.raw, 0xA5, sizeof window.raw);
  StDATAINFO data = Data(kJanDec, 0);
  EXPECT_EQ(BuildSearchWindow(&window, &data, 1, 12), 0);
  const std::array<unsigned char, 136> zero{};
  EXPECT_EQ(0, std::memcmp(window.raw, zero.data(), 136));
}

}  // namespace
