#include "brews/CalcControls.h"

#include <QLocale>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "base/Picture.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"

// The resource initialiser has to be named outside any namespace.
static void initBrewsResources() {
  Q_INIT_RESOURCE(brews);
}

namespace vm::calc {

namespace {
MessageIcon iconOf(brewmath::MessageIcon icon) {
  switch (icon) {
    case brewmath::MessageIcon::Information:
      return MessageIcon::Information;
    case brewmath::MessageIcon::Question:
      return MessageIcon::Question;
    case brewmath::MessageIcon::Exclamation:
      return MessageIcon::Exclamation;
    case brewmath::MessageIcon::Error:
      return MessageIcon::Error;
  }
  return MessageIcon::Information;
}
}  // namespace

int show(const brewmath::Message& m, QWidget* owner) {
  return message(m.title, m.text, iconOf(m.icon), m.buttons, 0, owner);
}

QLabel* makeDisplay(QWidget* parent, const char* name) {
  auto* d = new QLabel(parent);
  d->setObjectName(name);
  d->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  d->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  d->setMargin(1);
  return d;
}

void setDisplay(QLabel* display, const Decimal& value, const char* picture) {
  display->setText(QString::fromStdString(formatNumber(value, picture)));
}

void setDisplay(QLabel* display, double value, const char* picture) {
  display->setText(QString::fromStdString(formatNumber(value, picture)));
}

QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy, Qt::Alignment align) {
  auto* l = new QLabel(text, parent);
  l->setAlignment(align);
  if (buddy) l->setBuddy(buddy);
  return l;
}

QToolButton* makeCalculatorButton(QWidget* parent, const char* name) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setIcon(resourceIcon("calculator.svg"));
  b->setToolTip("Calculator");
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

QIcon copyIcon() {
  static const bool done = (initBrewsResources(), true);
  (void)done;
  return QIcon(QStringLiteral(":/brews/copy.svg"));
}

NumberSpin::NumberSpin(QWidget* parent, const char* name, double stepMinimum, double maximum,
                       double step, int decimals, double holdMinimum)
    : QDoubleSpinBox(parent), stepMinimum_(stepMinimum) {
  setObjectName(name);
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::OmitGroupSeparator);
  setLocale(c);
  setDecimals(decimals);
  setRange(std::min(holdMinimum, stepMinimum), maximum);
  setSingleStep(step);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setValue(0);
}

Decimal NumberSpin::decimal() const {
  return Decimal::fromDouble(value(), decimals());
}

void NumberSpin::setDecimal(const Decimal& value) {
  setValue(value.toDouble());
}

void NumberSpin::stepBy(int steps) {
  const double next = std::clamp(value() + steps * singleStep(), stepMinimum_, maximum());
  setValue(next);
  selectAll();
}

QString NumberSpin::textFromValue(double value) const {
  const double rounded =
      std::round(value * std::pow(10.0, decimals())) / std::pow(10.0, decimals());
  if (rounded == 0) return {};
  return QString::number(rounded, 'f', decimals());
}

double NumberSpin::valueFromText(const QString& text) const {
  if (text.trimmed().isEmpty()) return 0;
  return QDoubleSpinBox::valueFromText(text);
}

QValidator::State NumberSpin::validate(QString& input, int& pos) const {
  if (input.trimmed().isEmpty()) return QValidator::Acceptable;
  return QDoubleSpinBox::validate(input, pos);
}

}  // namespace vm::calc
