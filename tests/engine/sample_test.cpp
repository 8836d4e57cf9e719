// The sample company of examples/ loads, passes Initiate and is what its
// description says: the selected data set, its accounts and its saved texts.
#include <fstream>
#include <map>
#include <sstream>

#include "engine_test_util.h"

namespace enginetest {
namespace {

class SampleTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    std::ifstream in(STMTLINK_SAMPLE_SQL, std::ios::binary);
    ASSERT_TRUE(in) << STMTLINK_SAMPLE_SQL;
    std::stringstream sql;
    sql << in.rdbuf();
    ASSERT_EQ(0, Connect(sql.str())) << engine::LastInitiateError();
  }

  static std::vector<StKAMOKUSUMINFO> Accounts(const char* dataId) {
    ClRuleKamoku rule;
    rule.SetCurDataID(dataId);
    rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
    std::vector<StKAMOKUSUMINFO> out;
    StKAMOKUSUMINFO rec{};
    while (rule.MoveNext(&rec) == 0) out.push_back(rec);
    return out;
  }

  // debit - credit over all slots of set 1.
  static std::int64_t Net(const StKAMOKUSUMINFO& a, int set = 1) {
    std::int64_t n = 0;
    for (std::size_t k = 0; k < StKAMOKUSUMINFO::kSlots; ++k) {
      n +=
          rec::I64(a.raw, (set == 1 ? StKAMOKUSUMINFO::kDebit1 : StKAMOKUSUMINFO::kDebit2) + 8 * k);
      n -= rec::I64(a.raw,
                    (set == 1 ? StKAMOKUSUMINFO::kCredit1 : StKAMOKUSUMINFO::kCredit2) + 8 * k);
    }
    return n;
  }
};

TEST_F(SampleTest, SelectedDataSetOfTheCurrentUser) {
  char user[65];
  ClDataMgr::Inst()->GetSysUserObject()->GetCurUserID(user);
  EXPECT_STREQ("user01", user);
  const StDATAINFO* d =
      static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1))->GetSelectedInfo();
  EXPECT_STREQ("SMPL2024", rec::Text(d->raw, StDATAINFO::kDataId));
  EXPECT_STREQ("株式会社サンプル商事", rec::Text(d->raw, StDATAINFO::kCompanyName));
  EXPECT_EQ(20240401, rec::I32(d->raw, StDATAINFO::kPeriodStart));
  EXPECT_EQ(20250331, rec::I32(d->raw, StDATAINFO::kPeriodEnd));
  EXPECT_EQ(0, rec::I32(d->raw, StDATAINFO::kMfgCostFlag));
  EXPECT_EQ(1, d->raw[StDATAINFO::kCompaniesAct]);
  char id[35];
  ClUtyDBHpr::MakeIDStr(d, id);
  EXPECT_STREQ("SMPL2024", id);
  EXPECT_EQ(0, ClLdgConnect::Inst()->ExpSysLink());
}

TEST_F(SampleTest, AccountsKeepDoubleEntryAndTotalsAddUp) {
  auto accounts = Accounts("SMPL2024");
  ASSERT_GE(accounts.size(), 30u);
  ClRuleKamoku rule;
  rule.SetCurDataID("SMPL2024");
  unsigned long count = 0;
  ASSERT_EQ(0, rule.GetSumCount(&count));
  EXPECT_EQ(accounts.size(), count);

  std::map<std::uint32_t, std::int64_t> byCode;  // first entry of each code
  std::int64_t balance = 0, income = 0;
  for (const auto& a : accounts) {
    std::uint32_t code = rec::U32(a.raw, StKAMOKUSUMINFO::kCategory);
    byCode.emplace(code, Net(a));
    EXPECT_EQ(Net(a, 1), Net(a, 2));  // both sets carry the same amounts
    if (a.raw[StKAMOKUSUMINFO::kKind] != 0) continue;
    if (code & 0x80000000u) balance += Net(a);
    if (code & 0x40000000u) income += Net(a);
  }
  // Items of the balance sheet net to zero: every booking has both sides.
  EXPECT_EQ(0, balance);
  // Net income, a credit-side total, is revenues less expenses: 4,393,000 yen;
  // operating income 6,520,000 yen.
  ASSERT_TRUE(byCode.count(0x40200040u));
  EXPECT_EQ(income, byCode[0x40200040u]);
  EXPECT_EQ(-43930000000, byCode[0x40200040u]);
  EXPECT_EQ(-65200000000, byCode[0x40880000u]);
  // The heading of current assets carries the sum of its items.
  std::int64_t current = 0;
  for (const auto& a : accounts) {
    std::uint32_t code = rec::U32(a.raw, StKAMOKUSUMINFO::kCategory);
    if (a.raw[StKAMOKUSUMINFO::kKind] == 0 && (code & 0x80880000u) == 0x80880000u)
      current += Net(a);
  }
  EXPECT_EQ(current, byCode[0x80880000u]);
}

TEST_F(SampleTest, SavedTextsOfTheThreeKinds) {
  ClSaveKessansho save;
  save.SetCurDataID("SMPL2024");
  const std::pair<int, const char*> kinds[] = {
      {0, "Note=1"}, {100, "InputMode=1"}, {100, "[Note_33]"}, {1000, "<ID>1000010"}};
  for (auto [kind, text] : kinds) {
    char* buffer = nullptr;
    long length = 0;
    ASSERT_EQ(0, save.GetDataType02(kind, &buffer, &length)) << kind;
    EXPECT_NE(nullptr, std::strstr(buffer, text)) << kind;
    CoTaskMemFree(buffer);
  }
}

}  // namespace
}  // namespace enginetest
