// Engine amounts: signed counts of ten-thousandths of a yen, held with the
// sign apart from the magnitude.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

class ClAmount {
 public:
  ClAmount() = default;
  virtual ~ClAmount() = default;
  ClAmount(const ClAmount&) = default;
  ClAmount& operator=(const ClAmount&) = default;

  static ClAmount FromInt64(std::int64_t raw);
  std::int64_t ToInt64() const;
  void CopyValue(const ClAmount& other);
  // a + b; nullopt (the overflow error) when the magnitude of the result is
  // 10^18 or more, or the sum does not fit in 64 bits.
  static std::optional<ClAmount> Add(const ClAmount& a, const ClAmount& b);
  // a - b; nullopt when the result does not fit in 64 bits.
  static std::optional<ClAmount> Subtract(const ClAmount& a, const ClAmount& b);
  // this += b; false (this unchanged) when the sum does not fit in 64 bits.
  bool AddInPlace(const ClAmount& b);

  std::uint64_t whole = 0;
  std::int32_t fraction = 0;
  std::int16_t sign = 1;
};

// Whole yen of a raw amount, truncated toward zero.
std::int64_t WholeYen(std::int64_t raw);
// The report's text of a raw amount: whole yen in decimal, or "" when the
// whole-yen value is 0 (absent).
std::string RenderYen(std::int64_t raw);
