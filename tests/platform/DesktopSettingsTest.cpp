#include "platform/DesktopSettings.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

#ifndef _WIN32
TEST(DesktopSettings, StartSwitchesDraggingOffAndEndRestoresIt) {
  setDragFullWindows(true);
  DragFullWindowsGuard guard;
  guard.switchOff();
  EXPECT_FALSE(dragFullWindows());
  EXPECT_TRUE(guard.switchedOff());
  guard.restore();
  EXPECT_TRUE(dragFullWindows());
}

TEST(DesktopSettings, DraggingAlreadyOffIsLeftAloneAtTheEnd) {
  setDragFullWindows(false);
  DragFullWindowsGuard guard;
  guard.switchOff();
  EXPECT_FALSE(guard.switchedOff());
  // Someone switching it on during the run is not undone by the end step.
  setDragFullWindows(true);
  guard.restore();
  EXPECT_TRUE(dragFullWindows());
  setDragFullWindows(true);
}
#endif

}  // namespace
}  // namespace vm
