// Pictures of the real windows for people to look at: run under a virtual
// display (xvfb-run) in an empty folder; writes splash.png, frame-menu.png
// and about.png into the current folder with ImageMagick's "import".
// Not a test: nothing is checked here.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTimer>

#include "platform/Window.h"
#include "shell/Commands.h"
#include "shell/Main.h"
#include "shell/Program.h"

namespace {
void snap(const char* name) {
  QApplication::processEvents();
  QProcess::execute("import", {"-window", "root", QString::fromLatin1(name)});
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vm::Program program(4000);
  program.start();
  QTimer::singleShot(1500, [] { snap("splash.png"); });
  QObject::connect(&program, &vm::Program::frameOpened, [&program] {
    vm::Main* frame = program.frame();
    QTimer::singleShot(500, frame, [frame] {
      // Close the prompt if the defaults window stands in front.
      for (QAction* a : frame->menuBar()->actions())
        if (a->text() == "&Reports") frame->menuBar()->setActiveAction(a);
      QTimer::singleShot(300, frame, [frame] {
        if (QMenu* reports = frame->menuBar()->activeAction()
                                 ? frame->menuBar()->activeAction()->menu()
                                 : nullptr) {
          reports->setActiveAction(reports->actions().value(2));
          if (QMenu* sub = reports->actions().value(2)->menu())
            sub->popup(reports->mapToGlobal(QPoint(reports->width(), 40)));
        }
        QTimer::singleShot(500, frame, [frame] {
          snap("frame-menu.png");
          frame->menuBar()->setActiveAction(nullptr);
          for (QMenu* m : frame->findChildren<QMenu*>()) m->hide();
          frame->action("?HELPABOUTVATMARK")->trigger();
          QTimer::singleShot(700, frame, [frame] {
            snap("about.png");
            // A small window with the focus in an entry: the highlight.
            auto* w = new vm::Window("Win_Highlight");
            w->setWindowTitle("Focus highlight");
            w->setDesignSize(140, 50);
            auto* entry = new QLineEdit("Coopers Lager", w);
            w->place(entry, 8, 8, 100, 12);
            auto* tick = new QCheckBox("Ticked", w);
            w->place(tick, 8, 26);
            vm::startWindow(w);
            frame->activateWindow();
            entry->setFocus();
            QTimer::singleShot(500, frame, [frame] {
              snap("highlight.png");
              frame->close();
              QTimer::singleShot(200, qApp, &QApplication::quit);
            });
          });
        });
      });
    });
  });
  return app.exec();
}
