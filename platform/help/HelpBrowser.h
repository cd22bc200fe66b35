// The page area of the help viewer: a text browser whose pages, style sheets
// and pictures come out of the help file.  Pages of the file have URLs of
// the form "chm:/Page.htm"; relative links and pictures inside them resolve
// against the page, so they work as they would in any help viewer.  The
// viewer's own messages are pages too ("vmhelp-message:/N"), so Back and
// Forward step over them like over any page.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>
#include <QVariant>

namespace vm {

class ChmFile;

class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);

  // The file the pages come from; nullptr shows nothing but messages.
  void setHelpFile(const ChmFile* file) { file_ = file; }

  static QUrl pageUrl(const QString& archivePath);
  // The archive path of a help-file URL ("/Page.htm"), or empty.
  static QString archivePath(const QUrl& url);

  // Shows a page of the viewer's own with `title` as its heading and `text`
  // below it ("|" starts a new line, as in the program's message boxes).
  void showMessage(const QString& title, const QString& text);
  // The title and text of the message on show, empty while a page of the
  // help file is shown.
  QString messageTitle() const;
  QString messageText() const;

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  QUrl resolved(const QUrl& name) const;

  const ChmFile* file_ = nullptr;
  QStringList messageTitles_, messageTexts_;
};

}  // namespace vm
