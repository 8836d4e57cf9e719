#include "platform/path.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

constexpr std::size_t npos = std::string_view::npos;

TEST(Path, SkipRoot) {
  const struct {
    const char* path;
    std::size_t after;
  } cases[] = {
      {"C:\\a\\b", 3},   {"C:\\", 3},           {"c:/a", npos},  // the root needs its backslash
      {"C:a", npos},     {"\\\\srv\\sh\\x", 9}, {"\\\\srv\\sh\\", 9}, {"\\\\srv\\sh", npos},
      {"\\\\srv", npos}, {"\\\\表\\sh\\x", 8},  // 表's trail byte does not end the server name
      {"\\a", 1},        {"a\\b", npos},        {"", npos},
  };
  for (const auto& c : cases) EXPECT_EQ(c.after, PathSkipRoot(c.path)) << c.path;
}

TEST(Path, StripToRoot) {
  const struct {
    const char* path;
    bool ok;
    const char* root;
  } cases[] = {
      {"C:\\a\\b", true, "C:\\"},
      {"C:\\", true, "C:\\"},
      {"\\\\srv\\sh\\x\\y", true, "\\\\srv\\sh"},
      {"\\\\srv\\sh", true, "\\\\srv\\sh"},
      {"\\\\srv", true, "\\\\srv"},
      {"\\\\ソ\\表\\x", true, "\\\\ソ\\表"},
      {"\\a\\b", true, "\\"},
      {"a\\b", false, "a\\b"},
      {"C:a", false, "C:a"},
      {"", false, ""},
  };
  for (const auto& c : cases) {
    std::string path = c.path;
    EXPECT_EQ(c.ok, PathStripToRoot(path)) << c.path;
    EXPECT_EQ(c.root, path) << c.path;
  }
}

TEST(Path, SplitPath) {
  const struct {
    const char* path;
    const char* drive;
    const char* dir;
    const char* fname;
    const char* ext;
  } cases[] = {
      {"C:\\out\\2006\\決算.xml", "C:", "\\out\\2006\\", "決算", ".xml"},
      {"D:\\data", "D:", "\\", "data", ""},
      {"D:\\data\\", "D:", "\\data\\", "", ""},
      {"file.tar.gz", "", "", "file.tar", ".gz"},
      {"C:\\a.b\\c", "C:", "\\a.b\\", "c", ""},
      {"C:\\表", "C:", "\\", "表", ""},  // the trail byte 0x5C is no separator
      {"C:\\表\\ソ.txt", "C:", "\\表\\", "ソ", ".txt"},
      {"a/b.c", "", "a/", "b", ".c"},
      {"C:x.txt", "C:", "", "x", ".txt"},
      {"\\\\srv\\sh\\f.txt", "", "\\\\srv\\sh\\", "f", ".txt"},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SplitPathResult r = SplitPath(c.path);
    EXPECT_EQ(c.drive, r.drive) << c.path;
    EXPECT_EQ(c.dir, r.dir) << c.path;
    EXPECT_EQ(c.fname, r.fname) << c.path;
    EXPECT_EQ(c.ext, r.ext) << c.path;
  }
}

}  // namespace
}  // namespace platform
