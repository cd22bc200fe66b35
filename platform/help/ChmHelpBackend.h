// The help backend that reads the compiled help file VMhelp.chm and shows it
// in one viewer window, reused for every request.  The file is looked up by
// name without a path, beside the program and then in the current folder,
// each time a request finds it not yet open, so a file put in place while
// the program runs is found at the next request.  A missing or unreadable
// file shows the viewer's own message; nothing here ends the program.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "platform/HelpService.h"
#include "platform/help/ChmFile.h"

namespace vm {

class HelpViewer;

inline constexpr const char* kHelpFileName = "VMhelp.chm";

class ChmHelpBackend : public HelpBackend {
 public:
  // `folders` replaces the search folders (tests); empty means beside the
  // program's executable, then the current folder.
  explicit ChmHelpBackend(QStringList folders = {}, QString fileName = kHelpFileName);
  ~ChmHelpBackend() override;

  void showContents(QWidget* owner) override;
  void showKeyword(QWidget* owner, const std::string& keyword, const std::string& notFoundTitle,
                   const std::string& notFoundText) override;
  // An empty topic (a window that names none) shows the contents page.
  void showTopic(QWidget* owner, const std::string& topic) override;

  // Where the viewer keeps its position between runs: `restore` is called
  // once when the viewer is made, `save` when it is closed or the program
  // ends with it open.  The program passes its window settings store; without
  // them the viewer opens beside the window that asked.
  struct Placement {
    std::function<void(QWidget*)> restore;
    std::function<void(QWidget*)> save;
  };
  void setPlacement(Placement placement) { placement_ = std::move(placement); }

  // The viewer window, created by the first request; nullptr before.
  HelpViewer* viewer() const;
  const ChmFile& file() const { return file_; }

  // The folders searched, in order, at this moment.
  QStringList searchFolders() const;

  // The texts of the viewer's messages about the help file itself.
  static QString missingTitle();
  static QString missingText(const QStringList& folders, const QString& fileName);
  static QString unreadableTitle();
  static QString unreadableText(const QString& path);
  static QString topicMissingText(const QString& topic);

 private:
  // Opens the file when it is not open yet; false after showing why not.
  bool ensureOpen();
  HelpViewer* showViewer(QWidget* owner);

  QStringList folders_;
  QString fileName_;
  ChmFile file_;
  QPointer<HelpViewer> viewer_;
  Placement placement_;
};

}  // namespace vm
