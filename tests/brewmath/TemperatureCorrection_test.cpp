#include "brewmath/TemperatureCorrection.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/brewmath/TestSupport.h"

namespace vm::brewmath {
namespace {

// The hydrometer tables, written out here on their own so that a slip in
// either copy shows.
struct Band {
  int from, to, thousandths;
};

const std::vector<Band> kCelsius = {
    {10, 11, -1}, {12, 18, 0},  {19, 23, 1},  {24, 27, 2},  {28, 30, 3},  {31, 33, 4},
    {34, 36, 5},  {37, 39, 6},  {40, 42, 7},  {43, 44, 8},  {45, 46, 9},  {47, 49, 10},
    {50, 51, 11}, {52, 53, 12}, {54, 55, 13}, {56, 57, 14}, {58, 59, 15}, {60, 61, 16},
    {62, 63, 17}, {64, 64, 18}, {65, 66, 19}, {67, 68, 20}, {69, 70, 21},
};

const std::vector<Band> kFahrenheit = {
    {50, 53, -1},   {54, 65, 0},    {66, 73, 1},    {74, 80, 2},    {81, 87, 3},    {88, 92, 4},
    {93, 98, 5},    {99, 103, 6},   {104, 107, 7},  {108, 112, 8},  {113, 116, 9},  {117, 120, 10},
    {121, 124, 11}, {125, 128, 12}, {129, 131, 13}, {132, 135, 14}, {136, 138, 15}, {139, 142, 16},
    {143, 145, 17}, {146, 148, 18}, {149, 152, 19}, {153, 153, 20},
};

void expectCorrection(TemperatureScale scale, int degrees, std::optional<int> thousandths) {
  SCOPED_TRACE(std::to_string(degrees) + (scale == TemperatureScale::Celsius ? " C" : " F"));
  const std::optional<Decimal> found = TemperatureCorrection(scale, degrees);
  if (!thousandths) {
    EXPECT_FALSE(found.has_value());
    return;
  }
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(*found, Decimal::fromUnits(*thousandths, 3));
}

// Each end of every band, and one degree beyond each end, which belongs to
// the neighbouring band or to none at the ends of the table.
TEST(TemperatureCorrection, EveryBandEdgeAndOneBeyond) {
  for (auto [scale, bands] : {std::pair{TemperatureScale::Celsius, &kCelsius},
                              std::pair{TemperatureScale::Fahrenheit, &kFahrenheit}}) {
    const std::vector<Band>& b = *bands;
    for (std::size_t i = 0; i < b.size(); ++i) {
      if (i > 0) {
        ASSERT_EQ(b[i].from, b[i - 1].to + 1) << "the test's table has a gap";
      }
      expectCorrection(scale, b[i].from, b[i].thousandths);
      expectCorrection(scale, b[i].to, b[i].thousandths);
      expectCorrection(scale, b[i].from - 1,
                       i > 0 ? std::optional<int>(b[i - 1].thousandths) : std::nullopt);
      expectCorrection(scale, b[i].to + 1,
                       i + 1 < b.size() ? std::optional<int>(b[i + 1].thousandths) : std::nullopt);
    }
    EXPECT_EQ(temperatureBands(scale).size(), b.size());
  }
  // The Fahrenheit spin goes to 155: 154 and 155 have no band.
  expectCorrection(TemperatureScale::Fahrenheit, 154, std::nullopt);
  expectCorrection(TemperatureScale::Fahrenheit, 155, std::nullopt);
  expectCorrection(TemperatureScale::Celsius, -5, std::nullopt);
}

TEST(TemperatureCorrection, CorrectedGravityAndItsWholeForm) {
  struct Case {
    TemperatureScale scale;
    int degrees;
    const char* gravity;
    int whole;
  } cases[] = {
      {TemperatureScale::Celsius, 10, "1.034", 1034},
      {TemperatureScale::Celsius, 21, "1.036", 1036},  // the window's opening values
      {TemperatureScale::Fahrenheit, 70, "1.036", 1036},
      {TemperatureScale::Celsius, 70, "1.056", 1056},
      {TemperatureScale::Fahrenheit, 153, "1.055", 1055},
      {TemperatureScale::Celsius, 15, "1.035", 1035},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    const CorrectedGravity g =
        correctGravity(D("1.035"), TemperatureCorrection(c.scale, c.degrees).value());
    EXPECT_EQ(g.gravity, D(c.gravity));
    EXPECT_EQ(g.whole, c.whole);
  }
  EXPECT_EQ(correctGravity(D("0.900"), D("-0.001")).whole, 899);
}

TEST(TemperatureCorrection, SpinRangeMessagesAtAndBeyondTheLimits) {
  const Message gravity{"Out of Range...", "Minimum 900 (0.900)  Maximum 1200 (1.200)",
                        MessageIcon::Information, ""};
  EXPECT_EQ(correctionGravityRangeMessage(900), gravity);  // although 900 is allowed
  EXPECT_EQ(correctionGravityRangeMessage(1200), gravity);
  EXPECT_EQ(correctionGravityRangeMessage(1201), gravity);
  EXPECT_FALSE(correctionGravityRangeMessage(901));
  EXPECT_FALSE(correctionGravityRangeMessage(1199));

  const Message celsius{"Out of Range..", "Minimum 10 C   Maximum 70 C", MessageIcon::Information,
                        ""};
  EXPECT_EQ(correctionTemperatureRangeMessage(TemperatureScale::Celsius, 10), celsius);
  EXPECT_EQ(correctionTemperatureRangeMessage(TemperatureScale::Celsius, 70), celsius);
  EXPECT_FALSE(correctionTemperatureRangeMessage(TemperatureScale::Celsius, 11));
  EXPECT_FALSE(correctionTemperatureRangeMessage(TemperatureScale::Celsius, 69));

  const Message fahrenheit{"Out of Range...", "Minimum 50 F|Maximum 155 F",
                           MessageIcon::Information, ""};
  EXPECT_EQ(correctionTemperatureRangeMessage(TemperatureScale::Fahrenheit, 50), fahrenheit);
  EXPECT_EQ(correctionTemperatureRangeMessage(TemperatureScale::Fahrenheit, 155), fahrenheit);
  EXPECT_FALSE(correctionTemperatureRangeMessage(TemperatureScale::Fahrenheit, 154));
  EXPECT_FALSE(correctionTemperatureRangeMessage(TemperatureScale::Fahrenheit, 51));
}

}  // namespace
}  // namespace vm::brewmath
