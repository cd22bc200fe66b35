#include "shell/Program.h"

#include <QApplication>

#include "platform/ProgramEvents.h"
#include "platform/Resources.h"
#include "platform/browse/StoreMessageBoxes.h"
#include "shell/Commands.h"
#include "shell/Main.h"
#include "shell/OpeningSplash.h"
#include "store/Globals.h"
#include "store/ProgramSettings.h"

namespace vm {

Program::Program(int splashMilliseconds) : splashMs_(splashMilliseconds) {}

Program::~Program() {
  finish();
}

void Program::start() {
  // 1. Tool tips for the whole program, from "TipFlag".
  readTipFlag(globals());
  installProgramEvents();
  applyTipFlag();
  // 2. The window settings store needs no opening: each window reads and
  //    writes .\Browse.ini itself as it opens and closes.
  // 3. The record store opens each table when a window first asks for it;
  //    what it has to tell the user comes up as message boxes.
  installStoreMessageBoxes();
  // A table that cannot be opened ends the program once its message has
  // been closed: the frame closes as at Exit, every window with it.
  setFatalStoreErrorAction([this] {
    if (frame_)
      frame_->close();
    else if (qApp)
      qApp->quit();
  });
  // 4. The program's icon for all its windows.
  initResources();
  if (qApp) qApp->setWindowIcon(programIcon());
  // 5. Full-window dragging off for the run.
  drag_.switchOff();

  registerShellCommands(commands());

  // 6. Main: the splash first; the frame once it has gone.
  globals().browseOpen = 0;
  splash_ = new OpeningSplash(splashMs_);
  connect(splash_, &OpeningSplash::closed, this, &Program::openFrame, Qt::QueuedConnection);
  splash_->show();
  emit splashShown();
}

void Program::openFrame() {
  if (frame_) return;
  frame_ = new Main;
  connect(frame_, &Main::opened, this, &Program::frameOpened);
  connect(frame_, &Main::closed, this, &Program::frameClosed);
  frame_->open();
  emit frameShown();
}

void Program::finish() {
  if (finished_) return;
  finished_ = true;
  // 7. Nothing of the window store is held open.
  // 8. Full-window dragging back on if step 5 switched it off.
  drag_.restore();
}

}  // namespace vm
