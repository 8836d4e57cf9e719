#include "platform/profile.h"

#include <gtest/gtest.h>

#include "platform/host_env.h"
#include "temp_dir.h"

namespace platform {
namespace {

using platform_test::TempDir;
using platform_test::WriteHostFile;

class ProfileTest : public ::testing::Test {
 protected:
  ProfileTest() : env_(PathMapper({{'C', DriveType::Fixed, tmp_.path()}}, {}), "", "") {}

  // Reads ProgramLevel/QX71 with default "1" into a 16-byte buffer, as the
  // level check does, from a file holding `content`.
  std::string Level(const std::string& content) {
    WriteHostFile(tmp_ / "ZeimarkDef.ini", content);
    return GetPrivateProfileString(env_, "ProgramLevel", "QX71", "1", 16, "C:\\ZeimarkDef.ini");
  }

  TempDir tmp_;
  HostEnv env_;
};

TEST_F(ProfileTest, MissingFileGivesTheDefault) {
  EXPECT_EQ("1",
            GetPrivateProfileString(env_, "ProgramLevel", "QX71", "1", 16, "C:\\ZeimarkDef.ini"));
  // Trailing blanks of the default are dropped; the default is cut like a value.
  EXPECT_EQ("1", GetPrivateProfileString(env_, "S", "K", "1  ", 16, "C:\\none.ini"));
  EXPECT_EQ("abc", GetPrivateProfileString(env_, "S", "K", "abcdef", 4, "C:\\none.ini"));
}

TEST_F(ProfileTest, ValueRules) {
  const struct {
    const char* content;
    const char* expected;
  } cases[] = {
      {"[ProgramLevel]\r\nQX71=3\r\n", "3"},
      {"[ProgramLevel]\nQX71=3", "3"},
      {"[ProgramLevel]\rQX71=3\r", "3"},
      {"[Other]\r\nQX71=3\r\n", "1"},         // no section
      {"[ProgramLevel]\r\nQX70=3\r\n", "1"},  // no key
      {"QX71=3\r\n[ProgramLevel]\r\n", "1"},  // before any section
      {"[ProgramLevel]\r\nQX71=\r\n", ""},    // empty, not the default
      {"[ProgramLevel]\r\nQX71=   \r\n", ""},
      {"  [ ProgramLevel ]  \r\n  QX71 \t=  3  \r\n", "3"},
      {"[programlevel]\r\nqx71=3\r\n", "3"},
      {"[ProgramLevel]\r\nQX71=\"3\"\r\n", "3"},
      {"[ProgramLevel]\r\nQX71='3 '\r\n", "3 "},
      {"[ProgramLevel]\r\nQX71=\"\"\r\n", ""},
      {"[ProgramLevel]\r\nQX71=\"3\r\n", "\"3"},  // no closing quote
      {"[ProgramLevel]\r\nQX71=\"3'\r\n", "\"3'"},
      {"[ProgramLevel]\r\n;QX71=5\r\nQX71=3\r\n", "3"},
      {"[ProgramLevel]\r\nQX71\r\nQX71=4\r\n", "4"},  // a line without '=' is no value
      {"[ProgramLevel]\r\nQX71=3 ; level\r\n", "3 ; level"},
      {"[ProgramLevel]\r\nQX71=3\r\nQX71=4\r\n", "3"},
      {"[Other]\r\nQX71=9\r\n[ProgramLevel]\r\nQX71=3\r\n", "3"},
      {"[ProgramLevel]\r\nQX71=12345678901234567890\r\n", "123456789012345"},
      {"\xEF\xBB\xBF[ProgramLevel]\r\nQX71=3\r\n", "3"},  // UTF-8 BOM
      {"", "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Level(c.content)) << c.content;
}

TEST_F(ProfileTest, DoubleByteNamesAndValues) {
  WriteHostFile(tmp_ / "j.ini", "[表]\r\nキー=値ソ\r\n[\x83\x41]\r\nk=a\r\n");
  EXPECT_EQ("値ソ", GetPrivateProfileString(env_, "表", "キー", "", 16, "C:\\j.ini"));
  // ア (0x83 0x41) and its neighbour 0x83 0x61 differ only by what would be
  // ASCII case in a trail byte: different names.
  EXPECT_EQ("a", GetPrivateProfileString(env_, "\x83\x41", "K", "-", 16, "C:\\j.ini"));
  EXPECT_EQ("-", GetPrivateProfileString(env_, "\x83\x61", "K", "-", 16, "C:\\j.ini"));
  // The buffer holds bufferSize - 1 bytes, cut at a byte boundary.
  EXPECT_EQ("\x92\x6C\x83", GetPrivateProfileString(env_, "表", "キー", "", 4, "C:\\j.ini"));
  EXPECT_EQ("", GetPrivateProfileString(env_, "表", "キー", "", 1, "C:\\j.ini"));
}

TEST_F(ProfileTest, Utf16FileDoesNotCrash) {
  static const char kUtf16[] =
      "\xFF\xFE[\0P\0]\0\r\0\n\0Q\0=\0"
      "3\0";
  const std::string utf16(kUtf16, sizeof kUtf16 - 1);
  EXPECT_EQ("1", Level(utf16));
  EXPECT_EQ("1", Level(std::string("[ProgramLevel\0]\nQX71=3", 22)));
}

}  // namespace
}  // namespace platform
