#include "brewmath/Dates.h"

#include <gtest/gtest.h>

#include "base/Picture.h"
#include "tests/brewmath/TestSupport.h"

namespace vm::brewmath {
namespace {

const DayNumber kDown = dayNumber(2026, 3, 2);

struct PeriodCase {
  DayNumber down, bottled;
  bool overridden;
  std::uint8_t typed;
  int period;
  bool clamped;
  int days;
  const char* text;
};

TEST(CalcFermentationPeriod, DaysBetweenTheDatesHeldInOneByte) {
  const PeriodCase cases[] = {
      {kDown, kDown + 7, false, 0, 7, false, 7, "Down + 7 days"},
      {0, kDown + 7, false, 9, 0, false, 0, ""},  // a date missing: 0 and no text
      {kDown, 0, false, 9, 0, false, 0, ""},
      {kDown, kDown + 255, false, 0, 255, false, 255, "Down + 255 days"},
      {kDown, kDown + 256, false, 0, 255, true, 256, "Down + 256 days"},  // never wraps to 0
      {kDown, kDown + 300, false, 0, 255, true, 300, "Down + 300 days"},
      {kDown + 3, kDown, false, 0, 0, true, -3, "Down + -3 days"},  // never wraps to 253
      {kDown, kDown + 10, true, 5, 5, false, 5, "Down + 5 days"},   // the typed period is kept
      {kDown, 0, true, 5, 5, false, 5, ""},
  };
  for (const PeriodCase& c : cases) {
    SCOPED_TRACE(c.text);
    const FermentationPeriod p = CalcFermentationPeriod(c.down, c.bottled, c.overridden, c.typed);
    EXPECT_EQ(p.period, c.period);
    EXPECT_EQ(p.clamped, c.clamped);
    EXPECT_EQ(p.days, c.days);
    EXPECT_EQ(p.text, c.text);
  }
  EXPECT_EQ(fermentationUpdateMessage(CalcFermentationPeriod(kDown, kDown + 9)),
            (Message{"Auto update...",
                     "The Date Down has changed.||The Fermentation period and 'Down + # Days' "
                     "|will now be updated to 9 days.",
                     MessageIcon::Information, ""}));
}

TEST(DefaultDateRules, EachRuleChangesOnlyItsDate) {
  const DayNumber today = dayNumber(2026, 12, 11);
  BrewDates d;
  EXPECT_TRUE(applyNewBrewDateDown(d, today));
  EXPECT_EQ(d, (BrewDates{today, 0, 0, 0}));
  EXPECT_FALSE(applyNewBrewDateDown(d, today + 1));
  EXPECT_EQ(d.dateDown, today);

  d = BrewDates{0, kDown + 7, 0, 0};
  EXPECT_TRUE(applyDateDownDefault(d, today));  // from Date Bottled
  EXPECT_EQ(d, (BrewDates{kDown, kDown + 7, 0, 0}));
  d = BrewDates{};
  EXPECT_TRUE(applyDateDownDefault(d, today));  // no dates at all
  EXPECT_EQ(d.dateDown, today);
  d = BrewDates{kDown, 0, 0, 0};
  EXPECT_FALSE(applyDateDownDefault(d, today));

  d = BrewDates{kDown, 0, 0, 0};
  EXPECT_TRUE(applyDateBottledDefault(d));
  EXPECT_EQ(d, (BrewDates{kDown, kDown + 7, 0, 0}));
  EXPECT_FALSE(applyDateBottledDefault(d));
  d = BrewDates{};
  EXPECT_FALSE(applyDateBottledDefault(d));
  EXPECT_EQ(d, BrewDates{});

  d = BrewDates{kDown, kDown + 7, 0, 0};
  EXPECT_TRUE(applyUseByDefaults(d));
  EXPECT_EQ(d, (BrewDates{kDown, kDown + 7, kDown + 27, kDown + 193}));
  d = BrewDates{kDown, kDown + 7, kDown + 40, 0};
  EXPECT_TRUE(applyUseByDefaults(d));
  EXPECT_EQ(d, (BrewDates{kDown, kDown + 7, kDown + 40, kDown + 193}));
  d = BrewDates{kDown, 0, 0, 0};
  EXPECT_FALSE(applyUseByDefaults(d));
  EXPECT_EQ(d, (BrewDates{kDown, 0, 0, 0}));

  std::uint8_t secondary = 0;
  EXPECT_TRUE(applySecondaryPeriodDefault(secondary));
  EXPECT_EQ(secondary, 14);
  secondary = 3;
  EXPECT_FALSE(applySecondaryPeriodDefault(secondary));
  EXPECT_EQ(secondary, 3);
}

TEST(DefaultDateRules, DateDownLaterThanDateBottled) {
  BrewDates d{kDown + 10, kDown + 7, 0, 0};
  const std::optional<DateCorrection> typed = correctDateDownTooLate(d, DateDownSource::Typed);
  ASSERT_TRUE(typed.has_value());
  EXPECT_EQ(d.dateDown, kDown);
  EXPECT_EQ(typed->field, DateField::DateDown);
  EXPECT_EQ(typed->message,
            (Message{"Date error...",
                     "Date Down greater than Date Bottled.||Resetting to default. (Bottled less 7 "
                     "days)",
                     MessageIcon::Error, ""}));

  d = BrewDates{kDown + 10, kDown + 7, 0, 0};
  const std::optional<DateCorrection> calendar =
      correctDateDownTooLate(d, DateDownSource::Calendar);
  ASSERT_TRUE(calendar.has_value());
  EXPECT_EQ(calendar->message.text,
            "Date Down can not be greater than Date Bottled?||Resetting to default. (Bottled "
            "less 7 days)\t\t\t\t\t");

  d = BrewDates{kDown, kDown, 0, 0};  // the same day is not "earlier"
  EXPECT_FALSE(correctDateDownTooLate(d, DateDownSource::Typed));
  d = BrewDates{kDown, 0, 0, 0};
  EXPECT_FALSE(correctDateDownTooLate(d, DateDownSource::Typed));
  EXPECT_EQ(d.dateDown, kDown);
}

struct CorrectionCase {
  const char* name;
  BrewDates before;
  BrewDates after;
  std::vector<std::pair<DateField, const char*>> fired;  // field and title, in order
};

TEST(DefaultDates, CorrectionsInOrderEachOnTheValuesLeftBefore) {
  const DayNumber b = kDown + 7;
  const auto bottled = std::pair{DateField::DateBottled, "Date bottled error..."};
  const auto minByBottled = std::pair{DateField::MinUseBy, "Minimum Use By..."};
  const auto maxByBottled = std::pair{DateField::MaxUseBy, "Maximum Use By..."};
  const auto maxByMin = std::pair{DateField::MaxUseBy, "Maximum Use By"};
  const CorrectionCase cases[] = {
      {"all in order", {kDown, b, b + 20, b + 186}, {kDown, b, b + 20, b + 186}, {}},
      {"bottled on the day down", {kDown, kDown, 0, 0}, {kDown, b, 0, 0}, {bottled}},
      // Min use by was after the old Date Bottled but not after the corrected one.
      {"min caught by the new bottled",
       {kDown, kDown, kDown + 5, kDown + 100},
       {kDown, b, b + 20, kDown + 100},
       {bottled, minByBottled}},
      // The corrected Min use by overtakes Max use by.
      {"min pushes max",
       {kDown, b, b, b + 15},
       {kDown, b, b + 20, b + 186},
       {minByBottled, maxByMin}},
      {"max before bottled",
       {kDown, b, b + 20, b - 1},
       {kDown, b, b + 20, b + 186},
       {maxByBottled}},
      {"max on min", {kDown, b, b + 30, b + 30}, {kDown, b, b + 30, b + 186}, {maxByMin}},
      // A Min use by beyond six months: the reset Max use by is still not
      // later, and is reported once more; the user has to move one of them.
      {"min beyond six months",
       {kDown, b, b + 200, b},
       {kDown, b, b + 200, b + 186},
       {maxByBottled, maxByMin}},
      {"no dates", {}, {}, {}},
      {"no date down", {0, b, b, 0}, {0, b, b + 20, 0}, {minByBottled}},
      // Without Date Bottled there is nothing to count the reset from.
      {"use-by without bottled", {kDown, 0, b + 30, b + 10}, {kDown, 0, b + 30, b + 10}, {}},
  };
  for (const CorrectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    BrewDates dates = c.before;
    const std::vector<DateCorrection> fired = DefaultDates(dates);
    EXPECT_EQ(dates, c.after);
    ASSERT_EQ(fired.size(), c.fired.size());
    for (std::size_t i = 0; i < fired.size(); ++i) {
      EXPECT_EQ(fired[i].field, c.fired[i].first);
      EXPECT_EQ(fired[i].message.title, c.fired[i].second);
      EXPECT_EQ(fired[i].message.icon, MessageIcon::Error);
    }
  }
}

TEST(DefaultDates, CorrectionTexts) {
  BrewDates dates{kDown, kDown, kDown, kDown};
  const std::vector<DateCorrection> fired = DefaultDates(dates);
  ASSERT_EQ(fired.size(), 3u);  // bottled, min, then max by Date Bottled; max then beats min
  EXPECT_EQ(fired[0].message.text,
            "Must be later than Date Down.||Resetting to Date Down + 7 days. (default)");
  EXPECT_EQ(fired[1].message.text,
            "Can not be less than Date Bottled.||Resetting to Date Bottled + 20 days. (default)");
  EXPECT_EQ(fired[2].message.text,
            "Can not be less than Date Bottled.||Resetting to Date Bottled + 6 months. (default)");

  dates = BrewDates{kDown, kDown + 7, kDown + 60, kDown + 50};
  const std::vector<DateCorrection> maxByMin = DefaultDates(dates);
  ASSERT_EQ(maxByMin.size(), 1u);
  EXPECT_EQ(maxByMin[0].message.text,
            "Can not be less than Min use by.||Resetting to bottled + 6 months. (default)");
}

struct AgeCase {
  YearMonthDay start, end;
  const char* text;
};

TEST(AgeText, DaysMonthsYearsAcrossMonthEndsAndLeapYears) {
  const AgeCase cases[] = {
      {{2026, 5, 1}, {2026, 5, 1}, "0 DAYS"},
      {{2026, 5, 1}, {2026, 5, 21}, "20 DAYS"},
      {{2023, 1, 31}, {2023, 2, 28}, "28 DAYS"},
      {{2024, 1, 31}, {2024, 2, 29}, "29 DAYS"},
      {{2023, 1, 1}, {2023, 3, 2}, "60 DAYS"},
      {{2023, 1, 1}, {2023, 3, 3}, "2 MOS"},  // 61 days
      {{2024, 1, 1}, {2024, 3, 1}, "60 DAYS"},
      {{2024, 1, 1}, {2024, 3, 2}, "2 MOS"},  // 61 days in a leap year
      {{2023, 12, 31}, {2024, 2, 29}, "60 DAYS"},
      {{2023, 12, 30}, {2024, 2, 29}, "1 MOS"},  // 61 days, the 29th is before the 30th
      {{2023, 1, 31}, {2023, 4, 30}, "2 MOS"},
      {{2023, 1, 31}, {2023, 5, 1}, "3 MOS"},
      {{2020, 1, 15}, {2022, 1, 15}, "24 MOS"},
      {{2020, 1, 15}, {2022, 2, 14}, "24 MOS"},
      {{2020, 1, 15}, {2022, 2, 15}, "2 YRS"},
      {{2020, 3, 1}, {2023, 2, 28}, "2 YRS"},
      {{2020, 2, 29}, {2023, 2, 28}, "2 YRS"},
      {{2020, 2, 29}, {2023, 3, 1}, "3 YRS"},
      // An end before the start moves the start back a century.
      {{2125, 1, 10}, {2025, 1, 20}, "10 DAYS"},
      {{2026, 6, 10}, {2026, 6, 5}, "99 YRS"},
      {{2000, 2, 29}, {1900, 3, 5}, "4 DAYS"},  // 29 February 1900 is 1 March
      {{2125, 1, 10}, {2025, 1, 5}, "***************"},
  };
  for (const AgeCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(AgeText(dayNumber(c.start), dayNumber(c.end)), c.text);
  }
  EXPECT_EQ(AgeText(dayNumber(2125, 1, 10), dayNumber(2025, 1, 5), 4), "****");
}

TEST(CalcUseByText, RewordedAgeText) {
  const DayNumber b = dayNumber(2026, 1, 1);
  EXPECT_EQ(CalcUseByText(0, b + 20), "");
  EXPECT_EQ(CalcUseByText(b, 0), "");
  EXPECT_EQ(CalcUseByText(b, b + 9), "9 Days");
  EXPECT_EQ(CalcUseByText(b, b + 61), "2 Months");  // 1 January to 3 March
  EXPECT_EQ(CalcUseByText(b, dayNumber(2029, 1, 1)), "3 YRS");
  EXPECT_EQ(CalcUseByText(b, dayNumber(2025, 12, 1)), "99 YRS");
  EXPECT_EQ(CalcUseByText(dayNumber(2125, 1, 10), dayNumber(2025, 1, 5)), "***************");
  // The defaults read the same whatever the day of bottling.
  for (DayNumber day = dayNumber(2023, 1, 1); day < dayNumber(2025, 1, 1); ++day) {
    ASSERT_EQ(CalcUseByText(day, day + kMinUseByAfter), "20 Days") << day;
    ASSERT_EQ(CalcUseByText(day, day + kMaxUseByAfter), "6 Months") << day;
  }
}

class CalcBrewAgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = regionalDates();
    setRegionalDates(RegionalDates{"dd/MM/yyyy", "d MMMM yyyy"});
  }
  void TearDown() override { setRegionalDates(saved_); }

  const DayNumber today_ = dayNumber(2026, 12, 11);
  RegionalDates saved_;
};

TEST_F(CalcBrewAgeTest, TextsByStockAndAge) {
  const std::string asAt = " as at 11/12/2026";
  const struct {
    int daysAgo;  // 0 bottled today; negative: in the future
    bool inStock;
    std::string text;
  } cases[] = {
      {0, true, "0  as at 11/12/2026"},  // the empty day word keeps its blanks
      {1, true, "1 day" + asAt},
      {10, true, "10 days" + asAt},
      {65, true, "2 months 5 days" + asAt},
      {365, true, "12 months 1 day" + asAt},
      {366, true, "1 year 1 day" + asAt},
      {370, true, "1 year 5 days" + asAt},
      {431, true, "1 year 2 months 5 days"},
      {730, true, "1 year 12 months 0"},
      {800, true, "2 years 2 months 9 days"},
      {2586, true, "7 years 1 month 0"},  // the rough formula alone would say -1
      {10, false, "n/a - nil stock"},
      {-1, true, "'Date Bottled' is a future date?"},
      {-1, false, "'Date Bottled' is a future date?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.daysAgo);
    EXPECT_EQ(CalcBrewAge(today_ - c.daysAgo, c.inStock, today_), c.text);
  }
  EXPECT_EQ(CalcBrewAge(0, true, today_), "No Date Bottled yet");
  EXPECT_EQ(CalcBrewAge(0, false, today_), "No Date Bottled yet");
}

TEST_F(CalcBrewAgeTest, NeverANegativeCount) {
  for (int c = 0; c <= 40000; ++c) {
    const std::string text = CalcBrewAge(today_ - c, true, today_);
    ASSERT_EQ(text.find('-'), std::string::npos) << c << ": " << text;
  }
}

TEST(StockFlag, OnlyOneIsInStock) {
  EXPECT_TRUE(stockFlagInStock("1"));
  EXPECT_TRUE(stockFlagInStock("1    "));
  EXPECT_FALSE(stockFlagInStock(" 1"));
  EXPECT_FALSE(stockFlagInStock("0"));
  EXPECT_FALSE(stockFlagInStock(""));
}

}  // namespace
}  // namespace vm::brewmath
