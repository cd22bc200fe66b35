// Every arithmetic step is carried out in long double (the x87 extended
// format on x86-64) and stored back into a double, so results round once per
// step exactly as on the processor the calculator was designed for.
#include "sumpad/Calculator.h"

#include <cassert>
#include <cmath>

#include "sumpad/DisplayText.h"

namespace sumpad {

namespace {

using Ext = long double;

double store(Ext v) {
  return static_cast<double>(v);
}

// The decimal constant the pi key enters; deliberately not full precision.
constexpr double kPi = 3.141592654;

int exponentOf(double v) {
  return std::ilogb(v == 0 ? 1.0 : v);
}

}  // namespace

Key digitKey(int d) {
  assert(d >= 0 && d <= 9);
  return static_cast<Key>(static_cast<int>(Key::Digit0) + d);
}

bool differsFrom(double a, double b) {
  if (a == b) return false;
  const double diff = store(Ext(a) - Ext(b));
  if (diff == 0) return false;
  if (!std::isfinite(diff)) return true;  // NaN, or an infinity against a finite value
  const int e = std::ilogb(diff);
  return !(e < exponentOf(a) - 50 || e < exponentOf(b) - 50);
}

double power(double y, double x) {
  if (std::isnan(y) || std::isnan(x)) return store(std::pow(Ext(y), Ext(x)));
  // 0 to a positive power is 0; 0 to the power 0 or below has no value and
  // the calculator shows 0 for it as well.
  if (y == 0) return 0.0;
  // An infinite exponent is no whole number either.
  if (y < 0 && (!std::isfinite(x) || x != std::floor(x))) return 0.0;
  // powl gives the sign of a negative base by the exponent's parity; a result
  // beyond the double range turns into an infinity of that sign on storing.
  return store(std::pow(Ext(y), Ext(x)));
}

double squareRoot(double x) {
  return x < 0 ? 0.0 : store(std::sqrt(Ext(x)));
}

double log10Of(double x) {
  return x <= 0 ? 0.0 : store(std::log10(Ext(x)));
}

double lnOf(double x) {
  return x <= 0 ? 0.0 : store(std::log(Ext(x)));
}

bool Calculator::press(Key key) {
  const int code = static_cast<int>(key);
  if (key >= Key::Digit0 && key <= Key::Digit9) {
    typeDigit(code - static_cast<int>(Key::Digit0));
    return false;
  }
  switch (key) {
    case Key::Point:
      // The point shows only once a digit follows it.
      point_ = true;
      return false;
    case Key::Pi:
      display_ = kPi;
      newEntry_ = true;
      point_ = false;
      return false;
    case Key::ClearEntry:
      // Straight after an operation key or "=" nothing of the second operand
      // has been typed, so the pending operation goes too; while typing, the
      // pending operation is completed with 0 below.
      if (newEntry_) pending_ = Operation::None;
      display_ = 0;
      newEntry_ = false;
      point_ = false;
      operationKey(key);
      return true;
    default:
      operationKey(key);
      return true;
  }
}

void Calculator::enterDisplayText(std::string_view text) {
  display_ = parseDisplayText(text);
  operationKey(Key::Display);
}

std::string Calculator::displayText() const {
  return formatDisplay(display_);
}

void Calculator::typeDigit(int d) {
  const char c = static_cast<char>('0' + d);
  if (newEntry_) {
    if (point_) {
      typed_ = std::string("0.") + c;
      display_ = parseDisplayText(typed_);
    } else {
      typed_ = std::string(1, c);
      display_ = d;
    }
    newEntry_ = false;
    return;
  }
  if (!point_) {
    typed_ += c;
    display_ = store(Ext(display_) * 10 + d);
    return;
  }
  if (typed_.find('.') == std::string::npos) typed_ += '.';
  typed_ += c;
  display_ = parseDisplayText(typed_);
}

void Calculator::operationKey(Key key) {
  completePending(key == Key::Percent);
  applyFunction(key);
  newEntry_ = true;
  point_ = false;
}

void Calculator::completePending(bool percent) {
  if (pending_ == Operation::None) return;
  if (percent) {
    display_ = store(Ext(display_) * Ext(first_) / 100);
    // Against a product or quotient the percentage itself is the answer.
    if (pending_ != Operation::Add && pending_ != Operation::Subtract) pending_ = Operation::None;
  }
  const double x = display_;
  const double y = first_;
  switch (pending_) {
    case Operation::Add:
      display_ = store(Ext(x) + Ext(y));
      break;
    case Operation::Subtract:
      display_ = store(Ext(y) - Ext(x));
      break;
    case Operation::Multiply:
      display_ = store(Ext(x) * Ext(y));
      break;
    case Operation::Divide:
      if (differsFrom(x, 0)) display_ = store(Ext(y) / Ext(x));
      break;
    case Operation::Power:
      display_ = power(y, x);
      break;
    case Operation::None:
      break;
  }
  pending_ = Operation::None;
}

void Calculator::applyFunction(Key key) {
  const double x = display_;
  switch (key) {
    case Key::ChangeSign:
      display_ = store(Ext(x) * -1);
      break;
    case Key::Square:
      display_ = store(Ext(x) * Ext(x));
      break;
    case Key::SquareRoot:
      display_ = squareRoot(x);
      break;
    case Key::Reciprocal:
      if (differsFrom(x, 0)) display_ = store(1 / Ext(x));
      break;
    case Key::TimesTen:
      display_ = store(Ext(x) * 10);
      break;
    case Key::Log10:
      display_ = log10Of(x);
      break;
    case Key::Ln:
      display_ = lnOf(x);
      break;
    case Key::MemoryRecall:
      display_ = memory_;
      break;
    case Key::MemoryStore:
      memory_ = x;
      break;
    case Key::MemoryAdd:
      memory_ = store(Ext(memory_) + Ext(x));
      break;
    case Key::Add:
    case Key::Subtract:
    case Key::Multiply:
    case Key::Divide:
    case Key::Power:
      pending_ = static_cast<Operation>(static_cast<int>(key));
      first_ = x;
      break;
    default:  // "=", "%", CE and the display field have no function of their own
      break;
  }
}

}  // namespace sumpad
