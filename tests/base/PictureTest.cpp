#include "base/Picture.h"

#include <gtest/gtest.h>

#include <limits>

namespace vm {
namespace {

Decimal D(const char* text) {
  return Decimal::parse(text).value_or(Decimal(-999999));
}

// Fixes the regional formats and today's date, and puts both back after.
class PictureFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = regionalDates();
    setRegionalDates({"dd/MM/yyyy", "dddd, d MMMM yyyy"});
    setTodaySource([] { return dayNumber(2026, 12, 11); });
  }
  void TearDown() override {
    setRegionalDates(saved_);
    setTodaySource({});
  }
  RegionalDates saved_;
};

TEST(PictureParse, ReadsEveryKind) {
  using K = Picture::Kind;
  struct Case {
    const char* picture;
    K kind;
    int width, places;
    bool minus, zero, blank;
    int dateFormat, timeFormat;
    bool hint;
    const char* pattern;
  };
  const Case cases[] = {
      {"@s45", K::Text, 45, 0, false, false, false, 0, 0, false, ""},
      {"@S80", K::Text, 80, 0, false, false, false, 0, 0, false, ""},
      {"@s45@", K::Text, 45, 0, false, false, false, 0, 0, false, ""},
      {"@N5.3", K::Number, 5, 3, false, false, false, 0, 0, false, ""},
      {"@n-7.2", K::Number, 7, 2, true, false, false, 0, 0, false, ""},
      {"@N02B", K::Number, 2, 0, false, true, true, 0, 0, false, ""},
      {"@N-10.2B", K::Number, 10, 2, true, false, true, 0, 0, false, ""},
      {"@N5.", K::Number, 5, 0, false, false, false, 0, 0, false, ""},
      {"@N4B", K::Number, 4, 0, false, false, true, 0, 0, false, ""},
      {"@D4", K::Date, 0, 0, false, false, false, 4, 0, false, ""},
      {"@D17B", K::Date, 0, 0, false, false, true, 17, 0, false, ""},
      {"@D017>B", K::Date, 0, 0, false, true, true, 17, 0, true, ""},
      {"@d18", K::Date, 0, 0, false, false, false, 18, 0, false, ""},
      {"@T3", K::Time, 0, 0, false, false, false, 0, 3, false, ""},
      {"@P#.###P", K::Pattern, 0, 0, false, false, false, 0, 0, false, "#.###"},
      {"@pPage <<<#p", K::Pattern, 0, 0, false, false, false, 0, 0, false, "Page <<<#"},
      {"@P###PB", K::Pattern, 0, 0, false, false, true, 0, 0, false, "###"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    const Picture p = Picture::parse(c.picture);
    EXPECT_EQ(p.kind, c.kind);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.places, c.places);
    EXPECT_EQ(p.allowMinus, c.minus);
    EXPECT_EQ(p.zeroPad, c.zero);
    EXPECT_EQ(p.blankWhenZero, c.blank);
    EXPECT_EQ(p.dateFormat, c.dateFormat);
    EXPECT_EQ(p.timeFormat, c.timeFormat);
    EXPECT_EQ(p.centuryHint, c.hint);
    EXPECT_EQ(p.pattern, c.pattern);
  }
}

TEST(PictureParse, RejectsMalformedPictures) {
  for (const char* picture :
       {"", "@", "N5", "@X5", "@N5.3Q", "@D99", "@D4x", "@T9", "@P###", "@sabc", "@N5.3BB"}) {
    EXPECT_EQ(Picture::parse(picture).kind, Picture::Kind::Invalid) << picture;
  }
}

TEST(PictureNumber, FormatsByPicture) {
  struct Case {
    const char* value;
    const char* picture;
    const char* expected;
  };
  const Case cases[] = {
      {"1.046", "@N5.3", "1.046"},
      {"0", "@N5.3", "0.000"},
      {"0", "@N5.3B", ""},
      {"1.0465", "@N5.3B", "1.047"},
      {"0.0004", "@N5.3B", ""},  // shows as zero at three places
      {"4.26664", "@N5.2", "4.27"},
      {"-4.265", "@N-8.2B", "-4.27"},
      {"5", "@N02B", "05"},
      {"12", "@N02B", "12"},
      {"0", "@N02B", ""},
      {"7", "@N02", "07"},
      {"0", "@N02", "00"},
      {"123", "@N5.", "123"},
      {"99999", "@N5.", "99999"},
      {"123456", "@N5.", "#####"},
      {"1234.5", "@N10.2", "1234.50"},
      {"0", "@N10.2", "0.00"},
      {"0", "@N10.2B", ""},
      {"12345678.9", "@N10.2", "##########"},
      {"1234567.89", "@N10.2", "1234567.89"},
      {"-3", "@N-7B", "-3"},
      {"0", "@N-7B", ""},
      {"-123456", "@N-7B", "-123456"},
      {"-1234567", "@N-7B", "#######"},
      {"-5.3", "@N4.1", "-5.3"},  // the sign stays even without '-'
      {"-0.004", "@N-6.2", "0.00"},
      {"-3.5", "@N-06.2", "-03.50"},
      {"37.5", "@N-6.1B", "37.5"},
      {"9.95", "@N3.1B", "###"},  // 10.0 needs four
      {"50", "@N4B", "50"},
      {"12345", "@N4B", "####"},
      {"42", "@N", "42"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatNumber(D(c.value), c.picture), c.expected) << c.value << ' ' << c.picture;
  }
}

TEST(PictureNumber, DoublesRoundAsTheirShortestDecimal) {
  EXPECT_EQ(formatNumber(4.275, "@N-8.2B"), "4.28");
  EXPECT_EQ(formatNumber(-4.275, "@N-8.2B"), "-4.28");
  EXPECT_EQ(formatNumber(0.1 + 0.2, "@N5.3"), "0.300");
  EXPECT_EQ(formatNumber(1e-9, "@N-9.2B"), "");
  EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), "@N5.2"), "0.00");
}

TEST_F(PictureFixture, DatesByPicture) {
  struct Case {
    YearMonthDay date;
    const char* picture;
    const char* expected;
  };
  const Case cases[] = {
      {{2010, 10, 31}, "@D4", "October 31, 2010"},
      {{2024, 1, 2}, "@D4", "January 2, 2024"},
      {{2024, 1, 2}, "@D017", "02/01/2024"},
      {{2024, 1, 2}, "@D017B", "02/01/2024"},
      {{2024, 1, 2}, "@D017>B", "02/01/2024"},
      {{2024, 1, 2}, "@D17B", "2/1/2024"},
      {{2024, 11, 25}, "@D17", "25/11/2024"},
      {{2024, 1, 2}, "@D18B", "Tuesday, 2 January 2024"},
      {{2024, 1, 2}, "@D018", "Tuesday, 02 January 2024"},
      {{2024, 1, 2}, "@D2", "1/2/2024"},
      {{2024, 1, 2}, "@D02", "01/02/2024"},
      {{2024, 1, 2}, "@D12", "20240102"},
      {{2024, 1, 2}, "@D8", "2 Jan 2024"},
      {{1801, 1, 1}, "@D06", "01/01/1801"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatDate(dayNumber(c.date), c.picture), c.expected) << c.picture;
  }
  for (const char* picture : {"@D017B", "@D017", "@D4", "@D18B"}) {
    EXPECT_EQ(formatDate(0, picture), "") << picture;
  }
}

TEST_F(PictureFixture, RegionalFormatsComeFromOneSetting) {
  setRegionalDates({"M/d/yy", "MMMM d, yyyy"});
  const DayNumber d = dayNumber(2024, 3, 9);
  EXPECT_EQ(formatDate(d, "@D17"), "3/9/24");
  EXPECT_EQ(formatDate(d, "@D017"), "03/09/24");
  EXPECT_EQ(formatDate(d, "@D18"), "March 9, 2024");
  setRegionalDates({"yyyy-MM-dd", "d. MMMM yyyy 'um' dddd"});
  EXPECT_EQ(formatDate(d, "@D017"), "2024-03-09");
  EXPECT_EQ(formatDate(d, "@D18"), "9. March 2024 um Saturday");
  EXPECT_EQ(regionalDates().shortFormat, "yyyy-MM-dd");
}

TEST(PictureTime, FormatsByPicture) {
  struct Case {
    int seconds;
    const char* picture;
    const char* expected;
  };
  const Case cases[] = {
      {17 * 3600 + 7 * 60, "@T3", "5:07PM"},
      {0, "@T3", "12:00AM"},
      {12 * 3600 + 30 * 60 + 59, "@T3", "12:30PM"},
      {9 * 3600 + 5 * 60, "@T3", "9:05AM"},
      {86399, "@T3", "11:59PM"},
      {17 * 3600 + 7 * 60 + 3, "@T4", "17:07:03"},
      {9 * 3600 + 5 * 60, "@T2", "0905"},
      {9 * 3600 + 5 * 60, "@T1", "9:05"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatTime(c.seconds, c.picture), c.expected) << c.seconds << ' ' << c.picture;
  }
}

TEST(PicturePattern, FormatsByPicture) {
  struct Case {
    long long value;
    const char* picture;
    const char* expected;
  };
  const Case cases[] = {
      {1046, "@P#.###P", "1.046"},
      {38, "@P#.###P", "0.038"},
      {0, "@P#.###P", "0.000"},
      {12345, "@P#.###P", "#####"},
      // leading '<' positions are blanks: the digits stay right-aligned
      {1, "@pPage <<<#p", "Page    1"},
      {7, "@pPage <<<#p", "Page    7"},
      {120, "@pPage <<<#p", "Page  120"},
      {1046, "@pPage <<<#p", "Page 1046"},
      {0, "@pPage <<<#p", "Page    0"},
      {105, "@P<<#-##P", "  1-05"},
      {-5, "@P<<#P", " -5"},
      {5, "@P<#<P", " 05"},
      {0, "@P###PB", ""},
      {-38, "@P#.###P", "-0.038"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatPattern(c.value, c.picture), c.expected) << c.value << ' ' << c.picture;
  }
}

TEST(PictureText, CutsToWidth) {
  EXPECT_EQ(formatText("Coopers Real Ale", "@s10"), "Coopers Re");
  EXPECT_EQ(formatText("Short", "@s45"), "Short");
  EXPECT_EQ(formatText("Short", "@S45@"), "Short");
  EXPECT_EQ(formatText("Bière de garde", "@s4"), "Bièr");  // counts characters, not bytes
  EXPECT_EQ(formatText("Anything", "@s"), "Anything");
}

TEST(PictureInput, Numbers) {
  struct Case {
    const char* text;
    const char* picture;
    const char* expected;  // nullptr: refused
  };
  const Case cases[] = {
      {"1.046", "@N5.3", "1.046"},
      {" 1.0465 ", "@N5.3", "1.047"},
      {"", "@N5.3", "0"},
      {"   ", "@N-10.2B", "0"},
      {"-12.5", "@N-10.2B", "-12.5"},
      {"-12.5", "@N10.2B", nullptr},
      {"abc", "@N5.3", nullptr},
      {"1,5", "@N5.3", nullptr},
      {"123456", "@N5.", nullptr},
      {"12345", "@N5.", "12345"},
      {"7", "@N02B", "7"},
      {"4.5", "@N4B", "5"},
  };
  for (const auto& c : cases) {
    const auto got = parseNumber(c.text, c.picture);
    if (!c.expected) {
      EXPECT_FALSE(got.has_value()) << c.text << ' ' << c.picture;
    } else {
      ASSERT_TRUE(got.has_value()) << c.text << ' ' << c.picture;
      EXPECT_EQ(*got, D(c.expected)) << c.text << ' ' << c.picture;
    }
  }
}

TEST_F(PictureFixture, InputDates) {
  struct Case {
    const char* text;
    const char* picture;
    YearMonthDay expected;  // {0,0,0}: refused
  };
  const Case cases[] = {
      {"02/01/2024", "@D017B", {2024, 1, 2}},
      {"2/1/2024", "@D17B", {2024, 1, 2}},
      {"2-1-2024", "@D017B", {2024, 1, 2}},
      {"31/12/10", "@D017B", {2010, 12, 31}},
      {"31/12/99", "@D017B", {1999, 12, 31}},
      {"31/12/46", "@D017B", {2046, 12, 31}},
      {"31/12/47", "@D017B", {1947, 12, 31}},
      {"31/12/99", "@D017>B", {2099, 12, 31}},
      {"31/12/10", "@D017>B", {2010, 12, 31}},
      {"311210", "@D017B", {2010, 12, 31}},
      {"31122010", "@D017B", {2010, 12, 31}},
      {"5/3", "@D017B", {2026, 3, 5}},
      {"October 31, 2010", "@D4", {2010, 10, 31}},
      {"oct 31 2010", "@D4", {2010, 10, 31}},
      {"Tuesday, 2 January 2024", "@D18", {2024, 1, 2}},
      {"29/02/2024", "@D017B", {2024, 2, 29}},
      {"29/02/2023", "@D017B", {}},
      {"32/01/2024", "@D017B", {}},
      {"01/13/2024", "@D017B", {}},
      {"01/01/1800", "@D017B", {}},
      {"1/2/3/4", "@D017B", {}},
      {"2024-01-02", "@D017B", {2024, 1, 2}},
      {"hello", "@D017B", {}},
  };
  for (const auto& c : cases) {
    const auto got = parseDate(c.text, c.picture);
    if (c.expected.year == 0) {
      EXPECT_FALSE(got.has_value()) << c.text << ' ' << c.picture;
    } else {
      ASSERT_TRUE(got.has_value()) << c.text << ' ' << c.picture;
      EXPECT_EQ(*got, dayNumber(c.expected)) << c.text << ' ' << c.picture;
    }
  }
  EXPECT_EQ(parseDate("", "@D017B"), DayNumber{0});
  EXPECT_EQ(parseDate("  ", "@D4"), DayNumber{0});
}

TEST_F(PictureFixture, InputDatesFollowTheRegionalOrder) {
  setRegionalDates({"MM/dd/yyyy", "MMMM d, yyyy"});
  EXPECT_EQ(parseDate("01/02/2024", "@D017"), dayNumber(2024, 1, 2));
  EXPECT_FALSE(parseDate("13/02/2024", "@D017").has_value());
  setRegionalDates({"yyyy-MM-dd", "d MMMM yyyy"});
  EXPECT_EQ(parseDate("2024-01-02", "@D17"), dayNumber(2024, 1, 2));
}

TEST_F(PictureFixture, DatesReadBackWhatTheyShow) {
  for (const char* picture : {"@D4", "@D17", "@D017B", "@D18", "@D018", "@D2", "@D8", "@D12"}) {
    for (DayNumber d :
         {DayNumber{4}, dayNumber(2010, 10, 31), dayNumber(2024, 2, 29), dayNumber(9999, 12, 31)}) {
      EXPECT_EQ(parseDate(formatDate(d, picture), picture), d) << picture << ' ' << d;
    }
  }
}

TEST(PictureInput, Patterns) {
  EXPECT_EQ(parsePattern("1.046", "@P#.###P"), 1046);
  EXPECT_EQ(parsePattern("0.038", "@P#.###P"), 38);
  EXPECT_EQ(parsePattern("1046", "@P#.###P"), 1046);
  EXPECT_EQ(parsePattern("Page 12", "@pPage <<<#p"), 12);
  EXPECT_EQ(parsePattern("Page    7", "@pPage <<<#p"), 7);
  EXPECT_EQ(parsePattern("", "@P#.###P"), 0);
  EXPECT_FALSE(parsePattern("1.04", "@P#.###P").has_value());
  EXPECT_FALSE(parsePattern("12345", "@P#.###P").has_value());
  EXPECT_FALSE(parsePattern("x.046", "@P#.###P").has_value());
  for (long long v : {0LL, 7LL, 38LL, 1046LL, 9999LL}) {
    EXPECT_EQ(parsePattern(formatPattern(v, "@P#.###P"), "@P#.###P"), v);
    EXPECT_EQ(parsePattern(formatPattern(v, "@pPage <<<#p"), "@pPage <<<#p"), v);
  }
}

}  // namespace
}  // namespace vm
