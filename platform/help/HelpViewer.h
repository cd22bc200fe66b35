// The help viewer window: a top-level window with Back, Forward and
// Contents buttons, a Contents and an Index pane on the left and the page on
// the right.  The program keeps one and brings it forward for every request
// (see ChmHelpBackend).
#pragma once

#include <QMainWindow>
#include <QString>

class QAction;
class QCloseEvent;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace vm {

class ChmFile;
class HelpBrowser;

class HelpViewer : public QMainWindow {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);

  // Fills the panes from `file` (nullptr empties them).  The file must
  // outlive the viewer or be replaced before it goes.
  void setHelpFile(const ChmFile* file);

  // Shows a page of the help file ("/Main.htm", a fragment may follow "#");
  // false, and nothing changes, when the file has no such page.
  bool showPage(const QString& archivePath);
  // Shows the viewer's own message page (see HelpBrowser::showMessage).
  void showMessage(const QString& title, const QString& text);

  // Marks `keyword` in the index pane (the entry a keyword lookup found).
  void markIndexEntry(const QString& keyword);

  // The archive path of the page on show; empty while a message is shown.
  QString currentPage() const;

  HelpBrowser* browser() const { return browser_; }
  QTreeWidget* contentsTree() const { return contents_; }
  QListWidget* indexList() const { return index_; }
  QLineEdit* indexFilter() const { return indexFilter_; }
  QTabWidget* panes() const { return panes_; }

 signals:
  // The user closed the window (it stays for the next request).
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void followLink(const QUrl& url);
  void openIndexEntry(QListWidgetItem* item);
  void selectIndexEntry(const QString& typed);
  void syncContents(const QUrl& shown);
  void updateActions();
  void showHome();

  const ChmFile* file_ = nullptr;
  HelpBrowser* browser_ = nullptr;
  QTabWidget* panes_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QListWidget* index_ = nullptr;
  QLineEdit* indexFilter_ = nullptr;
  QPushButton* indexShow_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QAction* home_ = nullptr;
};

}  // namespace vm
