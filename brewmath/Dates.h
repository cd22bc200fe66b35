// Dates of a brew: the primary fermentation period, the default dates and
// the corrections that keep Date Down, Date Bottled and the two use-by dates
// in order, and the texts that put a brew's age and use-by periods in words.
// Dates are day numbers, 0 meaning "no date"; today is always an argument.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Date.h"
#include "brewmath/Message.h"

namespace vm::brewmath {

// ---------------------------------------------------------------------------
// Primary fermentation period (ALE:BREWPERIOD).

struct FermentationPeriod {
  // The value for ALE:BREWPERIOD.  The field is one byte: a span of more
  // than 255 days is held as 255 and a negative span (Date Bottled before
  // Date Down, before the corrections have run) as 0, never as a wrapped
  // number; `clamped` says that happened.
  std::uint8_t period = 0;
  bool clamped = false;
  // The days the period stands for: Date Bottled - Date Down, the typed
  // period when overridden, 0 when a date is missing.
  int days = 0;
  // "Down + 7 days", or empty when either date is missing.  It gives the
  // days between the dates even when the byte had to be clamped, and the
  // typed period when the calculation is overridden.
  std::string text;
};

// The period from the dates: Date Bottled - Date Down when both are set,
// otherwise 0.  With `overridden` (GLO:OVERRIDEFERMENTATION = 1) the period
// is never computed and `typedPeriod`, what the user entered, is kept.
FermentationPeriod CalcFermentationPeriod(DayNumber dateDown, DayNumber dateBottled,
                                          bool overridden = false, std::uint8_t typedPeriod = 0);

// "Auto update..." shown at OK when Date Down changed while Date Bottled is
// set: "... |will now be updated to 7 days." (information icon).
Message fermentationUpdateMessage(const FermentationPeriod& period);

// ---------------------------------------------------------------------------
// Default dates and their corrections.

struct BrewDates {
  DayNumber dateDown = 0;
  DayNumber dateBottled = 0;
  DayNumber minUseBy = 0;
  DayNumber maxUseBy = 0;
  bool operator==(const BrewDates&) const = default;
};

enum class DateField { DateDown, DateBottled, MinUseBy, MaxUseBy };

inline constexpr int kBottledAfterDown = 7;  // Date Bottled = Date Down + 7
inline constexpr int kMinUseByAfter = 20;    // Min use by = Date Bottled + 20
inline constexpr int kMaxUseByAfter = 186;   // "6 months"
inline constexpr int kSecondaryPeriod = 14;  // ALE:BREWPERIOD2

// Each rule changes only the date it names and returns whether it fired.

// New brew: a Date Down of 0 becomes today.
bool applyNewBrewDateDown(BrewDates& dates, DayNumber today);
// Date Down of 0: Date Bottled - 7 when Date Bottled is set, today when it
// is not.
bool applyDateDownDefault(BrewDates& dates, DayNumber today);
// Date Bottled of 0 with Date Down set: Date Down + 7.
bool applyDateBottledDefault(BrewDates& dates);
// With Date Bottled set, empty use-by dates: Bottled + 20 and Bottled + 186.
bool applyUseByDefaults(BrewDates& dates);
// ALE:BREWPERIOD2 of 0 when the conditioning defaults are primed: 14.
bool applySecondaryPeriodDefault(std::uint8_t& secondaryPeriod);

// Where a too-late Date Down was noticed; the two places word it differently.
enum class DateDownSource { Typed, Calendar };

// A correction that fired: the date it changed (where the form puts the
// focus) and the message to show, red cross icon.
struct DateCorrection {
  DateField field;
  Message message;
  bool operator==(const DateCorrection&) const = default;
};

// Date Bottled set and earlier than Date Down: Date Down becomes Date
// Bottled - 7 and the "Date error..." message is returned.
std::optional<DateCorrection> correctDateDownTooLate(BrewDates& dates, DateDownSource source);

// The corrections of Date Bottled and the use-by dates, in this order and
// each on the values left by the one before, each only when the dates it
// compares are set:
//   1. Date Bottled not later than Date Down      -> Date Down + 7
//   2. Min use by not later than Date Bottled     -> Date Bottled + 20
//   3. Max use by not later than Date Bottled     -> Date Bottled + 186
//   4. Max use by not later than Min use by       -> Date Bottled + 186
// Returns the corrections that fired, in order, with their messages.
std::vector<DateCorrection> DefaultDates(BrewDates& dates);

// ---------------------------------------------------------------------------
// Ages in words.

// The short age text from `start` to `end`: "20 DAYS" (60 days or less),
// "6 MOS" (24 months or less) or "3 YRS".  An end before the start moves the
// start back 100 years; if the end is still earlier the text is a row of
// asterisks `fieldWidth` long.
std::string AgeText(DayNumber start, DayNumber end, int fieldWidth = 15);

// The use-by period beside Min / Max use by: "20 Days", "6 Months", "3 YRS";
// empty when either date is 0.
std::string CalcUseByText(DayNumber dateBottled, DayNumber useByDate);

// ALE:STOCKONHAND: "1" (trailing blanks ignored) is in stock; "0", an empty
// field or anything else is not.
bool stockFlagInStock(std::string_view stockOnHand);

// The brew browser's "Aged for:" text: "1 year 2 months 5 days",
// "2 months 5 days as at 11/12/2026", "n/a - nil stock", "No Date Bottled yet"
// or "'Date Bottled' is a future date?".  Today's date is written with the
// picture "@D017" (the regional short date).  Trailing blanks are removed.
std::string CalcBrewAge(DayNumber dateBottled, bool inStock, DayNumber today);

}  // namespace vm::brewmath
