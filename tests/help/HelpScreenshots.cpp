// Pictures of the help viewer for a person to look at: the contents page and
// a window's topic, saved as PNG files in the folder given.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "platform/help/ChmHelpBackend.h"
#include "platform/help/HelpViewer.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
  vm::ChmHelpBackend backend;
  struct Shot {
    const char* file;
    void (*show)(vm::ChmHelpBackend&);
  } shots[] = {
      {"help_contents.png", [](vm::ChmHelpBackend& b) { b.showContents(nullptr); }},
      {"help_topic.png", [](vm::ChmHelpBackend& b) { b.showTopic(nullptr, "UpdateHOMEBREW"); }},
      {"help_backup.png",
       [](vm::ChmHelpBackend& b) {
         b.showKeyword(nullptr, "Data Backup", "Help topic", "Not Found");
       }},
      {"help_index.png",
       [](vm::ChmHelpBackend& b) {
         b.showKeyword(nullptr, "Program defaults", "Help topic", "Not found");
         b.viewer()->panes()->setCurrentIndex(1);
       }},
      {"help_notfound.png",
       [](vm::ChmHelpBackend& b) {
         b.showKeyword(nullptr, "Brew day", "Help topic", "Not Found");
       }},
  };
  int failures = 0;
  for (const auto& shot : shots) {
    shot.show(backend);
    // Let the window be mapped and painted before it is grabbed.
    QEventLoop wait;
    QTimer::singleShot(400, &wait, &QEventLoop::quit);
    wait.exec();
    QString path = QDir(out).filePath(shot.file);
    if (!backend.viewer() || !backend.viewer()->grab().save(path)) ++failures;
  }
  return failures;
}
