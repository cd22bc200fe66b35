// Display pictures: the format names that windows and reports give each value.
//   @s45 / @S45           text of 45 characters
//   @n-7.2, @N3, @N02B    numbers: width, places, '-' allows a minus, leading
//                         '0' pads with zeros, trailing 'B' blank when zero
//   @D4 @D17 @D18 @D017B  dates (4 = "October 31, 2010", 17/18 = regional
//                         short/long, '0' keeps leading zeros, 'B' blank for 0;
//                         '>' only guides two-digit year completion on input)
//   @T3                   "5:07PM"
//   @P#.###P, @pPage <<<#p  digit patterns ('#' digit, '<' digit blank when
//                         it would be a leading zero, others copied)
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Date.h"
#include "Decimal.h"

namespace vm {

struct Picture {
  enum class Kind { Text, Number, Date, Time, Pattern, Invalid };
  Kind kind = Kind::Invalid;
  int width = 0;            // Text: characters; Number: total width
  int places = 0;           // Number: digits after the point
  bool allowMinus = false;  // Number
  bool zeroPad = false;     // Number, Date
  bool blankWhenZero = false;
  int dateFormat = 0;       // Date: 4, 17, 18 ...
  int timeFormat = 0;       // Time: 3
  bool centuryHint = false; // Date: '>'
  std::string pattern;      // Pattern: text between the P's

  static Picture parse(std::string_view picture);
};

// Regional date formats, in the system's locale inside the program and fixed
// in tests.  Patterns use d, dd, M, MM, MMM, MMMM, yy, yyyy and literal text,
// e.g. short "dd/MM/yyyy", long "d MMMM yyyy".
struct RegionalDates {
  std::string shortFormat = "dd/MM/yyyy";
  std::string longFormat = "dddd, d MMMM yyyy";
};
const RegionalDates& regionalDates();
void setRegionalDates(const RegionalDates& formats);

// Formats a value by its picture.  Numbers too wide for their picture show
// as a row of '#' of the picture's width.
std::string formatNumber(const Decimal& value, std::string_view picture);
std::string formatNumber(double value, std::string_view picture);
std::string formatDate(DayNumber day, std::string_view picture);
std::string formatTime(int secondsSinceMidnight, std::string_view picture);
std::string formatPattern(long long value, std::string_view picture);
std::string formatText(std::string_view text, std::string_view picture);

// Parses what a user typed into an entry with that picture.  No value when
// the text cannot be read; an empty text gives 0 (numbers and dates).
std::optional<Decimal> parseNumber(std::string_view text, std::string_view picture);
std::optional<DayNumber> parseDate(std::string_view text, std::string_view picture);
std::optional<long long> parsePattern(std::string_view text, std::string_view picture);

}  // namespace vm
