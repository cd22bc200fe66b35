#include "platform/help/HelpBrowser.h"

#include <QTextDocument>

#include "platform/help/ChmFile.h"

namespace vm {
namespace {
constexpr auto kPageScheme = "chm";
constexpr auto kMessageScheme = "vmhelp-message";
}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Navigation is the viewer's: links to the help file stay here, others go
  // to the desktop (see HelpViewer).
  setOpenLinks(false);
  setOpenExternalLinks(false);
}

QUrl HelpBrowser::pageUrl(const QString& archivePath) {
  QUrl url;
  url.setScheme(kPageScheme);
  url.setPath(archivePath.startsWith('/') ? archivePath : '/' + archivePath);
  return url;
}

QString HelpBrowser::archivePath(const QUrl& url) {
  if (url.scheme() != kPageScheme) return {};
  return url.path();
}

QUrl HelpBrowser::resolved(const QUrl& name) const {
  if (!name.isRelative()) return name;
  QUrl base = document()->baseUrl();
  if (!base.isValid() || base.isEmpty()) base = source();
  if (!base.isValid() || base.isEmpty()) base = pageUrl("/");
  return base.resolved(name);
}

void HelpBrowser::showMessage(const QString& title, const QString& text) {
  messageTitles_ << title;
  messageTexts_ << text;
  QUrl url;
  url.setScheme(kMessageScheme);
  url.setPath('/' + QString::number(messageTitles_.size() - 1));
  setSource(url, QTextDocument::HtmlResource);
}

QString HelpBrowser::messageTitle() const {
  if (source().scheme() != kMessageScheme) return {};
  bool ok = false;
  int n = source().path().mid(1).toInt(&ok);
  return ok && n >= 0 && n < messageTitles_.size() ? messageTitles_[n] : QString();
}

QString HelpBrowser::messageText() const {
  if (source().scheme() != kMessageScheme) return {};
  bool ok = false;
  int n = source().path().mid(1).toInt(&ok);
  return ok && n >= 0 && n < messageTexts_.size() ? messageTexts_[n] : QString();
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  QUrl url = resolved(name);
  if (url.scheme() == kMessageScheme) {
    bool ok = false;
    int n = url.path().mid(1).toInt(&ok);
    if (!ok || n < 0 || n >= messageTitles_.size()) return {};
    QString text = messageTexts_[n].toHtmlEscaped().replace('|', "<br>");
    return QStringLiteral(
               "<html><head><title>%1</title></head><body style=\"font-family: sans-serif;\">"
               "<h2 style=\"color: #7a3e00;\">%1</h2><p>%2</p></body></html>")
        .arg(messageTitles_[n].toHtmlEscaped(), text);
  }
  if (url.scheme() == kPageScheme) {
    if (!file_) return {};
    auto data = file_->read(url.path().toStdString());
    if (!data) return {};
    QByteArray bytes(data->data(), static_cast<qsizetype>(data->size()));
    // Our pages and style sheets are UTF-8; the text browser would guess.
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
      return QString::fromUtf8(bytes);
    return bytes;
  }
  return QTextBrowser::loadResource(type, url);
}

}  // namespace vm
