// Decimal: a sign, a magnitude in base 1e9 limbs and a count of places.
//
// Every value is kept normalised (no high zero limbs, no trailing decimal
// zeros, zero never negative), so equal values have equal representations
// and the numbers stay short however many steps a calculation takes.
#include "base/Decimal.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace vm {

namespace {

using Mag = std::vector<std::uint32_t>;
constexpr std::uint32_t kBase = 1000000000u;
constexpr int kDivisionPlaces = 30;

constexpr std::array<std::uint32_t, 10> kPow10 = {
    1u, 10u, 100u, 1000u, 10000u, 100000u, 1000000u, 10000000u, 100000000u, 1000000000u};

void trim(Mag& a) {
  while (!a.empty() && a.back() == 0) a.pop_back();
}

int compare(const Mag& a, const Mag& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

Mag add(const Mag& a, const Mag& b) {
  Mag r;
  r.reserve(std::max(a.size(), b.size()) + 1);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    std::uint64_t s = carry;
    if (i < a.size()) s += a[i];
    if (i < b.size()) s += b[i];
    r.push_back(static_cast<std::uint32_t>(s % kBase));
    carry = s / kBase;
  }
  if (carry) r.push_back(static_cast<std::uint32_t>(carry));
  return r;
}

// a - b where a >= b.
Mag subtract(const Mag& a, const Mag& b) {
  assert(compare(a, b) >= 0);
  Mag r(a.size());
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::int64_t d = static_cast<std::int64_t>(a[i]) - borrow - (i < b.size() ? b[i] : 0);
    borrow = 0;
    if (d < 0) {
      d += kBase;
      borrow = 1;
    }
    r[i] = static_cast<std::uint32_t>(d);
  }
  trim(r);
  return r;
}

Mag multiplySmall(const Mag& a, std::uint32_t m) {
  if (m == 0 || a.empty()) return {};
  Mag r;
  r.reserve(a.size() + 1);
  std::uint64_t carry = 0;
  for (std::uint32_t limb : a) {
    std::uint64_t p = static_cast<std::uint64_t>(limb) * m + carry;
    r.push_back(static_cast<std::uint32_t>(p % kBase));
    carry = p / kBase;
  }
  while (carry) {
    r.push_back(static_cast<std::uint32_t>(carry % kBase));
    carry /= kBase;
  }
  return r;
}

Mag multiply(const Mag& a, const Mag& b) {
  if (a.empty() || b.empty()) return {};
  std::vector<std::uint64_t> acc(a.size() + b.size() + 1, 0);
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < b.size(); ++j) {
      std::uint64_t cur = acc[i + j] + static_cast<std::uint64_t>(a[i]) * b[j] + carry;
      acc[i + j] = cur % kBase;
      carry = cur / kBase;
    }
    std::size_t k = i + b.size();
    while (carry) {
      std::uint64_t cur = acc[k] + carry;
      acc[k] = cur % kBase;
      carry = cur / kBase;
      ++k;
    }
  }
  Mag r(acc.begin(), acc.end());
  trim(r);
  return r;
}

Mag multiplyPow10(const Mag& a, int k) {
  if (a.empty() || k <= 0) return a;
  Mag r = multiplySmall(a, kPow10[k % 9]);
  r.insert(r.begin(), static_cast<std::size_t>(k / 9), 0u);
  return r;
}

Mag pow10(int k) {
  return multiplyPow10(Mag{1}, k);
}

Mag divideSmall(const Mag& a, std::uint32_t d, std::uint32_t* remainder) {
  Mag q(a.size());
  std::uint64_t rem = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    std::uint64_t cur = rem * kBase + a[i];
    q[i] = static_cast<std::uint32_t>(cur / d);
    rem = cur % d;
  }
  trim(q);
  if (remainder) *remainder = static_cast<std::uint32_t>(rem);
  return q;
}

// Schoolbook long division, one base-1e9 quotient limb at a time; each limb
// is found by bisection, which is plenty for numbers a few limbs long.
Mag divide(const Mag& a, const Mag& b, Mag* remainder) {
  assert(!b.empty());
  if (b.size() == 1) {
    std::uint32_t rem = 0;
    Mag q = divideSmall(a, b[0], &rem);
    if (remainder) *remainder = rem ? Mag{rem} : Mag{};
    return q;
  }
  Mag q(a.size(), 0);
  Mag r;
  for (std::size_t i = a.size(); i-- > 0;) {
    r.insert(r.begin(), a[i]);
    trim(r);
    if (compare(r, b) < 0) continue;
    std::uint32_t lo = 1, hi = kBase - 1;
    while (lo < hi) {
      std::uint32_t mid = lo + (hi - lo + 1) / 2;
      if (compare(multiplySmall(b, mid), r) <= 0) {
        lo = mid;
      } else {
        hi = mid - 1;
      }
    }
    q[i] = lo;
    r = subtract(r, multiplySmall(b, lo));
  }
  trim(q);
  if (remainder) *remainder = r;
  return q;
}

std::string digitsOf(const Mag& a) {
  if (a.empty()) return "0";
  std::string s = std::to_string(a.back());
  for (std::size_t i = a.size() - 1; i-- > 0;) {
    std::string limb = std::to_string(a[i]);
    s.append(9 - limb.size(), '0');
    s += limb;
  }
  return s;
}

Mag fromDigits(std::string_view digits) {
  Mag r;
  std::size_t end = digits.size();
  while (end > 0) {
    std::size_t begin = end >= 9 ? end - 9 : 0;
    std::uint32_t limb = 0;
    for (std::size_t i = begin; i < end; ++i) limb = limb * 10 + (digits[i] - '0');
    r.push_back(limb);
    end = begin;
  }
  trim(r);
  return r;
}

Mag fromUnsigned(unsigned long long v) {
  Mag r;
  while (v) {
    r.push_back(static_cast<std::uint32_t>(v % kBase));
    v /= kBase;
  }
  return r;
}

// The magnitude as an unsigned 64-bit number, or false when it does not fit.
bool toUnsigned(const Mag& a, unsigned long long* out) {
  unsigned long long v = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    if (v > (ULLONG_MAX - a[i]) / kBase) return false;
    v = v * kBase + a[i];
  }
  *out = v;
  return true;
}

long long saturatedSigned(const Mag& a, bool negative) {
  unsigned long long v = 0;
  const unsigned long long limit =
      negative ? static_cast<unsigned long long>(LLONG_MAX) + 1ull : LLONG_MAX;
  if (!toUnsigned(a, &v) || v > limit) v = limit;
  if (negative) return v == limit ? LLONG_MIN : -static_cast<long long>(v);
  return static_cast<long long>(v);
}

}  // namespace

// Internal access to the representation for the free helpers above.
struct Decimal::Rep {
  static Decimal make(bool negative, Mag mag, int scale) {
    Decimal d;
    d.negative_ = negative;
    d.mag_ = std::move(mag);
    d.scale_ = scale;
    normalise(d);
    return d;
  }

  static void normalise(Decimal& d) {
    trim(d.mag_);
    // Strip whole limbs of trailing zeros first, then single digits.
    while (d.scale_ >= 9 && d.mag_.size() > 1 && d.mag_.front() == 0) {
      d.mag_.erase(d.mag_.begin());
      d.scale_ -= 9;
    }
    while (d.scale_ > 0 && !d.mag_.empty() && d.mag_.front() % 10 == 0) {
      d.mag_ = divideSmall(d.mag_, 10, nullptr);
      --d.scale_;
    }
    if (d.mag_.empty()) {
      d.negative_ = false;
      d.scale_ = 0;
    }
  }

  // Magnitude scaled to `scale` places (scale >= d.scale_).
  static Mag at(const Decimal& d, int scale) { return multiplyPow10(d.mag_, scale - d.scale_); }

  static Decimal addSigned(const Decimal& a, const Decimal& b, bool negateB) {
    const int scale = std::max(a.scale_, b.scale_);
    Mag x = at(a, scale);
    Mag y = at(b, scale);
    const bool bn = negateB ? !b.negative_ : b.negative_;
    if (a.negative_ == bn) return make(a.negative_, add(x, y), scale);
    if (compare(x, y) >= 0) return make(a.negative_, subtract(x, y), scale);
    return make(bn, subtract(y, x), scale);
  }

  // Cuts the value to `places`, and with `roundHalfUp` rounds the cut part
  // half away from zero.
  static Decimal cut(const Decimal& d, int places, bool roundHalfUp) {
    if (places < 0) places = 0;
    if (d.scale_ <= places) return d;
    const int drop = d.scale_ - places;
    const Mag divisor = pow10(drop);
    Mag rest;
    Mag q = divide(d.mag_, divisor, &rest);
    if (roundHalfUp && compare(multiplySmall(rest, 2), divisor) >= 0) q = add(q, Mag{1});
    return make(d.negative_, std::move(q), places);
  }
};

Decimal::Decimal() = default;

Decimal::Decimal(int value) : Decimal(static_cast<long long>(value)) {}

Decimal::Decimal(long long value) {
  negative_ = value < 0;
  unsigned long long mag = negative_ ? 0ull - static_cast<unsigned long long>(value)
                                     : static_cast<unsigned long long>(value);
  mag_ = fromUnsigned(mag);
}

Decimal::Decimal(long value) : Decimal(static_cast<long long>(value)) {}

Decimal::Decimal(unsigned value) : Decimal(static_cast<unsigned long long>(value)) {}

Decimal::Decimal(unsigned long value) : Decimal(static_cast<unsigned long long>(value)) {}

Decimal::Decimal(unsigned long long value) {
  mag_ = fromUnsigned(value);
}

Decimal Decimal::fromUnits(long long units, int places) {
  Decimal d(units);
  if (places > 0) {
    d.scale_ = places;
  } else if (places < 0) {
    d.mag_ = multiplyPow10(d.mag_, -places);
  }
  Rep::normalise(d);
  return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::string digits;
  int scale = 0;
  bool point = false;
  bool anyDigit = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digits += c;
      anyDigit = true;
      if (point) ++scale;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!anyDigit) return std::nullopt;
  return Rep::make(negative, fromDigits(digits), scale);
}

Decimal Decimal::fromDouble(double value, int places) {
  if (!std::isfinite(value)) return Decimal();
  // The shortest text that reads back as the same double is the decimal a
  // person typed or saw; rounding the binary expansion instead would turn
  // 4.275 into 4.27.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  if (res.ec != std::errc()) return Decimal();
  std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e = sci.find('e');
  std::string_view mantissa = sci.substr(0, e);
  const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
  auto m = parse(mantissa);
  if (!m) return Decimal();
  Decimal d = *m;
  if (exponent >= 0) {
    d.mag_ = multiplyPow10(d.mag_, exponent - std::min(exponent, d.scale_));
    d.scale_ -= std::min(exponent, d.scale_);
  } else {
    d.scale_ += -exponent;
  }
  Rep::normalise(d);
  return d.stored(places);
}

Decimal Decimal::operator+(const Decimal& other) const {
  return Rep::addSigned(*this, other, false);
}

Decimal Decimal::operator-(const Decimal& other) const {
  return Rep::addSigned(*this, other, true);
}

Decimal Decimal::operator*(const Decimal& other) const {
  return Rep::make(negative_ != other.negative_, multiply(mag_, other.mag_), scale_ + other.scale_);
}

Decimal Decimal::operator/(const Decimal& other) const {
  if (other.mag_.empty() || mag_.empty()) return Decimal();
  // a/10^sa / (b/10^sb) = (a * 10^(S - sa + sb) / b) / 10^S, cut at S places.
  const int scale = std::max(kDivisionPlaces, scale_);
  Mag numerator = multiplyPow10(mag_, scale - scale_ + other.scale_);
  return Rep::make(negative_ != other.negative_, divide(numerator, other.mag_, nullptr), scale);
}

Decimal Decimal::operator-() const {
  Decimal d = *this;
  if (!d.mag_.empty()) d.negative_ = !d.negative_;
  return d;
}

Decimal& Decimal::operator+=(const Decimal& other) {
  return *this = *this + other;
}
Decimal& Decimal::operator-=(const Decimal& other) {
  return *this = *this - other;
}
Decimal& Decimal::operator*=(const Decimal& other) {
  return *this = *this * other;
}
Decimal& Decimal::operator/=(const Decimal& other) {
  return *this = *this / other;
}

bool Decimal::operator==(const Decimal& other) const {
  // Normalised values are equal exactly when their representations are.
  return negative_ == other.negative_ && scale_ == other.scale_ && mag_ == other.mag_;
}

std::strong_ordering Decimal::operator<=>(const Decimal& other) const {
  if (negative_ != other.negative_) {
    return negative_ ? std::strong_ordering::less : std::strong_ordering::greater;
  }
  const int scale = std::max(scale_, other.scale_);
  int c = compare(Rep::at(*this, scale), Rep::at(other, scale));
  if (negative_) c = -c;
  return c < 0 ? std::strong_ordering::less
               : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
}

Decimal Decimal::stored(int places) const {
  return Rep::cut(*this, places, true);
}

Decimal Decimal::truncated(int places) const {
  return Rep::cut(*this, places, false);
}

bool Decimal::isZero() const {
  return mag_.empty();
}
bool Decimal::isNegative() const {
  return negative_;
}
int Decimal::sign() const {
  return mag_.empty() ? 0 : (negative_ ? -1 : 1);
}

Decimal Decimal::abs() const {
  Decimal d = *this;
  d.negative_ = false;
  return d;
}

long long Decimal::toUnits(int places) const {
  if (places < 0) places = 0;
  Decimal d = stored(places);
  return saturatedSigned(multiplyPow10(d.mag_, places - d.scale_), d.negative_);
}

long long Decimal::toInteger() const {
  Decimal d = truncated(0);
  return saturatedSigned(d.mag_, d.negative_);
}

double Decimal::toDouble() const {
  // from_chars ignores the C locale, which a GUI program may have set to one
  // with a decimal comma.
  const std::string text = toString();
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string Decimal::toFixed(int places) const {
  if (places < 0) places = 0;
  Decimal d = stored(places);
  std::string digits = digitsOf(multiplyPow10(d.mag_, places - d.scale_));
  if (places > 0) {
    if (static_cast<int>(digits.size()) <= places) {
      digits.insert(0, static_cast<std::size_t>(places + 1 - static_cast<int>(digits.size())), '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(places), 1, '.');
  }
  return d.negative_ ? "-" + digits : digits;
}

std::string Decimal::toString() const {
  return toFixed(scale_);
}

}  // namespace vm
