// The unit-cost calculator: its figures are the program's cost globals, so
// the tests read both the window and the globals the brew form reads after.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "CalcFixture.h"
#include "brews/CalcControls.h"
#include "brews/Win_CalculateCost.h"

namespace vm {
namespace {

class CalculateCostTest : public test::CalcFixture {
 protected:
  ~CalculateCostTest() override { Win_CalculateCost::setPrintReport({}); }
  Win_CalculateCost* open() { return show(new Win_CalculateCost); }
  static void type(QWidget* control, const char* text) {
    control->setFocus();
    settle();
    if (auto* s = qobject_cast<QAbstractSpinBox*>(control)) {
      s->selectAll();
    } else if (auto* e = qobject_cast<QLineEdit*>(control)) {
      e->selectAll();
    }
    QTest::keyClicks(control, text);
    QTest::keyClick(control, Qt::Key_Tab);
    settle();
  }
  // Units, cost per unit and total cost as shown.
  static std::vector<QString> results(Win_CalculateCost* w) {
    return {w->numberOfUnitsDisplay()->text(), w->costPerUnitDisplay()->text(),
            w->totalCostDisplay()->text()};
  }
  using R = std::vector<QString>;
  static Decimal d(const char* text) { return *Decimal::parse(text); }
};

TEST_F(CalculateCostTest, ExampleExplainsThenEntersTheExampleFiguresAndFocusesReset) {
  globals().sundry[4] = d("3.00");  // cleared by the example
  auto* w = open();
  QTest::mouseClick(w->exampleButton(), Qt::LeftButton);
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Example...");
  EXPECT_EQ(script.shown()[0].text, Win_CalculateCost::kExampleText);
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
  EXPECT_EQ(results(w), (R{"112.50", "0.25", "28.04"}));
  EXPECT_EQ(w->costSpin(0)->text(), "12.95");
  EXPECT_EQ(w->costSpin(7)->text(), "");
  EXPECT_EQ(w->totalVolumeSpin()->text(), "22.50");
  EXPECT_EQ(w->unitSizeSpin()->text(), "0.200");
  EXPECT_EQ(focused(), w->resetButton());
  EXPECT_EQ(globals().totalCost, d("28.04"));
  EXPECT_EQ(globals().numberOfUnits, d("112.5"));
  EXPECT_EQ(globals().costPerUnit, d("0.25"));
  EXPECT_TRUE(globals().sundry[4].isZero());
}

TEST_F(CalculateCostTest, CopyPutsTheSummaryOnTheClipboardByteForByte) {
  auto* w = open();
  QTest::mouseClick(w->exampleButton(), Qt::LeftButton);
  script.clear();
  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(w->copyButton(), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            "Total Cost: 28.04  Final Volumn: 22.5  Unit Size: 0.2\r\n"
            "Total Units: 112.5  Cost Per Unit: 0.25\r\n");
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Copied to the Windows Clipboard...");
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
}

TEST_F(CalculateCostTest, CopyWithoutTotalsSaysSoAndFocusesTheKitCost) {
  auto* w = open();
  QGuiApplication::clipboard()->setText("before");
  type(w->costSpin(0), "10");  // a total but no cost per unit
  script.clear();
  QTest::mouseClick(w->copyButton(), Qt::LeftButton);
  EXPECT_EQ(shownTexts(),
            std::vector<std::string>{"Nothing to copy? / Require Total cost and Cost per unit."});
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Question);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
  EXPECT_TRUE(hasFocus(w->costSpin(0)));
}

TEST_F(CalculateCostTest, TypedFiguresRecalculateAndTheUnitSizeIsHeldAtTwoPlaces) {
  auto* w = open();
  type(w->costSpin(0), "12.95");
  type(w->costSpin(1), "2.09");
  // No volume yet: the total follows, the cost per unit waits.
  EXPECT_EQ(results(w), (R{"", "", "15.04"}));
  type(w->totalVolumeSpin(), "22.5");
  type(w->unitSizeSpin(), "0.375");
  EXPECT_EQ(w->unitSizeSpin()->text(), "0.380");
  EXPECT_EQ(globals().unitSize, d("0.38"));
  // 22.5 / 0.38 = 59.21; 15.04 / 59.21 = 0.25
  EXPECT_EQ(results(w), (R{"59.21", "0.25", "15.04"}));
  type(w->costSpin(2), "30");
  EXPECT_EQ(results(w), (R{"59.21", "0.76", "45.04"}));
  EXPECT_TRUE(script.shown().empty());
}

TEST_F(CalculateCostTest, ZeroUnitSizeGivesNoUnitsWithoutAnError) {
  auto* w = open();
  type(w->costSpin(0), "10");
  type(w->totalVolumeSpin(), "20");
  EXPECT_EQ(results(w), (R{"", "", "10.00"}));
  EXPECT_TRUE(script.shown().empty());
}

TEST_F(CalculateCostTest, PrintWithoutACostPerUnitIsRefusedAndFocusesTheVolume) {
  int started = 0;
  std::string kitAtPrint;
  Win_CalculateCost::setPrintReport([&] {
    ++started;
    kitAtPrint = globals().getKitName;
  });
  globals().getKitName = "Coopers Lager";
  auto* w = open();
  QTest::mouseClick(w->printButton(), Qt::LeftButton);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{
                              "Incomplete... /  The 'Cost Per Unit' is zero, nothing to print ?"});
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Error);
  EXPECT_TRUE(hasFocus(w->totalVolumeSpin()));
  EXPECT_FALSE(w->printed());
  EXPECT_EQ(started, 0);

  QTest::mouseClick(w->exampleButton(), Qt::LeftButton);
  script.clear();
  globals().getKitName.clear();  // as a frame request would, behind the window
  QTest::mouseClick(w->printButton(), Qt::LeftButton);
  EXPECT_TRUE(script.shown().empty());
  EXPECT_TRUE(w->printed());
  EXPECT_EQ(started, 1);
  EXPECT_EQ(kitAtPrint, "Coopers Lager");
}

TEST_F(CalculateCostTest, CloseAsksToPrintAndYesKeepsTheWindowWithTheFocusOnPrint) {
  auto* w = open();
  QTest::mouseClick(w->exampleButton(), Qt::LeftButton);
  script.clear();
  script.answer(1);
  QTest::mouseClick(w->closeButton(), Qt::LeftButton);
  settle();
  ASSERT_EQ(script.shown().size(), 1u);
  const ShownMessage& q = script.shown()[0];
  EXPECT_EQ(q.title, "Print?");
  EXPECT_EQ(q.text,
            "Do you want to print a detailed report?||(To print select 'Yes' then the 'Print' "
            "buttton)");
  EXPECT_EQ(q.icon, MessageIcon::Question);
  EXPECT_EQ(q.buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(findWindow(Win_CalculateCost::kProcedure), w);
  EXPECT_EQ(focused(), w->printButton());
  EXPECT_FALSE(w->printed());

  // No closes, and everything but the total is cleared for the caller.
  script.answer(2);
  QTest::mouseClick(w->closeButton(), Qt::LeftButton);
  settle();
  EXPECT_EQ(findWindow(Win_CalculateCost::kProcedure), nullptr);
  EXPECT_EQ(globals().totalCost, d("28.04"));
  for (const Decimal& v : {globals().kitCost, globals().sugarCost, globals().bottleCost,
                           globals().sundry[0], globals().sundry[1], globals().totalVolume,
                           globals().unitSize, globals().numberOfUnits, globals().costPerUnit})
    EXPECT_TRUE(v.isZero());
}

TEST_F(CalculateCostTest, NoQuestionAfterPrintingOrWithoutATotal) {
  auto* w = open();
  QTest::mouseClick(w->closeButton(), Qt::LeftButton);
  settle();
  EXPECT_EQ(findWindow(Win_CalculateCost::kProcedure), nullptr);

  w = open();
  QTest::mouseClick(w->exampleButton(), Qt::LeftButton);
  QTest::mouseClick(w->printButton(), Qt::LeftButton);
  script.clear();
  QTest::mouseClick(w->closeButton(), Qt::LeftButton);
  settle();
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(findWindow(Win_CalculateCost::kProcedure), nullptr);
}

TEST_F(CalculateCostTest, OpenedForABrewWithACostShowsItsDetailsAndATotalOfZero) {
  globals().getKitName = "Coopers Lager";
  globals().getBatchName = "Summer";
  globals().getBatchNumber = 42;
  globals().totalCost = d("12.50");
  auto* w = open();
  EXPECT_EQ(w->windowTitle(), "Calculate a Unit Cost...");
  EXPECT_EQ(w->totalCostDisplay()->text(), "");
  EXPECT_TRUE(globals().totalCost.isZero());
  EXPECT_EQ(w->kitNameEntry()->text(), "Coopers Lager");
  EXPECT_EQ(w->batchNameEntry()->text(), "Summer");
  EXPECT_EQ(w->batchNumberEntry()->text(), "42");

  type(w->batchNumberEntry(), "7");
  type(w->kitNameEntry(), "Muntons Bitter");
  EXPECT_EQ(globals().getBatchNumber, 7);
  EXPECT_EQ(globals().getKitName, "Muntons Bitter");
}

TEST_F(CalculateCostTest, ResetClearsEveryCostButKeepsTheBrewDetails) {
  globals().getKitName = "Coopers Lager";
  auto* w = open();
  QTest::mouseClick(w->exampleButton(), Qt::LeftButton);
  QTest::mouseClick(w->resetButton(), Qt::LeftButton);
  EXPECT_EQ(results(w), (R{"", "", ""}));
  EXPECT_EQ(w->costSpin(0)->text(), "");
  EXPECT_TRUE(globals().totalCost.isZero());
  EXPECT_TRUE(globals().kitCost.isZero());
  EXPECT_EQ(globals().getKitName, "Coopers Lager");
}

TEST_F(CalculateCostTest, TheFrameRequestClearsTheBrewDetailsOfANewWindowOnly) {
  globals().getKitName = "Coopers Lager";
  globals().getBatchName = "Summer";
  globals().getBatchNumber = 42;
  auto* w = Win_CalculateCost::makeOnceWithoutBrew();
  ASSERT_NE(w, nullptr);
  show(w);
  EXPECT_EQ(w->kitNameEntry()->text(), "");
  EXPECT_EQ(w->batchNumberEntry()->text(), "");
  EXPECT_EQ(globals().getBatchNumber, 0);
  type(w->kitNameEntry(), "Typed");
  EXPECT_EQ(Win_CalculateCost::makeOnceWithoutBrew(), nullptr);
  EXPECT_EQ(globals().getKitName, "Typed");
}

}  // namespace
}  // namespace vm
