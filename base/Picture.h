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
  int dateFormat = 0;        // Date: 4, 17, 18 ...
  int timeFormat = 0;        // Time: 3
  bool centuryHint = false;  // Date: '>'
  std::string pattern;       // Pattern: text between the P's

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

// Formats a value by its picture.  A text of the wrong kind of picture (or an
// unreadable one) gives the plain value for numbers and text, "" otherwise.
//  * Numbers are rounded half away from zero to the picture's places and are
//    not padded to its width: the width limits what fits, and a number too
//    wide shows as a row of '#' of the picture's width ("@N4B" 12345 ->
//    "####").  The control or report field aligns the text.  With the '0'
//    flag zeros fill the width ("@N02B" 5 -> "05").  "B" gives "" when the
//    value shows as zero.  "@N5." is a whole number, no point shown.  A
//    negative value keeps its minus even without '-' in the picture.  No
//    thousands separators.  Doubles are taken at their shortest decimal
//    text, so 4.275 shows as "4.28" with two places.
//  * Dates: day 0 gives "".  Without the '0' flag day and month have no
//    leading zeros ("@D17B" -> "2/1/2024" under "dd/MM/yyyy"); with it they
//    always have two ("@D017B" -> "02/01/2024").  Formats 1..16 are the usual
//    fixed ones (2 = M/d/yyyy, 6 = d/M/yyyy, 12 = yyyyMMdd ...).
//  * Times: "@T3" -> "5:07PM", "12:00AM" at midnight; "@T1" "17:07",
//    "@T4" "17:07:03".
//  * Patterns: '<' positions that would be leading zeros show blanks
//    ("@pPage <<<#p" 7 -> "Page    7"); more digits than positions gives a
//    row of '#' of the pattern's length.
//  * Text: cut to the width in characters (UTF-8), never padded.
std::string formatNumber(const Decimal& value, std::string_view picture);
std::string formatNumber(double value, std::string_view picture);
std::string formatDate(DayNumber day, std::string_view picture);
std::string formatTime(int secondsSinceMidnight, std::string_view picture);
std::string formatPattern(long long value, std::string_view picture);
std::string formatText(std::string_view text, std::string_view picture);

// Parses what a user typed into an entry with that picture.  No value when
// the text cannot be read; an empty text gives 0 (numbers, dates, patterns).
//  * Numbers are rounded to the picture's places; refused when negative
//    without '-' in the picture, or too wide for it.
//  * Dates take day, month and year in the order of the picture's format,
//    split by any separators, month names (3+ letters) anywhere, weekday
//    names ignored; "311210" or "31122010" in that order too; a missing year
//    is this year.  A two-digit year lies in the hundred years ending twenty
//    years after today's; with '>' it lies in today's century.  Years outside
//    1801..9999 and impossible days are refused.
//  * Patterns accept what formatPattern shows (with or without the blanks of
//    '<' positions) or plain digits that fit.
std::optional<Decimal> parseNumber(std::string_view text, std::string_view picture);
std::optional<DayNumber> parseDate(std::string_view text, std::string_view picture);
std::optional<long long> parsePattern(std::string_view text, std::string_view picture);

}  // namespace vm
