// Fermentation (Sugar volumn): the fixed table that estimates alcohol from
// the weight of sugar for brewers without a hydrometer, with a button that
// adds the bottle-conditioning allowance once.  One instance; opened from
// the brew form.
#pragma once

#include <array>

#include "brewmath/Alcohol.h"
#include "platform/Window.h"

class QLabel;
class QPushButton;

namespace vm {

class Win_SugarAlc : public Window {
  Q_OBJECT
 public:
  static constexpr const char* kProcedure = "Win_SugarAlc";

  Win_SugarAlc();
  static Win_SugarAlc* makeOnce();

  QLabel* informLine() const { return inform_; }
  QLabel* alcVol(int row) const { return alcVol_[row]; }  // row 0..3
  QLabel* alcWgt(int row) const { return alcWgt_[row]; }
  QPushButton* allowanceButton() const { return allowance_; }
  QPushButton* closeButton() const { return close_; }

 private:
  void applyAllowance();
  void redisplay();

  brewmath::AlcoholBasis basis_;
  brewmath::SugarAlcoholTable table_;
  QLabel* inform_;
  std::array<QLabel*, 4> alcVol_{};
  std::array<QLabel*, 4> alcWgt_{};
  QPushButton* allowance_;
  QPushButton* close_;
};

}  // namespace vm
