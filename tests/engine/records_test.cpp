// The engine's records as the program reads them: every field at its offset,
// little-endian, and every other byte zero.
#include <array>
#include <cstring>

#include "engine_test_util.h"

namespace enginetest {
namespace {

template <std::size_t N>
void Put(std::array<unsigned char, N>& rec, std::size_t off, std::initializer_list<int> bytes) {
  for (int b : bytes) rec[off++] = static_cast<unsigned char>(b);
}

template <std::size_t N>
void ExpectBytes(const unsigned char* got, const std::array<unsigned char, N>& want) {
  for (std::size_t i = 0; i < N; ++i) {
    ASSERT_EQ(got[i], want[i]) << "byte " << i;
  }
}

class RecordsTest : public EngineTest {};

TEST_F(RecordsTest, DataInfoFieldsAtTheirOffsets) {
  ASSERT_EQ(0, Connect(U8(u8R"(
    INSERT INTO data_sets VALUES (1, 'ABCDEFGHIJKLMNO', NULL, 0x01020304, '株式', 20240401,
                                  20250331, -2, 0x0A0B0C0D, -3, 0xFE, 1, 0);
  )")));
  std::array<unsigned char, StDATAINFO::kSize> want{};
  Put(want, 0, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O'});
  Put(want, 16, {0x04, 0x03, 0x02, 0x01});
  Put(want, 24, {0x8A, 0x94, 0x8E, 0xAE});   // 株式 in CP932
  Put(want, 284, {0x11, 0xD8, 0x34, 0x01});  // 20240401 = 0x0134D811
  Put(want, 288, {0xDB, 0xFE, 0x34, 0x01});  // 20250331 = 0x0134FEDB
  Put(want, 300, {0xFE, 0xFF, 0xFF, 0xFF});
  Put(want, 304, {0x0D, 0x0C, 0x0B, 0x0A});
  Put(want, 326, {0xFD, 0xFF});
  Put(want, 876, {0xFE});

  auto* set = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1));
  long cursor = 0;
  ASSERT_EQ(0, set->GetDatCursor(&cursor));
  ASSERT_EQ(0, set->ReadyDat(cursor, 0));
  StDATAINFO rec;
  std::memset(rec.raw, 0x55, sizeof rec.raw);
  ASSERT_EQ(0, set->WalkDat(&rec, cursor));
  ExpectBytes(rec.raw, want);
  EXPECT_NE(0, set->WalkDat(&rec, cursor));
  EXPECT_EQ(0, set->ReleaseDatCursor(cursor));
}

TEST_F(RecordsTest, AccountSumInfoFieldsAndBothAmountSets) {
  ASSERT_EQ(0, Connect(U8(u8R"(
    INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end)
      VALUES (1, 'D1', 1, 20240101, 20241231);
    INSERT INTO accounts VALUES ('D1', 1, 0x01020304, '現金', 'ab', 3, 2, 0x80880010);
    INSERT INTO account_amounts VALUES
      ('D1', 1, 1, 0, 1, 0x0102030405060708),
      ('D1', 1, 1, 14, -1, 2),
      ('D1', 1, 2, 7, 0x11, 0x22),
      ('D1', 1, 2, 14, 0x33, -0x44);
  )")));
  std::array<unsigned char, StKAMOKUSUMINFO::kSize> want{};
  Put(want, 32, {0x04, 0x03, 0x02, 0x01});
  Put(want, 38, {0x8C, 0xBB, 0x8B, 0xE0});  // 現金
  Put(want, 95, {'a', 'b'});
  Put(want, 128, {3});
  Put(want, 130, {2});
  Put(want, 136, {0x10, 0x00, 0x88, 0x80});
  // Set 1: debit slots from 152, credit slots from 392.
  Put(want, 152 + 0 * 8, {1, 0, 0, 0, 0, 0, 0, 0});
  Put(want, 392 + 0 * 8, {0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01});
  Put(want, 152 + 14 * 8, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  Put(want, 392 + 14 * 8, {2, 0, 0, 0, 0, 0, 0, 0});
  // Set 2: debit slots from 272, credit slots from 512.
  Put(want, 272 + 7 * 8, {0x11, 0, 0, 0, 0, 0, 0, 0});
  Put(want, 512 + 7 * 8, {0x22, 0, 0, 0, 0, 0, 0, 0});
  Put(want, 272 + 14 * 8, {0x33, 0, 0, 0, 0, 0, 0, 0});
  Put(want, 512 + 14 * 8, {0xBC, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});

  ClRuleKamoku rule;
  rule.SetCurDataID("D1");
  StFINDINFO window{};
  ASSERT_EQ(0, rule.MoveReady(1, 0, 0, &window, nullptr, 0));
  StKAMOKUSUMINFO rec;
  std::memset(rec.raw, 0x55, sizeof rec.raw);
  ASSERT_EQ(0, rule.MoveNext(&rec));
  ExpectBytes(rec.raw, want);
  EXPECT_EQ(5000, rule.MoveNext(&rec));
}

TEST_F(RecordsTest, ShohizeiInfoFlagAtOffsetFive) {
  ASSERT_EQ(0, Connect(R"(
    INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end, tax_flag)
      VALUES (1, 'D1', 1, 20240101, 20241231, 1);
    INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end, tax_flag,
                           tax_result)
      VALUES (2, 'D2', 2, 20240101, 20241231, 1, 3);
  )"));
  auto* tax = static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(4, 1));
  StSHOHIZEIINFO info;
  std::memset(info.raw, 0xAA, sizeof info.raw);
  tax->SetCurDataID("D1");
  ASSERT_EQ(0, tax->Get(&info));
  std::array<unsigned char, StSHOHIZEIINFO::kSize> want{};
  want[5] = 1;
  ExpectBytes(info.raw, want);

  // A failing Get leaves the caller's record untouched.
  std::memset(info.raw, 0xAA, sizeof info.raw);
  tax->SetCurDataID("D2");
  EXPECT_EQ(3, tax->Get(&info));
  tax->SetCurDataID("none");
  EXPECT_EQ(1, tax->Get(&info));
  for (unsigned char b : info.raw) ASSERT_EQ(0xAA, b);
}

TEST_F(RecordsTest, BlobTextsPassThroughUnchanged) {
  // Raw CP932 bytes, including a pair that is not a CP932 character.
  ASSERT_EQ(0, Connect(R"(
    INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start, period_end)
      VALUES (1, X'8A94FF41', 1, X'8A948EAE5C', 20240101, 20241231);
    INSERT INTO accounts (data_id, seq, account_key, name, name2)
      VALUES (X'8A94FF41', 1, 1, X'835C', X'8140');
    INSERT INTO saved_statements (data_id, kind, content) VALUES (X'8A94FF41', 0, X'8E9197BF0D0A');
    INSERT INTO engine_settings VALUES ('output_folder', X'433A5C955C5C');
  )"));
  StDATAINFO rec{};
  auto* set = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1));
  long cursor = 0;
  set->GetDatCursor(&cursor);
  set->ReadyDat(cursor, 0);
  ASSERT_EQ(0, set->WalkDat(&rec, cursor));
  set->ReleaseDatCursor(cursor);
  EXPECT_STREQ("\x8A\x94\xFF\x41", rec::Text(rec.raw, StDATAINFO::kDataId));
  EXPECT_STREQ("\x8A\x94\x8E\xAE\x5C", rec::Text(rec.raw, StDATAINFO::kCompanyName));

  ClRuleKamoku rule;
  rule.SetCurDataID("\x8A\x94\xFF\x41");
  rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
  StKAMOKUSUMINFO acc{};
  ASSERT_EQ(0, rule.MoveNext(&acc));
  EXPECT_STREQ("\x83\x5C", rec::Text(acc.raw, StKAMOKUSUMINFO::kName));
  EXPECT_STREQ("\x81\x40", rec::Text(acc.raw, StKAMOKUSUMINFO::kName2));

  ClSaveKessansho save;
  save.SetCurDataID("\x8A\x94\xFF\x41");
  char* text = nullptr;
  long length = 0;
  ASSERT_EQ(0, save.GetDataType02(0, &text, &length));
  EXPECT_STREQ("\x8E\x91\x97\xBF\r\n", text);
  EXPECT_EQ(6, length);
  CoTaskMemFree(text);

  EXPECT_EQ("C:\\\x95\x5C\\", ClFileMgr::Inst()->GetAppFolderPath(0));
}

TEST_F(RecordsTest, TextColumnsAreConvertedToCp932) {
  // 16 kanji: 48 bytes of UTF-8 but 32 of CP932, so the second name fits.
  ASSERT_EQ(0, Connect(U8(u8R"(
    INSERT INTO data_sets (cursor_order, data_id, data_no, period_start, period_end)
      VALUES (1, 'D1', 1, 20240101, 20241231);
    INSERT INTO accounts (data_id, seq, account_key, name, name2)
      VALUES ('D1', 1, 1, '繰越利益剰余金', '一二三四五六七八九十一二三四五六');
  )")));
  ClRuleKamoku rule;
  rule.SetCurDataID("D1");
  StKAMOKUSUMINFO acc{};
  ASSERT_EQ(0, rule.MoveNext(&acc));
  EXPECT_STREQ("繰越利益剰余金", rec::Text(acc.raw, StKAMOKUSUMINFO::kName));
  EXPECT_STREQ("一二三四五六七八九十一二三四五六", rec::Text(acc.raw, StKAMOKUSUMINFO::kName2));
  EXPECT_EQ(0, acc.raw[StKAMOKUSUMINFO::kName2 + 32]);
}

}  // namespace
}  // namespace enginetest
