// Calculate a Unit Cost: the cost of a brew per bottle or other unit from
// its cost items, its final volume and the unit size.  Its figures are the
// program's cost globals, so the brew form and the cost report read what was
// worked out here.  One instance; opened from the frame's Utilities menu,
// the brew browser and the brew form.
#pragma once

#include <array>
#include <functional>

#include "brewmath/Costs.h"
#include "platform/Window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vm {

namespace calc {
class NumberSpin;
}

class Win_CalculateCost : public Window {
  Q_OBJECT
 public:
  static constexpr const char* kProcedure = "Win_CalculateCost";

  static constexpr const char* kExampleText =
      "Firstly the costs of the brew ingredients are entered then the total volume of |the "
      "bottled/kegged brew followed by the bottle/glass or other unit size.||TIP: You can use "
      "the 'Copy' button to place the totals on the Clipboard then |later 'Paste' them into the "
      "brews 'Notes'.||The total cost can be saved but to retain a detailed breakdown select the "
      "|'Print' button.||                             Use the 'Reset' button to clear all fields.";

  // Opens on the cost globals as the caller left them, with the total cost
  // set to 0.
  Win_CalculateCost();
  // A new window, or nullptr when one is open already (brought to the
  // front instead).
  static Win_CalculateCost* makeOnce();
  // The frame's request: without a brew, so the three brew details are
  // cleared first (unless the open window is only brought forward).
  static Win_CalculateCost* makeOnceWithoutBrew();

  // What Print starts: the cost report, which reads the cost globals and the
  // brew details.  Until one is installed Print only marks the window
  // printed.
  static void setPrintReport(std::function<void()> start);

  bool printed() const { return printed_; }

  QLineEdit* kitNameEntry() const { return kitName_; }
  QLineEdit* batchNameEntry() const { return batchName_; }
  QLineEdit* batchNumberEntry() const { return batchNumber_; }
  // Kit, sugar, bottles/caps, sundry 1 .. 5.
  calc::NumberSpin* costSpin(int item) const { return costs_[item]; }
  calc::NumberSpin* totalVolumeSpin() const { return totalVolume_; }
  calc::NumberSpin* unitSizeSpin() const { return unitSize_; }
  QLabel* numberOfUnitsDisplay() const { return numberOfUnits_; }
  QLabel* costPerUnitDisplay() const { return costPerUnit_; }
  QLabel* totalCostDisplay() const { return totalCost_; }
  QPushButton* printButton() const { return print_; }
  QToolButton* copyButton() const { return copy_; }
  QPushButton* exampleButton() const { return example_; }
  QPushButton* resetButton() const { return reset_; }
  QToolButton* calculatorButton() const { return calculator_; }
  QPushButton* closeButton() const { return close_; }

 protected:
  void onField(QWidget* control, FieldEvent event) override;
  bool canClose() override;
  void onClosing() override;

 private:
  // The cost figures as the spins hold them.
  void readSpins(brewmath::CostFigures& f) const;
  // Shows the figures; `editing` (the control being typed in) keeps its
  // text so that the typing is not disturbed.
  void redisplay(QWidget* editing = nullptr);
  void storeBrewDetails();
  void copyTotals();
  void showExample();
  void resetCosts();

  bool printed_ = false;
  bool updating_ = false;
  QLineEdit* kitName_;
  QLineEdit* batchName_;
  QLineEdit* batchNumber_;
  std::array<calc::NumberSpin*, 8> costs_{};
  calc::NumberSpin* totalVolume_;
  calc::NumberSpin* unitSize_;
  QLabel* numberOfUnits_;
  QLabel* costPerUnit_;
  QLabel* totalCost_;
  QPushButton* print_;
  QToolButton* copy_;
  QPushButton* example_;
  QPushButton* reset_;
  QToolButton* calculator_;
  QPushButton* close_;
};

}  // namespace vm
