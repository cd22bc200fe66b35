// Exact decimal arithmetic: the figures below are the ones the alcohol and
// cost calculations meet, where binary floating point rounds the wrong way.
#include "base/Decimal.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace vm {

void PrintTo(const Decimal& d, std::ostream* os) {
  *os << d.toString();
}

namespace {

Decimal D(const char* text) {
  auto d = Decimal::parse(text);
  EXPECT_TRUE(d.has_value()) << text;
  return d.value_or(Decimal());
}

TEST(DecimalParse, AcceptsPlainNumbers) {
  struct Case {
    const char* text;
    const char* shown;
  };
  const Case cases[] = {
      {"-12.345", "-12.345"},
      {"12", "12"},
      {".5", "0.5"},
      {"+3.0", "3"},
      {"  7.25 ", "7.25"},
      {"5.30", "5.3"},
      {"-0.0", "0"},
      {"007", "7"},
      {"12.", "12"},
      {"0.001", "0.001"},
      {"-.25", "-0.25"},
      {"123456789012345678901234567890.123456789012345678901234567891",
       "123456789012345678901234567890.123456789012345678901234567891"},
  };
  for (const auto& c : cases) {
    auto d = Decimal::parse(c.text);
    ASSERT_TRUE(d.has_value()) << c.text;
    EXPECT_EQ(d->toString(), c.shown) << c.text;
  }
}

TEST(DecimalParse, RejectsOtherText) {
  for (const char* text :
       {"", " ", "-", "+", ".", "1.2.3", "1,5", "abc", "1e5", "--1", "1 2", "0x10", "- 1"}) {
    EXPECT_FALSE(Decimal::parse(text).has_value()) << '"' << text << '"';
  }
}

TEST(DecimalArithmetic, AddSubtractMultiplyAreExact) {
  EXPECT_EQ(D("0.1") + D("0.2"), D("0.3"));
  EXPECT_EQ(D("1050") - D("1010"), Decimal(40));
  EXPECT_EQ(D("5.3333") * D("0.8"), D("4.26664"));
  EXPECT_EQ(D("-1.5") * D("2.25"), D("-3.375"));
  EXPECT_EQ(D("0.01") - D("0.02"), D("-0.01"));
  EXPECT_EQ(D("-2.5") + D("2.5"), Decimal());
  EXPECT_EQ(D("999999999.999999999") + D("0.000000001"), Decimal(1000000000));
  // Beyond 64 bits: 30 digits before the point and 30 after stay exact.
  const Decimal big = D("123456789012345678901234567890.000000000000000000000000000001");
  EXPECT_EQ((big + big - big).toString(), big.toString());
  EXPECT_EQ((D("99999999999999999999") * D("99999999999999999999")).toString(),
            "9999999999999999999800000000000000000001");
}

TEST(DecimalArithmetic, CompoundOperators) {
  Decimal d = 10;
  d += D("0.5");
  d -= 3;
  d *= 2;
  d /= 4;
  EXPECT_EQ(d, D("3.75"));
  EXPECT_EQ(-d, D("-3.75"));
  EXPECT_EQ(-Decimal(), Decimal());
  EXPECT_FALSE((-Decimal()).isNegative());
}

TEST(DecimalDivision, KeepsThirtyPlacesTruncated) {
  EXPECT_EQ((Decimal(1) / 3).toString(), "0." + std::string(30, '3'));
  EXPECT_EQ((Decimal(2) / 3).toString(), "0." + std::string(29, '6') + "6");
  EXPECT_EQ((Decimal(-2) / 3).toString(), "-0." + std::string(30, '6'));
  EXPECT_EQ(Decimal(1) / 8, D("0.125"));
  EXPECT_EQ(Decimal(10) / D("0.25"), Decimal(40));
  EXPECT_EQ(D("-7.5") / D("-2.5"), Decimal(3));
  // Divisor with several limbs.
  EXPECT_EQ(D("152415787532388367503139767765142508889") / D("123456789012345678901"),
            D("1234567890123456789"));
  EXPECT_EQ((D("152415787532388367501905199875019052100") / D("123456789012345678901")).toString(),
            "1234567890123456788.990000000000000000000081");
  EXPECT_EQ((Decimal(1) / D("7000000000000")).toString(), "0.000000000000142857142857142857");
}

TEST(DecimalDivision, ByZeroGivesZero) {
  EXPECT_EQ(Decimal(5) / Decimal(), Decimal());
  EXPECT_EQ(Decimal(0) / Decimal(), Decimal());
  Decimal d = D("-3.2");
  d /= D("0.000");
  EXPECT_TRUE(d.isZero());
}

// Each step stores its result at its variable's places; the next step uses
// the stored value.
TEST(DecimalStored, ChainsOfStoredSteps) {
  EXPECT_EQ((D("5.3333") * D("0.8")).stored(2), D("4.27"));
  EXPECT_EQ((D("5.33") * D("0.8")).stored(2), D("4.26"));
  EXPECT_EQ(D("0.375").stored(2), D("0.38"));
  EXPECT_EQ((D("22.5") / D("0.38")).stored(2), D("59.21"));
  EXPECT_EQ(((D("1050") - D("1010")) / D("7.5")).stored(4), D("5.3333"));
  const Decimal abv = ((D("1050") - D("1010")) / D("7.5")).stored(4);
  EXPECT_EQ((abv * D("0.8")).stored(2), D("4.27"));
  EXPECT_EQ((abv.stored(2) * D("0.8")).stored(2), D("4.26"));
}

TEST(DecimalStored, RoundsHalfAwayFromZero) {
  struct Case {
    const char* value;
    int places;
    const char* expected;
  };
  const Case cases[] = {
      {"0.375", 2, "0.38"},
      {"-0.375", 2, "-0.38"},
      {"0.385", 2, "0.39"},
      {"2.5", 0, "3"},
      {"-2.5", 0, "-3"},
      {"-2.49", 0, "-2"},
      {"0.004", 2, "0"},
      {"-0.004", 2, "0"},
      {"-0.005", 2, "-0.01"},
      {"9.995", 2, "10"},
      {"-9.995", 2, "-10"},
      {"1.2", 4, "1.2"},
      {"0.4999999999999999999999999999995", 30, "0.5"},
      {"123.456", 1, "123.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(D(c.value).stored(c.places), D(c.expected)) << c.value << " @" << c.places;
  }
}

TEST(DecimalStored, TruncatedCutsTowardsZero) {
  EXPECT_EQ(D("4.279").truncated(2), D("4.27"));
  EXPECT_EQ(D("-4.279").truncated(2), D("-4.27"));
  EXPECT_EQ(D("-0.9").truncated(0), Decimal());
  EXPECT_EQ(D("7").truncated(3), Decimal(7));
}

TEST(DecimalCompare, ByValue) {
  EXPECT_EQ(D("5.30"), D("5.3"));
  EXPECT_EQ(Decimal::fromUnits(426, 2), D("4.26"));
  EXPECT_EQ(Decimal::fromUnits(-5, 0), Decimal(-5));
  EXPECT_LT(D("-1"), D("-0.5"));
  EXPECT_LT(D("-0.5"), Decimal());
  EXPECT_LT(D("0.09"), D("0.1"));
  EXPECT_GT(D("10"), D("9.999999"));
  EXPECT_LT(D("-10"), D("-9.999999"));
  EXPECT_TRUE((D("2.50") <=> D("2.5")) == std::strong_ordering::equal);
}

TEST(DecimalConvert, SignAndParts) {
  EXPECT_EQ(D("-3.7").sign(), -1);
  EXPECT_EQ(Decimal().sign(), 0);
  EXPECT_EQ(D("0.01").sign(), 1);
  EXPECT_TRUE(D("-0.01").isNegative());
  EXPECT_EQ(D("-3.7").abs(), D("3.7"));
  EXPECT_EQ(D("-3.7").toInteger(), -3);
  EXPECT_EQ(D("3.99").toInteger(), 3);
  EXPECT_EQ(D("4.265").toUnits(2), 427);
  EXPECT_EQ(D("-4.265").toUnits(2), -427);
  EXPECT_EQ(D("12").toUnits(2), 1200);
  EXPECT_EQ(D("99999999999999999999").toUnits(0), LLONG_MAX);
  EXPECT_EQ(D("-99999999999999999999").toInteger(), LLONG_MIN);
  EXPECT_EQ(Decimal(LLONG_MIN).toInteger(), LLONG_MIN);
  EXPECT_EQ(Decimal(LLONG_MAX).toString(), "9223372036854775807");
  EXPECT_DOUBLE_EQ(D("1.046").toDouble(), 1.046);
  EXPECT_EQ(Decimal(std::int64_t{-7}), Decimal(-7));
  EXPECT_EQ(Decimal(std::size_t{12}), Decimal(12));
  EXPECT_EQ(Decimal(ULLONG_MAX).toString(), "18446744073709551615");
  EXPECT_EQ(Decimal(4000000000u).toString(), "4000000000");
}

TEST(DecimalConvert, FromDoubleUsesTheShortestDecimal) {
  EXPECT_EQ(Decimal::fromDouble(0.375, 2), D("0.38"));
  EXPECT_EQ(Decimal::fromDouble(4.275, 2), D("4.28"));
  EXPECT_EQ(Decimal::fromDouble(-4.275, 2), D("-4.28"));
  EXPECT_EQ(Decimal::fromDouble(0.1 + 0.2), D("0.3"));
  EXPECT_EQ(Decimal::fromDouble(1.046), D("1.046"));
  EXPECT_EQ(Decimal::fromDouble(1.5e10), D("15000000000"));
  EXPECT_EQ(Decimal::fromDouble(1e-20), Decimal());
  EXPECT_EQ(Decimal::fromDouble(1e-20, 25), D("0.00000000000000000001"));
  EXPECT_EQ(Decimal::fromDouble(std::numeric_limits<double>::quiet_NaN()), Decimal());
  EXPECT_EQ(Decimal::fromDouble(std::numeric_limits<double>::infinity()), Decimal());
}

TEST(DecimalConvert, ToFixed) {
  struct Case {
    const char* value;
    int places;
    const char* expected;
  };
  const Case cases[] = {
      {"4.26664", 2, "4.27"}, {"-0.5", 2, "-0.50"},  {"12", 0, "12"},      {"12.5", 0, "13"},
      {"0.004", 2, "0.00"},   {"-0.004", 2, "0.00"}, {"0.05", 3, "0.050"}, {"1234.5", 2, "1234.50"},
  };
  for (const auto& c : cases) EXPECT_EQ(D(c.value).toFixed(c.places), c.expected) << c.value;
}

}  // namespace
}  // namespace vm
