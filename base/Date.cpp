// Day numbers on the proleptic Gregorian calendar, counted from
// 28 December 1800 so that 1 January 1801 is day 4 and 0 means "no date".
#include "base/Date.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace vm {

namespace {

// Days from 1 March of year 0 style civil counting (H. Hinnant's method),
// exact for any year, so out-of-range months and days can simply be folded in.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;  // 0 = 1 January 1970
}

YearMonthDay civilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

const long long kEpoch = daysFromCivil(1800, 12, 28);

DayNumber systemToday() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return dayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int systemTimeOfDay() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return (local.tm_hour * 60 + local.tm_min) * 60 + std::min(local.tm_sec, 59);
}

std::function<DayNumber()>& todaySource() {
  static std::function<DayNumber()> source;
  return source;
}

std::function<int()>& timeOfDaySource() {
  static std::function<int()> source;
  return source;
}

}  // namespace

DayNumber dayNumber(int year, int month, int day) {
  // Fold the month into 1..12 first; the day then counts from the first of
  // that month, so day 0 is the last day of the month before and day 32 runs
  // on into the next.
  long long m0 = static_cast<long long>(month) - 1;
  const long long yearsCarried = m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);  // floor division
  const long long y = year + yearsCarried;
  m0 -= yearsCarried * 12;
  const long long days = daysFromCivil(y, static_cast<unsigned>(m0 + 1), 1) + (day - 1LL) - kEpoch;
  return static_cast<DayNumber>(days);
}

DayNumber dayNumber(const YearMonthDay& ymd) {
  return dayNumber(ymd.year, ymd.month, ymd.day);
}

YearMonthDay calendarDate(DayNumber day) {
  if (day <= 0) return {};
  return civilFromDays(kEpoch + day);
}

int weekday(DayNumber day) {
  const int w = day % 7;
  return w < 0 ? w + 7 : w;
}

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

DayNumber today() {
  const auto& source = todaySource();
  return source ? source() : systemToday();
}

void setTodaySource(std::function<DayNumber()> source) {
  todaySource() = std::move(source);
}

int timeOfDay() {
  const auto& source = timeOfDaySource();
  return source ? source() : systemTimeOfDay();
}

void setTimeOfDaySource(std::function<int()> source) {
  timeOfDaySource() = std::move(source);
}

}  // namespace vm
