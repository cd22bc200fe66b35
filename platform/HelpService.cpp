// Help without a viewer installed: every request gets the same plain answer,
// so a window's help button always does something visible.
#include "platform/HelpService.h"

#include "platform/MessageBox.h"

namespace vm {

namespace {
class NoHelpBackend : public HelpBackend {
 public:
  void showContents(QWidget* owner) override { say(owner); }
  void showKeyword(QWidget* owner, const std::string&, const std::string&,
                   const std::string&) override {
    say(owner);
  }
  void showTopic(QWidget* owner, const std::string&) override { say(owner); }

 private:
  static void say(QWidget* owner) {
    message("Help", "Help is not available.|The help file VMhelp.chm could not be shown.",
            MessageIcon::Information, {}, 0, owner);
  }
};

std::unique_ptr<HelpBackend>& backend() {
  static std::unique_ptr<HelpBackend> b = std::make_unique<NoHelpBackend>();
  return b;
}
}  // namespace

void setHelpBackend(std::unique_ptr<HelpBackend> b) {
  backend() = b ? std::move(b) : std::make_unique<NoHelpBackend>();
}

HelpBackend& helpService() {
  return *backend();
}

}  // namespace vm
