#include "platform/help/HelpViewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <vector>

#include "platform/help/ChmFile.h"
#include "platform/help/HelpBrowser.h"

namespace vm {
namespace {
constexpr int kPageRole = Qt::UserRole + 1;
}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent) {
  setWindowFlag(Qt::Window);
  setWindowTitle(tr("Vatmark Help"));
  setObjectName("HelpViewer");

  auto* toolbar = addToolBar(tr("Navigation"));
  toolbar->setMovable(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  back_ = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"));
  back_->setShortcut(QKeySequence::Back);
  back_->setToolTip(tr("Back to the page shown before"));
  forward_ = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"));
  forward_->setShortcut(QKeySequence::Forward);
  forward_->setToolTip(tr("Forward again"));
  home_ = toolbar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Contents"));
  home_->setToolTip(tr("The help file's contents page"));

  panes_ = new QTabWidget;
  contents_ = new QTreeWidget;
  contents_->setHeaderHidden(true);
  contents_->setColumnCount(1);
  contents_->setUniformRowHeights(true);
  panes_->addTab(contents_, tr("Co&ntents"));

  auto* indexPane = new QWidget;
  auto* indexLayout = new QVBoxLayout(indexPane);
  indexLayout->setContentsMargins(4, 4, 4, 4);
  auto* prompt = new QLabel(tr("&Type in the keyword to find:"));
  indexFilter_ = new QLineEdit;
  prompt->setBuddy(indexFilter_);
  index_ = new QListWidget;
  indexShow_ = new QPushButton(tr("&Display"));
  indexLayout->addWidget(prompt);
  indexLayout->addWidget(indexFilter_);
  indexLayout->addWidget(index_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(indexShow_);
  indexLayout->addLayout(buttons);
  panes_->addTab(indexPane, tr("&Index"));

  browser_ = new HelpBrowser;
  auto* splitter = new QSplitter;
  splitter->addWidget(panes_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 640});
  setCentralWidget(splitter);
  resize(920, 660);

  connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home_, &QAction::triggered, this, &HelpViewer::showHome);
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
  // sourceChanged comes before source() has changed, hence its argument.
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& shown) {
    syncContents(shown);
    updateActions();
  });
  connect(browser_, &QTextBrowser::historyChanged, this, &HelpViewer::updateActions);
  connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    QString page = item->data(0, kPageRole).toString();
    if (!page.isEmpty()) showPage(page);
  });
  connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    QString page = item->data(0, kPageRole).toString();
    if (!page.isEmpty()) showPage(page);
  });
  connect(indexFilter_, &QLineEdit::textEdited, this, &HelpViewer::selectIndexEntry);
  connect(indexFilter_, &QLineEdit::returnPressed, this,
          [this] { openIndexEntry(index_->currentItem()); });
  connect(index_, &QListWidget::itemActivated, this, &HelpViewer::openIndexEntry);
  connect(indexShow_, &QPushButton::clicked, this,
          [this] { openIndexEntry(index_->currentItem()); });
  updateActions();
}

void HelpViewer::setHelpFile(const ChmFile* file) {
  file_ = file;
  browser_->setHelpFile(file);
  browser_->clearHistory();
  contents_->clear();
  index_->clear();
  indexFilter_->clear();
  setWindowTitle(file && !file->title().empty() ? QString::fromStdString(file->title())
                                                : tr("Vatmark Help"));
  if (!file) {
    updateActions();
    return;
  }

  std::vector<QTreeWidgetItem*> parents;  // the last item at each depth
  for (const auto& entry : file->contents()) {
    auto depth = static_cast<std::size_t>(entry.depth);
    if (depth > parents.size()) depth = parents.size();
    parents.resize(depth);
    auto* item = depth == 0 ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, QString::fromStdString(entry.name));
    if (!entry.locals.empty())
      item->setData(0, kPageRole,
                    QString::fromStdString(ChmFile::normalisePath(entry.locals.front())));
    parents.push_back(item);
  }
  contents_->expandToDepth(0);

  for (const auto& entry : file->index()) {
    auto* item =
        new QListWidgetItem(QString(entry.depth * 4, ' ') + QString::fromStdString(entry.name));
    if (!entry.locals.empty()) {
      QString local = QString::fromStdString(entry.locals.front());
      // Keep the fragment: an index entry may point into a page.
      QString path = QString::fromStdString(ChmFile::normalisePath(entry.locals.front()));
      if (auto hash = local.indexOf('#'); hash >= 0) path += local.mid(hash);
      item->setData(kPageRole, path);
    }
    index_->addItem(item);
  }
  if (index_->count() > 0) index_->setCurrentRow(0);
  updateActions();
}

bool HelpViewer::showPage(const QString& archivePath) {
  if (!file_) return false;
  QString path = archivePath;
  QString fragment;
  if (auto hash = path.indexOf('#'); hash >= 0) {
    fragment = path.mid(hash + 1);
    path.truncate(hash);
  }
  std::string normal = ChmFile::normalisePath(path.toStdString());
  if (!file_->contains(normal)) return false;
  // The archive's own spelling, so that the same page always has one URL.
  for (const auto& f : file_->files())
    if (QString::fromStdString(f).compare(QString::fromStdString(normal), Qt::CaseInsensitive) ==
        0) {
      normal = f;
      break;
    }
  QUrl url = HelpBrowser::pageUrl(QString::fromStdString(normal));
  if (!fragment.isEmpty()) url.setFragment(fragment);
  browser_->setSource(url, QTextDocument::HtmlResource);
  return true;
}

void HelpViewer::showMessage(const QString& title, const QString& text) {
  browser_->showMessage(title, text);
}

QString HelpViewer::currentPage() const {
  return HelpBrowser::archivePath(browser_->source());
}

void HelpViewer::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

void HelpViewer::showHome() {
  if (file_ && !file_->defaultTopic().empty() &&
      showPage(QString::fromStdString(file_->defaultTopic())))
    return;
  if (file_ && !file_->contents().empty() && !file_->contents().front().locals.empty())
    showPage(QString::fromStdString(file_->contents().front().locals.front()));
}

void HelpViewer::followLink(const QUrl& link) {
  QUrl url = link.isRelative() ? browser_->source().resolved(link) : link;
  QString path = HelpBrowser::archivePath(url);
  if (!path.isEmpty()) {
    if (url.hasFragment()) path += '#' + url.fragment();
    if (!showPage(path))
      showMessage(tr("Help topic"), tr("The page %1 is not in this help file.").arg(url.path()));
    return;
  }
  if (url.scheme() == "vmhelp-message") return;
  QDesktopServices::openUrl(url);
}

void HelpViewer::openIndexEntry(QListWidgetItem* item) {
  if (!item) return;
  QString page = item->data(kPageRole).toString();
  if (!page.isEmpty()) showPage(page);
}

void HelpViewer::markIndexEntry(const QString& keyword) {
  QString wanted = keyword.simplified();
  for (int i = 0; i < index_->count(); ++i) {
    if (index_->item(i)->text().simplified().compare(wanted, Qt::CaseInsensitive) == 0) {
      index_->setCurrentRow(i);
      index_->scrollToItem(index_->item(i));
      return;
    }
  }
}

void HelpViewer::selectIndexEntry(const QString& typed) {
  QString wanted = typed.trimmed();
  if (wanted.isEmpty()) return;
  for (int i = 0; i < index_->count(); ++i) {
    if (index_->item(i)->text().trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
      index_->setCurrentRow(i);
      index_->scrollToItem(index_->item(i), QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

void HelpViewer::syncContents(const QUrl& shown) {
  QString page = HelpBrowser::archivePath(shown);
  QSignalBlocker block(contents_);
  if (page.isEmpty()) {
    contents_->setCurrentItem(nullptr);
    return;
  }
  QTreeWidgetItemIterator it(contents_);
  while (*it) {
    if ((*it)->data(0, kPageRole).toString().compare(page, Qt::CaseInsensitive) == 0) {
      contents_->setCurrentItem(*it);
      contents_->scrollToItem(*it);
      return;
    }
    ++it;
  }
}

void HelpViewer::updateActions() {
  back_->setEnabled(browser_->isBackwardAvailable());
  forward_->setEnabled(browser_->isForwardAvailable());
  home_->setEnabled(file_ != nullptr);
}

}  // namespace vm
