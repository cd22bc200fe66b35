// Brew dates and ages.  The age of a brew in the browser is deliberately
// rough (365.25-day years and 30.41666-day months, every division cut toward
// zero): it is what brewers have read on their screens for years, so it is
// kept, with one exception noted in CalcBrewAge.
#include "brewmath/Dates.h"

#include <algorithm>

#include "base/Picture.h"

namespace vm::brewmath {

namespace {

bool leapYear(long long year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days since a fixed origin of a proleptic Gregorian date, for any year.
// The age text moves dates back a century, which can leave the range the
// day numbers cover; only differences of these counts are ever used.
long long civilDays(long long year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153LL * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

std::string join(std::initializer_list<std::string> words) {
  std::string text;
  bool first = true;
  for (const std::string& word : words) {
    if (!first) text += ' ';
    text += word;
    first = false;
  }
  return text;
}

std::string rstrip(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

Message dateError(const char* title, std::string text) {
  return Message{title, std::move(text), MessageIcon::Error, ""};
}

}  // namespace

FermentationPeriod CalcFermentationPeriod(DayNumber dateDown, DayNumber dateBottled,
                                          bool overridden, std::uint8_t typedPeriod) {
  FermentationPeriod result;
  const bool bothSet = dateDown != 0 && dateBottled != 0;
  if (overridden) {
    result.period = typedPeriod;
    result.days = typedPeriod;
    if (bothSet) result.text = "Down + " + std::to_string(typedPeriod) + " days";
    return result;
  }
  if (!bothSet) return result;
  const long long days = static_cast<long long>(dateBottled) - dateDown;
  // ALE:BREWPERIOD is a single byte: hold the nearest value it can, never a
  // number wrapped round to something that looks plausible.
  const long long held = std::clamp(days, 0LL, 255LL);
  result.period = static_cast<std::uint8_t>(held);
  result.clamped = held != days;
  result.days = static_cast<int>(days);
  result.text = "Down + " + std::to_string(days) + " days";
  return result;
}

Message fermentationUpdateMessage(const FermentationPeriod& period) {
  return Message{"Auto update...",
                 "The Date Down has changed.||The Fermentation period and 'Down + # Days' |will "
                 "now be updated to " +
                     std::to_string(period.days) + " days.",
                 MessageIcon::Information, ""};
}

bool applyNewBrewDateDown(BrewDates& dates, DayNumber today) {
  if (dates.dateDown != 0) return false;
  dates.dateDown = today;
  return true;
}

bool applyDateDownDefault(BrewDates& dates, DayNumber today) {
  if (dates.dateDown != 0) return false;
  dates.dateDown = dates.dateBottled != 0 ? dates.dateBottled - kBottledAfterDown : today;
  return true;
}

bool applyDateBottledDefault(BrewDates& dates) {
  if (dates.dateBottled != 0 || dates.dateDown == 0) return false;
  dates.dateBottled = dates.dateDown + kBottledAfterDown;
  return true;
}

bool applyUseByDefaults(BrewDates& dates) {
  if (dates.dateBottled == 0) return false;
  bool changed = false;
  if (dates.minUseBy == 0) {
    dates.minUseBy = dates.dateBottled + kMinUseByAfter;
    changed = true;
  }
  if (dates.maxUseBy == 0) {
    dates.maxUseBy = dates.dateBottled + kMaxUseByAfter;
    changed = true;
  }
  return changed;
}

bool applySecondaryPeriodDefault(std::uint8_t& secondaryPeriod) {
  if (secondaryPeriod != 0) return false;
  secondaryPeriod = kSecondaryPeriod;
  return true;
}

std::optional<DateCorrection> correctDateDownTooLate(BrewDates& dates, DateDownSource source) {
  if (dates.dateBottled == 0 || !(dates.dateBottled < dates.dateDown)) return std::nullopt;
  dates.dateDown = dates.dateBottled - kBottledAfterDown;
  if (source == DateDownSource::Typed) {
    return DateCorrection{
        DateField::DateDown,
        dateError("Date error...",
                  "Date Down greater than Date Bottled.||Resetting to default. (Bottled less 7 "
                  "days)")};
  }
  return DateCorrection{DateField::DateDown,
                        dateError("Date error...",
                                  "Date Down can not be greater than Date Bottled?||Resetting to "
                                  "default. (Bottled less 7 days)\t\t\t\t\t")};
}

std::vector<DateCorrection> DefaultDates(BrewDates& dates) {
  std::vector<DateCorrection> fired;
  if (dates.dateDown != 0 && dates.dateBottled != 0 && dates.dateBottled <= dates.dateDown) {
    dates.dateBottled = dates.dateDown + kBottledAfterDown;
    fired.push_back({DateField::DateBottled,
                     dateError("Date bottled error...",
                               "Must be later than Date Down.||Resetting to Date Down + 7 days. "
                               "(default)")});
  }
  if (dates.dateBottled != 0 && dates.minUseBy != 0 && dates.minUseBy <= dates.dateBottled) {
    dates.minUseBy = dates.dateBottled + kMinUseByAfter;
    fired.push_back({DateField::MinUseBy,
                     dateError("Minimum Use By...",
                               "Can not be less than Date Bottled.||Resetting to Date Bottled + "
                               "20 days. (default)")});
  }
  if (dates.dateBottled != 0 && dates.maxUseBy != 0 && dates.maxUseBy <= dates.dateBottled) {
    dates.maxUseBy = dates.dateBottled + kMaxUseByAfter;
    fired.push_back({DateField::MaxUseBy,
                     dateError("Maximum Use By...",
                               "Can not be less than Date Bottled.||Resetting to Date Bottled + "
                               "6 months. (default)")});
  }
  // The new Max use by is counted from Date Bottled, so without one there is
  // nothing sound to reset it to (it would land in 1801); leave it alone.
  if (dates.dateBottled != 0 && dates.minUseBy != 0 && dates.maxUseBy != 0 &&
      dates.maxUseBy <= dates.minUseBy) {
    dates.maxUseBy = dates.dateBottled + kMaxUseByAfter;
    fired.push_back({DateField::MaxUseBy,
                     dateError("Maximum Use By",
                               "Can not be less than Min use by.||Resetting to bottled + 6 months. "
                               "(default)")});
  }
  return fired;
}

std::string AgeText(DayNumber start, DayNumber end, int fieldWidth) {
  const YearMonthDay e = calendarDate(end);
  YearMonthDay s = calendarDate(start);
  long long span = static_cast<long long>(end) - start;
  if (end < start) {
    // Same day and month a century earlier; 29 February of a year that is
    // not a leap year rolls over to 1 March, as a calendar would.
    s.year -= 100;
    if (s.month == 2 && s.day == 29 && !leapYear(s.year)) {
      s.month = 3;
      s.day = 1;
    }
    span = civilDays(e.year, e.month, e.day) - civilDays(s.year, s.month, s.day);
    if (span < 0) return std::string(static_cast<std::size_t>(std::max(fieldWidth, 0)), '*');
  }
  if (span <= 60) return std::to_string(span) + " DAYS";
  int months = 12 * (e.year - s.year) + (e.month - s.month);
  if (e.day < s.day) --months;
  if (months <= 24) return std::to_string(months) + " MOS";
  int years = e.year - s.year;
  if (e.month < s.month || (e.month == s.month && e.day < s.day)) --years;
  return std::to_string(years) + " YRS";
}

std::string CalcUseByText(DayNumber dateBottled, DayNumber useByDate) {
  if (dateBottled == 0 || useByDate == 0) return "";
  std::string text = AgeText(dateBottled, useByDate);
  auto reword = [&text](std::string_view from, std::string_view to) {
    if (text.size() >= from.size() &&
        text.compare(text.size() - from.size(), from.size(), from) == 0) {
      text.replace(text.size() - from.size(), from.size(), to);
      return true;
    }
    return false;
  };
  if (!reword(" DAYS", " Days")) reword(" MOS", " Months");
  return text;
}

bool stockFlagInStock(std::string_view stockOnHand) {
  while (!stockOnHand.empty() && stockOnHand.back() == ' ') stockOnHand.remove_suffix(1);
  return stockOnHand == "1";
}

std::string CalcBrewAge(DayNumber dateBottled, bool inStock, DayNumber today) {
  std::string text;
  if (!inStock) text = "n/a - nil stock";
  if (dateBottled == 0) {
    text = "No Date Bottled yet";
  } else if (inStock && today >= dateBottled) {
    const long long c = static_cast<long long>(today) - dateBottled;
    // Fixed-point forms of 365.25 and 30.41666, so the truncations are exact.
    const long long y = c * 100 / 36525;
    const long long m = (c - y * 365) * 100000 / 3041666;
    long long r = c - (y * 36525000 + m * 3041666) / 100000;
    // The bracket counts a quarter day per year on top of the months found
    // with 365-day years, so after some seven years a day count can come out
    // as -1 ("7 years 1 month -1").  A brew is never a negative number of
    // days old: such a day count is shown as 0.
    if (r < 0) r = 0;
    const std::string yearWord = y == 0 ? "" : (y == 1 ? "year" : "years");
    const std::string monthWord = m == 0 ? "" : (m == 1 ? "month" : "months");
    const std::string dayWord = r == 1 ? "day" : (r > 1 ? "days" : "");
    const std::string asAt = " as at " + formatDate(today, "@D017");
    const std::string ys = std::to_string(y), ms = std::to_string(m), rs = std::to_string(r);
    if (y > 0 && m > 0) {
      text = join({ys, yearWord, ms, monthWord, rs, dayWord});
    } else if (y == 0 && m > 0) {
      text = join({ms, monthWord, rs, dayWord}) + asAt;
    } else if (y > 0 && m == 0) {
      text = join({ys, yearWord, rs, dayWord}) + asAt;
    } else {
      text = join({rs, dayWord}) + asAt;
    }
  }
  if (today < dateBottled) text = "'Date Bottled' is a future date?";
  return rstrip(text);
}

}  // namespace vm::brewmath
