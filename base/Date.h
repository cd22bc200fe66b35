// Dates as day numbers: 28 December 1800 is day 0, so 1 January 1801 is day 4,
// and 0 also stands for "no date".  The weekday is day % 7 with 0 = Sunday.
// Dates are compared and subtracted as plain numbers.
#pragma once

#include <cstdint>
#include <functional>

namespace vm {

using DayNumber = std::int32_t;

struct YearMonthDay {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  bool operator==(const YearMonthDay&) const = default;
};

// Proleptic Gregorian calendar.  Valid for years 1801..9999 (the range the
// program meets); month and day out of range are normalised the way a
// calendar would (month 13 of 2024 is January 2025, day 0 is the last day of
// the month before), which the date rules rely on.
DayNumber dayNumber(int year, int month, int day);
DayNumber dayNumber(const YearMonthDay& ymd);
// The calendar date of a day number; day numbers <= 0 give {0,0,0}.
YearMonthDay calendarDate(DayNumber day);

int weekday(DayNumber day);  // 0 = Sunday .. 6 = Saturday
bool isLeapYear(int year);
int daysInMonth(int year, int month);

// Today from the system clock, in local time.  Tests replace the source with
// setTodaySource and restore it with setTodaySource({}).
DayNumber today();
void setTodaySource(std::function<DayNumber()> source);

// Seconds since midnight, local time, through a replaceable source as well
// (the status-bar clock and report footers read it).
int timeOfDay();  // 0..86399
void setTimeOfDaySource(std::function<int()> source);

}  // namespace vm
