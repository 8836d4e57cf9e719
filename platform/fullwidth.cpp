// The full-width mapping of CP932 text, as the platform's LCMAP_FULLWIDTH
// does it under the Japanese locale.
//
// ASCII 0x21-0x7E maps to U+FF01-U+FF5E and the blank to U+3000; each is
// then written in its CP932 code from the platform's own table, which every
// one of them has and which converts back to the same character: 0x5C
// becomes "＼" (0x815F), '~' becomes "～" (0x8160), '"' becomes "＂" (0xFA57)
// and '\'' becomes "＇" (0xFA56). Half-width katakana 0xA1-0xDF map to their
// full-width forms; a following voiced mark (0xDE) or semi-voiced mark (0xDF)
// is joined with it when CP932 has the combined character (ｶﾞ -> ガ,
// ﾊﾟ -> パ, ｳﾞ -> ヴ), else it becomes "゛"/"゜" of its own. Double-byte
// characters, control bytes and bytes without a reading are copied as they
// are.
#include <array>
#include <cstdint>
#include <mutex>

#include "platform/cp932.h"

namespace platform {

namespace {

// Full-width code points of the half-width katakana 0xA1-0xDF.
constexpr char32_t kKanaWide[0xDF - 0xA1 + 1] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3,  // A1-A8
    0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC,  // A9-B0
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF,  // B1-B8
    0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF,  // B9-C0
    0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD,  // C1-C8
    0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF,  // C9-D0
    0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA,  // D1-D8
    0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,          // D9-DF
};

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

std::string Utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// The CP932 form of a code point, or "" when it has none.
std::string Cp932Of(char32_t c) {
  std::optional<std::string> s = Utf8ToCp932(Utf8Of(c));
  return s ? *s : std::string();
}

// Combined forms of the voiceless letters that the table gives: the voiced
// form is the next code point for カ-ト and ハ-ホ, the semi-voiced one the
// next but one for ハ-ホ; ウ has ヴ.
char32_t Voiced(char32_t base) {
  if ((base >= 0x30AB && base <= 0x30C8) || (base >= 0x30CF && base <= 0x30DB)) return base + 1;
  if (base == 0x30A6) return 0x30F4;
  return 0;
}

char32_t SemiVoiced(char32_t base) {
  if (base >= 0x30CF && base <= 0x30DB && (base - 0x30CF) % 3 == 0) return base + 2;
  return 0;
}

struct Tables {
  std::array<std::string, 0x7F> ascii;                  // 0x20-0x7E
  std::array<std::string, 0xDF - 0xA1 + 1> kana;        // 0xA1-0xDF
  std::array<std::string, 0xDF - 0xA1 + 1> kanaVoiced;  // with 0xDE
  std::array<std::string, 0xDF - 0xA1 + 1> kanaSemi;    // with 0xDF
};

const Tables& GetTables() {
  static const Tables tables = [] {
    Tables t;
    t.ascii[0x20] = Cp932Of(0x3000);
    for (char32_t c = 0x21; c <= 0x7E; ++c) t.ascii[c] = Cp932Of(0xFF01 + (c - 0x21));
    for (std::size_t i = 0; i < t.kana.size(); ++i) {
      char32_t base = kKanaWide[i];
      t.kana[i] = Cp932Of(base);
      // Only the letters ｱ-ﾝ take marks; small kana, signs and the marks
      // themselves never combine.
      bool letter = i + 0xA1 >= 0xB1 && i + 0xA1 <= 0xDD;
      if (!letter) continue;
      if (char32_t v = Voiced(base)) t.kanaVoiced[i] = Cp932Of(v);
      if (char32_t s = SemiVoiced(base)) t.kanaSemi[i] = Cp932Of(s);
    }
    return t;
  }();
  return tables;
}

}  // namespace

std::string MapFullWidth(std::string_view cp932) {
  const Tables& t = GetTables();
  std::string out;
  out.reserve(cp932.size() * 2);
  std::size_t i = 0;
  while (i < cp932.size()) {
    std::size_t n = CharLength(cp932, i);
    auto c = static_cast<unsigned char>(cp932[i]);
    if (n == 1 && c >= 0x20 && c <= 0x7E && !t.ascii[c].empty()) {
      out += t.ascii[c];
    } else if (n == 1 && c >= 0xA1 && c <= 0xDF && !t.kana[c - 0xA1].empty()) {
      std::size_t k = c - 0xA1;
      unsigned char next = i + 1 < cp932.size() ? static_cast<unsigned char>(cp932[i + 1]) : 0;
      if (next == kVoicedMark && !t.kanaVoiced[k].empty()) {
        out += t.kanaVoiced[k];
        ++i;
      } else if (next == kSemiVoicedMark && !t.kanaSemi[k].empty()) {
        out += t.kanaSemi[k];
        ++i;
      } else {
        out += t.kana[k];
      }
    } else {
      out.append(cp932.substr(i, n));
    }
    i += n;
  }
  return out;
}

}  // namespace platform
