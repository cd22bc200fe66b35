// Number text is made and read with std::to_chars and std::from_chars: a Qt
// program runs under the user's locale, and printf or strtod would then write
// or expect a decimal comma in some countries.
#include "sumpad/DisplayText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace sumpad {

namespace {

constexpr int kSignificant = 14;

std::string trimZeros(std::string digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits;
}

}  // namespace

std::string formatNumber(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "(+Infinity)" : "(-Infinity)";
  if (value == 0) return "0";  // also a negative zero

  // d.ddddddddddddde±xx: the rounding to 14 significant digits is done once, here.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                 std::chars_format::scientific, kSignificant - 1);
  const std::string sci(buf, res.ptr);
  const std::size_t ePos = sci.find('e');
  const std::string digits = sci.substr(0, 1) + sci.substr(2, ePos - 2);
  const int exponent = std::atoi(sci.c_str() + ePos + 1);

  std::string text = value < 0 ? "-" : "";
  if (exponent < -4 || exponent >= kSignificant) {
    text += digits.substr(0, 1) + "." + trimZeros(digits.substr(1));
    const int mag = std::abs(exponent);
    text += exponent < 0 ? "e-" : "e+";
    if (mag < 10) text += '0';
    text += std::to_string(mag);
    return text;
  }
  std::string intPart, fraction;
  if (exponent >= 0) {
    intPart = digits.substr(0, exponent + 1);
    fraction = digits.substr(exponent + 1);
  } else {
    intPart = "0";
    fraction = std::string(-exponent - 1, '0') + digits;
  }
  fraction = trimZeros(fraction);
  text += intPart;
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

std::string formatDisplay(double value) {
  std::string text = formatNumber(value);
  if (text.size() <= kDisplayWidth) return text;
  // Cutting the end off an exponent form would show a wrong number
  // (1.2345678901234e+14 as 1.2345678901234), so the exponent is kept and
  // the mantissa digits before it are cut.
  const std::size_t ePos = text.find('e');
  if (ePos != std::string::npos) {
    const std::string exponent = text.substr(ePos);
    return text.substr(0, kDisplayWidth - exponent.size()) + exponent;
  }
  return text.substr(0, kDisplayWidth);
}

double parseDisplayText(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text == "NaN") return std::nan("");
  if (text == "(+Infinity)") return HUGE_VAL;
  if (text == "(-Infinity)") return -HUGE_VAL;

  // from_chars takes no plus sign and would also read "inf", "nan" and hex
  // digits; only plain decimal numbers count.
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return 0.0;
  for (char c : text) {
    const bool ok =
        (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
    if (!ok) return 0.0;
  }
  double value = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  if (res.ptr != text.data() + text.size()) return 0.0;
  if (res.ec == std::errc::result_out_of_range) {
    // A number this far out needs an exponent; its sign says which way.
    const std::size_t ePos = text.find_first_of("eE");
    const bool tiny =
        ePos != std::string_view::npos && ePos + 1 < text.size() && text[ePos + 1] == '-';
    value = tiny ? 0.0 : HUGE_VAL;
  } else if (res.ec != std::errc()) {
    return 0.0;
  }
  return negative ? -value : value;
}

}  // namespace sumpad
