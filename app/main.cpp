// Vatmark's entry: no command-line arguments are read.
//
// VATMARK_SPLASH_MS, when set, shortens the splash for timing runs;
// VATMARK_REPORT_SHOWN=1 writes, when the frame is on the screen, a line
// "frame-shown <ms since the epoch> <ms since main> <ms of processor time>"
// to standard error.  Without them the program runs as
// designed.
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/Registration.h"
#include "shell/Commands.h"
#include "shell/Program.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vatmark");

  // Each window subsystem adds its entries to vm::commands() here.
  vm::registerWindowCommands(vm::commands());
  vm::installHelpViewer();

  int splashMs = 4000;
  if (const char* s = std::getenv("VATMARK_SPLASH_MS")) splashMs = std::atoi(s);
  const bool reportShown = std::getenv("VATMARK_REPORT_SHOWN") != nullptr;

  app.setQuitOnLastWindowClosed(false);
  vm::Program program(splashMs);
  QObject::connect(&program, &vm::Program::frameClosed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  if (reportShown)
    QObject::connect(&program, &vm::Program::frameShown, &app, [&sinceMain] {
      // After the events of the first show have been handled: the frame is
      // on the screen.
      QTimer::singleShot(0, [&sinceMain] {
        std::fprintf(stderr, "frame-shown %lld %lld %lld\n",
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()),
                     static_cast<long long>(sinceMain.elapsed()),
                     static_cast<long long>(std::clock() * 1000.0 / CLOCKS_PER_SEC));
      });
    });
  program.start();
  const int rc = app.exec();
  program.finish();
  return rc;
}
