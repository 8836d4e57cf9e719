#include "platform/cp932.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace platform {
namespace {

using platform_test::kEmoji;
using platform_test::kHangul;
using platform_test::U8;

// ソ (0x83 0x5C) and 表 (0x95 0x5C) end in the byte value of a backslash.
TEST(Cp932, TrailByteBackslashBelongsToItsCharacter) {
  const std::string text = "a\x83\x5C\\\x95\x5C";  // a ソ \ 表
  ASSERT_EQ(std::string("aソ\\表"), text);
  const bool expected[] = {false, true, true, false, true, true};
  for (std::size_t i = 0; i < text.size(); ++i) {
    EXPECT_EQ(expected[i], IsInDoubleByteChar(text, i)) << "index " << i;
  }
  EXPECT_FALSE(EndsInBackslash("C:\\表"));
  EXPECT_TRUE(EndsInBackslash("C:\\表\\"));
  EXPECT_FALSE(EndsInBackslash(""));
}

TEST(Cp932, CutAtCharBoundaryNeverSplitsACharacter) {
  const std::string text = "aソb";
  EXPECT_EQ("", CutAtCharBoundary(text, 0));
  EXPECT_EQ("a", CutAtCharBoundary(text, 1));
  EXPECT_EQ("a", CutAtCharBoundary(text, 2));
  EXPECT_EQ("aソ", CutAtCharBoundary(text, 3));
  EXPECT_EQ("aソb", CutAtCharBoundary(text, 99));
}

TEST(Cp932, ToUtf8ReplacesBytesWithoutAReading) {
  EXPECT_EQ(U8(u8"決算書 表ソ"), Cp932ToUtf8("決算書 表ソ"));
  // 0xFF has no reading; a lead byte at the end has no trail.
  EXPECT_EQ(U8(u8"a\uFFFDb"), Cp932ToUtf8("a\xFF"
                                          "b"));
  EXPECT_EQ(U8(u8"a\uFFFD"), Cp932ToUtf8("a\x83"));
  // Half-width katakana are single bytes.
  EXPECT_EQ(U8(u8"ｱ"), Cp932ToUtf8("\xB1"));
}

TEST(Cp932, FromUtf8RefusesWhatCp932CannotHold) {
  EXPECT_EQ(std::optional<std::string>("\x95\x5C"), Utf8ToCp932(U8(u8"表")));
  EXPECT_EQ(std::optional<std::string>("決算書"), Utf8ToCp932(U8(u8"決算書")));
  EXPECT_EQ(std::nullopt, Utf8ToCp932(kEmoji));   // no CP932 form
  EXPECT_EQ(std::nullopt, Utf8ToCp932(kHangul));  // Hangul: none either
  EXPECT_EQ(std::nullopt, Utf8ToCp932("\xC3"));   // not UTF-8
}

TEST(Cp932, ValidUtf8ReplacesEveryByteOutsideAWellFormedSequence) {
  const std::string fffd = U8(u8"\uFFFD");
  const struct {
    std::string in, out;
  } kCases[] = {
      {U8(u8"決算書 a"), U8(u8"決算書 a")},
      {kEmoji, kEmoji},
      {"C:\\\x83\\.xml", "C:\\" + fffd + "\\.xml"},     // CP932 bytes of a path
      {"a\xC3", "a" + fffd},                            // cut sequence at the end
      {"\xC0\xAF", fffd + fffd},                        // overlong
      {"\xED\xA0\x80", fffd + fffd + fffd},             // a surrogate
      {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
      {"\xE6\x97x", fffd + fffd + "x"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.out, ValidUtf8(c.in)) << c.in;
}

}  // namespace
}  // namespace platform
