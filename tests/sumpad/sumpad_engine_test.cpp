// Key sequences as a user presses them, and the text the display then shows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "sumpad/Calculator.h"
#include "sumpad/DisplayText.h"

using sumpad::Calculator;
using sumpad::Key;
using sumpad::Operation;

namespace {

// Presses the keys named in a blank-separated list. A run of digits is typed
// digit by digit; "type:TEXT" types TEXT into the display and leaves it.
void run(Calculator& calc, const std::string& keys) {
  static const std::pair<const char*, Key> named[] = {
      {".", Key::Point},        {"CE", Key::ClearEntry}, {"pi", Key::Pi},
      {"+/-", Key::ChangeSign}, {"x2", Key::Square},     {"sqrt", Key::SquareRoot},
      {"1/x", Key::Reciprocal}, {"10X", Key::TimesTen},  {"%", Key::Percent},
      {"lg", Key::Log10},       {"ln", Key::Ln},         {"MR", Key::MemoryRecall},
      {"M", Key::MemoryStore},  {"M+", Key::MemoryAdd},  {"+", Key::Add},
      {"-", Key::Subtract},     {"x", Key::Multiply},    {"/", Key::Divide},
      {"Exp", Key::Power},      {"=", Key::Equals},
  };
  std::istringstream in(keys);
  std::string token;
  while (in >> token) {
    if (token.rfind("type:", 0) == 0) {
      calc.enterDisplayText(token.substr(5));
      continue;
    }
    bool found = false;
    for (const auto& [name, key] : named) {
      if (token == name) {
        calc.press(key);
        found = true;
        break;
      }
    }
    if (found) continue;
    ASSERT_EQ(token.find_first_not_of("0123456789"), std::string::npos) << "unknown key " << token;
    for (char c : token) calc.press(sumpad::digitKey(c - '0'));
  }
}

struct SequenceCase {
  const char* keys;
  const char* shown;
  Operation pending = Operation::None;
};

std::ostream& operator<<(std::ostream& os, const SequenceCase& c) {
  return os << '"' << c.keys << "\" -> " << c.shown;
}

const bool kExtended =
    std::numeric_limits<long double>::max_exponent > std::numeric_limits<double>::max_exponent;

class KeySequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(KeySequence, ShowsText) {
  Calculator calc;
  run(calc, GetParam().keys);
  EXPECT_EQ(calc.displayText(), GetParam().shown);
  EXPECT_EQ(calc.pending(), GetParam().pending);
}

INSTANTIATE_TEST_SUITE_P(
    Entry, KeySequence,
    testing::Values(SequenceCase{"", "0"}, SequenceCase{"=", "0"}, SequenceCase{"123", "123"},
                    SequenceCase{"1 . 0 5", "1.05"}, SequenceCase{"0 . 0 5", "0.05"},
                    SequenceCase{". 5", "0.5"}, SequenceCase{"5 . . 2", "5.2"},
                    SequenceCase{"5 .", "5"}, SequenceCase{"1 . 5 0 0 1", "1.5001"},
                    SequenceCase{"100000000000000000000", "1.e+20"}, SequenceCase{"2 + 3 = 4", "4"},
                    SequenceCase{"2 + 3 = . 5", "0.5"}, SequenceCase{"2 + 3 = . 5 + 1 =", "1.5"},
                    SequenceCase{"pi", "3.141592654"}, SequenceCase{"pi 5", "5"},
                    SequenceCase{"2 x pi", "3.141592654", Operation::Multiply},
                    SequenceCase{"2 x pi =", "6.283185308"}));

INSTANTIATE_TEST_SUITE_P(
    Chaining, KeySequence,
    testing::Values(SequenceCase{"2 + 3 x 4 =", "20"}, SequenceCase{"2 + 3 x2", "25"},
                    SequenceCase{"2 + 3 M CE MR", "5"}, SequenceCase{"2 + +", "4", Operation::Add},
                    SequenceCase{"2 + + 1 =", "5"}, SequenceCase{"3 + =", "6"},
                    SequenceCase{"9 - 4 =", "5"}, SequenceCase{"4 - 9 =", "-5"},
                    SequenceCase{"2 Exp 10 =", "1024"}, SequenceCase{"12 / 4 - 1 =", "2"},
                    SequenceCase{"5 M CE 2 + MR", "5"}, SequenceCase{"5 M CE 2 + MR =", "5"}));

INSTANTIATE_TEST_SUITE_P(
    Percent, KeySequence,
    testing::Values(SequenceCase{"200 + 10 %", "220"}, SequenceCase{"200 - 10 %", "180"},
                    SequenceCase{"200 x 10 %", "20"}, SequenceCase{"200 / 10 %", "20"},
                    SequenceCase{"200 + 10 % =", "220"}, SequenceCase{"5 %", "5"},
                    // percent still ends the number being typed
                    SequenceCase{"5 % 3", "3"}));

INSTANTIATE_TEST_SUITE_P(Functions, KeySequence,
                         testing::Values(SequenceCase{"9 sqrt", "3"}, SequenceCase{"100 lg", "2"},
                                         SequenceCase{"0 ln", "0"}, SequenceCase{"0 lg", "0"},
                                         SequenceCase{"5 +/- ln", "0"},
                                         SequenceCase{"5 +/- lg", "0"},
                                         SequenceCase{"4 +/- sqrt", "0"}, SequenceCase{"1 ln", "0"},
                                         SequenceCase{"4 1/x", "0.25"}, SequenceCase{"0 1/x", "0"},
                                         SequenceCase{"5 10X", "50"}, SequenceCase{"5 +/-", "-5"},
                                         SequenceCase{"0 +/-", "0"},
                                         SequenceCase{"1 / 3 =", "0.3333333333333"},
                                         SequenceCase{"2 sqrt", "1.4142135623731"}));

INSTANTIATE_TEST_SUITE_P(Memory, KeySequence,
                         testing::Values(SequenceCase{"5 M CE MR", "5"},
                                         SequenceCase{"5 M+ 5 M+ MR", "10"},
                                         SequenceCase{"MR", "0"},
                                         SequenceCase{"5 M 3 M+ CE MR", "8"},
                                         SequenceCase{"5 M 2 + MR", "5"}));

INSTANTIATE_TEST_SUITE_P(ClearEntry, KeySequence,
                         testing::Values(SequenceCase{"5 + 3 CE", "5"},
                                         SequenceCase{"5 x 3 CE", "0"}, SequenceCase{"5 + CE", "0"},
                                         SequenceCase{"5 + 3 CE 2 =", "2"},
                                         SequenceCase{"5 + CE 2 =", "2"},
                                         SequenceCase{"2 + 3 = CE", "0"},
                                         SequenceCase{"5 - 3 CE", "5"}, SequenceCase{"7 CE", "0"},
                                         SequenceCase{"7 CE 3", "3"}));

INSTANTIATE_TEST_SUITE_P(
    DivisionByZero, KeySequence,
    testing::Values(SequenceCase{"7 / 0 =", "0"}, SequenceCase{"7 / 0 = + 1 =", "1"},
                    // divisors and reciprocals within the tolerance of 0 count as 0
                    SequenceCase{"5 / 0 . 0000000000000001 =", "1.e-16"},
                    SequenceCase{"5 / 0 . 000000000000001 =", "5.e+15"},
                    SequenceCase{"0 . 0000000000000001 1/x", "1.e-16"},
                    // 0.1 + 0.2 - 0.3 leaves binary dust of 5.55e-17, which is no divisor
                    SequenceCase{"0 . 1 + 0 . 2 - 0 . 3 = 1/x", "5.551115123e-17"}));

INSTANTIATE_TEST_SUITE_P(
    Power, KeySequence,
    testing::Values(SequenceCase{"0 Exp 0 =", "0"}, SequenceCase{"0 Exp 3 =", "0"},
                    SequenceCase{"0 Exp type:-2", "0"}, SequenceCase{"2 +/- Exp 3 =", "-8"},
                    SequenceCase{"2 +/- Exp 2 =", "4"}, SequenceCase{"2 +/- Exp . 5 =", "0"},
                    SequenceCase{"2 +/- Exp type:1e400", "0"},
                    SequenceCase{"2 Exp . 5 =", "1.4142135623731"},
                    // "+/-" and "MR" would complete the pending power first, so a negative
                    // exponent can only be typed into the display
                    SequenceCase{"2 Exp type:-2", "0.25"}, SequenceCase{"5 Exp 0 =", "1"},
                    SequenceCase{"10 Exp 400 =", "(+Infinity)"},
                    SequenceCase{"2 Exp type:-2000", "0"},
                    // an odd power of a negative base overflows downwards
                    SequenceCase{"2 +/- Exp 2001 =", "(-Infinity)"},
                    SequenceCase{"2 +/- Exp 2000 =", "(+Infinity)"}));

INSTANTIATE_TEST_SUITE_P(OverflowAndNaN, KeySequence,
                         testing::Values(SequenceCase{"10 Exp 200 = x2", "(+Infinity)"},
                                         SequenceCase{"10 Exp 200 = x2 +/-", "(-Infinity)"},
                                         SequenceCase{"10 Exp 200 = x2 1/x", "0"},
                                         SequenceCase{"10 Exp 200 = x2 sqrt", "(+Infinity)"},
                                         SequenceCase{"10 Exp 200 = x2 ln", "(+Infinity)"},
                                         SequenceCase{"10 Exp 200 = x2 +/- sqrt", "0"},
                                         SequenceCase{"10 Exp 200 = x2 + 1 =", "(+Infinity)"},
                                         SequenceCase{"5 / type:1e400", "0"},
                                         // infinity minus infinity, and what follows from a NaN
                                         SequenceCase{"type:1e400 - type:1e400", "NaN"},
                                         SequenceCase{"type:1e400 x 0 =", "NaN"},
                                         SequenceCase{"type:1e400 - type:1e400 + 1 =", "NaN"},
                                         SequenceCase{"type:1e400 - type:1e400 sqrt", "NaN"},
                                         SequenceCase{"type:1e400 - type:1e400 lg", "NaN"},
                                         SequenceCase{"type:1e400 - type:1e400 1/x", "NaN"},
                                         SequenceCase{"type:1e400 - type:1e400 M CE 1 / MR =",
                                                      "NaN"},
                                         SequenceCase{"type:1e400 - type:1e400 Exp 2 =", "NaN"}));

INSTANTIATE_TEST_SUITE_P(
    TypedIntoDisplay, KeySequence,
    testing::Values(SequenceCase{"5 + type:3", "8"}, SequenceCase{"5 + type:abc", "5"},
                    SequenceCase{"type:12 3", "3"}, SequenceCase{"type:2.5e3", "2500"},
                    SequenceCase{"type:1e400", "(+Infinity)"}, SequenceCase{"5 x type:-2", "-10"}));

TEST(Calculator, StartsCleared) {
  Calculator calc;
  EXPECT_EQ(calc.displayValue(), 0);
  EXPECT_EQ(calc.firstOperand(), 0);
  EXPECT_EQ(calc.memory(), 0);
  EXPECT_EQ(calc.pending(), Operation::None);
  EXPECT_TRUE(calc.newEntry());
  EXPECT_FALSE(calc.pointFlag());
  EXPECT_EQ(static_cast<int>(Operation::Add), 25);
  EXPECT_EQ(static_cast<int>(Operation::Power), 29);
  EXPECT_EQ(static_cast<int>(Operation::None), 30);
}

TEST(Calculator, OnlyOperationKeysHandTheFocusToZero) {
  Calculator calc;
  EXPECT_FALSE(calc.press(Key::Digit7));
  EXPECT_FALSE(calc.press(Key::Point));
  EXPECT_FALSE(calc.press(Key::Pi));
  EXPECT_TRUE(calc.press(Key::ClearEntry));
  EXPECT_TRUE(calc.press(Key::Add));
  EXPECT_TRUE(calc.press(Key::MemoryStore));
  EXPECT_TRUE(calc.press(Key::Percent));
  EXPECT_TRUE(calc.press(Key::Equals));
}

TEST(Calculator, OperatorKeepsFirstOperandAndFlags) {
  Calculator calc;
  run(calc, "1 . 5 x");
  EXPECT_EQ(calc.firstOperand(), 1.5);
  EXPECT_EQ(calc.pending(), Operation::Multiply);
  EXPECT_TRUE(calc.newEntry());
  EXPECT_FALSE(calc.pointFlag());
  run(calc, ".");
  EXPECT_TRUE(calc.pointFlag());
  EXPECT_EQ(calc.displayText(), "1.5");  // the point shows only with a digit
}

// Each step is worked out in extended precision before it is stored: the
// percentage of 1e308 times 50 passes through 5e309, beyond the double range.
TEST(Calculator, StepsUseExtendedPrecision) {
  Calculator calc;
  run(calc, "type:1e308 + 50 %");
  EXPECT_EQ(calc.displayText(), kExtended ? "1.5e+308" : "(+Infinity)");
}

TEST(DifferenceTest, ToleratesDustAgainstZeroAndLargeValues) {
  EXPECT_FALSE(sumpad::differsFrom(0, 0));
  EXPECT_FALSE(sumpad::differsFrom(8e-16, 0));
  EXPECT_FALSE(sumpad::differsFrom(-8e-16, 0));
  EXPECT_TRUE(sumpad::differsFrom(9e-16, 0));
  EXPECT_TRUE(sumpad::differsFrom(1e-15, 0));
  // relative to the operands: 1e6 lies in [2^19, 2^20), so dust below 2^-31 (4.7e-10) counts as
  // equal
  EXPECT_FALSE(sumpad::differsFrom(1e6, 1e6 + 3e-10));
  EXPECT_TRUE(sumpad::differsFrom(1e6, 1e6 + 2e-9));
  EXPECT_TRUE(sumpad::differsFrom(1, 2));
  EXPECT_TRUE(sumpad::differsFrom(std::nan(""), 0));
  EXPECT_TRUE(sumpad::differsFrom(std::nan(""), std::nan("")));
  EXPECT_TRUE(sumpad::differsFrom(HUGE_VAL, 0));
  EXPECT_FALSE(sumpad::differsFrom(HUGE_VAL, HUGE_VAL));
}

struct FormatCase {
  double value;
  const char* shown;
};

std::ostream& operator<<(std::ostream& os, const FormatCase& c) {
  return os << c.shown;
}

class DisplayFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(DisplayFormat, Shows) {
  EXPECT_EQ(sumpad::formatDisplay(GetParam().value), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DisplayFormat,
    testing::Values(
        FormatCase{0.0, "0"}, FormatCase{-0.0, "0"}, FormatCase{2.5, "2.5"},
        FormatCase{-2.5, "-2.5"}, FormatCase{3.141592654, "3.141592654"},
        FormatCase{1.0 / 3, "0.3333333333333"}, FormatCase{-1.0 / 3, "-0.333333333333"},
        FormatCase{0.0001, "0.0001"}, FormatCase{0.000123, "0.000123"},
        FormatCase{0.00001, "1.e-05"}, FormatCase{0.0000125, "1.25e-05"},
        FormatCase{1e20, "1.e+20"}, FormatCase{1.5e20, "1.5e+20"}, FormatCase{-1.5e20, "-1.5e+20"},
        FormatCase{1e14, "1.e+14"}, FormatCase{99999999999999.0, "99999999999999"},
        FormatCase{99999999999999.5, "1.e+14"}, FormatCase{1e300, "1.e+300"},
        FormatCase{1e-300, "1.e-300"}, FormatCase{1234.5, "1234.5"}, FormatCase{0.1 + 0.2, "0.3"},
        FormatCase{2.0 / 3, "0.6666666666666"}, FormatCase{1234567890123.375, "1234567890123.4"},
        FormatCase{-1234567890123.375, "-1234567890123."},
        // an exponent is never cut off: mantissa digits give way to it
        FormatCase{123456789012345.0, "1.234567890e+14"},
        FormatCase{-1.2345678901234e-100, "-1.2345678e-100"}, FormatCase{std::nan(""), "NaN"},
        FormatCase{HUGE_VAL, "(+Infinity)"}, FormatCase{-HUGE_VAL, "(-Infinity)"}));

TEST(DisplayFormat, RoundsToFourteenDigitsBeforeCutting) {
  EXPECT_EQ(sumpad::formatNumber(1.0 / 3), "0.33333333333333");
  EXPECT_EQ(sumpad::formatNumber(123456789012345.0), "1.2345678901234e+14");
  EXPECT_EQ(sumpad::formatNumber(0.1 + 0.2 - 0.3), "5.5511151231258e-17");
  EXPECT_EQ(sumpad::formatNumber(9.99999999999996), "10");
}

struct ParseCase {
  const char* text;
  double value;
};

std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
  return os << '"' << c.text << '"';
}

class DisplayParse : public testing::TestWithParam<ParseCase> {};

TEST_P(DisplayParse, Reads) {
  const double got = sumpad::parseDisplayText(GetParam().text);
  if (std::isnan(GetParam().value))
    EXPECT_TRUE(std::isnan(got));
  else
    EXPECT_EQ(got, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayParse,
    testing::Values(ParseCase{"12", 12}, ParseCase{" 1.5 ", 1.5}, ParseCase{"-3", -3},
                    ParseCase{"+3", 3}, ParseCase{".5", 0.5}, ParseCase{"5.", 5},
                    ParseCase{"1e5", 1e5}, ParseCase{"1.e+20", 1e20}, ParseCase{"2E-3", 2e-3},
                    ParseCase{"1e400", HUGE_VAL}, ParseCase{"-1e400", -HUGE_VAL},
                    ParseCase{"1e-400", 0}, ParseCase{"", 0}, ParseCase{"abc", 0},
                    ParseCase{"12abc", 0}, ParseCase{"1,5", 0}, ParseCase{"--1", 0},
                    ParseCase{"+-1", 0}, ParseCase{"1e", 0}, ParseCase{"inf", 0},
                    ParseCase{"0x10", 0}, ParseCase{"1 2", 0}, ParseCase{"NaN", std::nan("")},
                    ParseCase{"(+Infinity)", HUGE_VAL}, ParseCase{"(-Infinity)", -HUGE_VAL}));

}  // namespace
