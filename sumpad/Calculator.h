// The calculator engine behind Sumpad's window: the six values that live
// between key presses and what every key does to them. Pure C++, so the whole
// behaviour can be driven and checked without a window.
#pragma once

#include <string>
#include <string_view>

namespace sumpad {

// The keys in the window's control order; the numbers are the control
// positions, which is also why the pending-operation codes are 25 to 30.
enum class Key : int {
  Digit0 = 1,
  Digit1,
  Digit2,
  Digit3,
  Digit4,
  Digit5,
  Digit6,
  Digit7,
  Digit8,
  Digit9,
  Point = 11,
  ClearEntry = 12,
  Pi = 13,
  ChangeSign = 14,
  Square = 15,
  SquareRoot = 16,
  Reciprocal = 17,
  TimesTen = 18,
  Percent = 19,
  Log10 = 20,
  Ln = 21,
  MemoryRecall = 22,
  MemoryStore = 23,
  MemoryAdd = 24,
  Add = 25,
  Subtract = 26,
  Multiply = 27,
  Divide = 28,
  Power = 29,
  Equals = 30,
  Display = 31,
};

// The two-operand operation waiting for its second operand, by code.
enum class Operation : int {
  Add = 25,
  Subtract = 26,
  Multiply = 27,
  Divide = 28,
  Power = 29,
  None = 30,
};

// Digit key for d in 0..9.
Key digitKey(int d);

// The tolerant comparison: a and b count as equal when their difference is
// zero or its base-2 exponent lies more than 50 below that of a or of b (a
// zero counting as 1). NaN differs from everything.
bool differsFrom(double a, double b);

// Y raised to the power X with the calculator's rules: a zero base gives 0
// whatever the exponent, a negative base needs a whole exponent (else 0), and
// a result beyond the double range becomes an infinity.
double power(double y, double x);

// The two transcendental keys and the root; values outside their domain give 0.
double squareRoot(double x);
double log10Of(double x);
double lnOf(double x);

class Calculator {
 public:
  // Handles one button press (or its shortcut). Answers true when the key
  // ran as an operation key, whose last step hands the keyboard focus to the
  // "0" key; digits, the point and pi leave the focus where it is.
  bool press(Key key);

  // The user typed into the display and left it: the text becomes the
  // display value (0 when it is not a number) and the field then acts as an
  // operation key with no function of its own, like "=".
  void enterDisplayText(std::string_view text);

  // The display value as the display shows it.
  std::string displayText() const;

  double displayValue() const { return display_; }
  double firstOperand() const { return first_; }
  Operation pending() const { return pending_; }
  double memory() const { return memory_; }
  bool newEntry() const { return newEntry_; }
  bool pointFlag() const { return point_; }

 private:
  void typeDigit(int d);
  void operationKey(Key key);
  void completePending(bool percent);
  void applyFunction(Key key);

  double display_ = 0;
  double first_ = 0;
  Operation pending_ = Operation::None;
  double memory_ = 0;
  bool newEntry_ = true;
  bool point_ = false;
  // The number being typed, exactly as typed. Digits after the point are
  // read from this text so that zeros typed after the point count ("1.05").
  std::string typed_;
};

}  // namespace sumpad
