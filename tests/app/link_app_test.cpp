#include "app/link_app.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/engine_db.h"
#include "platform/host.h"
#include "res/edition.h"

namespace {

TEST(ParseCallerLink, EveryFormOfTheCommandLine) {
  const struct {
    const char* text;
    int result;
    platform::HWND window;
    std::uint32_t message;
    std::int16_t wParam;
    const char* path;
  } kCases[] = {
      {"", 0, 0, 0, 3, ""},
      {"1234", 0, 0, 0, 3, ""},
      {"1234,1025,7", 0, 1234, 1025, 3, ""},  // two commas: wParam keeps its default
      {"1234,1025,7,", 1, 1234, 1025, 7, ""},
      {"1234,1025,,C:\\out\\a.xml", 1, 1234, 1025, 0, "C:\\out\\a.xml"},
      {"1234,1025,3,C:\\a,b.xml", 1, 1234, 1025, 3, "C:\\a,b.xml"},
      {"1234,1025,40000,", 1, 1234, 1025, -25536, ""},
      {"0,1025,7,C:\\x.xml", 1, 0, 1025, 7, "C:\\x.xml"},
      {"abc,x1,7z,", 1, 0, 0, 7, ""},
      {" 12, +13, -2, C:\\x", 1, 12, 13, -2, " C:\\x"},
      // Beyond the 32-bit long of the caller's platform the fields saturate.
      {"99999999999,4294967295,99999999999,", 1, 2147483647, 2147483647u, -1, ""},
      {"-99999999999,-1,-99999999999,", 1, -2147483647 - 1, 4294967295u, 0, ""},
  };
  for (const auto& c : kCases) {
    ClLinkApp app;
    EXPECT_EQ(c.result, app.ParseCallerLink(c.text)) << c.text;
    EXPECT_EQ(c.window, app.CallerWindow()) << c.text;
    EXPECT_EQ(c.message, app.CallerMessage()) << c.text;
    EXPECT_EQ(c.wParam, app.CallerWParam()) << c.text;
    EXPECT_EQ(c.path, app.CallerOutputPath()) << c.text;
    EXPECT_EQ(0, app.CallerLinked()) << c.text;  // set by the start step, not the parse
  }
}

TEST(ParseCallerLink, ALongOutputPathIsTakenWhole) {
  const std::string path = "C:\\" + std::string(400, 'd') + "\\x.xml";
  ClLinkApp app;
  EXPECT_EQ(1, app.ParseCallerLink("5,1025,1," + path));
  EXPECT_EQ(path, app.CallerOutputPath());
}

class EditionTest : public ::testing::Test {
 protected:
  void TearDown() override {
    engine::Reset();
    SelectEdition(EditionId::Birch);
  }
};

// The engine is told the edition's application type before Initiate, which
// here refuses, so that the run stops right there.
TEST_F(EditionTest, EachEditionSetsItsApplicationTypeBeforeInitiate) {
  const struct {
    EditionId id;
    int appType;
    const char* settingsFile;
    bool keyWithSelectionNo;
    const char* fallback;
  } kEditions[] = {
      {EditionId::Birch, 0, "stmtlink-birch.env", false, "Ledgora２２"},
      {EditionId::Cedar, 3, "stmtlink-cedar.env", true, "Ledgora２２ Cedar"},
      {EditionId::Maple, 4, "stmtlink-maple.env", false, "Ledgora２２ Maple"},
  };
  platform::ScopedHost host(platform::Host{});
  for (const auto& e : kEditions) {
    engine::Reset();
    std::string error;
    ASSERT_TRUE(engine::UseInMemoryDatabase(
        "INSERT INTO engine_settings VALUES ('initiate_result', 9);", &error))
        << error;
    SelectEdition(e.id);
    const EditionProfile& p = CurrentEdition();
    EXPECT_STREQ(e.settingsFile, p.settingsFileName);
    EXPECT_EQ(e.keyWithSelectionNo, p.keyWithSelectionNo);
    EXPECT_STREQ(e.fallback, p.fallbackProgramName);

    ClLinkApp app;
    app.SetCommandLine("7,1025,3,");
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(e.appType, ClLdgConnect::Inst()->AppType());
    EXPECT_EQ("決算書", ClLdgConnect::Inst()->m_caption);
    EXPECT_EQ(0, app.CallerLinked());  // the command line is never read
    app.ExitInstance();
    EXPECT_EQ(3, app.ExitStatus());
    EXPECT_EQ(0, app.RunResult());
  }
}

}  // namespace
