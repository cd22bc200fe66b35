// Controls and helpers the calculator windows share: a message of the
// brewing arithmetic shown through the message service, read-only value
// displays written by picture, and a number spin box that shows zero as
// blank the way the "B" pictures do.
#pragma once

#include <QDoubleSpinBox>
#include <QLabel>
#include <QString>

#include <string>

#include "base/Decimal.h"
#include "brewmath/Message.h"

class QToolButton;

namespace vm {
class Window;
}

namespace vm::calc {

// Shows a message of the arithmetic as a message box; the 1-based answer.
int show(const brewmath::Message& m, QWidget* owner);

// A value the window shows but the user cannot edit, right-aligned in a
// sunken frame.
QLabel* makeDisplay(QWidget* parent, const char* name);
void setDisplay(QLabel* display, const Decimal& value, const char* picture);
void setDisplay(QLabel* display, double value, const char* picture);

// A plain text label; with an access key ("&Final Gravity:") it moves the
// focus to `buddy`.
QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// The icon button that starts the calculator program.
QToolButton* makeCalculatorButton(QWidget* parent, const char* name);
// The copy-to-clipboard icon.
QIcon copyIcon();

// A spin box for decimal values.  Zero shows as blank (the "B" pictures),
// typed numbers use a point whatever the desktop's locale, and the arrows
// stop at [stepMinimum, maximum] even where the box can hold a lower value
// (a converter input starts blank at 0 although its range begins at 0.1).
class NumberSpin : public QDoubleSpinBox {
 public:
  NumberSpin(QWidget* parent, const char* name, double stepMinimum, double maximum, double step,
             int decimals, double holdMinimum);

  // The value as the decimal the window computes with.
  Decimal decimal() const;
  void setDecimal(const Decimal& value);

  void stepBy(int steps) override;
  QString textFromValue(double value) const override;
  double valueFromText(const QString& text) const override;
  QValidator::State validate(QString& input, int& pos) const override;

 private:
  double stepMinimum_;
};

}  // namespace vm::calc
