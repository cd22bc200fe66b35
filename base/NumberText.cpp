// Shortest number text: 15 significant digits at most, then every trailing
// zero and a bare point removed.  Never an exponent, since users paste these
// texts into places that expect plain numbers.
#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace vm {

namespace {

constexpr int kSignificant = 15;

// Writes digits d1 d2 ... (a plain digit string) times 10^(exponent - len + 1)
// as a plain decimal text without trailing zeros after the point.
std::string plainText(bool negative, std::string digits, int exponent) {
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (digits == "0") return "0";
  std::string out;
  if (exponent < 0) {
    out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else if (static_cast<int>(digits.size()) <= exponent + 1) {
    out = digits + std::string(static_cast<std::size_t>(exponent + 1) - digits.size(), '0');
  } else {
    out = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
          digits.substr(static_cast<std::size_t>(exponent + 1));
  }
  return negative ? "-" + out : out;
}

}  // namespace

std::string shortestText(const Decimal& value) {
  if (value.isZero()) return "0";
  // Count the digits before the point to know where the 15th significant
  // digit falls, then round there, half away from zero.
  const std::string whole = value.abs().truncated(0).toString();
  Decimal rounded = value;
  if (whole != "0") {
    const int intDigits = static_cast<int>(whole.size());
    if (intDigits >= kSignificant) {
      Decimal unit = 1;
      for (int i = 0; i < intDigits - kSignificant; ++i) unit *= 10;
      rounded = (value / unit).stored(0) * unit;
    } else {
      rounded = value.stored(kSignificant - intDigits);
    }
  } else {
    const std::string text = value.abs().toString();  // "0.000ddd"
    const std::size_t firstDigit = text.find_first_not_of("0.");
    const int leadingZeros = static_cast<int>(firstDigit) - 2;
    rounded = value.stored(leadingZeros + kSignificant);
  }
  if (rounded.isZero()) return "0";
  return rounded.toString();
}

std::string shortestText(double value) {
  if (!std::isfinite(value) || value == 0.0) return "0";
  // to_chars rather than printf: the C locale may use a decimal comma.
  char buf[64];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, kSignificant - 1);
  if (res.ec != std::errc()) return "0";
  std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  const std::size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (c != '.') digits += c;
  }
  const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
  return plainText(negative, digits, exponent);
}

std::string shortestText(long long value) {
  return shortestText(Decimal(value));
}

}  // namespace vm
