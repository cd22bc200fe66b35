// The alcohol calculator driven through its entries and "+" / "-" buttons:
// the reading checks with their messages in order, then the five results.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "CalcFixture.h"
#include "brews/Win_AlcCalculator.h"

namespace vm {
namespace {

class AlcCalculatorTest : public test::CalcFixture {
 protected:
  void SetUp() override { w = show(new Win_AlcCalculator); }

  void type(QLineEdit* entry, const char* text) {
    entry->setFocus();
    entry->selectAll();
    QTest::keyClicks(entry, text);
    QTest::keyClick(entry, Qt::Key_Return);
  }
  // drop, abv, abv + allowance, abw, abw + allowance as shown.
  std::vector<QString> results() const {
    return {w->gravityDiff()->text(), w->abv()->text(), w->abvBottle()->text(), w->abw()->text(),
            w->abwBottle()->text()};
  }
  using R = std::vector<QString>;

  Win_AlcCalculator* w = nullptr;
};

constexpr const char* kRange = "Out of Range... / The Hydrometer Range is 0.900 to 1.200";

TEST_F(AlcCalculatorTest, OpensWithTheStandardReadings) {
  EXPECT_EQ(w->windowTitle(), "Alcohol % Calculator");
  EXPECT_EQ(w->ogEntry()->text(), "1.035");
  EXPECT_EQ(w->fgEntry()->text(), "1.005");
  EXPECT_EQ(results(), (R{"0.030", "4.00", "4.50", "3.20", "3.60"}));
  EXPECT_TRUE(script.shown().empty());
}

TEST_F(AlcCalculatorTest, PlusAtTheTopOfTheRangeShowsTheRangeAndStaysAt1200) {
  type(w->ogEntry(), "1.200");
  ASSERT_TRUE(script.shown().empty());
  QTest::mouseClick(w->ogPlus(), Qt::LeftButton);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{kRange});
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
  EXPECT_EQ(w->ogEntry()->text(), "1.200");
  // (1.200 - 1.005) * 1000 / 7.5 = 26.00
  EXPECT_EQ(results(), (R{"0.195", "26.00", "26.50", "20.80", "21.20"}));
}

TEST_F(AlcCalculatorTest, FinalRaisedAboveTheOriginalIsPulledBack) {
  type(w->fgEntry(), "1.035");
  ASSERT_TRUE(script.shown().empty());
  QTest::mouseClick(w->fgPlus(), Qt::LeftButton);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{
                              "Out of Range... / The Final Gravity can not exceed the Original."});
  EXPECT_EQ(w->fgEntry()->text(), "1.035");
  EXPECT_EQ(results(), (R{"0.000", "0.00", "0.50", "0.00", "0.40"}));
}

TEST_F(AlcCalculatorTest, TypedReadingsAreCheckedInOrderOnTheValueLeftBefore) {
  struct Case {
    bool original;
    const char* typed;
    std::vector<std::string> messages;
    const char* og;
    const char* fg;
  };
  const Case cases[] = {
      // Below the final: pulled up to it, which is in range, so one message.
      {true,
       "0.850",
       {"Out of Range... / The Original Gravity can not be less than the Final."},
       "1.005",
       "1.005"},
      // Above the original: pulled down to it; the range check then passes.
      {false,
       "1.250",
       {"Out of Range... / The Final Gravity can not exceed the Original."},
       "1.035",
       "1.035"},
      {false, "0.850", {kRange}, "1.035", "0.900"},
      {true, "1.250", {kRange}, "1.200", "1.005"},
      {true, "1.050", {}, "1.050", "1.005"},
      // Typed in whole form: too wide for the display, still a reading.
      {true, "1046", {kRange}, "1.200", "1.005"},
      {false, "-1", {kRange}, "1.035", "0.900"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    w->finish();
    settle();
    w = show(new Win_AlcCalculator);
    script.clear();
    type(c.original ? w->ogEntry() : w->fgEntry(), c.typed);
    EXPECT_EQ(shownTexts(), c.messages);
    EXPECT_EQ(w->ogEntry()->text(), c.og);
    EXPECT_EQ(w->fgEntry()->text(), c.fg);
  }
}

TEST_F(AlcCalculatorTest, ResultsRoundAbvBeforeTakingTheWeight) {
  type(w->ogEntry(), "1.050");
  type(w->fgEntry(), "1.010");
  // 5.33 x 0.8 = 4.264, not 5.3333 x 0.8 = 4.2666
  EXPECT_EQ(results(), (R{"0.040", "5.33", "5.83", "4.26", "4.66"}));
}

TEST_F(AlcCalculatorTest, MinusStepsOneThousandthAndAnUnreadableEntryKeepsTheReading) {
  QTest::mouseClick(w->fgMinus(), Qt::LeftButton);
  EXPECT_EQ(w->fgEntry()->text(), "1.004");
  type(w->ogEntry(), "abc");
  EXPECT_EQ(w->ogEntry()->text(), "1.035");
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(w->gravityDiff()->text(), "0.031");
}

}  // namespace
}  // namespace vm
