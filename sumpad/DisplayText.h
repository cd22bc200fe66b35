// Conversions between Sumpad's display text and its double values.
#pragma once

#include <string>
#include <string_view>

namespace sumpad {

// How many characters the display holds.
inline constexpr std::size_t kDisplayWidth = 15;

// The value as text before it is fitted to the display: "NaN",
// "(+Infinity)", "(-Infinity)", or the value rounded to 14 significant digits,
// in exponent notation below 1e-4 or from 1e14 ("1.e+20", "1.5e-07"), in
// fixed notation otherwise with trailing zeros and a bare point dropped.
std::string formatNumber(double value);

// The text the display shows: formatNumber cut to kDisplayWidth characters,
// never rounded further. When an exponent would be cut off, mantissa digits
// are cut instead so that the exponent stays visible.
std::string formatDisplay(double value);

// Reads text typed into the display. Accepts a decimal number with optional
// sign, point and exponent, surrounded by blanks, and the display's own
// "NaN", "(+Infinity)" and "(-Infinity)"; anything else reads as 0. A number
// beyond the double range reads as an infinity, one too small as 0.
double parseDisplayText(std::string_view text);

}  // namespace sumpad
