// Window positions in .\Browse.ini: one section per window, named after its
// procedure.  Positions and sizes are in the window's dialog units; the
// window layer converts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vm {

struct WindowPlacement {
  bool maximized = false;
  bool minimized = false;
  std::optional<int> x, y;           // absent when the file holds none
  std::optional<int> width, height;  // only for resizable windows
};

// The saved placement, or nothing when "Maximize" is neither "Yes" nor "No"
// (first run): the window then opens where it is designed to.
std::optional<WindowPlacement> fetchWindow(std::string_view procedure);
// Writes "Maximize" and "Minimize" always; XPos/YPos only when neither is set;
// Width/Height only for resizable windows; a value not written is removed.
void updateWindow(std::string_view procedure, const WindowPlacement& placement, bool resizable);

// List layouts of the resizable browse lists ("SRCF?Browse:1" and
// "SRCFOriginal?Browse:1").  fetchListFormat returns the layout to apply:
// the saved one when the saved original equals `designed` (and is non-empty
// and holds '@') and the saved layout is not empty; otherwise it writes
// `designed` into both keys and returns it.
std::string fetchListFormat(std::string_view procedure, std::string_view designed);
void updateListFormat(std::string_view procedure, std::string_view current);

}  // namespace vm
