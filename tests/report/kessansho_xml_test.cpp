#include "report/kessansho_xml.h"

#include <cstring>

#include "report/xml_writer.h"
#include "report_fixture.h"

namespace {

using reptest::CountingProgress;
using reptest::HostFolderTest;

StDATAINFO MakeDataInfo(const char* company, std::int32_t from, std::int32_t to, int mfg) {
  StDATAINFO info{};
  std::memcpy(info.raw + StDATAINFO::kCompanyName, company, std::strlen(company));
  rec::PutI32(info.raw, StDATAINFO::kPeriodStart, from);
  rec::PutI32(info.raw, StDATAINFO::kPeriodEnd, to);
  rec::PutI32(info.raw, StDATAINFO::kMfgCostFlag, mfg);
  return info;
}

const char kSystemFallbacks[] =
    "\t<SYSTEM>\r\n"
    "\t\t<GYOUMUPREFIX>QX71</GYOUMUPREFIX>\r\n"
    "\t\t<VERSION>1</VERSION>\r\n"
    "\t\t<FUNCTIONID>3</FUNCTIONID>\r\n"
    "\t\t<CONNECTEDPROGRAMVER>22.03.00</CONNECTEDPROGRAMVER>\r\n"
    "\t\t<PROGRAMNAME>Ledgora２２</PROGRAMNAME>\r\n"
    "\t\t<PROGRAMVER>22.03.0X</PROGRAMVER>\r\n"
    "\t</SYSTEM>\r\n";

std::string Basic(const char* name, const char* from, const char* to, const char* cos) {
  return std::string("\t<BASIC>\r\n") + "\t\t<KOMONSAKINAME>" + name + "</KOMONSAKINAME>\r\n" +
         "\t\t<JIGYOUNENDOFROM>" + from + "</JIGYOUNENDOFROM>\r\n" + "\t\t<JIGYOUNENDOTO>" + to +
         "</JIGYOUNENDOTO>\r\n" +
         "\t\t<PATTERN>\r\n"
         "\t\t\t<BS>\r\n"
         "\t\t\t\t<CA>\r\n"
         "\t\t\t\t\t<Doubtful>A2</Doubtful>\r\n"
         "\t\t\t\t</CA>\r\n"
         "\t\t\t\t<PPE>\r\n"
         "\t\t\t\t\t<DepImp>B4</DepImp>\r\n"
         "\t\t\t\t</PPE>\r\n"
         "\t\t\t\t<IOA>\r\n"
         "\t\t\t\t\t<Doubtful>C2</Doubtful>\r\n"
         "\t\t\t\t\t<DepImp>D4</DepImp>\r\n"
         "\t\t\t\t</IOA>\r\n"
         "\t\t\t</BS>\r\n"
         "\t\t\t<PL>\r\n"
         "\t\t\t\t<Sales>E3</Sales>\r\n"
         "\t\t\t\t<Cos>" +
         cos +
         "</Cos>\r\n"
         "\t\t\t\t<Sga>G1</Sga>\r\n"
         "\t\t\t</PL>\r\n"
         "\t\t</PATTERN>\r\n"
         "\t</BASIC>\r\n";
}

class KessanshoXmlTest : public HostFolderTest {
 protected:
  void SetUp() override {
    HostFolderTest::SetUp();
    xml_.SetProgress(&progress_);
    xml_.SetSums(&sums_);
    xml_.SetProgressBase(500);
    xml_.SetConnectedProgramVersion("22.03.00");
  }
  // Runs one section writer on a fresh file and gives the bytes it wrote.
  template <typename F>
  std::string Section(F write, int expectedResult = 1) {
    ClXmlWriter writer;
    EXPECT_EQ(writer.Open(env_.get(), "C:\\section.xml"), 0);
    EXPECT_EQ(write(&writer), expectedResult);
    writer.Close();
    return FileBytes("section.xml");
  }
  ClKessanshoXml xml_;
  CountingProgress progress_;
  AccountSumList sums_;
};

TEST_F(KessanshoXmlTest, SystemWithFallbacks) {
  EXPECT_EQ(Section([&](ClXmlWriter* w) { return xml_.WriteSystem(w, 3); }), kSystemFallbacks);
  EXPECT_EQ(progress_.ticks, 6);
  ASSERT_EQ(progress_.ranges.size(), 1u);
  EXPECT_EQ(progress_.ranges[0], std::make_pair(500, 600));
}

TEST_F(KessanshoXmlTest, SystemFromSupportInfAndNegativeFunctionId) {
  PutFile("SUPPORT.INF", "[=製品名=]Ledgora２２ Cedar & Co\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]22.03.07\r\n");
  xml_.SetFallbackProgramName("unused");
  xml_.SetConnectedProgramVersion("");  // a missing string resource
  std::string out = Section(
      [&](ClXmlWriter* w) { return xml_.WriteSystem(w, static_cast<std::int16_t>(65535)); });
  EXPECT_NE(out.find("\t\t<FUNCTIONID>-1</FUNCTIONID>\r\n"), std::string::npos);
  EXPECT_NE(out.find("\t\t<CONNECTEDPROGRAMVER></CONNECTEDPROGRAMVER>\r\n"), std::string::npos);
  EXPECT_NE(out.find("\t\t<PROGRAMNAME>Ledgora２２ Cedar &amp; Co</PROGRAMNAME>\r\n"),
            std::string::npos);
  EXPECT_NE(out.find("\t\t<PROGRAMVER>22.03.07</PROGRAMVER>\r\n"), std::string::npos);
}

TEST_F(KessanshoXmlTest, SystemUsesTheEditionFallbackName) {
  xml_.SetFallbackProgramName("Ledgora２２ Maple");
  std::string out = Section([&](ClXmlWriter* w) { return xml_.WriteSystem(w, 3); });
  EXPECT_NE(out.find("\t\t<PROGRAMNAME>Ledgora２２ Maple</PROGRAMNAME>\r\n"), std::string::npos);
}

TEST_F(KessanshoXmlTest, BasicWithAndWithoutManufacturingCost) {
  StDATAINFO plain = MakeDataInfo("ABC株式会社", 20230401, 20240331, 0);
  EXPECT_EQ(Section([&](ClXmlWriter* w) { return xml_.WriteBasic(w, &plain); }),
            Basic("ＡＢＣ株式会社", "20230401", "20240331", "F1"));
  EXPECT_EQ(progress_.ticks, 4);
  ASSERT_EQ(progress_.ranges.size(), 1u);
  EXPECT_EQ(progress_.ranges[0], std::make_pair(600, 700));

  StDATAINFO mfg = MakeDataInfo("ｶﾞｽ&ｺｰｸｽ", 20230101, 20231231, 1);
  EXPECT_EQ(Section([&](ClXmlWriter* w) { return xml_.WriteBasic(w, &mfg); }),
            Basic("ガス＆コークス", "20230101", "20231231", "F3"));
}

TEST_F(KessanshoXmlTest, SectionStopsAtTheFirstFailedWrite) {
  fault_->FailWritesAfterBytes(50);  // SYSTEM start tag and GYOUMUPREFIX fit
  ClXmlWriter writer;
  ASSERT_EQ(writer.Open(fault_.get(), "C:\\section.xml"), 0);
  EXPECT_EQ(xml_.WriteSystem(&writer, 3), 0);
  EXPECT_EQ(progress_.ticks, 1);
  EXPECT_TRUE(progress_.ranges.empty());
}

class WriteReportTest : public KessanshoXmlTest {
 protected:
  int Write(platform::Env* env, int mfg = 0) {
    UseEnv(env);
    StDATAINFO info = MakeDataInfo("ABC", 20230401, 20240331, mfg);
    return xml_.WriteReport("C:\\out.xml", 3, &info);
  }
};

TEST_F(WriteReportTest, CompleteDocument) {
  ASSERT_EQ(Write(env_.get()), 1);
  const std::string doc = FileBytes("out.xml");
  const std::string head = std::string("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n") +
                           "<REPORT>\r\n" + kSystemFallbacks +
                           Basic("ＡＢＣ", "20230401", "20240331", "F1") + "\t<DATA>\r\n";
  EXPECT_EQ(doc.substr(0, head.size()), head);
  const std::string tail = "\t</DATA>\r\n</REPORT>\r\n";
  ASSERT_GE(doc.size(), tail.size());
  EXPECT_EQ(doc.substr(doc.size() - tail.size()), tail);
  std::size_t bs = doc.find("\t\t<BalanceSheet");
  std::size_t is = doc.find("\t\t<IncomeStatement");
  std::size_t na = doc.find("\t\t<StatementChangesNetAssets");
  EXPECT_LT(bs, is);
  EXPECT_LT(is, na);
  EXPECT_NE(na, std::string::npos);
  EXPECT_EQ(doc.find("ScheduleCostGoodsManufactured"), std::string::npos);
  EXPECT_EQ(doc.find("ListNotesNonConsolidated"), std::string::npos);
  EXPECT_EQ(progress_.ticks, 14);
  EXPECT_EQ(progress_.ranges,
            (std::vector<std::pair<int, int>>{{500, 600}, {600, 700}, {700, 1000}}));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"out.xml", "prog"}));
}

TEST_F(WriteReportTest, ScheduleAndNotesSectionsInOrder) {
  NotesLines lines;
  unsigned char flags[kNoteDisplayFlagCount] = {};
  xml_.SetNotesPresent(1);
  xml_.SetNotesLines(&lines);
  xml_.SetNoteDisplayFlags(flags);
  ASSERT_EQ(Write(env_.get(), 1), 1);
  const std::string doc = FileBytes("out.xml");
  EXPECT_NE(doc.find("<Cos>F3</Cos>"), std::string::npos);
  std::size_t is = doc.find("\t\t<IncomeStatement");
  std::size_t sc = doc.find("\t\t<ScheduleCostGoodsManufactured");
  std::size_t na = doc.find("\t\t<StatementChangesNetAssets");
  std::size_t notes = doc.find(
      "\t\t<ListNotesNonConsolidated>\r\n\t\t</ListNotesNonConsolidated>\r\n\t</DATA>\r\n");
  EXPECT_LT(is, sc);
  EXPECT_LT(sc, na);
  EXPECT_LT(na, notes);
  EXPECT_NE(notes, std::string::npos);
}

TEST_F(WriteReportTest, FailuresKeepThePreviousDocumentAndLeaveNoTemporaryFile) {
  ASSERT_EQ(Write(env_.get()), 1);
  const std::string complete = FileBytes("out.xml");
  PutFile("out.xml", "previous document");
  const std::vector<std::string> before = FolderEntries();

  struct Case {
    const char* label;
    std::function<void(platform::FaultEnv&)> arm;
  } cases[] = {
      {"full disk in SYSTEM", [](platform::FaultEnv& f) { f.FailWritesAfterBytes(120); }},
      {"full disk in DATA",
       [&](platform::FaultEnv& f) { f.FailWritesAfterBytes(complete.size() - 40); }},
      {"REPORT end tag",
       [&](platform::FaultEnv& f) { f.FailWritesAfterBytes(complete.size() - 3); }},
      {"temporary file cannot be opened",
       [](platform::FaultEnv& f) { f.FailOpenForWrite(".tmp"); }},
      {"replace fails", [](platform::FaultEnv& f) { f.FailReplace(); }},
  };
  for (const Case& c : cases) {
    platform::FaultEnv fault(*env_);
    c.arm(fault);
    EXPECT_EQ(Write(&fault), 0) << c.label;
    EXPECT_EQ(FileBytes("out.xml"), "previous document") << c.label;
    EXPECT_EQ(FolderEntries(), before) << c.label;
  }
}

TEST_F(WriteReportTest, FailureWithoutAPreviousDocumentLeavesNothing) {
  platform::FaultEnv fault(*env_);
  fault.FailWritesAfterBytes(1000);
  EXPECT_EQ(Write(&fault), 0);
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"prog"}));
  // A failure in DATA still counts the ticks before it.
  EXPECT_EQ(progress_.ticks, 13);
}

TEST_F(WriteReportTest, MissingFolderFails) {
  UseEnv(env_.get());
  StDATAINFO info = MakeDataInfo("ABC", 20230401, 20240331, 0);
  EXPECT_EQ(xml_.WriteReport("C:\\nowhere\\out.xml", 3, &info), 0);
  EXPECT_EQ(xml_.WriteReport(nullptr, 3, &info), 0);
  EXPECT_EQ(progress_.ticks, 0);
}

}  // namespace
