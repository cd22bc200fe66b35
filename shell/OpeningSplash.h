// The start-up splash: the program's name over its background picture while
// the frame gets ready.  It closes itself after four seconds, at a click or
// double-click anywhere in it, or when it loses the focus.
#pragma once

#include <QWidget>

class QTimer;

namespace vm {

class OpeningSplash : public QWidget {
  Q_OBJECT
 public:
  // `milliseconds`: how long it stays up (4000 as designed).
  explicit OpeningSplash(int milliseconds = 4000);

  static constexpr const char* kVersionLine = "Version 1.44  -  for Windows";

 signals:
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QTimer* timer_;
  bool wasActive_ = false;
  bool closed_ = false;
};

}  // namespace vm
