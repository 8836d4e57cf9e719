// KOMONSAKINAME: the company name in full-width characters.
#include <cstring>
#include <string>

#include "platform/cp932.h"
#include "report/kessansho_xml.h"

namespace {
// A name of 31 bytes or more is cut to 31 full-width characters, at a
// character boundary, so the document's 63-byte limit holds.
constexpr std::size_t kLongNameBytes = 31;
constexpr std::size_t kMaxConvertedBytes = 62;
}  // namespace

const char* ClKessanshoXml::MakeCompanyName(const char* name) {
  static char result[128];
  std::memset(result, 0, sizeof result);
  if (name == nullptr) return result;
  std::size_t n = std::strlen(name);
  std::string wide = platform::MapFullWidth(std::string_view(name, n));
  std::string_view kept(wide);
  // A name below 31 bytes has at most 60 bytes converted and stays whole.
  if (n >= kLongNameBytes || kept.size() > kMaxConvertedBytes) {
    kept = platform::CutAtCharBoundary(kept, kMaxConvertedBytes);
  }
  std::memcpy(result, kept.data(), kept.size());
  return result;
}
