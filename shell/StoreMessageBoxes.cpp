#include "shell/StoreMessageBoxes.h"

#include <QApplication>

#include "platform/MessageBox.h"

namespace vm {

int StoreMessageBoxes::show(const Message& m) {
  return message(m, QApplication::activeWindow());
}

void installStoreMessageBoxes() {
  static StoreMessageBoxes boxes;
  setStoreMessages(&boxes);
}

}  // namespace vm
