// The engine's byte records, with the sizes and offsets the program relies
// on. Integers are little-endian; texts are zero-terminated CP932.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

struct StDATAINFO {
  static constexpr std::size_t kSize = 1506;
  static constexpr std::size_t kDataId = 0;             // text, at most 15 bytes
  static constexpr std::size_t kDataNo = 16;            // int32
  static constexpr std::size_t kCompanyName = 24;       // text, at most 259 bytes
  static constexpr std::size_t kPeriodStart = 284;      // int32 yyyymmdd
  static constexpr std::size_t kPeriodEnd = 288;        // int32 yyyymmdd
  static constexpr std::size_t kMfgCostFlag = 300;      // int32
  static constexpr std::size_t kExtraPeriodFlag = 304;  // int32
  static constexpr std::size_t kIntroMonthIndex = 326;  // int16
  static constexpr std::size_t kCompaniesAct = 876;     // uint8
  unsigned char raw[kSize];
};

struct StSHOHIZEIINFO {
  static constexpr std::size_t kSize = 20;
  static constexpr std::size_t kTaxFlag = 5;  // uint8
  unsigned char raw[kSize];
};

struct StFINDINFO {
  static constexpr std::size_t kSize = 136;
  static constexpr std::size_t kEntrySize = 34;
  static constexpr std::size_t kEntries = 4;
  // Within an entry.
  static constexpr std::size_t kItem = 0;        // int32
  static constexpr std::size_t kCompare = 6;     // int16
  static constexpr std::size_t kValueType = 10;  // int16
  static constexpr std::size_t kValue = 18;      // int16
  static constexpr std::size_t kJoin = 30;       // int16
  unsigned char raw[kSize];
};

struct StKAMOKUSUMINFO {
  static constexpr std::size_t kSize = 636;
  static constexpr std::size_t kKey = 32;        // int32
  static constexpr std::size_t kName = 38;       // text
  static constexpr std::size_t kName2 = 95;      // text
  static constexpr std::size_t kKind = 128;      // uint8
  static constexpr std::size_t kSide = 130;      // uint8, 1 debit side
  static constexpr std::size_t kCategory = 136;  // uint32
  static constexpr std::size_t kDebit1 = 152;    // 15 x int64
  static constexpr std::size_t kDebit2 = 272;
  static constexpr std::size_t kCredit1 = 392;
  static constexpr std::size_t kCredit2 = 512;
  static constexpr std::size_t kSlots = 15;
  unsigned char raw[kSize];
};

// Little-endian field access on a byte record.
namespace rec {
inline std::int16_t I16(const unsigned char* p, std::size_t off) {
  return static_cast<std::int16_t>(p[off] | (p[off + 1] << 8));
}
inline std::int32_t I32(const unsigned char* p, std::size_t off) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | p[off + i];
  return static_cast<std::int32_t>(v);
}
inline std::uint32_t U32(const unsigned char* p, std::size_t off) {
  return static_cast<std::uint32_t>(I32(p, off));
}
inline std::int64_t I64(const unsigned char* p, std::size_t off) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[off + i];
  return static_cast<std::int64_t>(v);
}
inline void PutI16(unsigned char* p, std::size_t off, std::int16_t v) {
  auto u = static_cast<std::uint16_t>(v);
  p[off] = static_cast<unsigned char>(u);
  p[off + 1] = static_cast<unsigned char>(u >> 8);
}
inline void PutI32(unsigned char* p, std::size_t off, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[off + i] = static_cast<unsigned char>(u >> (8 * i));
}
inline void PutI64(unsigned char* p, std::size_t off, std::int64_t v) {
  auto u = static_cast<std::uint64_t>(v);
  for (int i = 0; i < 8; ++i) p[off + i] = static_cast<unsigned char>(u >> (8 * i));
}
// Zero-terminated text at off, reading at most max bytes.
inline const char* Text(const unsigned char* p, std::size_t off) {
  return reinterpret_cast<const char*>(p + off);
}
}  // namespace rec
