#include "base/NumberText.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(NumberTextShortest, Decimals) {
  struct Case {
    const char* value;
    const char* expected;
  };
  const Case cases[] = {
      {"5.30", "5.3"},
      {"12.0", "12"},
      {"-0.0", "0"},
      {"-0.001", "-0.001"},
      {"4.26664", "4.26664"},
      {"0.333333333333333333333333333333", "0.333333333333333"},
      {"0.666666666666666666666666666666", "0.666666666666667"},
      {"-2.0000000000000004", "-2"},
      {"123456789.123456789", "123456789.123457"},
      {"0.00012345678901234567", "0.000123456789012346"},
      {"1234567890123456789", "1234567890123460000"},
      {"999999999999999.5", "1000000000000000"},
      {"100", "100"},
  };
  for (const auto& c : cases) {
    auto d = Decimal::parse(c.value);
    ASSERT_TRUE(d) << c.value;
    EXPECT_EQ(shortestText(*d), c.expected) << c.value;
  }
}

TEST(NumberTextShortest, Doubles) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {5.30, "5.3"},
      {12.0, "12"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {1e-20, "0.00000000000000000001"},
      {1.5e20, "150000000000000000000"},
      {-4.275, "-4.275"},
      {1046, "1046"},
  };
  for (const auto& c : cases) EXPECT_EQ(shortestText(c.value), c.expected) << c.value;
}

TEST(NumberTextShortest, Integers) {
  EXPECT_EQ(shortestText(0LL), "0");
  EXPECT_EQ(shortestText(-42LL), "-42");
  EXPECT_EQ(shortestText(123456789012345LL), "123456789012345");
}

}  // namespace
}  // namespace vm
