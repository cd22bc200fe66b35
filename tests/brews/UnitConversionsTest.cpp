// The unit converter: the range message on a change (focus kept on the
// input) but not on accept, the results and the repeated input, Reset.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "CalcFixture.h"
#include "brews/CalcControls.h"
#include "brews/Win_UnitConversions.h"

namespace vm {
namespace {

using brewmath::UnitInput;

class UnitConversionsTest : public test::CalcFixture {
 protected:
  void SetUp() override { w = show(new Win_UnitConversions); }
  // Typed into the input as the user types, one keystroke at a time.
  void type(UnitInput which, const char* text) {
    calc::NumberSpin* s = w->input(which);
    s->setFocus();
    settle();
    s->selectAll();
    QTest::keyClicks(s, text);
  }
  Win_UnitConversions* w = nullptr;
};

TEST_F(UnitConversionsTest, StartsBlankEverywhere) {
  EXPECT_EQ(w->windowTitle(), "Units Conversion");
  for (int i = 0; i < Win_UnitConversions::kInputs; ++i) {
    const auto which = static_cast<UnitInput>(i);
    EXPECT_EQ(w->input(which)->value(), 0);
    EXPECT_EQ(w->input(which)->text(), "");
    EXPECT_EQ(w->firstResult(which)->text(), "");
  }
}

TEST_F(UnitConversionsTest, PointOneOfAVolumeWarnsKeepsTheFocusAndStillConverts) {
  type(UnitInput::Litres, "0.1");
  // "0" and "0." leave the value as it was; "0.1" is at the limit.
  EXPECT_EQ(shownTexts(),
            (std::vector<std::string>{"Out of Range... /  Range 0.1 to 9,999 Litres"}));
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
  EXPECT_TRUE(hasFocus(w->input(UnitInput::Litres)));
  EXPECT_EQ(w->firstResult(UnitInput::Litres)->text(), "0.02");   // 0.021998
  EXPECT_EQ(w->secondResult(UnitInput::Litres)->text(), "0.03");  // 0.02642
  EXPECT_EQ(w->repeatedInput(UnitInput::Litres)->text(), "0.10");
}

TEST_F(UnitConversionsTest, EachInputWarnsWithItsOwnTextAndConverts) {
  struct Case {
    UnitInput input;
    const char* typed;
    const char* message;  // nullptr: in range
    const char* first;
    const char* second;  // nullptr: one result
  };
  const Case cases[] = {
      {UnitInput::ImpGallons, "0.1", " Range 0.1 to 9,999 Gallons", "0.45", "0.12"},
      {UnitInput::UsGallons, "5", nullptr, "18.93", "4.17"},
      {UnitInput::ImpPints, "9999", " Range 0.1 to 9,999 Pints", "5681.93", nullptr},
      {UnitInput::UsPints, "2", nullptr, "0.95", nullptr},
      {UnitInput::Litres2, "0.1", " Range 0.1 to 9,999 Litres", "0.18", "0.21"},
      {UnitInput::Kilograms, "0.1", " Range 0.1 to 9,999 Kilograms", "0.22", nullptr},
      {UnitInput::Pounds, "0.1", " Range 0.1 to 9,999 Pounds", "0.05", nullptr},
      {UnitInput::Celsius, "100", " Range -50  to  100 C", "212.0", nullptr},
      {UnitInput::Celsius, "-40", nullptr, "-40.0", nullptr},
      {UnitInput::Fahrenheit, "212", " Range -60  to  212 F", "100.0", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    script.clear();
    type(c.input, c.typed);
    const auto& shown = script.shown();
    if (c.message) {
      ASSERT_FALSE(shown.empty());
      EXPECT_EQ(shown.back().title, "Out of Range...");
      EXPECT_EQ(shown.back().text, c.message);
    } else {
      EXPECT_TRUE(shown.empty());
    }
    EXPECT_EQ(w->firstResult(c.input)->text(), c.first);
    if (c.second) {
      EXPECT_EQ(w->secondResult(c.input)->text(), c.second);
    }
  }
}

TEST_F(UnitConversionsTest, AcceptConvertsWithoutTheRangeCheck) {
  calc::NumberSpin* s = w->input(UnitInput::Litres);
  w->input(UnitInput::Pounds)->setFocus();
  settle();
  s->setValue(0.1);  // set while it has no focus: not a change by the user
  EXPECT_EQ(w->firstResult(UnitInput::Litres)->text(), "");
  w->dispatch(s, FieldEvent::Accept);
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(w->firstResult(UnitInput::Litres)->text(), "0.02");
  EXPECT_EQ(w->repeatedInput(UnitInput::Litres)->text(), "0.10");
}

TEST_F(UnitConversionsTest, ArrowsStepByOneWithinTheRangeAndResetClearsAll) {
  calc::NumberSpin* s = w->input(UnitInput::ImpGallons);
  s->setFocus();
  settle();
  QTest::keyClick(s, Qt::Key_Up);
  QTest::keyClick(s, Qt::Key_Up);
  EXPECT_EQ(s->value(), 2);
  EXPECT_EQ(w->firstResult(UnitInput::ImpGallons)->text(), "9.09");
  EXPECT_EQ(w->secondResult(UnitInput::ImpGallons)->text(), "2.40");
  for (int i = 0; i < 3; ++i) QTest::keyClick(s, Qt::Key_Down);
  // The arrows stop at the low end of the range, which warns.
  EXPECT_DOUBLE_EQ(s->value(), 0.1);
  ASSERT_FALSE(script.shown().empty());
  EXPECT_EQ(script.shown().back().text, " Range 0.1 to 9,999 Gallons");

  type(UnitInput::Fahrenheit, "50");
  script.clear();
  QTest::mouseClick(w->resetButton(), Qt::LeftButton);
  EXPECT_TRUE(script.shown().empty());
  for (int i = 0; i < Win_UnitConversions::kInputs; ++i) {
    const auto which = static_cast<UnitInput>(i);
    EXPECT_EQ(w->input(which)->value(), 0);
    EXPECT_EQ(w->firstResult(which)->text(), "");
    if (w->secondResult(which)) {
      EXPECT_EQ(w->secondResult(which)->text(), "");
      EXPECT_EQ(w->repeatedInput(which)->text(), "");
    }
  }
}

}  // namespace
}  // namespace vm
