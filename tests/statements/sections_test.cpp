#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/frontend.h"
#include "platform/host.h"
#include "statements/statement_sections.h"
#include "tests/statements/test_lines.h"

namespace {

using stmt_test::Doc;
using stmt_test::MakeList;
using stmt_test::TestXmlLines;
using stmt_test::Yen;

constexpr platform::HWND kOwner = 0x1234;

// Counts the message boxes and keeps what they showed.
using CountingFrontEnd = test_support::RecordingFrontEnd;

// One company's accounts, in engine order.
AccountSumList Company() {
  return MakeList({
      // Balance sheet.
      {1110000, "【流動資産】", "", 0x80880000, 2, 0, Yen(1300)},
      {1111000, "現金", "", 0x80888100, 0, 0, 10005000},  // 1000.5 yen
      {1112000, "普通　預金", "", 0x80884100, 3, 0, Yen(500)},
      {1113000, "小口現金", "", 0x80888200, 0, 0, 5000},  // 0.5 yen: left out
      {1114000, "A&B<社>", "", 0x80888300, 0, 0, Yen(-200)},
      {1200000, "固定資産", "", 0x80840000, 2, 0, 9999},
      {1210000, "建物", "", 0x80848100, 0, 0, Yen(3000)},
      {1234567, "（未分類）資産", "", 0x80840004, 0, 0, Yen(100)},
      {1240000, "保証金", "", 0x80840008, 3, 0, 3000},
      {1250000, "無形固定資産", "", 0x80844000, 2, 0, Yen(50)},
      {1251000, "ソフトウェア", "", 0x80844100, 0, 0, Yen(50)},
      {2000000, "負債", "", 0x80400000, 2, 0, Yen(800)},
      {2110000, "買掛金", "", 0x80488100, 0, 0, Yen(800)},
      {3000000, "純資産", "", 0x80200000, 2, 0, Yen(4100)},
      {3110000, "資本金", "", 0x80288000, 0, Yen(1000), Yen(1000)},
      {3210000, "別途積立金", "", 0x80281040, 0, Yen(300), Yen(300)},
      {3220000, "圧縮積立金", "", 0x80281040, 0, Yen(100), Yen(150)},
      {3230000, "繰越利益剰余金", "", 0x80281048, 0, Yen(2000), Yen(2650)},
      // Income statement.
      {4100000, "売上高", "", 0x40888000, 2, 0, Yen(5000)},
      {4110000, "[製]製品売上", "", 0x40888100, 0, 0, Yen(5000)},
      {5110000, "仕入高", "", 0x40884100, 0, 0, Yen(3000)},
      {5200000, "製造原価", "", 0x40884200, 2, 0, Yen(1000)},
      {5300000, "売上総利益", "", 0x40880008, 2, 0, Yen(2000)},
      {6100000, "給料　手当", "", 0x40882100, 0, 0, Yen(1200)},
      {7100000, "受取利息", "", 0x40848100, 0, 0, 9999},
      {7500000, "経常利益", "経常利益（損失）", 0x40800000, 2, 0, Yen(800)},
      {8000000, "税引前当期純利益", "", 0x40200080, 0, 0, Yen(800)},
      {8100000, "法人税等", "", 0x40200100, 0, 0, Yen(150)},
      {8200000, "法人税等調整額", "", 0x40200020, 0, 0, Yen(10)},
      {8300000, "還付税額", "", 0x40200010, 3, 0, Yen(5)},
      {8900000, "当期純利益", "", 0x40200040, 0, 0, Yen(650)},
  });
}

std::string BalanceSheet() {
  return Doc()
      .L(2, "<BalanceSheet>")
      .L(3, "<Assets>")
      .L(4, "<CurrentAssets Label=\"流動資産\" Amount=\"1300\">")
      .L(5, "<Item Label=\"現金\">1000</Item>")
      .L(5, "<Item Label=\"普通預金\">500</Item>")
      .L(5, "<Item Label=\"A&amp;B&lt;社&gt;\">-200</Item>")
      .L(4, "</CurrentAssets>")
      .L(4, "<NoncurrentAssets Label=\"固定資産\" Amount=\"\">")
      .L(5, "<PropertyPlantAndEquipment>")
      .L(6, "<Item Label=\"建物\">3000</Item>")
      .L(6, "<Item Label=\"未分類資産\">100</Item>")
      .L(5, "</PropertyPlantAndEquipment>")
      .L(5, "<IntangibleAssets Label=\"無形固定資産\" Amount=\"50\">")
      .L(6, "<Item Label=\"ソフトウェア\">50</Item>")
      .L(6, "<Item Label=\"未分類資産\">100</Item>")
      .L(5, "</IntangibleAssets>")
      .L(5, "<InvestmentsAndOtherAssets>")
      .L(6, "<Item Label=\"未分類資産\">100</Item>")
      .L(5, "</InvestmentsAndOtherAssets>")
      .L(4, "</NoncurrentAssets>")
      .L(4, "<DeferredAssets>")
      .L(4, "</DeferredAssets>")
      .L(3, "</Assets>")
      .L(3, "<Liabilities Label=\"負債\" Amount=\"800\">")
      .L(4, "<CurrentLiabilities>")
      .L(5, "<Item Label=\"買掛金\">800</Item>")
      .L(4, "</CurrentLiabilities>")
      .L(4, "<NoncurrentLiabilities>")
      .L(4, "</NoncurrentLiabilities>")
      .L(3, "</Liabilities>")
      .L(3, "<NetAssets Label=\"純資産\" Amount=\"4100\">")
      .L(4, "<Item Label=\"資本金\">1000</Item>")
      .L(4, "<Item Label=\"別途積立金\">300</Item>")
      .L(4, "<Item Label=\"圧縮積立金\">150</Item>")
      .L(4, "<Item Label=\"繰越利益剰余金\">2650</Item>")
      .L(3, "</NetAssets>")
      .L(2, "</BalanceSheet>")
      .str();
}

class SectionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sums_ = Company();
    sections_.SetSums(&sums_);
    sections_.SetOwnerWindow(kOwner);
  }
  AccountSumList sums_;
  ClStatementSections sections_;
  CountingFrontEnd ui_;
  platform::ScopedHost host_{platform::Host{nullptr, nullptr, &ui_, nullptr}};
};

TEST_F(SectionsTest, BalanceSheetWithOneWarningForTheUnclassifiedAccount) {
  TestXmlLines lines;
  ASSERT_EQ(sections_.WriteBalanceSheet(&lines), 1);
  EXPECT_EQ(lines.text, BalanceSheet());

  ASSERT_EQ(ui_.boxes.size(), 1u);
  const auto& box = ui_.boxes[0];
  EXPECT_EQ(box.owner, kOwner);
  EXPECT_EQ(box.caption, "決算書");
  EXPECT_EQ(box.type, platform::MB_OK | platform::MB_ICONEXCLAMATION);
  // The stored formal name, marks and all; key / 10000 as the code.
  EXPECT_EQ(box.text,
            "以下の科目は、正しい分類に出力することができません。\r\n"
            "科目性格を見直す必要があります。\r\n\r\n"
            "科目コード\t： 123\r\n"
            "正式名称\t： （未分類）資産\r\n\r\n"
            "Ledgoraの勘定科目設定画面にて、科目性格を\r\n"
            " [有形固定資産] [無形固定資産] [投資その他の資産]\r\n"
            "のいずれかに設定し、もう一度処理を行ってください。\r\n");
}

TEST_F(SectionsTest, NoWarningWithoutOwnerWindow) {
  sections_.SetOwnerWindow(0);
  TestXmlLines lines;
  ASSERT_EQ(sections_.WriteBalanceSheet(&lines), 1);
  EXPECT_EQ(lines.text, BalanceSheet());
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(SectionsTest, WarningNamesTheWholeCodeOfANegativeKey) {
  sums_ = MakeList({{-1239999, "未分類", "", 0x80840000, 3, 0, Yen(7)}});
  TestXmlLines lines;
  ASSERT_EQ(sections_.WriteUnclassifiedNoncurrentItems(&lines, 6, 1), 1);
  EXPECT_EQ(lines.text, Doc().L(6, "<Item Label=\"未分類\">7</Item>").str());
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_NE(ui_.boxes[0].text.find("科目コード\t： -123\r\n"), std::string::npos);
}

TEST_F(SectionsTest, IncomeStatementWithMissingTotalsAndIncomeTaxSkips) {
  TestXmlLines lines;
  ASSERT_EQ(sections_.WriteIncomeStatement(&lines), 1);
  EXPECT_EQ(lines.text,
            Doc()
                .L(2, "<IncomeStatement>")
                .L(3, "<NetSales Label=\"売上高\" Amount=\"5000\">")
                .L(4, "<Item Label=\"製品売上\">5000</Item>")
                .L(3, "</NetSales>")
                .L(3, "<CostOfSales>")
                .L(4, "<Item Label=\"仕入高\">3000</Item>")
                .L(3, "</CostOfSales>")
                .L(3, "<GrossProfit Label=\"売上総利益\" Amount=\"2000\"></GrossProfit>")
                .L(3, "<SellingGeneralAndAdministrativeExpenses>")
                .L(4, "<Item Label=\"給料手当\">1200</Item>")
                .L(3, "</SellingGeneralAndAdministrativeExpenses>")
                .L(3, "<NonOperatingIncome>")
                .L(3, "</NonOperatingIncome>")
                .L(3, "<NonOperatingExpenses>")
                .L(3, "</NonOperatingExpenses>")
                .L(3, "<OrdinaryIncome Label=\"経常利益損失\" Amount=\"800\"></OrdinaryIncome>")
                .L(3, "<ExtraordinaryIncome>")
                .L(3, "</ExtraordinaryIncome>")
                .L(3, "<ExtraordinaryLoss>")
                .L(3, "</ExtraordinaryLoss>")
                .L(3,
                   "<IncomeBeforeIncomeTaxes Label=\"税引前当期純利益\" "
                   "Amount=\"800\"></IncomeBeforeIncomeTaxes>")
                .L(3, "<IncomeTaxes>")
                .L(4, "<Item Label=\"法人税等\">150</Item>")
                .L(4, "<Item Label=\"当期純利益\">650</Item>")
                .L(3, "</IncomeTaxes>")
                .L(3, "<NetIncome Label=\"当期純利益\" Amount=\"650\"></NetIncome>")
                .L(2, "</IncomeStatement>")
                .str());
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(SectionsTest, TotalWithAbsentClosingHasEmptyAmount) {
  sums_ = MakeList({{1, "営業損益", "", 0x40880000, 2, 0, -9999}});
  TestXmlLines lines;
  ASSERT_EQ(sections_.WriteTotal(&lines, 0x40880000, "OperatingIncome", 3), 1);
  EXPECT_EQ(lines.text,
            Doc().L(3, "<OperatingIncome Label=\"営業損益\" Amount=\"\"></OperatingIncome>").str());
}

TEST_F(SectionsTest, AFailedLineEndsTheSectionAtOnce) {
  // Line 14 is the first item of IntangibleAssets.
  TestXmlLines lines(14);
  EXPECT_EQ(sections_.WriteBalanceSheet(&lines), 0);
  EXPECT_EQ(lines.calls, 14);
  const std::string full = BalanceSheet();
  std::size_t end = 0;
  for (int i = 0; i < 13; ++i) end = full.find("\r\n", end) + 2;
  EXPECT_EQ(lines.text, full.substr(0, end));
}

TEST_F(SectionsTest, EveryWriterFailsWithoutAWriterOrOnItsFirstLine) {
  EXPECT_EQ(sections_.WriteBalanceSheet(nullptr), 0);
  EXPECT_EQ(sections_.WriteIncomeStatement(nullptr), 0);
  EXPECT_EQ(sections_.WriteScheduleCostGoodsManufactured(nullptr), 0);
  EXPECT_EQ(sections_.WriteStatementChangesNetAssets(nullptr), 0);
  EXPECT_EQ(sections_.WriteItems(nullptr, 0x80880000, 5), 0);
  EXPECT_EQ(sections_.WriteTotal(nullptr, 0x40880008, "GrossProfit", 3), 0);
  EXPECT_EQ(sections_.WriteIncomeTaxItems(nullptr, 4), 0);
  EXPECT_EQ(sections_.WriteUnclassifiedNoncurrentItems(nullptr, 6, 1), 0);
  for (int section = 0; section < 4; ++section) {
    TestXmlLines lines(1);
    const int result = section == 0   ? sections_.WriteBalanceSheet(&lines)
                       : section == 1 ? sections_.WriteIncomeStatement(&lines)
                       : section == 2 ? sections_.WriteScheduleCostGoodsManufactured(&lines)
                                      : sections_.WriteStatementChangesNetAssets(&lines);
    EXPECT_EQ(result, 0) << section;
    EXPECT_EQ(lines.calls, 1) << section;
  }
}

TEST_F(SectionsTest, LookupsAndCollections) {
  // FindEntry takes any kind; the collections only kinds 0 and 3.
  ASSERT_NE(sections_.FindEntry(0x80880000), nullptr);
  EXPECT_EQ(sections_.FindEntry(0x80880000)->key, 1110000);
  EXPECT_EQ(sections_.FindEntry(0x80800000), nullptr);
  AccountCopyList copies;
  ASSERT_EQ(sections_.CollectByMask(0x80880000, copies), 1);
  std::vector<std::int32_t> keys;
  for (const auto& c : copies) keys.push_back(c->key);
  EXPECT_EQ(keys, (std::vector<std::int32_t>{1111000, 1112000, 1113000, 1114000}));
  ASSERT_EQ(sections_.CollectByCode(0x80281040, copies), 1);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies.front()->key, 3210000);
  EXPECT_NE(copies.front().get(), sections_.FindEntry(0x80281040)) << "a copy, not the entry";
  ASSERT_EQ(sections_.CollectByCode(0x80880000, copies), 1);
  EXPECT_TRUE(copies.empty()) << "kind 2 is not collected";
}

AccountSumList Manufacturing(bool subcontract) {
  std::vector<stmt_test::EntrySpec> specs = {
      {1, "材料費", "", 0x20800000, 2, 0, Yen(400)},
      {2, "[製]材料　費", "", 0x20800100, 0, 0, Yen(400)},
      {3, "補助材料", "", 0x20800200, 0, 0, -9000},  // below one yen
      {4, "賃金", "", 0x20400100, 0, 0, Yen(300)},
      {6, "外注加工費", "", 0x20040100, 0, 0, Yen(100)},
      {7, "(製)電力料", "", 0x20200100, 3, 0, Yen(50)},
      {8, "当期総製造費用", "", 0x20080000, 2, 0, Yen(850)},
      {9, "期首仕掛品", "", 0x20108100, 0, 0, Yen(20)},
      {10, "期末仕掛品", "", 0x20102100, 0, 0, Yen(70)},
      {11, "製造原価", "当期製品製造原価", 0x40884200, 2, 0, Yen(800)},
  };
  if (subcontract) specs.push_back({5, "外注費", "", 0x20040000, 2, 0, 0});
  return MakeList(specs);
}

std::string Schedule(bool subcontract) {
  Doc doc;
  doc.L(2, "<ScheduleCostGoodsManufactured>")
      .L(3, "<MaterialCost Label=\"材料費\" Amount=\"400\">")
      .L(4, "<Item Label=\"材料費\">400</Item>")
      .L(3, "</MaterialCost>")
      .L(3, "<LaborCost>")
      .L(4, "<Item Label=\"賃金\">300</Item>")
      .L(3, "</LaborCost>");
  if (subcontract) {
    doc.L(3, "<SubcontractCost Label=\"外注費\" Amount=\"\">")
        .L(4, "<Item Label=\"外注加工費\">100</Item>")
        .L(3, "</SubcontractCost>");
  }
  doc.L(3, "<OverheadExpenses>")
      .L(4, "<Item Label=\"電力料\">50</Item>")
      .L(3, "</OverheadExpenses>")
      .L(3,
         "<TotalProductionCostUtilized Label=\"当期総製造費用\" "
         "Amount=\"850\"></TotalProductionCostUtilized>")
      .L(3, "<WorkProcessBeginningInventories>")
      .L(4, "<Item Label=\"期首仕掛品\">20</Item>")
      .L(3, "</WorkProcessBeginningInventories>")
      .L(3, "<WorkProcessClosingInventories>")
      .L(4, "<Item Label=\"期末仕掛品\">70</Item>")
      .L(3, "</WorkProcessClosingInventories>")
      .L(3, "<CostFinishedGoods Label=\"当期製品製造原価\" Amount=\"800\"></CostFinishedGoods>")
      .L(2, "</ScheduleCostGoodsManufactured>");
  return doc.str();
}

TEST_F(SectionsTest, ScheduleOfCostOfGoodsManufactured) {
  for (bool subcontract : {true, false}) {
    sums_ = Manufacturing(subcontract);
    TestXmlLines lines;
    ASSERT_EQ(sections_.WriteScheduleCostGoodsManufactured(&lines), 1);
    EXPECT_EQ(lines.text, Schedule(subcontract)) << "subcontract " << subcontract;
  }
}

}  // namespace
