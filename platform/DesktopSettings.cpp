#include "platform/DesktopSettings.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vm {

#ifdef _WIN32
bool dragFullWindows() {
  BOOL on = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &on, 0);
  return on != FALSE;
}

void setDragFullWindows(bool on) {
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, on ? TRUE : FALSE, nullptr,
                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}
#else
namespace {
// Held here only; no desktop outside Windows has this switch.
bool g_dragFullWindows = true;
}  // namespace

bool dragFullWindows() {
  return g_dragFullWindows;
}
void setDragFullWindows(bool on) {
  g_dragFullWindows = on;
}
#endif

void DragFullWindowsGuard::switchOff() {
  if (dragFullWindows()) {
    setDragFullWindows(false);
    switchedOff_ = true;
  }
}

void DragFullWindowsGuard::restore() {
  if (switchedOff_) {
    setDragFullWindows(true);
    switchedOff_ = false;
  }
}

}  // namespace vm
