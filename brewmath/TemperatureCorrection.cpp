// The correction bands, transcribed from the hydrometer tables the program
// has always used.  The two scales are separate tables, not a conversion of
// one into the other, because their band edges do not line up.
#include "brewmath/TemperatureCorrection.h"

#include <array>

namespace vm::brewmath {

namespace {

TemperatureBand band(int from, int to, int thousandths) {
  return TemperatureBand{from, to, Decimal::fromUnits(thousandths, 3)};
}

const std::array<TemperatureBand, 23>& celsiusBands() {
  static const std::array<TemperatureBand, 23> bands = {
      band(10, 11, -1), band(12, 18, 0),  band(19, 23, 1),  band(24, 27, 2),  band(28, 30, 3),
      band(31, 33, 4),  band(34, 36, 5),  band(37, 39, 6),  band(40, 42, 7),  band(43, 44, 8),
      band(45, 46, 9),  band(47, 49, 10), band(50, 51, 11), band(52, 53, 12), band(54, 55, 13),
      band(56, 57, 14), band(58, 59, 15), band(60, 61, 16), band(62, 63, 17), band(64, 64, 18),
      band(65, 66, 19), band(67, 68, 20), band(69, 70, 21),
  };
  return bands;
}

const std::array<TemperatureBand, 22>& fahrenheitBands() {
  static const std::array<TemperatureBand, 22> bands = {
      band(50, 53, -1),   band(54, 65, 0),    band(66, 73, 1),    band(74, 80, 2),
      band(81, 87, 3),    band(88, 92, 4),    band(93, 98, 5),    band(99, 103, 6),
      band(104, 107, 7),  band(108, 112, 8),  band(113, 116, 9),  band(117, 120, 10),
      band(121, 124, 11), band(125, 128, 12), band(129, 131, 13), band(132, 135, 14),
      band(136, 138, 15), band(139, 142, 16), band(143, 145, 17), band(146, 148, 18),
      band(149, 152, 19), band(153, 153, 20),
  };
  return bands;
}

}  // namespace

std::span<const TemperatureBand> temperatureBands(TemperatureScale scale) {
  if (scale == TemperatureScale::Celsius) return celsiusBands();
  return fahrenheitBands();
}

std::optional<Decimal> TemperatureCorrection(TemperatureScale scale, int degrees) {
  for (const TemperatureBand& b : temperatureBands(scale)) {
    if (degrees >= b.from && degrees <= b.to) return b.correction;
  }
  return std::nullopt;
}

CorrectedGravity correctGravity(const Decimal& reading, const Decimal& correction) {
  CorrectedGravity result;
  result.gravity = (reading + correction).stored(3);
  result.whole = static_cast<int>((result.gravity * Decimal(1000)).stored(0).toInteger());
  return result;
}

std::optional<Message> correctionGravityRangeMessage(int whole) {
  if (whole > 900 && whole < 1200) return std::nullopt;
  return Message{"Out of Range...", "Minimum 900 (0.900)  Maximum 1200 (1.200)",
                 MessageIcon::Information, ""};
}

std::optional<Message> correctionTemperatureRangeMessage(TemperatureScale scale, int degrees) {
  if (scale == TemperatureScale::Celsius) {
    if (degrees > 10 && degrees < 70) return std::nullopt;
    return Message{"Out of Range..", "Minimum 10 C   Maximum 70 C", MessageIcon::Information, ""};
  }
  if (degrees > 50 && degrees < 155) return std::nullopt;
  return Message{"Out of Range...", "Minimum 50 F|Maximum 155 F", MessageIcon::Information, ""};
}

}  // namespace vm::brewmath
