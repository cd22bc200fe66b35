#include "store/WindowStore.h"

#include <charconv>
#include <vector>

#include "store/IniFile.h"
#include "store/ProgramSettings.h"

namespace vm {

namespace {

constexpr const char* kListFormatKey = "SRCF?Browse:1";
constexpr const char* kListOriginalKey = "SRCFOriginal?Browse:1";

std::optional<int> readInt(std::string_view section, const char* key) {
  const std::string text = readIni(section, key, "", kBrowseIni);
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc{} || end != last || first == last) return std::nullopt;
  return value;
}

std::optional<std::string> numberOrNothing(bool write, const std::optional<int>& value) {
  if (!write || !value) return std::nullopt;
  return std::to_string(*value);
}

std::string_view withoutBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<WindowPlacement> fetchWindow(std::string_view procedure) {
  const std::string maximize = readIni(procedure, "Maximize", "", kBrowseIni);
  if (maximize != "Yes" && maximize != "No") return std::nullopt;
  WindowPlacement placement;
  placement.maximized = maximize == "Yes";
  placement.minimized = readIni(procedure, "Minimize", "", kBrowseIni) == "Yes";
  placement.x = readInt(procedure, "XPos");
  placement.y = readInt(procedure, "YPos");
  placement.width = readInt(procedure, "Width");
  placement.height = readInt(procedure, "Height");
  return placement;
}

void updateWindow(std::string_view procedure, const WindowPlacement& placement, bool resizable) {
  const bool restored = !placement.maximized && !placement.minimized;
  editIni(procedure,
          {
              {"Maximize", placement.maximized ? "Yes" : "No"},
              {"Minimize", placement.minimized ? "Yes" : "No"},
              {"XPos", numberOrNothing(restored, placement.x)},
              {"YPos", numberOrNothing(restored, placement.y)},
              {"Width", numberOrNothing(resizable, placement.width)},
              {"Height", numberOrNothing(resizable, placement.height)},
          },
          kBrowseIni);
}

std::string fetchListFormat(std::string_view procedure, std::string_view designed) {
  // The file gives values back without surrounding blanks; compare likewise.
  const std::string design(withoutBlanks(designed));
  const std::string original = readIni(procedure, kListOriginalKey, "", kBrowseIni);
  if (!original.empty() && original.find('@') != std::string::npos && original == design) {
    std::string saved = readIni(procedure, kListFormatKey, "", kBrowseIni);
    return saved.empty() ? design : saved;
  }
  editIni(procedure, {{kListFormatKey, design}, {kListOriginalKey, design}}, kBrowseIni);
  return design;
}

void updateListFormat(std::string_view procedure, std::string_view current) {
  writeIni(procedure, kListFormatKey, current, kBrowseIni);
}

}  // namespace vm
