// Hydrometer/Temperature Utility: corrects a hydrometer reading for the
// temperature of the sample, in the scale the program settings choose.
// Several may be open at once; opened from the frame's Utilities menu.
#pragma once

#include "base/Decimal.h"
#include "brewmath/Units.h"
#include "platform/Window.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace vm {

class Win_GravityCorrectionUtility : public Window {
  Q_OBJECT
 public:
  static constexpr const char* kProcedure = "Win_GravityCorrectionUtility";

  Win_GravityCorrectionUtility();

  brewmath::TemperatureScale scale() const { return scale_; }
  Decimal correction() const { return correction_; }
  Decimal correctedGravity() const { return corrected_; }

  QSpinBox* gravitySpin() const { return gravity_; }
  QSpinBox* celsiusSpin() const { return tempC_; }
  QSpinBox* fahrenheitSpin() const { return tempF_; }
  // The spin of the scale in use.
  QSpinBox* temperatureSpin() const;
  QLabel* gravityDecimal() const { return gravityDec_; }
  QLabel* scaleLetter() const { return tempLetter_; }
  QLabel* correctionValue() const { return correctionValue_; }
  QLabel* correctedDisplay() const { return correctedGravity_; }
  QLabel* correctedWhole() const { return gravityNoDec_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void onField(QWidget* control, FieldEvent event) override;

 private:
  // Looks the correction of the shown temperature up; a temperature without
  // a band keeps the correction already shown.
  void lookUpCorrection();
  void recompute();
  void redisplay();

  brewmath::TemperatureScale scale_;
  Decimal reading_;     // decimal form of the spin's reading
  Decimal correction_;  // the correction shown
  Decimal corrected_;   // reading + correction
  int correctedWhole_ = 0;
  QSpinBox* gravity_;
  QSpinBox* tempC_;
  QSpinBox* tempF_;
  QLabel* gravityDec_;
  QLabel* tempLetter_;
  QLabel* correctionValue_;
  QLabel* correctedGravity_;
  QLabel* gravityNoDec_;
  QPushButton* ok_;
  QPushButton* cancel_;
  bool busy_ = false;
};

}  // namespace vm
