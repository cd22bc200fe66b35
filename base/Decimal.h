// Decimal: exact signed decimal numbers for every money, gravity and alcohol
// figure the program computes.  Binary floating point would turn 0.375 into
// 0.37499999... and round the wrong way, so values are held as an integer
// coefficient and a count of decimal places.
//
// Contract:
//  * +, -, * are exact.  / keeps at least 30 decimal places (truncated beyond
//    them) and a division by zero gives 0 without any error.
//  * Nothing rounds by itself.  A value is rounded only by stored(places),
//    half away from zero, which models storing into a variable declared with
//    that many places; the next step then uses the stored value.
//  * Comparison is by value: 5.30 == 5.3.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

class Decimal {
 public:
  Decimal();                 // 0
  Decimal(int value);        // NOLINT: integers convert implicitly
  Decimal(long long value);  // NOLINT
  // The other integer types, so that std::int64_t, std::size_t and the like
  // convert without ambiguity.
  Decimal(long value);                                    // NOLINT
  Decimal(unsigned value);                                // NOLINT
  Decimal(unsigned long value);                           // NOLINT
  Decimal(unsigned long long value);                      // NOLINT
  static Decimal fromUnits(long long units, int places);  // fromUnits(426, 2) == 4.26

  // Parses "-12.345", "12", ".5", "+3.0"; surrounding blanks allowed.
  // Anything else gives no value.
  static std::optional<Decimal> parse(std::string_view text);
  // Nearest decimal to a binary double, cut to `places` places after rounding
  // half away from zero (used where a REAL field meets decimal arithmetic).
  static Decimal fromDouble(double value, int places = 15);

  Decimal operator+(const Decimal& other) const;
  Decimal operator-(const Decimal& other) const;
  Decimal operator*(const Decimal& other) const;
  Decimal operator/(const Decimal& other) const;
  Decimal operator-() const;
  Decimal& operator+=(const Decimal& other);
  Decimal& operator-=(const Decimal& other);
  Decimal& operator*=(const Decimal& other);
  Decimal& operator/=(const Decimal& other);

  bool operator==(const Decimal& other) const;
  std::strong_ordering operator<=>(const Decimal& other) const;

  // The value rounded half away from zero to `places` places (0..30).
  Decimal stored(int places) const;
  // The value cut (towards zero) to `places` places.
  Decimal truncated(int places) const;

  bool isZero() const;
  bool isNegative() const;
  int sign() const;  // -1, 0, 1
  Decimal abs() const;

  // Units of 10^-places after rounding with stored(places); for DECIMAL(n,2)
  // fields kept as integer hundredths.  Values beyond 64 bits saturate.
  long long toUnits(int places) const;
  // Whole part, cut towards zero.
  long long toInteger() const;
  double toDouble() const;

  // Exactly `places` places, rounded as stored(places): "4.27", "-0.50", "12".
  std::string toFixed(int places) const;
  // Every significant place, no trailing zeros, no trailing point: "5.3", "12",
  // "-0.001".  (The 15-digit rule for messages is shortestText in NumberText.h.)
  std::string toString() const;

 private:
  // Implementation's choice; must hold at least 30 places and 30 digits
  // before the point exactly.
  struct Rep;
  friend struct Rep;
  bool negative_ = false;
  int scale_ = 0;                   // places after the point, no trailing zeros
  std::vector<std::uint32_t> mag_;  // base 1e9 magnitude, least significant first;
                                    // no high zero limbs, empty for 0
};

}  // namespace vm
