// The hydrometer correction window: the scale chosen by the settings, the
// correction looked up only when the temperature changes, and the range
// messages at the spins' limits.
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "CalcFixture.h"
#include "brews/Win_GravityCorrectionUtility.h"

namespace vm {
namespace {

class GravityCorrectionTest : public test::CalcFixture {
 protected:
  Win_GravityCorrectionUtility* open(int tempPrompt) {
    globals().tempPrompt = static_cast<std::uint8_t>(tempPrompt);
    return show(new Win_GravityCorrectionUtility);
  }
  // A spin moved as the user moves it: focus, then the arrow keys or typing.
  static void spinTo(QSpinBox* spin, int value) {
    spin->setFocus();
    settle();
    while (spin->value() != value)
      QTest::keyClick(spin, value > spin->value() ? Qt::Key_Up : Qt::Key_Down);
  }
  // correction, corrected gravity, its whole form.
  static std::vector<QString> shown(Win_GravityCorrectionUtility* w) {
    return {w->correctionValue()->text(), w->correctedDisplay()->text(),
            w->correctedWhole()->text()};
  }
  using S = std::vector<QString>;
};

TEST_F(GravityCorrectionTest, OpensInTheScaleOfTheSettings) {
  for (int setting : {1, 0}) {
    SCOPED_TRACE(setting);
    auto* w = open(setting);
    EXPECT_EQ(w->windowTitle(), "Hydrometer/Temperature Utility");
    EXPECT_EQ(w->celsiusSpin()->isVisible(), setting == 1);
    EXPECT_EQ(w->fahrenheitSpin()->isVisible(), setting == 0);
    EXPECT_EQ(w->scaleLetter()->text(), setting == 1 ? "C" : "F");
    EXPECT_EQ(w->celsiusSpin()->value(), 21);
    EXPECT_EQ(w->fahrenheitSpin()->value(), 70);
    EXPECT_EQ(w->gravitySpin()->value(), 1035);
    EXPECT_EQ(w->gravityDecimal()->text(), "1.035");
    EXPECT_EQ(shown(w), (S{"0.001", "1.036", "1036"}));
    w->finish();
    settle();
  }
  EXPECT_TRUE(script.shown().empty());
}

TEST_F(GravityCorrectionTest, FahrenheitBeyondTheTableKeepsTheCorrectionAndWarnsOnlyAt155) {
  auto* w = open(0);
  spinTo(w->fahrenheitSpin(), 153);
  EXPECT_EQ(shown(w), (S{"0.020", "1.055", "1055"}));
  EXPECT_TRUE(script.shown().empty());

  spinTo(w->fahrenheitSpin(), 154);
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(shown(w), (S{"0.020", "1.055", "1055"}));

  spinTo(w->fahrenheitSpin(), 155);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{"Out of Range... / Minimum 50 F|Maximum 155 F"});
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
  EXPECT_EQ(w->fahrenheitSpin()->value(), 155);
  EXPECT_EQ(shown(w), (S{"0.020", "1.055", "1055"}));
}

TEST_F(GravityCorrectionTest, ReadingSpunDownTo900WarnsAndKeepsTheCorrectionShown) {
  auto* w = open(1);
  spinTo(w->celsiusSpin(), 30);  // +0.003
  spinTo(w->gravitySpin(), 901);
  EXPECT_TRUE(script.shown().empty());
  QTest::keyClick(w->gravitySpin(), Qt::Key_Down);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{
                              "Out of Range... / Minimum 900 (0.900)  Maximum 1200 (1.200)"});
  EXPECT_EQ(w->gravitySpin()->value(), 900);
  EXPECT_EQ(w->gravityDecimal()->text(), "0.900");
  EXPECT_EQ(shown(w), (S{"0.003", "0.903", "903"}));
}

TEST_F(GravityCorrectionTest, CelsiusLimitsWarnAndStillTakeTheirBand) {
  auto* w = open(1);
  spinTo(w->celsiusSpin(), 10);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{"Out of Range.. / Minimum 10 C   Maximum 70 C"});
  EXPECT_EQ(shown(w), (S{"-0.001", "1.034", "1034"}));
  script.clear();
  spinTo(w->celsiusSpin(), 70);
  // Every step on the way is in range; only 70 itself warns.
  EXPECT_EQ(shownTexts(), std::vector<std::string>{"Out of Range.. / Minimum 10 C   Maximum 70 C"});
  EXPECT_EQ(shown(w), (S{"0.021", "1.056", "1056"}));
}

TEST_F(GravityCorrectionTest, OkAndCancelBothCloseAndNeitherIsOneInstance) {
  auto* first = open(1);
  auto* second = show(new Win_GravityCorrectionUtility);
  EXPECT_EQ(openWindows().size(), 2u);
  QTest::mouseClick(first->okButton(), Qt::LeftButton);
  QTest::mouseClick(second->cancelButton(), Qt::LeftButton);
  settle();
  EXPECT_TRUE(openWindows().empty());
}

}  // namespace
}  // namespace vm
