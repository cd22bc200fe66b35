// Units Conversion: litres, gallons and pints (UK and US), kilograms and
// pounds, Celsius and Fahrenheit, each input converted as it changes.
// One instance; opened from the frame's Utilities menu.
#pragma once

#include <array>

#include "brewmath/Units.h"
#include "platform/Window.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace vm {

namespace calc {
class NumberSpin;
}

class Win_UnitConversions : public Window {
  Q_OBJECT
 public:
  static constexpr const char* kProcedure = "Win_UnitConversions";
  static constexpr int kInputs = 10;

  Win_UnitConversions();
  static Win_UnitConversions* makeOnce();

  // By input, in the order of brewmath::UnitInput.
  calc::NumberSpin* input(brewmath::UnitInput which) const;
  QLabel* firstResult(brewmath::UnitInput which) const;
  QLabel* secondResult(brewmath::UnitInput which) const;   // nullptr for one result
  QLabel* repeatedInput(brewmath::UnitInput which) const;  // beside the second result
  QPushButton* resetButton() const { return reset_; }
  QToolButton* calculatorButton() const { return calculator_; }
  QPushButton* closeButton() const { return close_; }

 protected:
  void onField(QWidget* control, FieldEvent event) override;

 private:
  struct Row {
    brewmath::UnitInput input;
    const char* inputPicture;
    const char* resultPicture;
    calc::NumberSpin* spin = nullptr;
    QLabel* repeat = nullptr;
    QLabel* first = nullptr;
    QLabel* second = nullptr;
  };
  Row* rowOf(QWidget* control);
  void convert(Row& row);
  void reset();

  std::array<Row, kInputs> rows_;
  QPushButton* reset_;
  QToolButton* calculator_;
  QPushButton* close_;
  bool updating_ = false;
};

}  // namespace vm
