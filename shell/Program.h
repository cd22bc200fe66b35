// Vatmark from start to end.  Start: the tool-tip setting, the window store,
// the record store, the program icon, full-window dragging switched off;
// then Main (the splash, then the frame) until the frame closes; end: the
// window store closed and full-window dragging switched on again when the
// start switched it off.
#pragma once

#include <QObject>
#include <QPointer>

#include "platform/DesktopSettings.h"
#include "shell/Main.h"
#include "shell/OpeningSplash.h"

namespace vm {

class Program : public QObject {
  Q_OBJECT
 public:
  // `splashMilliseconds`: how long the splash stays up (4000 as designed).
  explicit Program(int splashMilliseconds = 4000);
  ~Program() override;

  // Program start steps 1 to 5, then Main: the splash, and the frame once
  // the splash has closed.  Returns at once; the event loop runs the rest.
  void start();
  // Program end steps 7 and 8.
  void finish();

  Main* frame() const { return frame_; }
  OpeningSplash* splash() const { return splash_; }

 signals:
  void splashShown();
  void frameShown();   // the frame is up (its open event follows)
  void frameOpened();  // opening has finished (prompt, brew browser)
  void frameClosed();

 private:
  void openFrame();

  int splashMs_;
  QPointer<Main> frame_;
  QPointer<OpeningSplash> splash_;
  DragFullWindowsGuard drag_;
  bool finished_ = false;
};

}  // namespace vm
