#include "brewmath/Units.h"

#include <gtest/gtest.h>

#include "base/Picture.h"
#include "tests/brewmath/TestSupport.h"

namespace vm::brewmath {
namespace {

struct ConversionCase {
  UnitInput input;
  double value;
  int count;
  double first;
  double second;
};

TEST(ConvertUnits, EachInputWithItsFactors) {
  const ConversionCase cases[] = {
      {UnitInput::Litres, 10, 2, 2.1998, 2.642},    {UnitInput::ImpGallons, 10, 2, 45.46, 12},
      {UnitInput::UsGallons, 10, 2, 37.854, 8.331}, {UnitInput::ImpPints, 10, 1, 5.6825, 0},
      {UnitInput::UsPints, 10, 1, 4.732, 0},        {UnitInput::Litres2, 10, 2, 17.598, 21.13},
      {UnitInput::Kilograms, 10, 1, 22.046, 0},     {UnitInput::Pounds, 10, 1, 4.5359, 0},
      {UnitInput::Celsius, 100, 1, 212, 0},  // out of range, converted all the same
      {UnitInput::Celsius, -40, 1, -40, 0},         {UnitInput::Fahrenheit, 212, 1, 100, 0},
      {UnitInput::Fahrenheit, 50, 1, 10, 0},        {UnitInput::Litres, 0.1, 2, 0.021998, 0.02642},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.input));
    const UnitConversion r = ConvertUnits(c.input, c.value);
    EXPECT_EQ(r.count, c.count);
    EXPECT_NEAR(r.first, c.first, 1e-9);
    EXPECT_NEAR(r.second, c.second, 1e-9);
  }
}

// How wide the field is belongs to the picture; what matters here is the
// figure the user reads.
std::string shown(double value, const char* picture) {
  std::string text = formatNumber(value, picture);
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

TEST(ConvertUnits, SmallestVolumeShownByItsPicture) {
  const UnitConversion r = ConvertUnits(UnitInput::Litres, 0.1);
  EXPECT_EQ(shown(r.first, "@N-8.2B"), "0.02");
  EXPECT_EQ(shown(r.second, "@N-8.2B"), "0.03");
  EXPECT_EQ(shown(ConvertUnits(UnitInput::Celsius, 100).first, "@N-6.1B"), "212.0");
  EXPECT_EQ(shown(ConvertUnits(UnitInput::Celsius, -40).first, "@N-6.1B"), "-40.0");
}

struct RangeCase {
  UnitInput input;
  double low, high;  // the limits, themselves out of range
  const char* text;
};

TEST(CheckUnitRange, LimitsAreOutOfRangeWithTheirTexts) {
  const RangeCase cases[] = {
      {UnitInput::Litres, 0.1, 9999, " Range 0.1 to 9,999 Litres"},
      {UnitInput::ImpGallons, 0.1, 9999, " Range 0.1 to 9,999 Gallons"},
      {UnitInput::UsGallons, 0.1, 9999, " Range 0.1 to 9,999 Gallons"},
      {UnitInput::ImpPints, 0.1, 9999, " Range 0.1 to 9,999 Pints"},
      {UnitInput::UsPints, 0.1, 9999, " Range 0.1 to 9,999 Pints"},
      {UnitInput::Litres2, 0.1, 9999, " Range 0.1 to 9,999 Litres"},
      {UnitInput::Kilograms, 0.1, 9999, " Range 0.1 to 9,999 Kilograms"},
      {UnitInput::Pounds, 0.1, 9999, " Range 0.1 to 9,999 Pounds"},
      {UnitInput::Celsius, -50, 100, " Range -50  to  100 C"},
      {UnitInput::Fahrenheit, -60, 212, " Range -60  to  212 F"},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.text);
    for (double outside : {c.low, c.low - 1, c.high, c.high + 1}) {
      EXPECT_EQ(CheckUnitRange(c.input, outside), std::optional<std::string>(c.text)) << outside;
    }
    for (double inside : {c.low + 0.01, c.high - 0.01}) {
      EXPECT_EQ(CheckUnitRange(c.input, inside), std::nullopt) << inside;
    }
  }
  EXPECT_EQ(
      unitRangeMessage(UnitInput::Litres, 0.1),
      (Message{"Out of Range...", " Range 0.1 to 9,999 Litres", MessageIcon::Information, ""}));
  EXPECT_FALSE(unitRangeMessage(UnitInput::Litres, 5));
  EXPECT_EQ(CheckUnitRange(UnitInput::Litres, 0), " Range 0.1 to 9,999 Litres");
}

TEST(UnitLabels, FollowTheSettings) {
  const UnitSystem metric = unitSystemFromSetting(1);
  const UnitSystem imperial = unitSystemFromSetting(0);
  const TemperatureScale celsius = temperatureScaleFromSetting(1);
  const TemperatureScale fahrenheit = temperatureScaleFromSetting(0);
  // A hand-edited setting reads as the reports read it: only 0 is imperial
  // / Fahrenheit.
  EXPECT_EQ(unitSystemFromSetting(7), UnitSystem::Metric);
  EXPECT_EQ(temperatureScaleFromSetting(7), TemperatureScale::Celsius);
  EXPECT_EQ(sugarUnitLabel(metric), "kg");
  EXPECT_EQ(sugarUnitLabel(imperial), "lbs");
  EXPECT_EQ(waterUnitLabel(metric), "Ltr");
  EXPECT_EQ(waterUnitLabel(imperial), "Gals");
  EXPECT_EQ(temperatureLetter(celsius), "C");
  EXPECT_EQ(temperatureLetter(fahrenheit), "F");
  EXPECT_EQ(fermentationTemperatureHint(celsius), "C   (most=18-24)");
  EXPECT_EQ(fermentationTemperatureHint(fahrenheit), "F   (most=65-75)");
  EXPECT_EQ(defaultTemperature(celsius), 21);
  EXPECT_EQ(defaultTemperature(fahrenheit), 70);
}

}  // namespace
}  // namespace vm::brewmath
