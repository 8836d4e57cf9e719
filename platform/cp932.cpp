#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace platform {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

std::size_t CharLength(std::string_view text, std::size_t index) {
  if (index + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[index])) &&
      IsTrailByte(static_cast<unsigned char>(text[index + 1]))) {
    return 2;
  }
  return 1;
}

bool IsInDoubleByteChar(std::string_view text, std::size_t index) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t n = CharLength(text, i);
    if (index < i + n) return n == 2;
    i += n;
  }
  return false;
}

bool EndsInBackslash(std::string_view text) {
  return !text.empty() && text.back() == '\\' && !IsInDoubleByteChar(text, text.size() - 1);
}

std::string_view CutAtCharBoundary(std::string_view text, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t n = CharLength(text, i);
    if (i + n > maxBytes) break;
    i += n;
  }
  return text.substr(0, i);
}

namespace {

// Converts one character (or one undecodable byte) at a time so that a byte
// without a reading costs only itself.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts in[0..n); true when all of it converted.
  bool Convert(const char* in, std::size_t n, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[64];
    char* src = const_cast<char*>(in);
    std::size_t left = n;
    while (left > 0) {
      char* dst = buf;
      std::size_t room = sizeof buf;
      std::size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buf, static_cast<std::size_t>(dst - buf));
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    char* dst = buf;
    std::size_t room = sizeof buf;
    iconv(cd_, nullptr, nullptr, &dst, &room);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  static thread_local Converter conv("UTF-8", "CP932");
  std::string out;
  std::size_t i = 0;
  while (i < cp932.size()) {
    std::size_t n = CharLength(cp932, i);
    std::string piece;
    if (conv.ok() && conv.Convert(cp932.data() + i, n, piece)) {
      out += piece;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD
    }
    i += n;
  }
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  Converter conv("CP932", "UTF-8");
  if (!conv.ok()) return std::nullopt;
  std::string out;
  if (!conv.Convert(utf8.data(), utf8.size(), out)) return std::nullopt;
  return out;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
    if (c < 0x80) {
      n = 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
      n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 3;
      if (c == 0xE0) lo = 0xA0;  // no overlong forms
      if (c == 0xED) hi = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    }
    bool ok = n > 0 && i + n <= text.size();
    for (std::size_t k = 1; ok && k < n; ++k) {
      const unsigned char t = static_cast<unsigned char>(text[i + k]);
      ok = k == 1 ? (t >= lo && t <= hi) : (t >= 0x80 && t <= 0xBF);
    }
    if (ok) {
      out.append(text, i, n);
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

}  // namespace platform
