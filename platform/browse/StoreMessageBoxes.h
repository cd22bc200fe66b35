// The record store tells the user about duplicate keys, numbering and write
// failures through its StoreMessages service; the browse and form machinery
// installs this bridge so those messages are real message boxes (and go
// through any MessageScript a test has installed).
#pragma once

namespace vm {

// Installs the bridge once; later calls do nothing.
void installStoreMessageBoxes();

}  // namespace vm
