#include "base/Date.h"

#include <gtest/gtest.h>

namespace vm {

void PrintTo(const YearMonthDay& d, std::ostream* os) {
  *os << d.year << '-' << d.month << '-' << d.day;
}

namespace {

TEST(DateDayNumber, KnownDays) {
  struct Case {
    int year, month, day;
    DayNumber number;
  };
  const Case cases[] = {
      {1800, 12, 28, 0},   {1801, 1, 1, 4},         {1801, 12, 31, 368}, {1802, 1, 1, 369},
      {1900, 3, 1, 36222}, {2000, 2, 29, 72746},    {2000, 3, 1, 72747}, {2010, 10, 31, 76643},
      {2024, 1, 2, 81454}, {9999, 12, 31, 2994626},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dayNumber(c.year, c.month, c.day), c.number)
        << c.year << '-' << c.month << '-' << c.day;
    if (c.number > 0) {  // day 0 reads back as no date
      EXPECT_EQ(calendarDate(c.number), (YearMonthDay{c.year, c.month, c.day})) << c.number;
    }
  }
}

TEST(DateDayNumber, RoundTripsEveryDayOfTheRange) {
  // Walk day by day from 1 January 1801 to 31 December 9999, checking that
  // each calendar date follows the one before.
  YearMonthDay expected{1801, 1, 1};
  const DayNumber last = dayNumber(9999, 12, 31);
  for (DayNumber d = 4; d <= last; ++d) {
    const YearMonthDay got = calendarDate(d);
    ASSERT_EQ(got, expected) << d;
    ASSERT_EQ(dayNumber(got), d);
    if (++expected.day > daysInMonth(expected.year, expected.month)) {
      expected.day = 1;
      if (++expected.month > 12) {
        expected.month = 1;
        ++expected.year;
      }
    }
  }
}

TEST(DateDayNumber, NormalisesMonthAndDayOverflow) {
  struct Case {
    int year, month, day;
    YearMonthDay expected;
  };
  const Case cases[] = {
      {2024, 13, 1, {2025, 1, 1}},  {2024, 0, 15, {2023, 12, 15}},   {2024, 3, 0, {2024, 2, 29}},
      {2023, 3, 0, {2023, 2, 28}},  {2024, 1, 32, {2024, 2, 1}},     {2024, 25, 1, {2026, 1, 1}},
      {2024, -1, 1, {2023, 11, 1}}, {2024, -12, 1, {2022, 12, 1}},   {2024, 1, -30, {2023, 12, 1}},
      {2024, 2, 30, {2024, 3, 1}},  {2023, 12, 397, {2024, 12, 31}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(calendarDate(dayNumber(c.year, c.month, c.day)), c.expected)
        << c.year << '/' << c.month << '/' << c.day;
  }
}

TEST(DateDayNumber, NoDate) {
  EXPECT_EQ(calendarDate(0), YearMonthDay{});
  EXPECT_EQ(calendarDate(-5), YearMonthDay{});
}

TEST(DateCalendar, WeekdaysAndLeapYears) {
  EXPECT_EQ(weekday(0), 0);                        // 28 December 1800 was a Sunday
  EXPECT_EQ(weekday(dayNumber(2010, 10, 31)), 0);  // a Sunday
  EXPECT_EQ(weekday(dayNumber(2024, 1, 2)), 2);    // a Tuesday
  EXPECT_EQ(weekday(dayNumber(2026, 12, 11)), 5);  // a Friday
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_TRUE(isLeapYear(2024));
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_FALSE(isLeapYear(2023));
  EXPECT_EQ(daysInMonth(1900, 2), 28);
  EXPECT_EQ(daysInMonth(2000, 2), 29);
  EXPECT_EQ(daysInMonth(2023, 4), 30);
  EXPECT_EQ(daysInMonth(2023, 13), 0);
}

TEST(DateSources, TodayAndTimeOfDayCanBeReplaced) {
  const DayNumber real = today();
  EXPECT_GT(real, dayNumber(2020, 1, 1));
  const int now = timeOfDay();
  EXPECT_GE(now, 0);
  EXPECT_LT(now, 86400);

  setTodaySource([] { return dayNumber(2010, 10, 31); });
  setTimeOfDaySource([] { return 17 * 3600 + 7 * 60; });
  EXPECT_EQ(today(), 76643);
  EXPECT_EQ(timeOfDay(), 61620);
  setTodaySource({});
  setTimeOfDaySource({});
  EXPECT_GE(today(), real);
  EXPECT_LE(today(), real + 1);
}

}  // namespace
}  // namespace vm
