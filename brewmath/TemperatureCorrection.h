// Hydrometer temperature correction.  A hydrometer calibrated for 60 F
// (15.56 C) reads low in a warm sample; the correction of the band holding
// the sample temperature is added to the reading.  The bands are a fixed
// table in whole degrees, both ends included; outside them there is no band
// and the window keeps the correction it already shows.
#pragma once

#include <optional>
#include <span>

#include "base/Decimal.h"
#include "brewmath/Message.h"
#include "brewmath/Units.h"

namespace vm::brewmath {

struct TemperatureBand {
  int from;            // whole degrees, included
  int to;              // whole degrees, included
  Decimal correction;  // 3 places, may be negative
};

// The bands of a scale, coldest first.
std::span<const TemperatureBand> temperatureBands(TemperatureScale scale);

// The correction of the band that holds `degrees`, or none.
std::optional<Decimal> TemperatureCorrection(TemperatureScale scale, int degrees);

struct CorrectedGravity {
  Decimal gravity;  // reading + correction, decimal form, 3 places
  int whole = 0;    // gravity x 1000
};
// The reading in decimal form with a correction added.
CorrectedGravity correctGravity(const Decimal& reading, const Decimal& correction);

// The range messages of the correction window's spins, shown when a value
// reaches or passes a limit (the value itself is left alone):
//   reading 900 or less / 1200 or more, Celsius 10 / 70, Fahrenheit 50 / 155.
std::optional<Message> correctionGravityRangeMessage(int whole);
std::optional<Message> correctionTemperatureRangeMessage(TemperatureScale scale, int degrees);

}  // namespace vm::brewmath
