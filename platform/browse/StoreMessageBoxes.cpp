#include "platform/browse/StoreMessageBoxes.h"

#include <QApplication>

#include "platform/MessageBox.h"
#include "store/StoreMessages.h"

namespace vm {

namespace {
class MessageBoxes : public StoreMessages {
 public:
  int show(const Message& m) override { return message(m, QApplication::activeWindow()); }
};
}  // namespace

void installStoreMessageBoxes() {
  static MessageBoxes boxes;
  static bool installed = false;
  if (installed) return;
  installed = true;
  setStoreMessages(&boxes);
}

}  // namespace vm
