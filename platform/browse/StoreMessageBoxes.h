// The record store tells the user about duplicate keys, numbering and write
// failures through its StoreMessages service; this bridge makes those
// messages real message boxes (and sends them through any MessageScript a
// test has installed).  Program start installs it; the browse and form
// machinery installs it too, so it is there wherever records are edited.
#pragma once

#include <functional>

namespace vm {

// Installs the bridge once; later calls do nothing.
void installStoreMessageBoxes();

// What happens once the user has closed a message that ends the program
// (a table that cannot be opened: "...  Press OK to end this application").
// Program start hands in the frame's close; without an action nothing ends.
// The action runs from the event loop, after the caller has dealt with the
// failure.
void setFatalStoreErrorAction(std::function<void()> action);

}  // namespace vm
