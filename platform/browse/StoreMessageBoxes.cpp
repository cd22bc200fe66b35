#include "platform/browse/StoreMessageBoxes.h"

#include <QApplication>
#include <QTimer>

#include <string_view>

#include "platform/MessageBox.h"
#include "store/StoreMessages.h"

namespace vm {

namespace {

std::function<void()>& fatalAction() {
  static std::function<void()> action;
  return action;
}

bool endsTheProgram(const Message& m) {
  const std::string_view suffix = standard_message::kFatalSuffix;
  return m.text.size() >= suffix.size() &&
         std::string_view(m.text).substr(m.text.size() - suffix.size()) == suffix;
}

class MessageBoxes : public StoreMessages {
 public:
  int show(const Message& m) override {
    const int answer = message(m, QApplication::activeWindow());
    if (endsTheProgram(m) && fatalAction())
      QTimer::singleShot(0, qApp, [action = fatalAction()] { action(); });
    return answer;
  }
};

}  // namespace

void installStoreMessageBoxes() {
  static MessageBoxes boxes;
  static bool installed = false;
  if (installed) return;
  installed = true;
  setStoreMessages(&boxes);
}

void setFatalStoreErrorAction(std::function<void()> action) {
  fatalAction() = std::move(action);
}

}  // namespace vm
