#include "brewmath/Alcohol.h"

#include <gtest/gtest.h>

#include "tests/brewmath/TestSupport.h"

namespace vm::brewmath {
namespace {

struct CalcCase {
  const char* og;
  const char* fg;
  const char* drop;
  const char* abv;
  const char* abw;
  const char* abvAllowance;
  const char* abwAllowance;
};

TEST(CalcAlcohol, EachLineUsesTheStoredValueOfTheLineBefore) {
  const CalcCase cases[] = {
      {"1.035", "1.005", "0.030", "4.00", "3.20", "4.50", "3.60"},  // the opening values
      {"1.050", "1.010", "0.040", "5.33", "4.26", "5.83", "4.66"},  // 5.33 x 0.8 = 4.264
      {"1.040", "1.040", "0.000", "0.00", "0.00", "0.50", "0.40"},  // no drop
      {"1.001", "1.000", "0.001", "0.13", "0.10", "0.63", "0.50"},  // 0.1333 -> 0.13 -> 0.104
      {"1.002", "1.000", "0.002", "0.27", "0.22", "0.77", "0.62"},  // 0.2666 rounds up
      {"1.019", "1.000", "0.019", "2.53", "2.02", "3.03", "2.42"},  // not 2.5333 x 0.8 = 2.03
      {"1.200", "0.900", "0.300", "40.00", "32.00", "40.50", "32.40"},
  };
  for (const CalcCase& c : cases) {
    SCOPED_TRACE(std::string(c.og) + " / " + c.fg);
    const AlcoholResult r = CalcAlcohol(D(c.og), D(c.fg));
    EXPECT_EQ(r.drop, D(c.drop));
    EXPECT_EQ(r.abv, D(c.abv));
    EXPECT_EQ(r.abw, D(c.abw));
    EXPECT_EQ(r.abvWithAllowance, D(c.abvAllowance));
    EXPECT_EQ(r.abwWithAllowance, D(c.abwAllowance));
  }
}

struct StoredCase {
  int og;
  int fg;
  AlcoholBasis basis;
  AllowanceAnswer answer;
  const char* expected;  // nullptr: no value, the stored one stays
};

TEST(CalcStoredAlcohol, RoundsOnlyTheFourPlaceQuotient) {
  const auto abv = AlcoholBasis::ByVolume;
  const auto abw = AlcoholBasis::ByWeight;
  const auto yes = AllowanceAnswer::Yes;
  const auto no = AllowanceAnswer::No;
  const StoredCase cases[] = {
      {1050, 1010, abv, no, "5.33"},
      {1050, 1010, abv, yes, "5.83"},
      {1050, 1010, abw, no, "4.27"},   // 5.3333 x 0.8 = 4.26664, the calculator says 4.26
      {1050, 1010, abw, yes, "4.67"},  // 4.26664 + 0.4
      {1001, 1000, abw, no, "0.11"},   // 0.1333 x 0.8 = 0.10664, the calculator says 0.10
      {1002, 1000, abv, no, "0.27"},
      {1046, 1010, abw, yes, "4.24"},
      {1040, 1040, abv, yes, nullptr},  // not below: nothing computed
      {1030, 1040, abw, no, nullptr},
      {1050, 1010, abv, AllowanceAnswer::Dismissed, nullptr},
      {1050, 1010, abw, AllowanceAnswer::Dismissed, nullptr},
  };
  for (const StoredCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.og) + " / " + std::to_string(c.fg));
    const std::optional<Decimal> value = CalcStoredAlcohol(c.og, c.fg, c.basis, c.answer);
    if (c.expected == nullptr) {
      EXPECT_FALSE(value.has_value());
    } else {
      ASSERT_TRUE(value.has_value());
      EXPECT_EQ(*value, D(c.expected));
    }
  }
}

// The two forms agree on abv for every drop and part on abw by at most one
// hundredth, because only abw depends on where the rounding happens.
TEST(CalcStoredAlcohol, AgreesWithTheCalculatorOnAbvAndNearlyOnAbw) {
  int abwDiffers = 0;
  for (int drop = 1; drop <= 300; ++drop) {
    SCOPED_TRACE(drop);
    const AlcoholResult calc = CalcAlcohol(gravityFromWhole(1000 + drop), D("1.000"));
    const Decimal abv =
        CalcStoredAlcohol(1000 + drop, 1000, AlcoholBasis::ByVolume, AllowanceAnswer::No).value();
    const Decimal abw =
        CalcStoredAlcohol(1000 + drop, 1000, AlcoholBasis::ByWeight, AllowanceAnswer::No).value();
    EXPECT_EQ(abv, calc.abv);
    EXPECT_LE((abw - calc.abw).abs(), D("0.01"));
    if (!(abw == calc.abw)) ++abwDiffers;
  }
  EXPECT_GT(abwDiffers, 0);
}

TEST(StoredAlcoholQuestion, AskedByBasisOnlyWhenTheFinalGravityIsBelow) {
  EXPECT_EQ(StoredAlcoholQuestion(1050, 1010, AlcoholBasis::ByVolume),
            (Message{"% Alcohol by Volume (abv)",
                     "Bottle fermentation.||Do you wish to add 0.5% |for the second fermentation?",
                     MessageIcon::Question, "&Yes|&No"}));
  EXPECT_EQ(StoredAlcoholQuestion(1050, 1010, AlcoholBasis::ByWeight),
            (Message{"% Alcohol by Weight (abw)",
                     "Bottle fermentation.||Do you wish to add 0.4% |for the second fermentation ?",
                     MessageIcon::Question, "&Yes|&No"}));
  EXPECT_FALSE(StoredAlcoholQuestion(1040, 1040, AlcoholBasis::ByVolume));
  EXPECT_FALSE(StoredAlcoholQuestion(1040, 1041, AlcoholBasis::ByWeight));

  EXPECT_EQ(allowanceAnswerFromButton(1), AllowanceAnswer::Yes);
  EXPECT_EQ(allowanceAnswerFromButton(2), AllowanceAnswer::No);
  EXPECT_EQ(allowanceAnswerFromButton(0), AllowanceAnswer::Dismissed);
}

TEST(CheckBeforeStoredAlcohol, FirstFailingCheckInOrder) {
  const struct {
    int og, fg;
    const char* text;  // nullptr: computes
    GravityField focus;
  } cases[] = {
      {0, 0, "Need Start S.G. (Original Gravity)", GravityField::Original},
      {0, 1010, "Need Start S.G. (Original Gravity)", GravityField::Original},
      {1050, 0, "Need Final S.G. (Final Gravity)", GravityField::Final},
      {1040, 1040,
       "The Final Gravity must be less than the Original.||Final Gravity:     1040|Original "
       "Gravity: 1040",
       GravityField::Final},
      {1040, 1045,
       "The Final Gravity must be less than the Original.||Final Gravity:     1045|Original "
       "Gravity: 1040",
       GravityField::Final},
      {1050, 1010, nullptr, GravityField::Final},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.og) + " / " + std::to_string(c.fg));
    const std::optional<AlcoholPrecheck> check = checkBeforeStoredAlcohol(c.og, c.fg);
    if (c.text == nullptr) {
      EXPECT_FALSE(check.has_value());
      continue;
    }
    ASSERT_TRUE(check.has_value());
    EXPECT_EQ(check->message,
              (Message{"Can not calculate!", c.text, MessageIcon::Exclamation, ""}));
    EXPECT_EQ(check->focus, c.focus);
  }
}

TEST(AlcoholUpdateMessage, OnlyWhenAPositiveOldValueChanges) {
  EXPECT_EQ(
      AlcoholUpdateMessage(D("5.30"), D("5.83")),
      (Message{"Done...", "Updating alcohol % from 5.3 to 5.83", MessageIcon::Information, ""}));
  EXPECT_EQ(AlcoholUpdateMessage(D("12.00"), D("4.50"))->text, "Updating alcohol % from 12 to 4.5");
  EXPECT_FALSE(AlcoholUpdateMessage(D("0.00"), D("5.83")));   // nothing stored before
  EXPECT_FALSE(AlcoholUpdateMessage(D("4.27"), D("4.270")));  // same value
}

struct CheckCase {
  bool original;  // which reading changed
  const char* og;
  const char* fg;
  const char* expected;
  std::vector<const char*> texts;  // the messages, in order
};

TEST(GravityChecks, RunInOrderEachOnTheValueLeftBefore) {
  const char* lessThan = "The Original Gravity can not be less than the Final.";
  const char* exceeds = "The Final Gravity can not exceed the Original.";
  const char* range = "The Hydrometer Range is 0.900 to 1.200";
  const CheckCase cases[] = {
      {true, "1.035", "1.005", "1.035", {}},
      {true, "0.850", "1.005", "1.005", {lessThan}},  // raised to fg, then in range
      {true, "0.899", "0.900", "0.900", {lessThan}},  // one message only
      {true, "0.895", "0.890", "0.900", {range}},
      {true, "1.201", "1.005", "1.200", {range}},
      {true, "1.300", "1.005", "1.200", {range}},
      {true, "0.900", "0.900", "0.900", {}},  // both ends are allowed
      {true, "1.200", "1.200", "1.200", {}},
      {false, "1.035", "1.250", "1.035", {exceeds}},  // no range message follows
      {false, "1.035", "1.036", "1.035", {exceeds}},
      {false, "1.035", "0.899", "0.900", {range}},
      {false, "1.250", "1.201", "1.200", {range}},
      {false, "0.895", "0.897", "0.900", {exceeds, range}},  // check 1 is not repeated
      {false, "1.035", "1.005", "1.005", {}},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(std::string(c.original ? "og " : "fg ") + c.og + " / " + c.fg);
    const GravityCheck check =
        c.original ? CheckOriginalGravity(D(c.og), D(c.fg)) : CheckFinalGravity(D(c.og), D(c.fg));
    EXPECT_EQ(check.reading, D(c.expected));
    ASSERT_EQ(check.messages.size(), c.texts.size());
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
      EXPECT_EQ(check.messages[i],
                (Message{"Out of Range...", c.texts[i], MessageIcon::Information, ""}));
    }
  }
}

TEST(GravityChecks, PlusOnTheMaximumComesBackWithTheRangeMessage) {
  const Decimal stepped = StepGravity(D("1.200"), +1);
  EXPECT_EQ(stepped, D("1.201"));
  const GravityCheck check = CheckOriginalGravity(stepped, D("1.005"));
  EXPECT_EQ(check.reading, D("1.200"));
  ASSERT_EQ(check.messages.size(), 1u);

  EXPECT_EQ(StepGravity(D("0.900"), -1), D("0.899"));
  // The final gravity raised past the original by "+" is pulled back.
  const GravityCheck fg = CheckFinalGravity(D("1.035"), StepGravity(D("1.035"), +1));
  EXPECT_EQ(fg.reading, D("1.035"));
  ASSERT_EQ(fg.messages.size(), 1u);
  EXPECT_EQ(fg.messages[0].text, "The Final Gravity can not exceed the Original.");
}

TEST(SugarAlcoholTable, AllowanceAppliesOncePerCopy) {
  SugarAlcoholTable table;
  const char* kg[] = {"1.000", "0.750", "0.500", "0.250"};
  const char* lbs[] = {"2.200", "1.650", "1.100", "0.550"};
  const char* vol[] = {"5.2", "4.6", "4.0", "3.4"};
  const char* wgt[] = {"4.2", "3.7", "3.2", "2.7"};
  const char* volWith[] = {"5.7", "5.1", "4.5", "3.9"};
  const char* wgtWith[] = {"4.6", "4.1", "3.6", "3.1"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(table.rows()[i].kg, D(kg[i]));
    EXPECT_EQ(table.rows()[i].lbs, D(lbs[i]));
    EXPECT_EQ(table.rows()[i].alcVol, D(vol[i]));
    EXPECT_EQ(table.rows()[i].alcWgt, D(wgt[i]));
  }
  EXPECT_FALSE(table.allowanceApplied());

  EXPECT_FALSE(table.applyAllowance());
  EXPECT_TRUE(table.allowanceApplied());
  EXPECT_EQ(table.applyAllowance(),
            (Message{"Done...", "Extra % for bottle conditioning has already been applied.",
                     MessageIcon::Question, ""}));
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(table.rows()[i].alcVol, D(volWith[i]));
    EXPECT_EQ(table.rows()[i].alcWgt, D(wgtWith[i]));
  }

  SugarAlcoholTable nextOpening;  // a new window starts from the table again
  EXPECT_FALSE(nextOpening.applyAllowance());
  EXPECT_EQ(nextOpening.rows()[0].alcVol, D("5.7"));
}

TEST(SugarAlcoholTable, InformLineFollowsBasisAndButton) {
  EXPECT_EQ(sugarTableInformText(AlcoholBasis::ByVolume, false),
            "Excludes the 0.5% for Bottle Conditioning");
  EXPECT_EQ(sugarTableInformText(AlcoholBasis::ByWeight, false),
            "Excludes the 0.4% for Bottle Conditioning");
  EXPECT_EQ(sugarTableInformText(AlcoholBasis::ByVolume, true),
            "Includes the 0.5% (abv) for Bottle Conditioning");
  EXPECT_EQ(sugarTableInformText(AlcoholBasis::ByWeight, true),
            "Includes the 0.4% (abw) for Bottle Conditioning");
}

TEST(AlcoholBasis, SettingAndLabels) {
  EXPECT_EQ(alcoholBasisFromSetting(1), AlcoholBasis::ByVolume);
  EXPECT_EQ(alcoholBasisFromSetting(0), AlcoholBasis::ByWeight);
  EXPECT_EQ(alcoholBasisFromSetting(7), AlcoholBasis::ByVolume);
  EXPECT_EQ(alcoholShortLabel(AlcoholBasis::ByVolume), "(abv)");
  EXPECT_EQ(alcoholShortLabel(AlcoholBasis::ByWeight), "(abw)");
  EXPECT_EQ(alcoholLongLabel(AlcoholBasis::ByVolume), "by volume");
  EXPECT_EQ(alcoholLongLabel(AlcoholBasis::ByWeight), "by weight");
  EXPECT_EQ(alcoholBrowseLabel(AlcoholBasis::ByWeight), "% Alcohol (abw)");
  EXPECT_EQ(alcoholReportLabel(AlcoholBasis::ByVolume), "% abv");
  EXPECT_EQ(gravityFromWhole(1046), D("1.046"));
}

}  // namespace
}  // namespace vm::brewmath
