// Settings files: sections in square brackets, one "key=value" line per entry.
// Section and key names match without regard to case, as the program's
// settings files always have; their spelling is kept exactly as written
// (keys such as "SRCF?Browse:1" included).  Lines the program does not know,
// comments among them, survive every write.  A write goes to a temporary file
// in the same folder that then replaces the old one, so a failed write
// leaves the previous file whole.  Failures are not reported (callers carry
// on with the value they hold).
#pragma once

#include <string>
#include <string_view>

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

}  // namespace vm
