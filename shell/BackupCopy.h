// The copy behind the data backup: which files go, where a drive letter
// leads on this computer, and how one file is copied so that the copy in the
// backup folder is always whole.
//
// Where a letter leads.  On Windows the letter is the drive: "H" gives
// H:\BrewData.  Elsewhere a letter stands for a folder (the "drive root"):
// the key of that letter in section "Drives" of .\Vatmark.ini when it is set
// ("E=/media/me/STICK", a leading "~" meaning the home folder), otherwise
// ~/VatmarkBackup/<letter>.  The backup folder is BrewData inside it.  A
// root set by the user is never created: like a drive that is not plugged
// in, a root that is not there makes the copy fail.  The default root is the
// program's own and is made when needed.
//
// How a file is copied.  A table file (an SQLite database) is taken with
// SQLite's online backup in a single step, which reads the whole table under
// one read transaction: the copy holds the table as it stood after some
// commit, never half of a write that another window or program is making.
// Any other file is copied byte for byte.  Either way the copy is written to
// "<name>.partial" in the backup folder, checked, flushed to disk, and only
// then renamed over the older copy, so the older copy stays until a complete
// new one replaces it.
//
// Nothing here uses Qt; errors are returned, never thrown.
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace vm::backup {

struct DataFile {
  const char* name;
  int progress;  // shown before the file is copied
};

// The files the backup copies, in order; the settings files and the export
// are not among them.
inline constexpr std::array<DataFile, 5> kDataFiles{{{"BREWSV3.TPS", 5},
                                                     {"BRANDS4.TPS", 25},
                                                     {"W_LINK.TPS", 40},
                                                     {"SHOPPING.TPS", 60},
                                                     {"VATMARK.TPS", 85}}};

inline constexpr const char* kBackupFolderName = "BrewData";
inline constexpr const char* kDrivesSection = "Drives";
inline constexpr const char* kTempSuffix = ".partial";

// True on the letters the window accepts: the capitals "A" to "Z".
bool isDriveLetter(char letter);

// Where `letter` leads, as described above.  `userSet` (optional) tells
// whether the root came from the settings file.
std::string driveRoot(char letter, bool* userSet = nullptr);
// The backup folder for `letter`: "H:\BrewData" on Windows, the drive root
// followed by "/BrewData" elsewhere.
std::string destinationFolder(char letter);

// Makes sure the backup folder for `letter` exists, creating it when no file
// or folder of that name is there (and, for the default root, the root as
// well).  False when it could not be made; callers do not report that.
bool prepareDestination(char letter);

enum class CopyResult { Copied, Missing, Failed };

// Copies `source` into `folder` under its own name, replacing an older copy
// only once the new one is complete.  Missing when `source` does not exist
// (nothing is done); Failed with `error` set when the copy could not be
// made (the older copy, if any, is left as it was).
CopyResult copyIntoFolder(const std::filesystem::path& source, const std::filesystem::path& folder,
                          std::string* error = nullptr);

// A consistent copy of the SQLite database `source` written to `target`
// (which is replaced); waits up to `busyMs` for a writer holding the file.
bool snapshotDatabase(const std::filesystem::path& source, const std::filesystem::path& target,
                      std::string* error, int busyMs = 10000);

// True when the file begins with the SQLite database header.
bool isDatabaseFile(const std::filesystem::path& file);

}  // namespace vm::backup
