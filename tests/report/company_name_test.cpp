#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/cp932.h"
#include "report/kessansho_xml.h"

namespace {

TEST(MapFullWidthTest, AsciiBecomesFullWidth) {
  EXPECT_EQ(platform::MapFullWidth("ABC株式会社"), "ＡＢＣ株式会社");
  EXPECT_EQ(platform::MapFullWidth("az09!&"), "ａｚ０９！＆");
  // Blank, backslash, tilde, both quotes and the hyphen, in the CP932 codes
  // that read back as the same full-width characters.
  EXPECT_EQ(platform::MapFullWidth(" \\~\"'-"), "\x81\x40\x81\x5F\x81\x60\xFA\x57\xFA\x56\x81\x7C");
}

TEST(MapFullWidthTest, HalfWidthKatakanaWithMarks) {
  EXPECT_EQ(platform::MapFullWidth("ｶﾞｷﾞﾊﾟﾎﾟｳﾞﾄﾞ"), "ガギパポヴド");
  // No combined form: the mark becomes a full-width mark of its own.
  EXPECT_EQ(platform::MapFullWidth("ｱﾞﾜﾞｶﾟﾞ"), "ア゛ワ゛カ゜゛");
  EXPECT_EQ(platform::MapFullWidth("｡｢｣､･ｦｧｯｰﾝ"), "。「」、・ヲァッーン");
}

TEST(MapFullWidthTest, OtherBytesAreCopied) {
  // Double-byte characters (ソ and 表 with trail byte 0x5C), a control byte
  // and a lone lead byte at the end stay as they are.
  const std::string text = "ソ表\t\x81";
  EXPECT_EQ(platform::MapFullWidth(text), text);
  EXPECT_EQ(platform::MapFullWidth(""), "");
}

TEST(MakeCompanyNameTest, ShortNamesStayWhole) {
  EXPECT_STREQ(ClKessanshoXml::MakeCompanyName("ABC株式会社"), "ＡＢＣ株式会社");
  EXPECT_STREQ(ClKessanshoXml::MakeCompanyName("ｶﾌﾞｼｷｶﾞｲｼｬ ｿﾆｰ"), "カブシキガイシャ　ソニー");
  EXPECT_STREQ(ClKessanshoXml::MakeCompanyName(""), "");
}

TEST(MakeCompanyNameTest, LongNamesAreCutAtACharacterBoundary) {
  const std::string n31(31, 'A');
  const std::string n40(40, 'B');
  std::string wide31;
  for (int i = 0; i < 31; ++i) wide31 += "Ａ";
  std::string wide31b;
  for (int i = 0; i < 31; ++i) wide31b += "Ｂ";
  EXPECT_EQ(std::string(ClKessanshoXml::MakeCompanyName(n31.c_str())), wide31);
  EXPECT_EQ(std::string(ClKessanshoXml::MakeCompanyName(n40.c_str())), wide31b);
  // A single-byte control character shifts the boundary: 61 bytes, since a
  // 62nd byte would split a character.
  const std::string odd = "\t" + n40;
  const std::string cut = ClKessanshoXml::MakeCompanyName(odd.c_str());
  EXPECT_EQ(cut.size(), 61u);
  EXPECT_EQ(cut, "\t" + wide31b.substr(0, 60));
}

}  // namespace
