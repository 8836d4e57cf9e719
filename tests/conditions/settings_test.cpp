#include "conditions/cond_dlg.h"
#include "fixture.h"

namespace {

namespace fs = std::filesystem;

using cnd_test::EngineTest;

class SettingsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    StartEngine("C:\\out\\", "C:\\set\\");
  }
  // A dialog for one user and data set; only its key fields matter here.
  std::unique_ptr<ClCondDlg> Dlg(const char* user, const char* data, int selectedNo = 0) {
    auto dlg = std::make_unique<ClCondDlg>(0);
    std::snprintf(dlg->m_userId, sizeof dlg->m_userId, "%s", user);
    std::snprintf(dlg->m_dataId, sizeof dlg->m_dataId, "%s", data);
    dlg->m_selectedNo = selectedNo;
    return dlg;
  }
  struct Read {
    int result;
    std::int16_t start, end, kind;
    std::string path;
  };
  Read ReadBack(ClCondDlg& dlg) {
    Read r{0, -1, -1, -1, "untouched"};
    r.result = dlg.ReadSettings(&r.start, &r.end, &r.kind, &r.path);
    return r;
  }
  std::string Settings() const { return ReadOnC("set/stmtlink-birch.env"); }
};

TEST_F(SettingsTest, FirstRunCreatesFolderAndOneLine) {
  auto dlg = Dlg("1", "D001");
  EXPECT_EQ(ReadBack(*dlg).result, 0);
  ASSERT_EQ(dlg->WriteSettings(4, 3, 2, "C:\\out\\a.xml"), 1);
  EXPECT_EQ(Settings(), "1/D001:4/3/2/C:\\out\\a.xml\n");
  Read r = ReadBack(*dlg);
  EXPECT_EQ(r.result, 1);
  EXPECT_EQ(r.start, 4);
  EXPECT_EQ(r.end, 3);
  EXPECT_EQ(r.kind, 2);
  EXPECT_EQ(r.path, "C:\\out\\a.xml");
}

TEST_F(SettingsTest, RewrittenLineMovesToTheEndOthersKeepTheirBytes) {
  auto a = Dlg("1", "D001");
  auto b = Dlg("1", "D002");
  ASSERT_EQ(a->WriteSettings(4, 3, 1, "C:\\out\\a.xml"), 1);
  ASSERT_EQ(b->WriteSettings(5, 6, 2, std::string("C:\\表\\b.xml").c_str()), 1);
  ASSERT_EQ(a->WriteSettings(7, 8, 1, "C:\\out\\c.xml"), 1);
  EXPECT_EQ(Settings(),
            std::string("1/D002:5/6/2/C:\\表\\b.xml\n") + "1/D001:7/8/1/C:\\out\\c.xml\n");
  EXPECT_EQ(ReadBack(*b).path, std::string("C:\\表\\b.xml"));
  EXPECT_EQ(ReadBack(*a).start, 7);
}

TEST_F(SettingsTest, KeyMatchesOnlyAtALineStart) {
  auto one = Dlg("1", "D001");
  auto eleven = Dlg("11", "D001");
  ASSERT_EQ(eleven->WriteSettings(4, 5, 1, "C:\\eleven.xml"), 1);
  EXPECT_EQ(ReadBack(*one).result, 0);  // "1/D001:" lies inside "11/D001:"
  ASSERT_EQ(one->WriteSettings(6, 7, 2, "C:\\one.xml"), 1);
  EXPECT_EQ(ReadBack(*one).path, "C:\\one.xml");
  EXPECT_EQ(ReadBack(*eleven).path, "C:\\eleven.xml");
  ASSERT_EQ(one->WriteSettings(8, 9, 1, "C:\\one2.xml"), 1);
  EXPECT_EQ(Settings(), "11/D001:4/5/1/C:\\eleven.xml\n1/D001:8/9/1/C:\\one2.xml\n");
}

TEST_F(SettingsTest, CedarKeysCarryTheSelectionNumber) {
  SelectEdition(EditionId::Cedar);
  auto five = Dlg("1", "D001", 5);
  auto six = Dlg("1", "D001", 6);
  ASSERT_EQ(five->WriteSettings(4, 3, 1, "C:\\five.xml"), 1);
  ASSERT_EQ(six->WriteSettings(4, 3, 2, "C:\\six.xml"), 1);
  EXPECT_EQ(ReadOnC("set/stmtlink-cedar.env"),
            "1/5/D001:4/3/1/C:\\five.xml\n1/6/D001:4/3/2/C:\\six.xml\n");
  EXPECT_EQ(ReadBack(*five).path, "C:\\five.xml");
  EXPECT_FALSE(fs::exists(OnC("set/stmtlink-birch.env")));

  // Lines of the two-part key are never taken for Cedar keys, nor the other way.
  WriteOnC("set/stmtlink-cedar.env", "1/D001:4/3/1/C:\\birch.xml\n");
  EXPECT_EQ(ReadBack(*five).result, 0);
  SelectEdition(EditionId::Maple);
  WriteOnC("set/stmtlink-maple.env", "1/5/D001:4/3/1/C:\\cedar.xml\n");
  EXPECT_EQ(ReadBack(*five).result, 0);
}

TEST_F(SettingsTest, NoPathWritesTheRememberedOne) {
  auto dlg = Dlg("1", "D001");
  dlg->m_savedPath = "C:\\saved.xml";
  ASSERT_EQ(dlg->WriteSettings(4, 3, 1, nullptr), 1);
  EXPECT_EQ(Settings(), "1/D001:4/3/1/C:\\saved.xml\n");
  dlg->m_savedPath.clear();
  ASSERT_EQ(dlg->WriteSettings(5, 3, 2, nullptr), 1);
  EXPECT_EQ(Settings(), "1/D001:5/3/2/\n");
}

TEST_F(SettingsTest, ValuesAsTheRuntimeReadsThem) {
  struct Case {
    std::string value;
    int result;
    std::int16_t start, end, kind;
    std::string path;
  };
  const Case cases[] = {
      {"0/3/2/C:\\x.xml", 1, 0, 3, 2, "C:\\x.xml"},
      {"4/3/1/", 1, 4, 3, 1, ""},
      {"4x/ 3/-1/p", 1, 4, 3, -1, "p"},
      {"//5/C:\\x.xml", 1, 0, 0, 5, "C:\\x.xml"},
      {"65537/3/1/p", 1, 1, 3, 1, "p"},  // taken as 16 bits
      {"4/3/1", 0, -1, -1, -1, "untouched"},
      {"", 0, -1, -1, -1, "untouched"},
  };
  auto dlg = Dlg("1", "D001");
  for (const Case& c : cases) {
    WriteOnC("set/stmtlink-birch.env", "9/D001:1/1/1/other\n1/D001:" + c.value + "\n");
    Read r = ReadBack(*dlg);
    EXPECT_EQ(r.result, c.result) << c.value;
    EXPECT_EQ(r.start, c.start) << c.value;
    EXPECT_EQ(r.end, c.end) << c.value;
    EXPECT_EQ(r.kind, c.kind) << c.value;
    EXPECT_EQ(r.path, c.path) << c.value;
  }
}

TEST_F(SettingsTest, LastLineWithoutLineFeedKeepsItsBytes) {
  WriteOnC("set/stmtlink-birch.env", "2/D001:1/2/1/C:\\two.xml");
  auto dlg = Dlg("1", "D001");
  ASSERT_EQ(dlg->WriteSettings(4, 3, 1, "C:\\one.xml"), 1);
  EXPECT_EQ(Settings(), "2/D001:1/2/1/C:\\two.xml\n1/D001:4/3/1/C:\\one.xml\n");
  // The pair's own last line without a line feed goes whole.
  WriteOnC("set/stmtlink-birch.env", "2/D001:1/2/1/a\n1/D001:4/3/1/old");
  ASSERT_EQ(dlg->WriteSettings(5, 3, 1, "C:\\new.xml"), 1);
  EXPECT_EQ(Settings(), "2/D001:1/2/1/a\n1/D001:5/3/1/C:\\new.xml\n");
}

TEST_F(SettingsTest, LargeFilesLongKeysAndLines) {
  std::string others;
  for (int i = 0; i < 3000; ++i) others += "user" + std::to_string(i) + "/D9:1/12/1/C:\\o.xml\n";
  ASSERT_GT(others.size(), 65536u);
  WriteOnC("set/stmtlink-birch.env", others);
  const std::string longUser(64, 'u');
  auto dlg = Dlg(longUser.c_str(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456");
  const std::string longPath = "C:\\" + std::string(600, 'p') + ".xml";
  ASSERT_EQ(dlg->WriteSettings(4, 3, 2, longPath.c_str()), 1);
  EXPECT_EQ(ReadBack(*dlg).path, longPath);
  ASSERT_EQ(dlg->WriteSettings(5, 3, 2, "C:\\short.xml"), 1);
  EXPECT_EQ(Settings(),
            others + longUser + "/ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456:5/3/2/C:\\short.xml\n");
}

TEST_F(SettingsTest, FailedReplaceKeepsTheOldFile) {
  auto dlg = Dlg("1", "D001");
  ASSERT_EQ(dlg->WriteSettings(4, 3, 1, "C:\\a.xml"), 1);
  const std::string before = Settings();
  env_->FailReplace();
  EXPECT_EQ(dlg->WriteSettings(5, 6, 2, "C:\\b.xml"), 0);
  EXPECT_EQ(Settings(), before);
  EXPECT_EQ(FilesIn("set"), std::vector<std::string>{"stmtlink-birch.env"});
}

TEST_F(SettingsTest, FullDiskKeepsTheOldFile) {
  auto dlg = Dlg("1", "D001");
  ASSERT_EQ(dlg->WriteSettings(4, 3, 1, "C:\\a.xml"), 1);
  const std::string before = Settings();
  env_->FailWritesAfterBytes(5);
  EXPECT_EQ(dlg->WriteSettings(5, 6, 2, "C:\\b.xml"), 0);
  EXPECT_EQ(Settings(), before);
  EXPECT_EQ(FilesIn("set"), std::vector<std::string>{"stmtlink-birch.env"});
}

TEST_F(SettingsTest, FolderThatCannotBeCreated) {
  env_->FailCreateDirectory("set");
  auto dlg = Dlg("1", "D001");
  EXPECT_EQ(dlg->WriteSettings(4, 3, 1, "C:\\a.xml"), 0);
  EXPECT_FALSE(fs::exists(OnC("set")));
}

TEST_F(SettingsTest, DeepSettingsFolderIsCreatedOnFirstUse) {
  engine::Reset();
  StartEngine("C:\\out\\", "C:\\users\\表\\ledgora\\");
  auto dlg = Dlg("1", "D001");
  ASSERT_EQ(dlg->WriteSettings(4, 3, 1, "C:\\a.xml"), 1);
  EXPECT_EQ(ReadOnC("users/表/ledgora/stmtlink-birch.env"), "1/D001:4/3/1/C:\\a.xml\n");
}

}  // namespace
