// Pictures of the help viewer for a person to look at, saved as PNG files in
// the folder given: the contents page, a window's topic, a keyword with the
// index pane and a missing keyword; or, when topic names follow the folder,
// one picture of each of those topics.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <vector>

#include "platform/help/ChmHelpBackend.h"
#include "platform/help/HelpViewer.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
  vm::ChmHelpBackend backend;
  struct Shot {
    QString file;
    std::function<void()> show;
  };
  std::vector<Shot> shots;
  for (int i = 2; i < argc; ++i) {
    std::string topic = argv[i];
    shots.push_back({QString("help_%1.png").arg(argv[i]),
                     [&backend, topic] { backend.showTopic(nullptr, topic); }});
  }
  if (shots.empty()) {
    shots = {
        {"help_contents.png", [&] { backend.showContents(nullptr); }},
        {"help_topic.png", [&] { backend.showTopic(nullptr, "UpdateHOMEBREW"); }},
        {"help_index.png",
         [&] {
           backend.showKeyword(nullptr, "Program defaults", "Help topic", "Not found");
           backend.viewer()->panes()->setCurrentIndex(1);
         }},
        {"help_notfound.png",
         [&] { backend.showKeyword(nullptr, "Brew day", "Help topic", "Not Found"); }},
    };
  }
  int failures = 0;
  for (const auto& shot : shots) {
    shot.show();
    // Let the window be mapped and painted before it is grabbed.
    QEventLoop wait;
    QTimer::singleShot(400, &wait, &QEventLoop::quit);
    wait.exec();
    if (!backend.viewer() || !backend.viewer()->grab().save(QDir(out).filePath(shot.file)))
      ++failures;
  }
  return failures;
}
