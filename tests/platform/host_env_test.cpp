#include "platform/host_env.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "temp_dir.h"

namespace platform {
namespace {

using platform_test::HostNames;
using platform_test::kEmoji;
using platform_test::ReadHostFile;
using platform_test::TempDir;
using platform_test::U8;
using platform_test::WriteHostFile;

TEST(DriveMap, ParsesLettersTypesAndRoots) {
  std::string error;
  auto drives = ParseDriveMap("C=fixed:/;d=CDROM:/mnt/cd/;R=removable:/media/a:b;", &error);
  ASSERT_TRUE(drives) << error;
  ASSERT_EQ(3u, drives->size());
  EXPECT_EQ('C', (*drives)[0].letter);
  EXPECT_EQ(DriveType::Fixed, (*drives)[0].type);
  EXPECT_EQ("/", (*drives)[0].hostRoot);
  EXPECT_EQ('D', (*drives)[1].letter);
  EXPECT_EQ(DriveType::CdRom, (*drives)[1].type);
  EXPECT_EQ("/mnt/cd", (*drives)[1].hostRoot);
  EXPECT_EQ("/media/a:b", (*drives)[2].hostRoot);  // the root is all after the type
}

TEST(DriveMap, RefusesABadEntryByName) {
  const char* bad[] = {"C",          "C=fixed",  "CC=fixed:/",           "1=fixed:/",
                       "C=floppy:/", "C=fixed:", "C=fixed:/;c=remote:/x"};
  for (const char* text : bad) {
    std::string error;
    EXPECT_FALSE(ParseDriveMap(text, &error)) << text;
    EXPECT_NE(std::string::npos, error.find("entry \"")) << error;
  }
  std::string error;
  ParseDriveMap("C=fixed:/;E=floppy:/x", &error);
  EXPECT_EQ(
      "entry \"E=floppy:/x\": the type must be fixed, removable, remote, cdrom, ramdisk or "
      "unknown",
      error);
}

TEST(ShareMap, ParsesShares) {
  std::string error;
  auto shares = ParseShareMap(U8(u8"\\\\srv\\share=/srv/s;//Other/共有/=/x/"), &error);
  ASSERT_TRUE(shares) << error;
  ASSERT_EQ(2u, shares->size());
  EXPECT_EQ("\\\\srv\\share", (*shares)[0].share);
  EXPECT_EQ("/srv/s", (*shares)[0].hostRoot);
  EXPECT_EQ("\\\\Other\\共有", (*shares)[1].share);  // CP932 for matching
  EXPECT_EQ("/x", (*shares)[1].hostRoot);
}

TEST(ShareMap, RefusesABadEntryByName) {
  const std::string bad[] = {"\\\\srv=/x",
                             "srv\\share=/x",
                             "\\\\srv\\share\\sub=/x",
                             "\\\\srv\\share",
                             "\\\\srv\\share=",
                             "\\\\" + kEmoji + "\\s=/x",
                             "\\\\a\\b=/x;\\\\A\\B=/y"};
  for (const std::string& text : bad) {
    std::string error;
    EXPECT_FALSE(ParseShareMap(text, &error)) << text;
    EXPECT_NE(std::string::npos, error.find("entry \"")) << error;
  }
}

// Three drives and a share in a temporary folder: C and D exist, R's root is
// missing.
class HostEnvTest : public ::testing::Test {
 protected:
  HostEnvTest()
      : c_(tmp_ / "c"),
        d_(tmp_ / "d"),
        share_(tmp_ / "share"),
        mapper_({{'C', DriveType::Fixed, c_},
                 {'D', DriveType::CdRom, d_},
                 {'R', DriveType::Removable, tmp_ / "missing"}},
                {{"\\\\srv\\Share", share_}}),
        env_(mapper_, c_ + "/prog/stmtlink-birch", c_ + "/tmp") {
    for (const std::string& dir : {c_, d_, share_, c_ + "/work", c_ + "/prog", c_ + "/tmp"}) {
      std::filesystem::create_directories(dir);
    }
    EXPECT_TRUE(env_.SetCurrentDirectory("C:\\work"));
  }

  TempDir tmp_;
  std::string c_, d_, share_;
  PathMapper mapper_;
  HostEnv env_;
};

TEST_F(HostEnvTest, MapsWindowsPathsOntoTheHost) {
  const struct {
    std::string windows;
    std::optional<std::string> host;
  } cases[] = {
      {"C:\\a\\b.txt", c_ + "/a/b.txt"},
      {"c:/a/./x/../b", c_ + "/a/b"},
      {"C:\\..\\..\\a", c_ + "/a"},  // never above the root
      {"C:\\", c_},
      {"C:\\dir\\", c_ + "/dir/"},  // a final separator stays: only a folder fits
      {"a\\b", c_ + "/work/a/b"},
      {"..\\..\\..\\z", c_ + "/z"},
      {"\\z", c_ + "/z"},
      {"C:z", c_ + "/work/z"},  // the current directory of C
      {"D:z", d_ + "/z"},       // the root of D
      {"\\\\srv\\share\\x", share_ + "/x"},
      {"\\\\SRV\\SHARE\\x\\..\\..\\y", share_ + "/y"},
      {"//srv/share", share_},
      {"C:\\表\\ソ.txt", c_ + U8(u8"/表/ソ.txt")},  // trail bytes 0x5C are no separators
      {"\\\\srv\\other\\x", std::nullopt},
      {"\\\\srv", std::nullopt},
      {"Q:\\x", std::nullopt},
      {"C:\\a\xFF", std::nullopt},  // no CP932 reading
      {"C:\\a?b", std::nullopt},
      {"C:\\a:b", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(c.host, env_.ToHost(c.windows)) << c.windows;
}

TEST_F(HostEnvTest, ReverseMappingPicksTheLongestRoot) {
  PathMapper mapper({{'C', DriveType::Fixed, "/"}, {'D', DriveType::CdRom, d_}}, {});
  EXPECT_EQ("D:\\x\\表", mapper.ToWindows(d_ + U8(u8"/x/表")));
  EXPECT_EQ("D:\\", mapper.ToWindows(d_ + "/"));
  EXPECT_EQ("C:\\etc\\hosts", mapper.ToWindows("/etc/hosts"));
  EXPECT_EQ("C:\\", mapper.ToWindows("/"));
  EXPECT_EQ(std::nullopt, mapper.ToWindows("/a" + kEmoji));  // no CP932 form
  EXPECT_EQ(std::nullopt, mapper_.ToWindows("/etc"));        // outside every drive
  // d_ + "x" is a sibling of D's root, not inside it.
  EXPECT_EQ(std::nullopt, mapper_.ToWindows(d_ + "x"));
}

TEST(PathMapperDefault, EveryHostPathIsOnC) {
  std::string error;
  PathMapper mapper(*ParseDriveMap("C=fixed:/", &error), {});
  EXPECT_EQ("C:\\tmp\\x y\\z.ini", mapper.ToWindows("/tmp/x y/z.ini"));
  EXPECT_EQ("/tmp/x y/z.ini", mapper.ToHost("C:\\tmp\\x y\\z.ini", "C:\\"));
}

TEST_F(HostEnvTest, DriveTypes) {
  const struct {
    const char* root;
    DriveType type;
  } cases[] = {
      {"C:\\", DriveType::Fixed},
      {"c:", DriveType::Fixed},
      {"D:\\", DriveType::CdRom},
      {"R:\\", DriveType::NoRootDir},  // mapped, but its root is missing
      {"Q:\\", DriveType::NoRootDir},
      {"\\\\srv\\share\\", DriveType::Remote},
      {"\\\\SRV\\SHARE", DriveType::Remote},
      {"\\\\srv\\nosuch\\", DriveType::NoRootDir},
      {"C:\\work\\", DriveType::NoRootDir},  // not a root
      {"", DriveType::Fixed},                // the current directory's drive
  };
  for (const auto& c : cases) EXPECT_EQ(c.type, env_.GetDriveType(c.root)) << c.root;
}

TEST_F(HostEnvTest, FilesAndFolders) {
  EXPECT_TRUE(env_.CreateDirectory("C:\\out"));
  EXPECT_FALSE(env_.CreateDirectory("C:\\out"));  // exists already
  EXPECT_FALSE(env_.CreateDirectory("C:\\no\\deeper"));
  EXPECT_TRUE(env_.IsDirectory("C:\\out\\"));
  EXPECT_TRUE(env_.CreateDirectory("C:\\out\\表"));
  EXPECT_TRUE(std::filesystem::is_directory(c_ + U8(u8"/out/表")));

  auto file = env_.Open("C:\\out\\表\\a.txt", OpenMode::Write);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->Write("hello", 5));
  EXPECT_TRUE(file->Close());
  EXPECT_TRUE(file->Close());
  EXPECT_EQ("hello", ReadHostFile(c_ + U8(u8"/out/表/a.txt")));

  auto status = env_.GetStatus("C:\\out\\表\\a.txt");
  ASSERT_TRUE(status);
  EXPECT_EQ(5u, status->size);
  EXPECT_FALSE(status->isDirectory);
  EXPECT_TRUE(env_.GetStatus("C:\\out")->isDirectory);
  EXPECT_FALSE(env_.GetStatus("C:\\out\\表\\a.txt\\"));  // a file is no folder
  EXPECT_FALSE(env_.GetStatus("C:\\out\\nothing"));
  EXPECT_FALSE(env_.IsDirectory("C:\\out\\表\\a.txt"));

  EXPECT_TRUE(env_.Access("C:\\out\\表\\a.txt", 0));
  EXPECT_TRUE(env_.Access("C:\\out\\表\\a.txt", 6));
  EXPECT_FALSE(env_.Access("C:\\out\\none", 0));
  EXPECT_FALSE(env_.Access("Q:\\", 0));

  std::string got(16, '\0');
  std::size_t n = 0;
  auto in = env_.Open("C:\\out\\表\\a.txt", OpenMode::Read);
  ASSERT_TRUE(in);
  EXPECT_TRUE(in->Read(got.data(), got.size(), &n));
  EXPECT_EQ("hello", got.substr(0, n));
  EXPECT_FALSE(env_.Open("C:\\out", OpenMode::Read));  // a folder is no file
  EXPECT_FALSE(env_.Open("C:\\out\\none", OpenMode::Read));
  EXPECT_FALSE(env_.Open("C:\\out\\none", OpenMode::ReadWrite));
  EXPECT_FALSE(env_.Open("Q:\\x", OpenMode::Write));

  EXPECT_FALSE(env_.RemoveDirectory("C:\\out\\表"));  // not empty
  EXPECT_TRUE(env_.DeleteFile("C:\\out\\表\\a.txt"));
  EXPECT_FALSE(env_.DeleteFile("C:\\out\\表\\a.txt"));
  EXPECT_TRUE(env_.RemoveDirectory("C:\\out\\表"));
  EXPECT_EQ(std::vector<std::string>{}, HostNames(c_ + "/out"));
}

TEST_F(HostEnvTest, ReplaceFileRenames) {
  WriteHostFile(c_ + "/new", "new");
  WriteHostFile(c_ + "/old", "old");
  EXPECT_TRUE(env_.ReplaceFile("C:\\new", "C:\\old"));
  EXPECT_EQ("new", ReadHostFile(c_ + "/old"));
  EXPECT_FALSE(std::filesystem::exists(c_ + "/new"));
  EXPECT_FALSE(env_.ReplaceFile("C:\\new", "C:\\old"));
}

TEST_F(HostEnvTest, CurrentDirectoryIsHeldInWindowsForm) {
  EXPECT_EQ("C:\\work", env_.GetCurrentDirectory());
  std::filesystem::create_directories(c_ + "/work/sub");
  EXPECT_TRUE(env_.SetCurrentDirectory("sub\\"));
  EXPECT_EQ("C:\\work\\sub", env_.GetCurrentDirectory());
  WriteHostFile(c_ + "/work/sub/f", "x");
  EXPECT_TRUE(env_.Access("f", 0));
  EXPECT_FALSE(env_.SetCurrentDirectory("f"));  // a file
  EXPECT_FALSE(env_.SetCurrentDirectory("C:\\nothing"));
  EXPECT_EQ("C:\\work\\sub", env_.GetCurrentDirectory());
  EXPECT_TRUE(env_.SetCurrentDirectory("..\\..\\.."));
  EXPECT_EQ("C:\\", env_.GetCurrentDirectory());
  EXPECT_TRUE(env_.SetCurrentDirectory("\\\\srv\\share"));
  EXPECT_EQ("\\\\srv\\share\\", env_.GetCurrentDirectory());
  EXPECT_EQ(share_ + "/x", env_.ToHost("\\x"));
}

TEST_F(HostEnvTest, ProgramAndTemporaryFolders) {
  EXPECT_EQ("C:\\prog\\stmtlink-birch", env_.GetModuleFileName());
  EXPECT_EQ("C:\\tmp\\", env_.GetTempPath());
  EXPECT_EQ("D:\\x", env_.WindowsFormOf(d_ + "/x"));

  HostEnv outside(mapper_, "/usr/bin/prog", "/var/tmp");
  EXPECT_EQ("", outside.GetModuleFileName());
  EXPECT_EQ("", outside.GetTempPath());
}

}  // namespace
}  // namespace platform
