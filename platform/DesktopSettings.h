// The desktop's full-window dragging (window contents shown while dragging).
// On Windows these are the system's own settings calls, saved to the user's
// profile and broadcast to every window.  Elsewhere there is no such
// desktop-wide switch; the same steps run against a value held by this
// layer, so the program's start and end behave the same and the desktop is
// left untouched.
#pragma once

namespace vm {

bool dragFullWindows();
void setDragFullWindows(bool on);

// Program start and end: the start switches dragging off when it is on and
// remembers that; the end switches it on again only then.
class DragFullWindowsGuard {
 public:
  void switchOff();  // start step
  void restore();    // end step
  bool switchedOff() const { return switchedOff_; }

 private:
  bool switchedOff_ = false;
};

}  // namespace vm
