// Settings files: sections in square brackets, one "key=value" line per entry.
// Section and key names match without regard to case, as the program's
// settings files always have; their spelling is kept exactly as written
// (keys such as "SRCF?Browse:1" included).  Lines the program does not know,
// comments among them, survive every write.  A write goes to a temporary file
// in the same folder that then replaces the old one, so a failed write
// leaves the previous file whole.  Failures are not reported (callers carry
// on with the value they hold).
//
// A file name beginning with ".\\" is taken through settingsPath() (see
// ProgramSettings.h), so kProgramIni and kBrowseIni may be passed as they are.
// Values are read and stored without surrounding blanks.  Lines end as the
// file's first line does; a new file gets the platform's line ending.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

// Reads `key` of `section`; a missing file, section or key gives `fallback`.
std::string readIni(std::string_view section, std::string_view key, std::string_view fallback,
                    const std::string& fileName);
// Writes `key` of `section`, creating the file and the section as needed.
// Returns false when the file could not be replaced (nothing else happens).
bool writeIni(std::string_view section, std::string_view key, std::string_view value,
              const std::string& fileName);
// Removes `key` of `section`; a missing key is no error.
bool removeIni(std::string_view section, std::string_view key, const std::string& fileName);

// Several keys of one section changed in a single replacement of the file
// (a window's whole placement at once).  An edit without a value removes
// its key.  Names holding line breaks, '=' in a key or ']' in a section are
// refused (false, nothing written).
struct IniEdit {
  std::string key;
  std::optional<std::string> value;
};
bool editIni(std::string_view section, const std::vector<IniEdit>& edits,
             const std::string& fileName);

}  // namespace vm
