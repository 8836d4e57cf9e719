#include <map>

#include "report/kessansho_xml.h"
#include "report/note_items.h"
#include "report/notes_lines.h"
#include "report/xml_writer.h"
#include "report_fixture.h"

namespace {

using reptest::HostFolderTest;

TEST(BuildNotesLinesTest, SplittingRules) {
  struct Case {
    std::string text;
    NotesLines expected;
  } cases[] = {
      {"A\r\n\r\nB", {"A", "", "B"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A", {"A"}},
      {"", {}},
      {"\r\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"A\nB\rC", {"A\nB\rC"}},  // only CR LF ends a line
      {"A\r\r\nB", {"A\r", "B"}},
  };
  for (const Case& c : cases) {
    NotesLines lines = {"stale"};
    BuildNotesLines(c.text, lines);
    EXPECT_EQ(lines, c.expected) << c.text;
  }
}

TEST(BuildNotesLinesTest, DecodesEntitiesInOnePass) {
  struct Case {
    std::string text;
    std::string expected;
  } cases[] = {
      {"&lt;", "<"},
      {"&amp;lt;", "&lt;"},
      {"&gt;&apos;&quot;&amp;", ">'\"&"},
      {"&amp&ltx;&#38;", "&amp&ltx;&#38;"},  // not references: kept
      {"&&lt;", "&<"},
      {"ソ&amp;表", "ソ&表"},
  };
  for (const Case& c : cases) {
    NotesLines lines;
    BuildNotesLines(c.text, lines);
    ASSERT_EQ(lines.size(), 1u) << c.text;
    EXPECT_EQ(lines[0], c.expected) << c.text;
  }
  // Decoding comes first: a decoded tag is plain text of its line.
  NotesLines lines;
  BuildNotesLines("&lt;Line&gt;a\r\nb", lines);
  EXPECT_EQ(lines, (NotesLines{"<Line>a", "b"}));
}

const char kHeading[] =
    "以下の注記は連動に対応していません。\nこれらの注記はZeimark上で手入力してください。\n\n";
const char kTail[] = "\nこれらの注記を除いて処理を続行します。";

TEST(UnsupportedNotesWarningTest, Composition) {
  unsigned char flags[kNoteDisplayFlagCount] = {};
  EXPECT_EQ(UnsupportedNotesWarning(flags), "");
  EXPECT_EQ(UnsupportedNotesWarning(nullptr), "");
  for (int p : {11, 12, 13, 14, 15, 18, 19, 22, 31, 34, 49}) flags[p] = 1;
  EXPECT_EQ(UnsupportedNotesWarning(flags), "");

  flags[33] = 1;
  flags[16] = 1;
  EXPECT_EQ(UnsupportedNotesWarning(flags), std::string(kHeading) +
                                                "・金融商品に関する注記\n"
                                                "・収益認識に関する注記\n" +
                                                kTail);
  unsigned char all[kNoteDisplayFlagCount] = {};
  for (int p : {16, 17, 20, 21, 32, 33}) all[p] = 2;
  EXPECT_EQ(UnsupportedNotesWarning(all), std::string(kHeading) +
                                              "・会計上の見積もりに関する注記\n"
                                              "・会計上の見積もりの変更に関する注記\n"
                                              "・誤謬の訂正に関する注記\n"
                                              "・金融商品に関する注記\n"
                                              "・賃貸等不動産に関する注記\n"
                                              "・収益認識に関する注記\n" +
                                              kTail);
}

TEST(NoteItemTableTest, RowsBlocksAndNumbers) {
  const std::map<int, std::pair<int, int>> blocks = {
      // block: group, items
      {100, {0, 1}},  {101, {1, 12}}, {102, {1, 1}},  {103, {1, 1}}, {106, {2, 33}},
      {107, {3, 14}}, {108, {4, 86}}, {109, {5, 3}},  {110, {6, 5}}, {113, {7, 14}},
      {114, {8, 3}},  {115, {9, 1}},  {117, {10, 3}},
  };
  std::map<int, int> counts;
  int previousBlock = 0, position = 0;
  for (int row = 0; row < kNoteItemRows - 1; ++row) {
    const NoteItem& item = NoteItemTable[row];
    int block = item.itemNumber / 10000;
    ASSERT_TRUE(blocks.count(block)) << row;
    position = block == previousBlock ? position + 1 : 1;
    previousBlock = block;
    EXPECT_EQ(item.itemNumber, block * 10000 + 10 * position) << row;
    EXPECT_EQ(item.group, blocks.at(block).first) << row;
    EXPECT_GE(item.level, 3) << row;
    EXPECT_LE(item.level, 8) << row;
    EXPECT_NE(std::string(item.name), "") << row;
    ++counts[block];
  }
  for (const auto& [block, gi] : blocks) EXPECT_EQ(counts[block], gi.second) << block;
  const NoteItem& closing = NoteItemTable[kNoteItemRows - 1];
  EXPECT_EQ(closing.group, 0);
  EXPECT_EQ(closing.itemNumber, 0);
  EXPECT_EQ(closing.level, 0);
  EXPECT_STREQ(closing.name, "");
}

TEST(NoteItemTableTest, SampleRows) {
  std::map<long, std::pair<int, std::string>> byNumber;
  for (int row = 0; row < kNoteItemRows - 1; ++row) {
    byNumber[NoteItemTable[row].itemNumber] = {NoteItemTable[row].level, NoteItemTable[row].name};
  }
  const std::map<long, std::pair<int, std::string>> expected = {
      {1000010, {3, "NotesGoingConcernAssumption"}},
      {1010030, {5, "ValuationBasisValuationMethodMarketableSecurities"}},
      {1010120, {6, "SignificantAccountingPoliciesDescription"}},
      {1020010, {4, "ChangesAccountingPrincipleProcedure"}},
      {1030010, {4, "ChangesPresentation"}},
      {1060010, {3, "NoteBalanceSheet"}},
      {1060160, {6, "MonetaryReceivablesPayablesAffiliatesAmount"}},
      {1060330, {5, "OthersNotesBalanceSheetDescription"}},
      {1070140, {5, "OtherNotesIncomeStatementDescription"}},
      {1080050, {7, "NumberSharesIssuanceNewOrdinaryShares-P"}},
      {1080720, {8, "TypeStocksCashDividendAfterPeriod"}},
      {1080860, {8, "EffectiveDatePropertyDividendAfterPeriod"}},
      {1090030, {4, "MajorCauseDeferredTaxLiabilities"}},
      {1100050, {4, "OtherSignificantMattersLeasedAssets"}},
      {1130040,
       {5, "RatioVotingRightsOwnedCompanyTotalVotingRightsOwnedAllShareholdersRelatedParty"}},
      {1130100, {7, "TransactionType"}},
      {1140030, {4, "NetIncomeNetLossPerShare"}},
      {1150010, {3, "NotesMaterialSubsequentEvents"}},
      {1170030, {4, "ItemDescriptionOtherNotes"}},
  };
  for (const auto& [number, row] : expected) {
    ASSERT_TRUE(byNumber.count(number)) << number;
    EXPECT_EQ(byNumber[number], row) << number;
  }
  // Every block starts with a level-3 item, except the two that continue
  // inside block 101's policies.
  for (int row = 0; row < kNoteItemRows - 1; ++row) {
    const NoteItem& item = NoteItemTable[row];
    if (item.itemNumber % 10000 != 10) continue;
    int block = item.itemNumber / 10000;
    EXPECT_EQ(item.level, block == 102 || block == 103 ? 4 : 3) << block;
  }
}

// One note item as the notes text lays it out.
void AddItem(NotesLines& lines, const char* id, const char* disp, std::vector<std::string> text,
             bool withValue = true) {
  lines.push_back(std::string("<ID>") + id + "</ID>");
  lines.push_back("<Name>x</Name>");
  lines.push_back("<Kind>0</Kind>");
  lines.push_back(std::string("<Disp>") + disp + "</Disp>");
  if (withValue) lines.push_back("<Value>");
  for (const std::string& t : text) lines.push_back("<Line>" + t + "</Line>");
  if (withValue) lines.push_back("</Value>");
}

class NotesListTest : public HostFolderTest {
 protected:
  void SetUp() override {
    HostFolderTest::SetUp();
    xml_.SetNotesPresent(1);
    xml_.SetNotesLines(&lines_);
    xml_.SetNoteDisplayFlags(flags_);
  }
  std::string Run(std::function<int(ClXmlWriter*)> write, int expected = 1) {
    ClXmlWriter writer;
    EXPECT_EQ(writer.Open(env_.get(), "C:\\notes.xml"), 0);
    EXPECT_EQ(write(&writer), expected);
    writer.Close();
    return FileBytes("notes.xml");
  }
  std::string Lines(long number, int depth) {
    return Run([&](ClXmlWriter* w) {
      xml_.WriteNoteLines(number, depth, w);
      return 1;
    });
  }
  ClKessanshoXml xml_;
  NotesLines lines_;
  unsigned char flags_[kNoteDisplayFlagCount] = {};
};

TEST_F(NotesListTest, IsNoteShownOnItemLayouts) {
  AddItem(lines_, "1000010", "1", {});
  AddItem(lines_, "1010010", "0", {});
  AddItem(lines_, "1010020", "2", {});
  lines_.push_back("<ID>1010030</ID>");  // too short: no Disp three lines below
  lines_.push_back("<Disp>1</Disp>");
  AddItem(lines_, "1010030", "1", {});  // a later entry decides
  lines_.push_back("<ID>1010040</ID>");
  lines_.push_back("a");
  lines_.push_back("b");
  lines_.push_back("<Disp>");            // nothing after the tag
  AddItem(lines_, "10600105", "1", {});  // contains 1060010: matches too
  lines_.push_back("x<ID> 1070010");     // the number anywhere after "<ID>"
  lines_.push_back("");
  lines_.push_back("");
  lines_.push_back("<Disp>1");
  lines_.push_back("<ID>1090010</ID>");  // the last lines: no line i + 3

  struct Case {
    long number;
    int shown;
  } cases[] = {{1000010, 1}, {1010010, 0}, {1010020, 0}, {1010030, 1}, {1010040, 0},
               {1060010, 1}, {1070010, 1}, {1090010, 0}, {1170030, 0}};
  for (const Case& c : cases) EXPECT_EQ(xml_.IsNoteShown(c.number), c.shown) << c.number;

  ClKessanshoXml empty;
  EXPECT_EQ(empty.IsNoteShown(1000010), 0);  // no notes lines at all
}

TEST_F(NotesListTest, WriteNoteLinesOnItemLayouts) {
  AddItem(lines_, "1000010", "1", {"A", "", "x</Line>y</Line>z", "<Line>b"});
  AddItem(lines_, "1010010", "1", {"unused"}, false);  // Value missing
  AddItem(lines_, "1010010", "1", {"later entry is not read"});
  AddItem(lines_, "1010020", "1", {});   // Value then a line without Line
  lines_.push_back("<ID>1010030</ID>");  // no line i + 4
  EXPECT_EQ(Lines(1000010, 4),
            "\t\t\t\t<Line>A</Line>\r\n"
            "\t\t\t\t<Line></Line>\r\n"
            "\t\t\t\t<Line>xyz</Line>\r\n"
            "\t\t\t\t<Line>&lt;Line&gt;b</Line>\r\n");
  EXPECT_EQ(Lines(1010010, 4), "");
  EXPECT_EQ(Lines(1010020, 4), "");
  EXPECT_EQ(Lines(1010030, 4), "");
  EXPECT_EQ(Lines(1170030, 4), "");
}

TEST_F(NotesListTest, LongNoteLinesAreWrittenWhole) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "表&";  // 600 bytes, 1000 escaped
  AddItem(lines_, "1000010", "1", {text});
  std::string escaped;
  for (int i = 0; i < 200; ++i) escaped += "表&amp;";
  EXPECT_EQ(Lines(1000010, 4), "\t\t\t\t<Line>" + escaped + "</Line>\r\n");
}

TEST_F(NotesListTest, EmptyNotesGiveAnEmptyList) {
  flags_[0] = 1;
  EXPECT_EQ(Run([&](ClXmlWriter* w) { return xml_.WriteNotesList(w); }),
            "\t\t<ListNotesNonConsolidated>\r\n\t\t</ListNotesNonConsolidated>\r\n");
}

TEST_F(NotesListTest, ListWithLevelsGroupsAndHiddenParents) {
  NotesLines decoded;
  // The going-concern note with escaped text, from the engine's form.
  std::string text =
      "<Notes>\r\n<ID>1000010</ID>\r\n<Name>継続企業</Name>\r\n<Kind>1</Kind>\r\n"
      "<Disp>1</Disp>\r\n<Value>\r\n<Line>A&amp;B &lt;注記&gt;</Line>\r\n<Line></Line>\r\n"
      "<Line>&apos;表&apos;</Line>\r\n</Value>\r\n</Notes>\r\n";
  BuildNotesLines(text, decoded);
  lines_ = decoded;
  AddItem(lines_, "1010010", "1", {"方針"});
  AddItem(lines_, "1010020", "1", {});
  AddItem(lines_, "1010030", "1", {"時価法"});
  AddItem(lines_, "1010080", "0", {"hidden"});
  AddItem(lines_, "1010090", "1", {"利息"});  // shown inside a hidden item
  AddItem(lines_, "1020010", "1", {"変更"});
  AddItem(lines_, "1060010", "1", {"group off"});  // group 2 is switched off
  AddItem(lines_, "1060020", "1", {"group off"});
  AddItem(lines_, "1070010", "0", {"hidden"});
  AddItem(lines_, "1070020", "1", {"取引"});  // shown below a hidden top item
  AddItem(lines_, "1170010", "1", {"その他"});
  AddItem(lines_, "1170030", "1", {"内容"});
  flags_[0] = 1;
  flags_[1] = 1;
  flags_[2] = 0;
  flags_[3] = 5;
  flags_[10] = 1;

  EXPECT_EQ(Run([&](ClXmlWriter* w) { return xml_.WriteNotesList(w); }),
            "\t\t<ListNotesNonConsolidated>\r\n"
            "\t\t\t<NotesGoingConcernAssumption>\r\n"
            "\t\t\t\t<Line>A&amp;B &lt;注記&gt;</Line>\r\n"
            "\t\t\t\t<Line></Line>\r\n"
            "\t\t\t\t<Line>&apos;表&apos;</Line>\r\n"
            "\t\t\t</NotesGoingConcernAssumption>\r\n"
            "\t\t\t<NotesSignificantAccountingPolicy>\r\n"
            "\t\t\t\t<Line>方針</Line>\r\n"
            "\t\t\t\t<ValuationBasisValuationMethodAssets>\r\n"
            "\t\t\t\t\t<ValuationBasisValuationMethodMarketableSecurities>\r\n"
            "\t\t\t\t\t\t<Line>時価法</Line>\r\n"
            "\t\t\t\t\t</ValuationBasisValuationMethodMarketableSecurities>\r\n"
            "\t\t\t\t</ValuationBasisValuationMethodAssets>\r\n"
            "\t\t\t\t\t<InclusionInterestExpenseAcquisitionCost>\r\n"
            "\t\t\t\t\t\t<Line>利息</Line>\r\n"
            "\t\t\t\t\t</InclusionInterestExpenseAcquisitionCost>\r\n"
            "\t\t\t\t<ChangesAccountingPrincipleProcedure>\r\n"
            "\t\t\t\t\t<Line>変更</Line>\r\n"
            "\t\t\t\t</ChangesAccountingPrincipleProcedure>\r\n"
            "\t\t\t</NotesSignificantAccountingPolicy>\r\n"
            "\t\t\t\t<TransactionsAffiliates>\r\n"
            "\t\t\t\t\t<Line>取引</Line>\r\n"
            "\t\t\t\t</TransactionsAffiliates>\r\n"
            "\t\t\t<ItemsOtherNotes>\r\n"
            "\t\t\t\t<Line>その他</Line>\r\n"
            "\t\t\t\t<ItemDescriptionOtherNotes>\r\n"
            "\t\t\t\t\t<Line>内容</Line>\r\n"
            "\t\t\t\t</ItemDescriptionOtherNotes>\r\n"
            "\t\t\t</ItemsOtherNotes>\r\n"
            "\t\t</ListNotesNonConsolidated>\r\n");
}

TEST_F(NotesListTest, WalkBoundsAndFailures) {
  EXPECT_EQ(xml_.WriteNoteItem(-1, nullptr), kNoteItemRows);
  EXPECT_EQ(xml_.WriteNoteItem(kNoteItemRows, nullptr), kNoteItemRows);
  EXPECT_EQ(xml_.WriteNoteItem(kNoteItemRows - 1, nullptr), kNoteItemRows);  // closing row

  AddItem(lines_, "1000010", "1", {"a", "b"});
  flags_[0] = 1;
  platform::FaultEnv fault(*env_);
  // The list start tag and the item's start tag fit, its first Line does not.
  fault.FailWritesAfterBytes(70);
  ClXmlWriter writer;
  ASSERT_EQ(writer.Open(&fault, "C:\\notes.xml"), 0);
  EXPECT_EQ(xml_.WriteNotesList(&writer), 0);
  writer.Close();
  EXPECT_EQ(FileBytes("notes.xml"),
            "\t\t<ListNotesNonConsolidated>\r\n\t\t\t<NotesGoingConcernAssumption>\r\n");
}

}  // namespace
