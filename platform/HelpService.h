// The one way windows reach the help file.  Every window's help button, F1
// and F12 go through helpService(); the backend that reads the compiled help
// file is installed at program start.  Without a backend the service says
// plainly that help is not available.
#pragma once

#include <memory>
#include <string>

class QWidget;

namespace vm {

class HelpBackend {
 public:
  virtual ~HelpBackend() = default;
  // The help file's contents page.
  virtual void showContents(QWidget* owner) = 0;
  // Looks `keyword` up in the help file's index; when it is missing the
  // viewer shows `notFoundText` under `notFoundTitle` ("Help topic",
  // "Not found" unless a window says otherwise).
  virtual void showKeyword(QWidget* owner, const std::string& keyword,
                           const std::string& notFoundTitle, const std::string& notFoundText) = 0;
  // Opens the topic page of that name (e.g. "BrowseHOMEBREW").
  virtual void showTopic(QWidget* owner, const std::string& topic) = 0;
};

// Replaces the backend (tests install recording ones).
void setHelpBackend(std::unique_ptr<HelpBackend> backend);
HelpBackend& helpService();

}  // namespace vm
