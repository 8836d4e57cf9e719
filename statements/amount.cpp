#include "statements/amount.h"

#include <limits>

namespace {

constexpr std::uint64_t kYen = 10000;
// Add refuses a magnitude of 10^18 ten-thousandths (10^14 yen) or more.
constexpr std::uint64_t kAddLimit = 1000000000000000000ULL;
// The magnitude of INT64_MIN, the largest a signed 64-bit value can carry.
constexpr std::uint64_t kMaxNegativeMagnitude =
    static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;

std::uint64_t Magnitude(std::int64_t raw) {
  // Negating in unsigned arithmetic keeps INT64_MIN well defined.
  return raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
}

// The raw value of an amount, or nullopt when its fields (set from outside)
// describe a value that a signed 64-bit integer cannot hold.
std::optional<std::int64_t> CheckedRaw(const ClAmount& a) {
  if (a.fraction < 0 || static_cast<std::uint64_t>(a.fraction) >= kYen) return std::nullopt;
  if (a.whole >
      (std::numeric_limits<std::uint64_t>::max() - static_cast<std::uint64_t>(a.fraction)) / kYen) {
    return std::nullopt;
  }
  const std::uint64_t magnitude = a.whole * kYen + static_cast<std::uint64_t>(a.fraction);
  if (a.sign < 0) {
    if (magnitude > kMaxNegativeMagnitude) return std::nullopt;
    return static_cast<std::int64_t>(0 - magnitude);  // modular conversion, C++20
  }
  if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(magnitude);
}

}  // namespace

ClAmount ClAmount::FromInt64(std::int64_t raw) {
  ClAmount a;
  const std::uint64_t m = Magnitude(raw);
  a.sign = raw < 0 ? -1 : 1;
  a.whole = m / kYen;
  a.fraction = static_cast<std::int32_t>(m % kYen);
  return a;
}

std::int64_t ClAmount::ToInt64() const {
  // Amounts in normal form always fit; fields set out of range from outside
  // wrap instead of invoking undefined behaviour.
  if (auto raw = CheckedRaw(*this)) return *raw;
  const std::uint64_t magnitude = whole * kYen + static_cast<std::uint64_t>(fraction);
  return static_cast<std::int64_t>(sign < 0 ? 0 - magnitude : magnitude);
}

void ClAmount::CopyValue(const ClAmount& other) {
  whole = other.whole;
  fraction = other.fraction;
  sign = other.sign;
}

std::optional<ClAmount> ClAmount::Add(const ClAmount& a, const ClAmount& b) {
  const auto ra = CheckedRaw(a);
  const auto rb = CheckedRaw(b);
  if (!ra || !rb) return std::nullopt;
  std::int64_t sum = 0;
  if (__builtin_add_overflow(*ra, *rb, &sum)) return std::nullopt;
  if (Magnitude(sum) >= kAddLimit) return std::nullopt;
  return FromInt64(sum);
}

std::optional<ClAmount> ClAmount::Subtract(const ClAmount& a, const ClAmount& b) {
  const auto ra = CheckedRaw(a);
  const auto rb = CheckedRaw(b);
  if (!ra || !rb) return std::nullopt;
  std::int64_t difference = 0;
  if (__builtin_sub_overflow(*ra, *rb, &difference)) return std::nullopt;
  return FromInt64(difference);
}

bool ClAmount::AddInPlace(const ClAmount& b) {
  const auto ra = CheckedRaw(*this);
  const auto rb = CheckedRaw(b);
  if (!ra || !rb) return false;
  std::int64_t sum = 0;
  if (__builtin_add_overflow(*ra, *rb, &sum)) return false;
  CopyValue(FromInt64(sum));
  return true;
}

std::int64_t WholeYen(std::int64_t raw) {
  // Division truncates toward zero; the divisor is never -1, so INT64_MIN is safe.
  return raw / static_cast<std::int64_t>(kYen);
}

std::string RenderYen(std::int64_t raw) {
  const std::int64_t yen = WholeYen(raw);
  if (yen == 0) return std::string();
  return std::to_string(yen);
}
