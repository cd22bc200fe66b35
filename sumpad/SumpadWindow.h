// Sumpad's one window: the display field and the thirty keys laid out in
// dialog units, with the background picture behind them. Every key press is
// passed to the engine and the display re-read from it.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <map>

#include "sumpad/Calculator.h"

class QLineEdit;
class QPushButton;

class SumpadWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SumpadWindow(QWidget* parent = nullptr);

  QLineEdit* display() const { return display_; }
  // The button for key; nullptr for Key::Display.
  QPushButton* button(sumpad::Key key) const;
  const sumpad::Calculator& calculator() const { return calc_; }

  // Pixel size of one horizontal and one vertical dialog unit.
  double unitWidth() const { return unitX_; }
  double unitHeight() const { return unitY_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect dialogRect(int x, int y, int w, int h) const;
  void pressKey(sumpad::Key key);
  void commitTypedText();
  void refresh();

  sumpad::Calculator calc_;
  QLineEdit* display_ = nullptr;
  std::map<sumpad::Key, QPushButton*> buttons_;
  std::map<Qt::Key, QPushButton*> keypadKeys_;
  bool typedChange_ = false;
  double unitX_ = 1;
  double unitY_ = 1;
  QPixmap background_;
};
