#include "brews/Win_AlcCalculator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "base/Picture.h"
#include "brewmath/Alcohol.h"
#include "brews/CalcControls.h"
#include "platform/Shell.h"

namespace vm {

namespace {
constexpr const char* kGravityPicture = "@N5.3";
constexpr const char* kTypedPicture = "@N-12.3";
constexpr const char* kAlcoholPicture = "@N5.2";
constexpr const char* kGravityTip = "Key in or use + - buttons";

QPushButton* stepButton(QWidget* parent, const char* name, const char* text, const char* tip) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setToolTip(tip);
  return b;
}
}  // namespace

Win_AlcCalculator::Win_AlcCalculator()
    : Window(kProcedure), og_(Decimal::fromUnits(1035, 3)), fg_(Decimal::fromUnits(1005, 3)) {
  setWindowTitle("Alcohol % Calculator");
  setFont(programFont("MS Sans Serif", 8));
  setDesignSize(220, 156);
  setHelp("Alcohol % calculator", kProcedure);

  auto entry = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setToolTip(kGravityTip);
    e->setMaxLength(5);
    return e;
  };
  ogEntry_ = entry("?LOC:OG");
  fgEntry_ = entry("?LOC:FG");
  ogMinus_ = stepButton(this, "?OGMINUS", "-", "Decrease");
  ogPlus_ = stepButton(this, "?OGPLUS", "+", "Increase");
  fgMinus_ = stepButton(this, "?FGMINUS", "-", "Decrease");
  fgPlus_ = stepButton(this, "?FGPLUS", "+", "Increase");
  gravityDiff_ = calc::makeDisplay(this, "?LOC:GRAVITYDIFF");
  abv_ = calc::makeDisplay(this, "?LOC:ABV:2");
  abvBottle_ = calc::makeDisplay(this, "?LOC:ABVBOTTLE");
  abw_ = calc::makeDisplay(this, "?LOC:ABW");
  abwBottle_ = calc::makeDisplay(this, "?LOC:ABWBOTTLE");

  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  // Prompts end at x 136, values stand in x 140..176, steps and words after.
  place(calc::makeLabel(this, "Original &Gravity:", ogEntry_, right), 6, 10, 128, 12);
  place(ogEntry_, 140, 10, 36, 12);
  place(ogMinus_, 180, 10, 14, 12);
  place(ogPlus_, 196, 10, 14, 12);
  place(calc::makeLabel(this, "&Final Gravity:", fgEntry_, right), 6, 28, 128, 12);
  place(fgEntry_, 140, 28, 36, 12);
  place(fgMinus_, 180, 28, 14, 12);
  place(fgPlus_, 196, 28, 14, 12);

  place(calc::makeLabel(this, "OG - FG  =", nullptr, right), 6, 48, 128, 11);
  place(gravityDiff_, 140, 48, 36, 11);

  place(calc::makeLabel(this, "Alcohol % by Volume:", nullptr, right), 6, 66, 128, 11);
  place(abv_, 140, 66, 36, 11);
  place(calc::makeLabel(this, "ABV"), 180, 66, 30, 11);
  place(calc::makeLabel(this, "+ 0.5% for bottle conditioning =", nullptr, right), 6, 80, 128, 11);
  place(abvBottle_, 140, 80, 36, 11);

  place(calc::makeLabel(this, "Alcohol % by Weight:", nullptr, right), 6, 98, 128, 11);
  place(abw_, 140, 98, 36, 11);
  place(calc::makeLabel(this, "ABW"), 180, 98, 30, 11);
  place(calc::makeLabel(this, "+ 0.4% for bottle conditioning =", nullptr, right), 6, 112, 128, 11);
  place(abwBottle_, 140, 112, 36, 11);

  calculator_ = calc::makeCalculatorButton(this, "?BUTTON7");
  place(calculator_, 8, 134, 16, 15);
  calculator_->setIconSize(calculator_->size() - QSize(4, 4));
  close_ = new QPushButton("Cl&ose", this);
  close_->setObjectName("?CLOSE");
  place(close_, 140, 134, 50, 15);
  addHelpButton(196, 134, 16, 15);

  watch(ogEntry_);
  watch(fgEntry_);
  onAccepted(ogMinus_, [this] { originalChanged(brewmath::StepGravity(og_, -1)); });
  onAccepted(ogPlus_, [this] { originalChanged(brewmath::StepGravity(og_, +1)); });
  onAccepted(fgMinus_, [this] { finalChanged(brewmath::StepGravity(fg_, -1)); });
  onAccepted(fgPlus_, [this] { finalChanged(brewmath::StepGravity(fg_, +1)); });
  onAccepted(calculator_, [] { StartSumpad(); });
  onAccepted(close_, [this] { finish(); });

  redisplay();
}

Win_AlcCalculator* Win_AlcCalculator::makeOnce() {
  if (bringToFront(kProcedure)) return nullptr;
  return new Win_AlcCalculator;
}

void Win_AlcCalculator::onField(QWidget* control, FieldEvent event) {
  if (event != FieldEvent::Accept || busy_) return;
  if (control == ogEntry_)
    originalChanged(typed(ogEntry_, og_));
  else if (control == fgEntry_)
    finalChanged(typed(fgEntry_, fg_));
}

Decimal Win_AlcCalculator::typed(QLineEdit* entry, const Decimal& current) const {
  // Read wider than the display picture: a reading typed in whole form
  // ("1046") or out of any range is a number all the same, and the checks
  // have to report it rather than the entry quietly taking back its text.
  auto value = parseNumber(entry->text().toStdString(), kTypedPicture);
  return value ? value->stored(3) : current;
}

void Win_AlcCalculator::originalChanged(const Decimal& og) {
  // While a message is up the entry may report its focus leaving; the
  // reading is already being checked.
  busy_ = true;
  const auto check = brewmath::CheckOriginalGravity(og, fg_);
  for (const auto& m : check.messages) calc::show(m, this);
  og_ = check.reading;
  busy_ = false;
  redisplay();
}

void Win_AlcCalculator::finalChanged(const Decimal& fg) {
  busy_ = true;
  const auto check = brewmath::CheckFinalGravity(og_, fg);
  for (const auto& m : check.messages) calc::show(m, this);
  fg_ = check.reading;
  busy_ = false;
  redisplay();
}

void Win_AlcCalculator::redisplay() {
  const auto r = brewmath::CalcAlcohol(og_, fg_);
  ogEntry_->setText(QString::fromStdString(formatNumber(og_, kGravityPicture)));
  fgEntry_->setText(QString::fromStdString(formatNumber(fg_, kGravityPicture)));
  calc::setDisplay(gravityDiff_, r.drop, kGravityPicture);
  calc::setDisplay(abv_, r.abv, kAlcoholPicture);
  calc::setDisplay(abvBottle_, r.abvWithAllowance, kAlcoholPicture);
  calc::setDisplay(abw_, r.abw, kAlcoholPicture);
  calc::setDisplay(abwBottle_, r.abwWithAllowance, kAlcoholPicture);
}

}  // namespace vm
