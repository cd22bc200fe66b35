// The program defaults kept in .\Vatmark.ini, section "Defaults", and the
// rules by which they are read into and written from the globals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/Globals.h"

namespace vm {

inline constexpr const char* kProgramIni = ".\\Vatmark.ini";  // mapped to ./Vatmark.ini
inline constexpr const char* kBrowseIni = ".\\Browse.ini";    // mapped to ./Browse.ini

// The file name the program actually opens for one of the names above
// (".\\X" is X in the current folder on every platform).
std::string settingsPath(const std::string& name);

// The number a setting's text stands for, as a BYTE: blanks around it are
// allowed, then an optional sign, digits and an optional point with digits
// (cut to the whole number).  Anything else ("", "abc", "2abc", "1 2") is 0.
// Like any number stored into a BYTE it is taken modulo 256 ("-1" is 255,
// "257" is 1).
std::uint8_t settingByte(std::string_view text);

enum class DisplaySetting { Hide, Unhide, Other };

// Program start: "TipFlag" into tipFlag.
void readTipFlag(Globals& g);
// Frame opening: "Display" (at most 10 characters, trailing blanks ignored,
// exact capitals).
DisplaySetting readDisplaySetting();
void writeDisplaySetting(DisplaySetting value);  // "HIDE" / "UNHIDE"
// Frame opening: OpenBrowse, OpenAtStock, OverrideDefaults, Units,
// TempDefaults, Alc, SetYN, in that order.  Text that is not a number is 0.
void readFrameSettings(Globals& g);
// Program defaults OK: OpenBrowse, OpenAtStock, TipFlag, OverrideDefaults,
// Units, TempDefaults, Alc, in that order; a BYTE key other than 0 or 1 is
// not written, OverrideDefaults is "1" for any non-zero value.
void writeProgramDefaults(const Globals& g);
// "SetYN" as the number held.
void writeSetDefaultsYN(const Globals& g);

}  // namespace vm
