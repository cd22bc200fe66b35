// Unit conversions and labels.  The factors are the converter's own rounded
// figures, kept as they are so that results match what users compare with
// their printed tables.
#include "brewmath/Units.h"

namespace vm::brewmath {

// Only 0 selects imperial / Fahrenheit: the reports print "lbs" and "F" for
// 0 and "kg" and "C" for anything else, and a hand-edited setting has to read
// the same in every window and report.
UnitSystem unitSystemFromSetting(int setting) {
  return setting == 0 ? UnitSystem::Imperial : UnitSystem::Metric;
}

TemperatureScale temperatureScaleFromSetting(int setting) {
  return setting == 0 ? TemperatureScale::Fahrenheit : TemperatureScale::Celsius;
}

std::string sugarUnitLabel(UnitSystem units) {
  return units == UnitSystem::Metric ? "kg" : "lbs";
}

std::string waterUnitLabel(UnitSystem units) {
  return units == UnitSystem::Metric ? "Ltr" : "Gals";
}

std::string temperatureLetter(TemperatureScale scale) {
  return scale == TemperatureScale::Celsius ? "C" : "F";
}

std::string fermentationTemperatureHint(TemperatureScale scale) {
  return scale == TemperatureScale::Celsius ? "C   (most=18-24)" : "F   (most=65-75)";
}

int defaultTemperature(TemperatureScale scale) {
  return scale == TemperatureScale::Celsius ? 21 : 70;
}

UnitConversion ConvertUnits(UnitInput input, double value) {
  switch (input) {
    case UnitInput::Litres:
      return {2, value * 0.21998, value * 0.2642};
    case UnitInput::ImpGallons:
      return {2, value * 4.546, value * 1.2};
    case UnitInput::UsGallons:
      return {2, value * 3.7854, value * 0.8331};
    case UnitInput::ImpPints:
      return {1, value * 0.56825, 0};
    case UnitInput::UsPints:
      return {1, value * 0.4732, 0};
    case UnitInput::Litres2:
      return {2, value * 1.7598, value * 2.113};
    case UnitInput::Kilograms:
      return {1, value * 2.2046, 0};
    case UnitInput::Pounds:
      return {1, value * 0.45359, 0};
    case UnitInput::Celsius:
      return {1, value * 9 / 5 + 32, 0};
    case UnitInput::Fahrenheit:
      return {1, (value - 32) * 5 / 9, 0};
  }
  return {};
}

std::optional<std::string> CheckUnitRange(UnitInput input, double value) {
  // Volumes and weights share one range; the limits themselves are reported.
  auto volumeOrWeight = [value](const char* text) -> std::optional<std::string> {
    if (value <= 0.1 || value >= 9999) return std::string(text);
    return std::nullopt;
  };
  switch (input) {
    case UnitInput::Litres:
    case UnitInput::Litres2:
      return volumeOrWeight(" Range 0.1 to 9,999 Litres");
    case UnitInput::ImpGallons:
    case UnitInput::UsGallons:
      return volumeOrWeight(" Range 0.1 to 9,999 Gallons");
    case UnitInput::ImpPints:
    case UnitInput::UsPints:
      return volumeOrWeight(" Range 0.1 to 9,999 Pints");
    case UnitInput::Kilograms:
      return volumeOrWeight(" Range 0.1 to 9,999 Kilograms");
    case UnitInput::Pounds:
      return volumeOrWeight(" Range 0.1 to 9,999 Pounds");
    case UnitInput::Celsius:
      if (value <= -50 || value >= 100) return std::string(" Range -50  to  100 C");
      return std::nullopt;
    case UnitInput::Fahrenheit:
      if (value <= -60 || value >= 212) return std::string(" Range -60  to  212 F");
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<Message> unitRangeMessage(UnitInput input, double value) {
  std::optional<std::string> text = CheckUnitRange(input, value);
  if (!text) return std::nullopt;
  return Message{"Out of Range...", *text, MessageIcon::Information, ""};
}

}  // namespace vm::brewmath
