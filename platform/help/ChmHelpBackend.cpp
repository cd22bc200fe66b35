#include "platform/help/ChmHelpBackend.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpViewer.h"

namespace vm {

ChmHelpBackend::ChmHelpBackend(QStringList folders, QString fileName)
    : folders_(std::move(folders)), fileName_(std::move(fileName)) {}

HelpViewer* ChmHelpBackend::viewer() const {
  return viewer_.data();
}

ChmHelpBackend::~ChmHelpBackend() {
  // The viewer reads from file_, which goes with us.  Once the application
  // object is gone no widget may be touched; the viewer went before it (see
  // showViewer).
  if (QCoreApplication::instance()) delete viewer_.data();
}

QStringList ChmHelpBackend::searchFolders() const {
  if (!folders_.isEmpty()) return folders_;
  QStringList folders;
  if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
  QString current = QDir::currentPath();
  if (!folders.contains(current)) folders << current;
  return folders;
}

QString ChmHelpBackend::missingTitle() {
  return QObject::tr("Help file not found");
}

QString ChmHelpBackend::missingText(const QStringList& folders, const QString& fileName) {
  QStringList shown;
  for (const auto& f : folders) shown << QDir::toNativeSeparators(f);
  return QObject::tr(
             "The help file %1 could not be found, so help cannot be shown.|"
             "It belongs beside the program; it was looked for in:|%2|"
             "Installing the program again puts it back.")
      .arg(fileName, shown.join('|'));
}

QString ChmHelpBackend::unreadableTitle() {
  return QObject::tr("Help file cannot be read");
}

QString ChmHelpBackend::unreadableText(const QString& path) {
  return QObject::tr(
             "The help file %1 is there but could not be read: it is damaged or "
             "is not a help file.|Installing the program again puts a good copy in place.")
      .arg(QDir::toNativeSeparators(path));
}

QString ChmHelpBackend::topicMissingText(const QString& topic) {
  return QObject::tr("The help file has no page for \"%1\".").arg(topic);
}

HelpViewer* ChmHelpBackend::showViewer(QWidget* owner) {
  if (!viewer_) {
    viewer_ = new HelpViewer;
    viewer_->setAttribute(Qt::WA_DeleteOnClose, false);
    // An open help window must not keep the program running once the main
    // window has closed, and must be gone before the application object is.
    viewer_->setAttribute(Qt::WA_QuitOnClose, false);
    auto save = [viewer = viewer_, store = placement_.save] {
      if (viewer && store) store(viewer.data());
    };
    QObject::connect(viewer_, &HelpViewer::closed, viewer_, save);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     QCoreApplication::instance(), [viewer = viewer_, save] {
                       if (viewer && viewer->isVisible()) save();
                       delete viewer.data();
                     });
    if (file_.isOpen()) viewer_->setHelpFile(&file_);
    if (placement_.restore) {
      placement_.restore(viewer_);
    } else if (owner && owner->window()->isVisible()) {
      // Beside the window that asked, where the user is looking.
      QWidget* top = owner->window();
      viewer_->move(top->frameGeometry().topLeft() + QPoint(40, 40));
    }
  }
  // A modal window blocks every window outside it; help asked for from a
  // modal window must still be usable, so the viewer then goes with it.
  QWidget* modal = QApplication::activeModalWidget();
  QWidget* parent = modal && modal != viewer_ ? modal : nullptr;
  if (viewer_->parentWidget() != parent) {
    QRect geometry = viewer_->geometry();
    viewer_->setParent(parent, Qt::Window);
    viewer_->setGeometry(geometry);
  }
  if (viewer_->isMinimized()) viewer_->showNormal();
  viewer_->show();
  viewer_->raise();
  viewer_->activateWindow();
  return viewer_;
}

bool ChmHelpBackend::ensureOpen() {
  if (file_.isOpen()) return true;
  QStringList folders = searchFolders();
  QString unreadable;
  for (const auto& folder : folders) {
    QString path = QDir(folder).filePath(fileName_);
    if (!QFileInfo::exists(path)) continue;
    switch (file_.open(QFile::encodeName(path).toStdString())) {
      case ChmFile::OpenResult::Ok:
        if (viewer_) viewer_->setHelpFile(&file_);
        return true;
      case ChmFile::OpenResult::Unreadable:
        if (unreadable.isEmpty()) unreadable = path;
        break;
      case ChmFile::OpenResult::Missing:
        break;
    }
  }
  HelpViewer* viewer = showViewer(nullptr);
  viewer->setHelpFile(nullptr);
  if (!unreadable.isEmpty()) {
    viewer->showMessage(unreadableTitle(), unreadableText(unreadable));
  } else {
    viewer->showMessage(missingTitle(), missingText(folders, fileName_));
  }
  return false;
}

void ChmHelpBackend::showContents(QWidget* owner) {
  if (!ensureOpen()) return;
  HelpViewer* viewer = showViewer(owner);
  if (!file_.defaultTopic().empty() &&
      viewer->showPage(QString::fromStdString(file_.defaultTopic())))
    return;
  for (const auto& entry : file_.contents())
    if (!entry.locals.empty() && viewer->showPage(QString::fromStdString(entry.locals.front())))
      return;
  viewer->showMessage(QObject::tr("Help topic"),
                      QObject::tr("The help file has no contents page."));
}

void ChmHelpBackend::showKeyword(QWidget* owner, const std::string& keyword,
                                 const std::string& notFoundTitle,
                                 const std::string& notFoundText) {
  if (!ensureOpen()) return;
  HelpViewer* viewer = showViewer(owner);
  if (auto page = file_.keywordPage(keyword);
      page && viewer->showPage(QString::fromStdString(*page))) {
    viewer->markIndexEntry(QString::fromStdString(keyword));
    return;
  }
  viewer->showMessage(QString::fromStdString(notFoundTitle), QString::fromStdString(notFoundText));
}

void ChmHelpBackend::showTopic(QWidget* owner, const std::string& topic) {
  // Windows without a topic of their own open the help file at its start.
  if (QString::fromStdString(topic).trimmed().isEmpty()) {
    showContents(owner);
    return;
  }
  if (!ensureOpen()) return;
  HelpViewer* viewer = showViewer(owner);
  if (auto page = file_.topicPage(topic); page && viewer->showPage(QString::fromStdString(*page)))
    return;
  viewer->showMessage(QObject::tr("Help topic"), topicMissingText(QString::fromStdString(topic)));
}

}  // namespace vm
