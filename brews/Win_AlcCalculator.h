// Alcohol % Calculator: the alcohol by volume and by weight, with and
// without the bottle-conditioning allowance, from an original and a final
// gravity typed in or stepped with "+" / "-".  One instance; opened from the
// frame's Utilities menu and from the brew form.
#pragma once

#include "base/Decimal.h"
#include "platform/Window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vm {

class Win_AlcCalculator : public Window {
  Q_OBJECT
 public:
  static constexpr const char* kProcedure = "Win_AlcCalculator";

  Win_AlcCalculator();
  // A new window, or nullptr when one is open already (it is brought to the
  // front instead).
  static Win_AlcCalculator* makeOnce();

  Decimal originalGravity() const { return og_; }
  Decimal finalGravity() const { return fg_; }

  QLineEdit* ogEntry() const { return ogEntry_; }
  QLineEdit* fgEntry() const { return fgEntry_; }
  QPushButton* ogMinus() const { return ogMinus_; }
  QPushButton* ogPlus() const { return ogPlus_; }
  QPushButton* fgMinus() const { return fgMinus_; }
  QPushButton* fgPlus() const { return fgPlus_; }
  QLabel* gravityDiff() const { return gravityDiff_; }
  QLabel* abv() const { return abv_; }
  QLabel* abvBottle() const { return abvBottle_; }
  QLabel* abw() const { return abw_; }
  QLabel* abwBottle() const { return abwBottle_; }
  QToolButton* calculatorButton() const { return calculator_; }
  QPushButton* closeButton() const { return close_; }

 protected:
  void onField(QWidget* control, FieldEvent event) override;

 private:
  // A new original (final) gravity, typed or stepped: its checks with their
  // messages, then the results.
  void originalChanged(const Decimal& og);
  void finalChanged(const Decimal& fg);
  // The gravity typed into `entry`, or `current` when the text is not a
  // reading.
  Decimal typed(QLineEdit* entry, const Decimal& current) const;
  void redisplay();

  Decimal og_, fg_;
  QLineEdit* ogEntry_;
  QLineEdit* fgEntry_;
  QPushButton* ogMinus_;
  QPushButton* ogPlus_;
  QPushButton* fgMinus_;
  QPushButton* fgPlus_;
  QLabel* gravityDiff_;
  QLabel* abv_;
  QLabel* abvBottle_;
  QLabel* abw_;
  QLabel* abwBottle_;
  QToolButton* calculator_;
  QPushButton* close_;
  bool busy_ = false;
};

}  // namespace vm
