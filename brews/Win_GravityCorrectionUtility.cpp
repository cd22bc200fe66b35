#include "brews/Win_GravityCorrectionUtility.h"

#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "brewmath/Alcohol.h"
#include "brewmath/TemperatureCorrection.h"
#include "brews/CalcControls.h"
#include "store/Globals.h"

namespace vm {

namespace {
constexpr const char* kDecimalPicture = "@N5.3B";
constexpr const char* kGravityPicture = "@N5.3";
// The cold bands correct by -0.001, which needs a sixth place for its sign.
constexpr const char* kCorrectionPicture = "@N-6.3";
constexpr const char* kWholePicture = "@N4B";
constexpr int kStartReading = 1035;
constexpr int kStartCelsius = 21;
constexpr int kStartFahrenheit = 70;

QSpinBox* spin(QWidget* parent, const char* name, int from, int to, int value) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setLocale(QLocale::c());
  s->setRange(from, to);
  s->setSingleStep(1);
  s->setValue(value);
  s->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return s;
}
}  // namespace

Win_GravityCorrectionUtility::Win_GravityCorrectionUtility()
    : Window(kProcedure), scale_(brewmath::temperatureScaleFromSetting(globals().tempPrompt)) {
  setWindowTitle("Hydrometer/Temperature Utility");
  setFont(programFont("MS Sans Serif", 8));
  setDesignSize(222, 146);
  setHelp("Gravity correction calculator", "Win_GravityCorrection");

  auto* group = new QGroupBox("Specific Gravity correction for a given temperature", this);
  place(group, 6, 4, 210, 112);
  place(calc::makeLabel(this, "For use with hydrometers calibrated for 60F (15.56C)", nullptr,
                        Qt::AlignCenter),
        12, 16, 198, 10);

  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  gravity_ = spin(this, "?LOC:GRAVITY", 900, 1200, kStartReading);
  tempC_ = spin(this, "?LOC:BREWTEMPC", 10, 70, kStartCelsius);
  tempF_ = spin(this, "?LOC:BREWTEMPF", 50, 155, kStartFahrenheit);
  gravityDec_ = calc::makeDisplay(this, "?LOC:GRAVITYDEC");
  tempLetter_ = new QLabel(this);
  tempLetter_->setObjectName("?LOC:TEMP");
  correctionValue_ = calc::makeDisplay(this, "?LOC:CORRECTIONVALUE");
  correctedGravity_ = calc::makeDisplay(this, "?LOC:CORRECTEDGRAVITY");
  gravityNoDec_ = calc::makeDisplay(this, "?LOC:GRAVITYNODEC");

  place(calc::makeLabel(this, "Specific Gravity:", gravity_, right), 12, 32, 100, 12);
  place(gravity_, 116, 32, 36, 12);
  place(calc::makeLabel(this, "< "), 156, 32, 8, 12);
  place(gravityDec_, 166, 32, 32, 12);

  auto* tempPrompt = calc::makeLabel(this, "Temperature at Reading:", nullptr, right);
  place(tempPrompt, 12, 50, 100, 12);
  place(tempC_, 116, 50, 30, 12);
  place(tempF_, 116, 50, 30, 12);
  place(tempLetter_, 150, 50, 10, 12);

  place(calc::makeLabel(this, "Temperature Correction:", nullptr, right), 12, 70, 100, 11);
  place(correctionValue_, 116, 70, 36, 11);
  place(calc::makeLabel(this, "Corrected Specific Gravity:", nullptr, right), 12, 88, 100, 11);
  place(correctedGravity_, 116, 88, 36, 11);
  place(calc::makeLabel(this, "key as"), 158, 88, 26, 11);
  place(gravityNoDec_, 184, 88, 26, 11);

  ok_ = new QPushButton("&OK", this);
  ok_->setObjectName("?OK");
  ok_->setToolTip("Accept operation");
  place(ok_, 72, 124, 50, 15);
  cancel_ = new QPushButton("&Cancel", this);
  cancel_->setObjectName("?CANCEL");
  cancel_->setToolTip("Cancel Operation");
  place(cancel_, 128, 124, 50, 15);
  QToolButton* help = addHelpButton(198, 124, 16, 15);
  help->setToolTip("See Help Window");

  // Only the spin of the chosen scale is shown; the prompt follows it.
  const bool celsius = scale_ == brewmath::TemperatureScale::Celsius;
  tempC_->setVisible(celsius);
  tempF_->setVisible(!celsius);
  tempPrompt->setBuddy(temperatureSpin());
  tempLetter_->setText(QString::fromStdString(brewmath::temperatureLetter(scale_)));

  watch(gravity_);
  watch(tempC_);
  watch(tempF_);
  onAccepted(ok_, [this] { finish(1); });
  onAccepted(cancel_, [this] { finish(0); });

  reading_ = brewmath::gravityFromWhole(gravity_->value());
  lookUpCorrection();
  recompute();
}

QSpinBox* Win_GravityCorrectionUtility::temperatureSpin() const {
  return scale_ == brewmath::TemperatureScale::Celsius ? tempC_ : tempF_;
}

void Win_GravityCorrectionUtility::onField(QWidget* control, FieldEvent event) {
  if (busy_) return;
  auto* s = qobject_cast<QSpinBox*>(control);
  if (!s) return;
  if (event == FieldEvent::Change) {
    // The box stays up while the spin keeps its value; a focus change it
    // causes is not a new event of the spin.
    busy_ = true;
    std::optional<brewmath::Message> outOfRange;
    if (s == gravity_)
      outOfRange = brewmath::correctionGravityRangeMessage(s->value());
    else if (s == tempC_)
      outOfRange = brewmath::correctionTemperatureRangeMessage(brewmath::TemperatureScale::Celsius,
                                                               s->value());
    else if (s == tempF_)
      outOfRange = brewmath::correctionTemperatureRangeMessage(
          brewmath::TemperatureScale::Fahrenheit, s->value());
    if (outOfRange) calc::show(*outOfRange, this);
    busy_ = false;
  }
  if (s == gravity_) {
    reading_ = brewmath::gravityFromWhole(gravity_->value());
  } else if (s == temperatureSpin()) {
    lookUpCorrection();
  }
  recompute();
}

void Win_GravityCorrectionUtility::lookUpCorrection() {
  const int degrees = temperatureSpin()->value();
  if (auto found = brewmath::TemperatureCorrection(scale_, degrees)) correction_ = *found;
}

void Win_GravityCorrectionUtility::recompute() {
  // The reading moved, or the correction was looked up again: the
  // corrected reading follows with the correction shown.  Without a band
  // neither the correction nor the reading changed, so it stays as it was.
  const auto c = brewmath::correctGravity(reading_, correction_);
  corrected_ = c.gravity;
  correctedWhole_ = c.whole;
  redisplay();
}

void Win_GravityCorrectionUtility::redisplay() {
  calc::setDisplay(gravityDec_, reading_, kDecimalPicture);
  calc::setDisplay(correctionValue_, correction_, kCorrectionPicture);
  calc::setDisplay(correctedGravity_, corrected_, kGravityPicture);
  calc::setDisplay(gravityNoDec_, Decimal(correctedWhole_), kWholePicture);
}

}  // namespace vm
