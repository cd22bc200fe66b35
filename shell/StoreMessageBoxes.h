// The record store's messages shown as the program's own message boxes.
#pragma once

#include "store/StoreMessages.h"

namespace vm {

class StoreMessageBoxes : public StoreMessages {
 public:
  int show(const Message& message) override;
};

// Installs the one instance as the store's message service (program start).
void installStoreMessageBoxes();

}  // namespace vm
