#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "platform/fault_env.h"
#include "platform/host.h"
#include "statements/statement_sections.h"
#include "tests/statements/test_lines.h"

namespace {

using stmt_test::Doc;
using stmt_test::EntrySpec;
using stmt_test::MakeList;
using stmt_test::TestXmlLines;
using stmt_test::Yen;

constexpr std::uint32_t kCapital = 0x80288000;
constexpr std::uint32_t kReserve = 0x80281040;
constexpr std::uint32_t kRetained = 0x80281048;
constexpr std::uint32_t kTreasury = 0x80280800;
constexpr std::uint32_t kNetIncome = 0x40200040;

struct Written {
  int result;
  std::string text;
};

Written Write(const std::vector<EntrySpec>& specs, std::int16_t kind = 1, int failFrom = 0) {
  const AccountSumList sums = MakeList(specs);
  ClStatementSections sections;
  sections.SetSums(&sums);
  sections.SetStatementKind(kind);
  TestXmlLines lines(failFrom);
  const int result = sections.WriteStatementChangesNetAssets(&lines);
  return {result, lines.text};
}

// The section's first two lines, for the given kind.
std::string Opening(int kind = 1) {
  return Doc()
      .L(2, "<StatementChangesNetAssets>")
      .L(3, "<Select>" + std::to_string(kind) + "</Select>")
      .str();
}

// The whole section around the items.
std::string Frame(const std::string& items, int kind = 1) {
  return Opening(kind) + items + Doc().L(2, "</StatementChangesNetAssets>").str();
}

// An item with only balances, no changes.
std::string BalancesItem(const std::string& list, const std::string& previous,
                         const std::string& current) {
  Doc d;
  d.L(3, "<ChangesNetAssetsItem>").L(4, "<AccountList>" + list + "</AccountList>");
  if (!previous.empty())
    d.L(4, "<BalanceEndPreviousPeriod>" + previous + "</BalanceEndPreviousPeriod>");
  if (!current.empty())
    d.L(4, "<BalanceEndCurrentPeriod>" + current + "</BalanceEndCurrentPeriod>");
  d.L(3, "</ChangesNetAssetsItem>");
  return d.str();
}

TEST(NetAssets, CompanyWithReservesRetainedEarningsAndNetIncome) {
  const auto w = Write({
      {1, "純資産", "", 0x80200000, 2, 0, Yen(4100)},
      {2, "資本金", "", kCapital, 0, Yen(1000), Yen(1000)},
      {3, "別途積立金", "", kReserve, 0, Yen(300), Yen(300)},
      {4, "圧縮積立金", "", kReserve, 3, Yen(100), Yen(150)},
      {5, "繰越利益剰余金", "", kRetained, 0, Yen(2000), Yen(2650)},
      {6, "当期純利益", "", kNetIncome, 2, 0, Yen(650)},
  });
  EXPECT_EQ(w.result, 1);
  EXPECT_EQ(
      w.text,
      Frame(BalancesItem("資本金", "1000", "1000") + BalancesItem("別途積立金", "300", "300") +
            Doc()
                .L(3, "<ChangesNetAssetsItem>")
                .L(4, "<AccountList>任意積立金</AccountList>")
                .L(4, "<BalanceEndPreviousPeriod>100</BalanceEndPreviousPeriod>")
                .L(4, "<ChangesItemsDuringPeriod>")
                .L(5, "<TotalChangesItemsDuringPeriod>50</TotalChangesItemsDuringPeriod>")
                .L(4, "</ChangesItemsDuringPeriod>")
                .L(4, "<BalanceEndCurrentPeriod>150</BalanceEndCurrentPeriod>")
                .L(3, "</ChangesNetAssetsItem>")
                .L(3, "<ChangesNetAssetsItem>")
                .L(4, "<AccountList>繰越利益剰余金</AccountList>")
                .L(4, "<BalanceEndPreviousPeriod>2000</BalanceEndPreviousPeriod>")
                .L(4, "<ChangesItemsDuringPeriod>")
                .L(5, "<TotalChangesItemsDuringPeriod>650</TotalChangesItemsDuringPeriod>")
                .L(5, "<ChangesItem>")
                .L(6, "<Reason>当期純利益</Reason>")
                .L(6, "<Amount>650</Amount>")
                .L(5, "</ChangesItem>")
                .L(4, "</ChangesItemsDuringPeriod>")
                .L(4, "<BalanceEndCurrentPeriod>2650</BalanceEndCurrentPeriod>")
                .L(3, "</ChangesNetAssetsItem>")
                .str()));
}

TEST(NetAssets, WithoutEquityAccountsOnlySelectIsWrittenWhateverTheKind) {
  for (std::int16_t kind : {1, 2}) {
    const auto w = Write({{1, "売上高", "", 0x40888000, 0, 0, Yen(10)}}, kind);
    EXPECT_EQ(w.result, 1);
    EXPECT_EQ(w.text, Frame("", kind));
  }
}

TEST(NetAssets, ReserveNameTestLooksAtTheLabelOnCharacterBoundaries) {
  // 別途積立金 hides at byte 1 of this name, behind a character whose trail
  // byte equals its first byte: it is no special reserve.
  const char hidden[] =
      "\x89\x95"
      "\xCA"
      "途積立金";
  const auto w = Write({
      {1, "【別途積立金】", "", kReserve, 0, Yen(10), Yen(10)},
      {2, hidden, "", kReserve, 0, Yen(20), Yen(20)},
      {3, "別途　積立金", "", kReserve, 0, Yen(40), Yen(40)},
      {4, "別途積立金(未)", "", kReserve, 2, Yen(80), Yen(80)},  // kind 2: no equity account
  });
  EXPECT_EQ(w.result, 1);
  EXPECT_EQ(w.text,
            Frame(BalancesItem("別途積立金", "50", "50") + BalancesItem("任意積立金", "20", "20")));
}

TEST(NetAssets, EachAccountIsCutToWholeYenBeforeSumming) {
  const auto w = Write({
      {1, "資本金", "", kCapital, 0, 0, 6000},
      {2, "資本金", "", 0x80288040, 0, 0, 6000},
      {3, "自己株式", "", kTreasury, 0, -15000, -19999},
      {4, "自己株式２", "", kTreasury, 0, Yen(-2), Yen(-2)},
  });
  EXPECT_EQ(w.result, 1);
  // Treasury stock: previous -1 + -2, closing -1 + -2; movements -0.4999 and 0.
  EXPECT_EQ(w.text, Frame(BalancesItem("自己株式", "-3", "-3")));
}

TEST(NetAssets, NetIncomeWithUnchangedRetainedEarnings) {
  const auto w = Write({
      {1, "繰越利益剰余金", "", kRetained, 0, Yen(700), Yen(700)},
      {2, "当期純利益", "", kNetIncome, 0, Yen(100), Yen(600)},
  });
  EXPECT_EQ(w.result, 1);
  EXPECT_EQ(w.text,
            Frame(Doc()
                      .L(3, "<ChangesNetAssetsItem>")
                      .L(4, "<AccountList>繰越利益剰余金</AccountList>")
                      .L(4, "<BalanceEndPreviousPeriod>700</BalanceEndPreviousPeriod>")
                      .L(4, "<ChangesItemsDuringPeriod>")
                      .L(5, "<TotalChangesItemsDuringPeriod>0</TotalChangesItemsDuringPeriod>")
                      .L(5, "<ChangesItem>")
                      .L(6, "<Reason>当期純利益</Reason>")
                      .L(6, "<Amount>500</Amount>")
                      .L(5, "</ChangesItem>")
                      .L(4, "</ChangesItemsDuringPeriod>")
                      .L(4, "<BalanceEndCurrentPeriod>700</BalanceEndCurrentPeriod>")
                      .L(3, "</ChangesNetAssetsItem>")
                      .str()));
}

TEST(NetAssets, AllZeroRetainedEarningsAreLeftOutWhateverTheNetIncome) {
  EXPECT_EQ(Write({{1, "繰越利益剰余金", "", kRetained, 0, 0, 0},
                   {2, "当期純利益", "", kNetIncome, 0, 0, Yen(500)}})
                .text,
            Frame(""));
  // Without a net-income entry either: nothing to write, no failure.
  const auto w = Write({{1, "繰越利益剰余金", "", kRetained, 0, 9999, 5000}});
  EXPECT_EQ(w.result, 1);
  EXPECT_EQ(w.text, Frame(""));
}

TEST(NetAssets, RetainedEarningsWithoutNetIncomeEntryFailAfterTheItemsBefore) {
  const auto w = Write({
      {1, "資本金", "", kCapital, 0, Yen(1000), Yen(1000)},
      {2, "繰越利益剰余金", "", kRetained, 0, Yen(10), Yen(10)},
      {3, "自己株式", "", kTreasury, 0, Yen(-5), Yen(-5)},
  });
  EXPECT_EQ(w.result, 0);
  EXPECT_EQ(w.text, Opening() + BalancesItem("資本金", "1000", "1000"));
}

TEST(NetAssets, OverflowOfAWholeYenSumFails) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::vector<EntrySpec> specs;
  // 10001 accounts of 922337203685477 yen each pass 2^63 yen.
  for (int i = 0; i < 10001; ++i) specs.push_back({i, "資本金", "", kCapital, 0, kMax, kMax});
  const auto w = Write(specs);
  EXPECT_EQ(w.result, 0);
  EXPECT_EQ(w.text, Opening());
}

TEST(NetAssets, FailedLinePartWayStopsTheSection) {
  // Line 5 is the BalanceEndCurrentPeriod of 資本金.
  const auto w = Write({{1, "資本金", "", kCapital, 0, Yen(1), Yen(2)}}, 1, 5);
  EXPECT_EQ(w.result, 0);
  EXPECT_EQ(w.text, Doc()
                        .L(2, "<StatementChangesNetAssets>")
                        .L(3, "<Select>1</Select>")
                        .L(3, "<ChangesNetAssetsItem>")
                        .L(4, "<AccountList>資本金</AccountList>")
                        .str());
}

TEST(NetAssets, CopyAllocationFailureEndsTheSections) {
  stmt_test::NullEnv inner;
  platform::FaultEnv env(inner);
  env.FailAllocation("AccountCopy", 2);
  platform::ScopedHost host(platform::Host{&env, nullptr, nullptr, nullptr});
  const auto w = Write({
      {1, "資本金", "", kCapital, 0, Yen(1), Yen(1)},
      {2, "資本準備金", "", 0x80282080, 0, Yen(1), Yen(1)},
  });
  EXPECT_EQ(w.result, 0);
  EXPECT_EQ(w.text, Opening() + BalancesItem("資本金", "1", "1"));

  env.FailAllocation("AccountCopy", 1);
  const AccountSumList sums = MakeList({{1, "現金", "", 0x80888100, 0, 0, Yen(1)}});
  ClStatementSections sections;
  sections.SetSums(&sums);
  TestXmlLines lines;
  EXPECT_EQ(sections.WriteItems(&lines, 0x80880000, 5), 0);
  EXPECT_EQ(sections.WriteBalanceSheet(&lines), 0);
  EXPECT_EQ(lines.text,
            Doc().L(2, "<BalanceSheet>").L(3, "<Assets>").L(4, "<CurrentAssets>").str());
}

}  // namespace
