#include <cstring>

#include "engine/engine.h"
#include "engine/engine_db.h"
#include "report/notes_lines.h"
#include "report_fixture.h"
#include "statements/kessansho_source.h"

namespace {

using reptest::HostFolderTest;

// SQL for one selected data set "D001" with the given saved texts; a null
// text leaves the kind out (the engine then fails the fetch).
std::string Database(const char* general, const char* settings, const char* notes,
                     int notesResult = 0) {
  auto quote = [](const char* s) {
    std::string q = "'";
    for (const char* p = s; *p; ++p) q += *p == '\'' ? std::string("''") : std::string(1, *p);
    return q + "'";
  };
  std::string sql =
      "INSERT INTO engine_settings VALUES('current_user','U1');\n"
      "INSERT INTO users VALUES('U1',0,1);\n"
      "INSERT INTO data_sets(cursor_order,data_id,data_no,company_name,period_start,period_end)"
      " VALUES(1,'D001',1,'ABC',20230401,20240331);\n";
  if (general) sql += "INSERT INTO saved_statements VALUES('D001',0," + quote(general) + ",0);\n";
  if (settings) {
    sql += "INSERT INTO saved_statements VALUES('D001',100," + quote(settings) + ",0);\n";
  }
  if (notes) {
    sql += "INSERT INTO saved_statements VALUES('D001',1000," + quote(notes) + "," +
           std::to_string(notesResult) + ");\n";
  }
  return sql;
}

class NotesSourceTest : public HostFolderTest {
 protected:
  void TearDown() override {
    engine::Reset();
    HostFolderTest::TearDown();
  }
  void Use(const std::string& sql) {
    engine::Reset();
    std::string error;
    ASSERT_TRUE(engine::UseInMemoryDatabase(sql, &error)) << error;
    ASSERT_EQ(ClLdgConnect::Inst()->Initiate(), 0);
  }
};

TEST_F(NotesSourceTest, InputModeAndNotesEnabled) {
  struct Case {
    const char* general;
    const char* settings;
    int inputMode;
    int enabled;
  } cases[] = {
      {"[General]\r\nNote=1\r\n", "[NoteSet]\r\nInputMode = 1\r\n", 1, 1},
      {"Note=0\r\n", "InputMode=0\r\n", 0, 0},
      {"Title=x\r\n", "InputMode\r\n", 0, 0},  // no entry, no "="
      {"Note=", "InputMode=\r\n5", 0, 0},      // nothing before the line end
      {"Note=abc\r\nNote=1", "InputMode=-3", 0, 0},
      {"Note=12\r\n", "InputMode=7", 1, 1},
      {nullptr, nullptr, 0, 0},  // failed fetches
  };
  for (const Case& c : cases) {
    Use(Database(c.general, c.settings, nullptr));
    ClKessanshoSource source;
    EXPECT_EQ(source.IsNotesInputMode(), c.inputMode) << (c.settings ? c.settings : "none");
    EXPECT_EQ(source.IsNotesEnabled(), c.enabled) << (c.general ? c.general : "none");
  }
}

TEST_F(NotesSourceTest, DisplayFlagsOnSectionLayouts) {
  struct Case {
    std::string settings;
    std::vector<int> flags;  // the first ones; the rest stay 0xEE
  } cases[] = {
      {"InputMode=1\r\n[Note_0]\r\nDisp=1\r\n[Note_7]\r\nDisp=0\r\n[Note_3]\r\nDisp=258\r\n",
       {1, 0, 2}},
      // The search for "Disp=" starts 9 bytes into the header, so a Disp
      // right after a short header is passed over for the next one.
      {"[Note_1]Disp=5\r\n[Note_2]\r\nDisp=6\r\n", {6}},
      {"[Note_1]\r\nName=x\r\n[Note_2]\r\nDisp=3\r\n", {3}},
      {"[Note_1]\r\nDisp=\r\n[Note_2]\r\nDisp=x\r\n", {0, 0}},
      {"[Other]\r\nDisp=1\r\n", {}},
      {"[Note_1]\r\nDisp=1\r\n[Note_2]\r\n", {1}},
      {"", {}},
  };
  for (const Case& c : cases) {
    Use(Database("Note=1", c.settings.c_str(), nullptr));
    ClKessanshoSource source;
    unsigned char flags[kNoteDisplayFlagCount];
    std::memset(flags, 0xEE, sizeof flags);
    source.ReadNoteDisplayFlags(flags);
    for (int i = 0; i < kNoteDisplayFlagCount; ++i) {
      int expected = i < static_cast<int>(c.flags.size()) ? c.flags[i] : 0xEE;
      EXPECT_EQ(flags[i], expected) << c.settings << " flag " << i;
    }
  }
}

TEST_F(NotesSourceTest, AtMostFiftyFlags) {
  std::string settings;
  for (int i = 0; i < 52; ++i)
    settings += "[Note_" + std::to_string(i) + "]\r\nDisp=" + std::to_string(i + 1) + "\r\n";
  Use(Database("Note=1", settings.c_str(), nullptr));
  ClKessanshoSource source;
  unsigned char flags[kNoteDisplayFlagCount + 2] = {};
  source.ReadNoteDisplayFlags(flags);
  EXPECT_EQ(flags[0], 1);
  EXPECT_EQ(flags[49], 50);
  EXPECT_EQ(flags[50], 0);
  EXPECT_EQ(flags[51], 0);
}

TEST_F(NotesSourceTest, NotesText) {
  Use(Database("Note=1", "InputMode=1", "<ID>1000010</ID>\r\n&amp;lt;\r\n"));
  ClKessanshoSource source;
  std::string text = "stale";
  EXPECT_EQ(source.ReadNotesText(text), 1);
  EXPECT_EQ(text, "<ID>1000010</ID>\r\n&amp;lt;\r\n");
  NotesLines lines;
  BuildNotesLines(text, lines);
  EXPECT_EQ(lines, (NotesLines{"<ID>1000010</ID>", "&lt;"}));

  // A failed fetch that hands out a buffer all the same: freed, empty text.
  Use(Database("Note=1", "InputMode=1", "text", 3));
  ClKessanshoSource failing;
  EXPECT_EQ(failing.ReadNotesText(text), 1);
  EXPECT_EQ(text, "");
  char* buffer = reinterpret_cast<char*>(1);
  long length = -1;
  EXPECT_EQ(failing.FetchSavedData(1000, &buffer, &length), 0);
  EXPECT_EQ(buffer, nullptr);
}

TEST_F(NotesSourceTest, AllocationFailureIsAFailedFetch) {
  Use(Database("Note=1", "InputMode=1\r\n[Note_0]\r\nDisp=1\r\n", "x"));
  fault_->FailAllocation("ClSaveKessansho", 2);
  UseEnv(fault_.get());
  ClKessanshoSource source;
  EXPECT_EQ(source.IsNotesInputMode(), 1);  // the first object is allocated
  EXPECT_EQ(source.IsNotesEnabled(), 0);
  unsigned char flags[kNoteDisplayFlagCount] = {};
  source.ReadNoteDisplayFlags(flags);
  EXPECT_EQ(flags[0], 0);
  std::string text = "stale";
  source.ReadNotesText(text);
  EXPECT_EQ(text, "");
  EXPECT_TRUE(ui_.boxes.empty());
}

}  // namespace
