#include "conditions/path_checks.h"

#include "fixture.h"

namespace {

namespace fs = std::filesystem;

using cnd_test::HostTest;

// 表 and ソ end in the byte 0x5C; ポ ends in 0x7C ('|').
const std::string kHyo = std::string("表");
const std::string kSo = std::string("ソ");
const std::string kPo = std::string("ポ");

TEST(PathChecksTrailBytes, SampleCharactersHaveTheTrailBytes) {
  ASSERT_EQ(kHyo, "\x95\x5C");
  ASSERT_EQ(kSo, "\x83\x5C");
  ASSERT_EQ(kPo, "\x83\x7C");
}

TEST(PathChecks, AddTrailingBackslash) {
  struct Case {
    std::string in;
    std::size_t capacity;
    bool ok;
    std::string out;
  };
  const Case cases[] = {
      {"C:\\a", 261, true, "C:\\a\\"},
      {"C:\\a\\", 261, true, "C:\\a\\"},
      {"C:\\" + kHyo, 261, true, "C:\\" + kHyo + "\\"},  // a trail byte is no backslash
      {"C:\\" + kSo + "\\", 261, true, "C:\\" + kSo + "\\"},
      {"", 261, false, ""},
      {"C:\\ab", 6, false, "C:\\ab"},  // 5 bytes: no room left within 6
      {"C:\\ab", 7, true, "C:\\ab\\"},
      {"C:\\ab\\", 6, true, "C:\\ab\\"},  // nothing to add
  };
  for (const Case& c : cases) {
    std::string path = c.in;
    EXPECT_EQ(AddTrailingBackslash(path, c.capacity), c.ok) << c.in;
    EXPECT_EQ(path, c.out) << c.in;
  }
}

TEST(PathChecks, ReduceToFolder) {
  struct Case {
    std::string in;
    bool ok;
    std::string out;
  };
  const Case cases[] = {
      {"C:\\out\\a.xml", true, "C:\\out\\"},
      {"C:\\out\\", true, "C:\\out\\"},
      {"C:\\" + kHyo + "\\a.xml", true, "C:\\" + kHyo + "\\"},
      {"C:\\" + kHyo, true, "C:\\"},
      {"C:\\a/b.xml", true, "C:\\a/\\"},
      {"C:a.xml", true, "C:\\"},
      {"C:", true, "C:"},
      {"a.xml", false, "a.xml"},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    std::string path = c.in;
    EXPECT_EQ(ReduceToFolder(path), c.ok) << c.in;
    EXPECT_EQ(path, c.out) << c.in;
  }
}

TEST(PathChecks, PartsOfAPath) {
  struct Case {
    std::string path, folder, file, drive, afterDrive;
  };
  const Case cases[] = {
      {"C:\\out\\a.xml", "C:\\out\\", "a.xml", "C:", "\\out\\a.xml"},
      {"C:\\out\\", "C:\\out\\", "", "C:", "\\out\\"},
      {"C:a.xml", "", "C:a.xml", "C:", "a.xml"},
      {"a.xml", "", "a.xml", "", "a.xml"},
      {"C:\\" + kHyo, "C:\\", kHyo, "C:", "\\" + kHyo},
      {"C:\\" + kSo + "\\" + kHyo + ".xml", "C:\\" + kSo + "\\", kHyo + ".xml",
       "C:", "\\" + kSo + "\\" + kHyo + ".xml"},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPartOf(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNamePartOf(c.path), c.file) << c.path;
    EXPECT_EQ(DrivePartOf(c.path), c.drive) << c.path;
    EXPECT_EQ(AfterDrivePartOf(c.path), c.afterDrive) << c.path;
  }
}

TEST(PathChecks, PathCharacters) {
  struct Case {
    std::string path;
    bool ok;
  };
  const Case cases[] = {
      {"C:\\out\\a.xml", true},
      {"C:\\out\\\\a.xml", false},
      {"\\\\SRV\\SHARE\\a.xml", true},
      {"\\\\SRV\\\\SHARE\\a.xml", false},
      {"\\\\SRV\\SHARE\\\\a.xml", false},
      {"C:\\" + kHyo + "\\a.xml", true},  // 0x5C 0x5C, but the first is a trail byte
      {"C:\\" + kSo + "\\" + kSo + "\\a.xml", true},
      {"C:\\" + kPo + ".xml", true},  // 0x7C as a trail byte is no '|'
      {"C:\\a/b.xml", false},
      {"C:\\a:b.xml", false},  // a second colon
      {"C:\\a,b.xml", false},
      {"C:\\a;b.xml", false},
      {"C:\\a*.xml", false},
      {"C:\\a?.xml", false},
      {"C:\\a\"b.xml", false},
      {"C:\\a>b.xml", false},
      {"C:\\a<b.xml", false},
      {"C:\\a|b.xml", false},
      {"a,b.xml", false},  // no drive: the whole text is checked
      {"\\\\SRV\\SHARE\\a;b.xml", false},
      {"C:\\out\\a b.xml", true},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckPathCharacters(c.path), c.ok) << c.path;
}

class PathHostTest : public HostTest {};

TEST_F(PathHostTest, OutputDriveByTypeAndShare) {
  struct Case {
    std::string path;
    bool ok;
  };
  const Case cases[] = {
      {"C:\\out\\a.xml", true},
      {"c:\\out\\a.xml", true},
      {"D:\\a.xml", false},  // CD-ROM
      {"E:\\a.xml", false},  // RAM disk
      {"G:\\a.xml", false},  // unknown type
      {"F:\\a.xml", true},   // removable, root accessible
      {"R:\\a.xml", true},   // remote
      {"Z:\\a.xml", true},   // no volume behind the letter: met later
      {"1:\\a.xml", false},
      {"", false},
      {"C:\\out\\\\a.xml", false},
      {"\\\\SRV\\SHARE\\a.xml", true},
      {"\\\\srv\\share\\sub\\a.xml", true},
      {"\\\\SRV\\a.xml", false},         // directly under the server: no share
      {"\\\\SRV\\OTHER\\a.xml", false},  // no such share
      {"\\\\SRV\\SHARE", false},         // the share name is not ended
  };
  for (const Case& c : cases) EXPECT_EQ(CheckOutputDrive(c.path), c.ok) << c.path;
}

TEST_F(PathHostTest, UsableDriveLetters) {
  EXPECT_TRUE(IsUsableDrive('C', 6));
  EXPECT_TRUE(IsUsableDrive('c', 6));
  EXPECT_FALSE(IsUsableDrive('d', 0));
  EXPECT_TRUE(IsUsableDrive('Q', 6));
  EXPECT_FALSE(IsUsableDrive('@', 6));
  EXPECT_FALSE(IsUsableDrive('\x95', 6));
}

TEST_F(PathHostTest, ExistingFolderTestsTheFolderPart) {
  MakeDirOnC("out");
  EXPECT_TRUE(IsExistingFolder("C:\\out\\"));
  EXPECT_TRUE(IsExistingFolder("C:\\out\\missing.xml"));
  EXPECT_FALSE(IsExistingFolder("C:\\nothere\\a.xml"));
}

TEST_F(PathHostTest, CreatesTheMissingLevel) {
  MakeDirOnC("out");
  ASSERT_TRUE(CreateFolderTree(std::string("C:\\out\\2006\\")));
  EXPECT_TRUE(DirOnC("out/2006"));
}

TEST_F(PathHostTest, CreatesEveryLevelWithTrailByteNames) {
  ASSERT_TRUE(CreateFolderTree(std::string("C:\\out\\表\\ソ\\")));
  EXPECT_TRUE(DirOnC("out/表/ソ"));
  // A file part after the last backslash is not a level.
  ASSERT_TRUE(CreateFolderTree(std::string("C:\\x\\表\\決算.xml")));
  EXPECT_TRUE(DirOnC("x/表"));
  EXPECT_FALSE(fs::exists(OnC("x/表/決算.xml")));
}

TEST_F(PathHostTest, FailedCreationRemovesOnlyWhatItCreated) {
  MakeDirOnC("keep");
  env_->FailCreateDirectory("\\c\\");
  EXPECT_FALSE(CreateFolderTree("C:\\keep\\a\\b\\c\\"));
  EXPECT_TRUE(DirOnC("keep"));
  EXPECT_FALSE(fs::exists(OnC("keep/a")));

  EXPECT_FALSE(CreateFolderTree("C:\\a\\b\\c\\"));
  EXPECT_FALSE(fs::exists(OnC("a")));
}

TEST_F(PathHostTest, FolderCreationRefusals) {
  EXPECT_FALSE(CreateFolderTree(""));
  EXPECT_FALSE(CreateFolderTree("out\\"));  // no root
  EXPECT_FALSE(fs::exists(OnC("out")));
}

TEST_F(PathHostTest, FolderLengthLimit) {
  // "C:\" + 5 levels of 50 bytes and their backslashes = 258 bytes.
  std::string folder = "C:\\";
  std::string hostRel;
  for (char c : std::string("abcde")) {
    folder += std::string(50, c) + "\\";
    hostRel += std::string(50, c) + "/";
  }
  const std::string at260 = folder + "x\\";   // 260 bytes with its backslash
  const std::string at261 = folder + "xy\\";  // 261
  ASSERT_EQ(at260.size(), 260u);
  EXPECT_FALSE(CreateFolderTree(at261));
  EXPECT_FALSE(fs::exists(OnC("aaaaa")));
  EXPECT_TRUE(CreateFolderTree(at260));
  EXPECT_TRUE(DirOnC(hostRel + "x"));
}

TEST_F(PathHostTest, RemoveCreatedFolders) {
  MakeDirOnC("r1/r2/r3");
  const std::string stop = "C:\\r1\\";
  // Without a stop folder only the deepest existing level goes.
  EXPECT_TRUE(RemoveCreatedFolders("C:\\r1\\r2\\r3\\gone\\a.xml", nullptr));
  EXPECT_FALSE(fs::exists(OnC("r1/r2/r3")));
  EXPECT_TRUE(DirOnC("r1/r2"));

  MakeDirOnC("r1/r2/r3");
  const std::string otherCase = "c:\\R1\\";
  EXPECT_TRUE(RemoveCreatedFolders("C:\\r1\\r2\\r3\\", &otherCase));
  EXPECT_FALSE(fs::exists(OnC("r1/r2")));
  EXPECT_TRUE(DirOnC("r1"));

  MakeDirOnC("r1/r2");
  const std::string notAPrefix = "C:\\q\\";
  EXPECT_FALSE(RemoveCreatedFolders("C:\\r1\\r2\\", &notAPrefix));
  EXPECT_TRUE(DirOnC("r1/r2"));
  const std::string otherDrive = "D:\\r1\\";
  EXPECT_FALSE(RemoveCreatedFolders("C:\\r1\\r2\\", &otherDrive));
  EXPECT_TRUE(DirOnC("r1/r2"));
  EXPECT_TRUE(RemoveCreatedFolders("C:\\r1\\r2\\", &stop));
  EXPECT_FALSE(fs::exists(OnC("r1/r2")));
}

TEST_F(PathHostTest, RemoveStepsOverTrailByteNames) {
  MakeDirOnC("表/ソ");
  const std::string root = "C:\\";
  EXPECT_TRUE(RemoveCreatedFolders(std::string("C:\\表\\ソ\\"), &root));
  EXPECT_FALSE(fs::exists(OnC("表")));
}

}  // namespace
