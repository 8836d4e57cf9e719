#include "statements/amount.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

struct NormalCase {
  std::int64_t raw;
  std::int16_t sign;
  std::uint64_t whole;
  std::int32_t fraction;
};

TEST(Amount, FromInt64IsNormalFormAndRoundTrips) {
  const NormalCase cases[] = {
      {0, 1, 0, 0},
      {-15000, -1, 1, 5000},
      {15000, 1, 1, 5000},
      {9999, 1, 0, 9999},
      {-1, -1, 0, 1},
      {kMax, 1, 922337203685477ULL, 5807},
      {kMin, -1, 922337203685477ULL, 5808},
  };
  for (const auto& c : cases) {
    const ClAmount a = ClAmount::FromInt64(c.raw);
    EXPECT_EQ(a.sign, c.sign) << c.raw;
    EXPECT_EQ(a.whole, c.whole) << c.raw;
    EXPECT_EQ(a.fraction, c.fraction) << c.raw;
    EXPECT_EQ(a.ToInt64(), c.raw);
  }
}

TEST(Amount, NewAccumulatorIsZeroAndCopyValueCopiesAllFields) {
  ClAmount zero;
  EXPECT_EQ(zero.sign, 1);
  EXPECT_EQ(zero.whole, 0u);
  EXPECT_EQ(zero.fraction, 0);
  zero.CopyValue(ClAmount::FromInt64(-123456));
  EXPECT_EQ(zero.ToInt64(), -123456);
  EXPECT_EQ(zero.sign, -1);
}

// nullopt stands for the overflow failure.
struct BinaryCase {
  std::int64_t a, b;
  std::optional<std::int64_t> add, subtract, addInPlace;
};

TEST(Amount, ArithmeticAndItsLimits) {
  constexpr std::int64_t k6e17 = 600000000000000000;
  constexpr std::int64_t k1e18 = 1000000000000000000;
  const BinaryCase cases[] = {
      {5, 7, 12, -2, 12},
      {-15000, 15000, 0, -30000, 0},
      // Add refuses a magnitude of 10^18 or more; AddInPlace does not test it.
      {k6e17, k6e17, std::nullopt, 0, 2 * k6e17},
      {-k6e17, -k6e17, std::nullopt, 0, -2 * k6e17},
      {k1e18 - 1, 0, k1e18 - 1, k1e18 - 1, k1e18 - 1},
      {k1e18 - 1, 1, std::nullopt, k1e18 - 2, k1e18},
      // Beyond 64 bits every operation fails instead of wrapping.
      {kMax, 1, std::nullopt, kMax - 1, std::nullopt},
      {kMin, -1, std::nullopt, kMin + 1, std::nullopt},
      {kMin, 1, std::nullopt, std::nullopt, kMin + 1},
      {0, kMin, std::nullopt, std::nullopt, kMin},
      {kMin, 0, std::nullopt, kMin, kMin},
  };
  for (const auto& c : cases) {
    const ClAmount a = ClAmount::FromInt64(c.a);
    const ClAmount b = ClAmount::FromInt64(c.b);
    const auto sum = ClAmount::Add(a, b);
    ASSERT_EQ(sum.has_value(), c.add.has_value()) << c.a << " + " << c.b;
    if (sum) {
      EXPECT_EQ(sum->ToInt64(), *c.add);
    }
    const auto difference = ClAmount::Subtract(a, b);
    ASSERT_EQ(difference.has_value(), c.subtract.has_value()) << c.a << " - " << c.b;
    if (difference) {
      EXPECT_EQ(difference->ToInt64(), *c.subtract);
    }
    ClAmount acc = a;
    const bool added = acc.AddInPlace(b);
    EXPECT_EQ(added, c.addInPlace.has_value()) << c.a << " += " << c.b;
    EXPECT_EQ(acc.ToInt64(), added ? *c.addInPlace : c.a) << "unchanged on failure";
  }
}

TEST(Amount, SubtractFiveMinusSevenIsNormalForm) {
  const auto r = ClAmount::Subtract(ClAmount::FromInt64(5), ClAmount::FromInt64(7));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->sign, -1);
  EXPECT_EQ(r->whole, 0u);
  EXPECT_EQ(r->fraction, 2);
}

TEST(Amount, FieldsOutsideNormalFormAreRefusedNotWrapped) {
  ClAmount huge;
  huge.whole = std::numeric_limits<std::uint64_t>::max();
  EXPECT_FALSE(ClAmount::Add(huge, ClAmount()));
  EXPECT_FALSE(ClAmount::Subtract(ClAmount(), huge));
  ClAmount acc;
  EXPECT_FALSE(acc.AddInPlace(huge));
}

TEST(Amount, RenderYenTruncatesTowardZeroAndZeroIsAbsent) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, ""},
      {9999, ""},
      {-9999, ""},
      {10000, "1"},
      {-10000, "-1"},
      {-15000, "-1"},
      {1234567890000, "123456789"},
      {kMax, "922337203685477"},
      {kMin, "-922337203685477"},
  };
  for (const auto& [raw, text] : cases) {
    EXPECT_EQ(RenderYen(raw), text) << raw;
  }
  EXPECT_EQ(WholeYen(-15000), -1);
  EXPECT_EQ(WholeYen(9999), 0);
}

}  // namespace
