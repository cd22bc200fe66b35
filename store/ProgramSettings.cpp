#include "store/ProgramSettings.h"

#include <string_view>

#include "store/IniFile.h"

namespace vm {

namespace {

constexpr const char* kDefaults = "Defaults";

std::uint8_t readByte(const char* key) {
  return settingByte(readIni(kDefaults, key, "", kProgramIni));
}

// The six yes/no settings are only written when they hold one of the two
// values the window offers; a hand-edited value stays in the file.
void writeFlag(const char* key, std::uint8_t value) {
  if (value == 1 || value == 0) writeIni(kDefaults, key, value == 1 ? "1" : "0", kProgramIni);
}

}  // namespace

std::string settingsPath(const std::string& name) {
#ifdef _WIN32
  return name;
#else
  if (name.size() > 2 && name[0] == '.' && name[1] == '\\') return name.substr(2);
  return name;
#endif
}

std::uint8_t settingByte(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return 0;
  unsigned value = 0;  // kept modulo 256, so any length of digits is safe
  for (char c : whole) {
    if (c < '0' || c > '9') return 0;
    value = (value * 10 + static_cast<unsigned>(c - '0')) % 256u;
  }
  for (char c : fraction)
    if (c < '0' || c > '9') return 0;
  if (negative) value = (256u - value) % 256u;
  return static_cast<std::uint8_t>(value);
}

void readTipFlag(Globals& g) {
  g.tipFlag = readByte("TipFlag");
}

DisplaySetting readDisplaySetting() {
  std::string text = readIni(kDefaults, "Display", "", kProgramIni);
  if (text.size() > 10) text.resize(10);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text == "HIDE") return DisplaySetting::Hide;
  if (text == "UNHIDE") return DisplaySetting::Unhide;
  return DisplaySetting::Other;
}

void writeDisplaySetting(DisplaySetting value) {
  if (value == DisplaySetting::Hide) writeIni(kDefaults, "Display", "HIDE", kProgramIni);
  if (value == DisplaySetting::Unhide) writeIni(kDefaults, "Display", "UNHIDE", kProgramIni);
}

void readFrameSettings(Globals& g) {
  g.openAtBrowse = readByte("OpenBrowse");
  g.openAtStockOnly = readByte("OpenAtStock");
  g.overrideFermentation = readByte("OverrideDefaults");
  g.unitsPrompt = readByte("Units");
  g.tempPrompt = readByte("TempDefaults");
  g.alcBasedOn = readByte("Alc");
  g.setDefaultsYN = readByte("SetYN");
}

void writeProgramDefaults(const Globals& g) {
  writeFlag("OpenBrowse", g.openAtBrowse);
  writeFlag("OpenAtStock", g.openAtStockOnly);
  writeFlag("TipFlag", g.tipFlag);
  writeIni(kDefaults, "OverrideDefaults", g.overrideFermentation != 0 ? "1" : "0", kProgramIni);
  writeFlag("Units", g.unitsPrompt);
  writeFlag("TempDefaults", g.tempPrompt);
  writeFlag("Alc", g.alcBasedOn);
}

void writeSetDefaultsYN(const Globals& g) {
  writeIni(kDefaults, "SetYN", std::to_string(g.setDefaultsYN), kProgramIni);
}

}  // namespace vm
