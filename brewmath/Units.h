// Units: the conversions of the unit converter with their factors and
// ranges, and the unit and temperature labels that follow the settings.
// Conversions are binary floating point; the windows show them rounded by
// their pictures ("@N-8.2B", "@N-9.2B", "@N-6.1B").
#pragma once

#include <optional>
#include <string>

#include "brewmath/Message.h"

namespace vm::brewmath {

// GLO:UNITSPROMPT: 1 = metric, 0 = imperial/US.
enum class UnitSystem { Imperial = 0, Metric = 1 };
// GLO:TEMPPROMPT: 1 = Celsius, 0 = Fahrenheit.
enum class TemperatureScale { Fahrenheit = 0, Celsius = 1 };

// The setting bytes: 0 selects imperial / Fahrenheit, any other value metric
// / Celsius (the reading the reports give a hand-edited setting).
UnitSystem unitSystemFromSetting(int setting);
TemperatureScale temperatureScaleFromSetting(int setting);

std::string sugarUnitLabel(UnitSystem units);           // "kg" / "lbs"
std::string waterUnitLabel(UnitSystem units);           // "Ltr" / "Gals"
std::string temperatureLetter(TemperatureScale scale);  // "C" / "F"
// "C   (most=18-24)" / "F   (most=65-75)".
std::string fermentationTemperatureHint(TemperatureScale scale);
// Default reading and fermentation temperature: 21 / 70.
int defaultTemperature(TemperatureScale scale);

// The ten inputs of the unit converter.
enum class UnitInput {
  Litres,      // ?LOC:KEYLITRES   -> UK gallons, US gallons
  ImpGallons,  // ?LOC:KEYIMPGALS  -> litres, US gallons
  UsGallons,   // ?LOC:KEYUSGALS   -> litres, UK gallons
  ImpPints,    // ?LOC:KEYIMPPINTS -> litres
  UsPints,     // ?LOC:KEYUSPINTS  -> litres
  Litres2,     // ?LOC:KEYLITRES2  -> UK pints, US pints
  Kilograms,   // ?LOC:KEYKG       -> pounds
  Pounds,      // ?LOC:KEYPOUNDS   -> kilograms
  Celsius,     // ?LOC:KEYC        -> Fahrenheit
  Fahrenheit,  // ?LOC:KEYF        -> Celsius
};

struct UnitConversion {
  int count = 1;  // how many results the input has: 1 or 2
  double first = 0;
  double second = 0;  // 0 when count is 1
};

// The results of one input in the order listed above.  Out-of-range values
// are converted all the same.
UnitConversion ConvertUnits(UnitInput input, double value);

// The out-of-range text of the input (" Range 0.1 to 9,999 Litres",
// " Range -50  to  100 C" ...), or none.  A value at a limit is out of
// range as well as one beyond it.
std::optional<std::string> CheckUnitRange(UnitInput input, double value);
// The same as the message the converter shows: "Out of Range...",
// information icon, OK.
std::optional<Message> unitRangeMessage(UnitInput input, double value);

}  // namespace vm::brewmath
