#include "shell/BackupCopy.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>
#include <thread>

#include "store/IniFile.h"
#include "store/ProgramSettings.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vm::backup {

namespace fs = std::filesystem;

namespace {

void setError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

std::string trimmed(std::string s) {
  const auto notBlank = [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; };
  while (!s.empty() && !notBlank(s.back())) s.pop_back();
  size_t i = 0;
  while (i < s.size() && !notBlank(s[i])) ++i;
  return s.substr(i);
}

std::string homeFolder() {
#ifdef _WIN32
  const char* h = std::getenv("USERPROFILE");
#else
  const char* h = std::getenv("HOME");
#endif
  return h && *h ? std::string(h) : std::string(".");
}

// Pushes a written file (or a folder's entries, after a rename) to the disk,
// so a backup that said it was complete survives pulling the stick out.
void flushToDisk(const fs::path& p, bool folder) {
#ifndef _WIN32
  int fd = ::open(p.c_str(), folder ? O_RDONLY | O_DIRECTORY : O_RDONLY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#else
  (void)p;
  (void)folder;
#endif
}

void removeQuietly(const fs::path& p) {
  std::error_code ec;
  fs::remove(p, ec);
}

fs::path withSuffix(const fs::path& p, const char* suffix) {
  fs::path q = p;
  q += suffix;
  return q;
}

bool plainCopy(const fs::path& source, const fs::path& target, std::string* error) {
  std::ifstream in(source, std::ios::binary);
  if (!in) {
    setError(error, "cannot read " + source.string());
    return false;
  }
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  if (!out) {
    setError(error, "cannot write " + target.string());
    return false;
  }
  char buffer[1 << 16];
  while (in) {
    in.read(buffer, sizeof buffer);
    const std::streamsize n = in.gcount();
    if (n > 0 && !out.write(buffer, n)) {
      setError(error, "writing " + target.string() + " failed");
      return false;
    }
  }
  if (in.bad() || !in.eof()) {
    setError(error, "reading " + source.string() + " failed");
    return false;
  }
  out.flush();
  out.close();
  if (!out) {
    setError(error, "writing " + target.string() + " failed");
    return false;
  }
  flushToDisk(target, false);
  return true;
}

std::string lastError(sqlite3* db, int rc) {
  return db ? std::string(sqlite3_errmsg(db)) : std::string(sqlite3_errstr(rc));
}

}  // namespace

bool isDriveLetter(char letter) {
  return letter >= 'A' && letter <= 'Z';
}

std::string driveRoot(char letter, bool* userSet) {
  if (userSet) *userSet = false;
#ifdef _WIN32
  return std::string(1, letter) + ":\\";
#else
  std::string root =
      trimmed(readIni(kDrivesSection, std::string(1, letter), "", settingsPath(kProgramIni)));
  if (!root.empty()) {
    if (userSet) *userSet = true;
    if (root == "~" || root.rfind("~/", 0) == 0) root = homeFolder() + root.substr(1);
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
  }
  return homeFolder() + "/VatmarkBackup/" + std::string(1, letter);
#endif
}

std::string destinationFolder(char letter) {
#ifdef _WIN32
  return std::string(1, letter) + ":\\" + kBackupFolderName;
#else
  std::string root = driveRoot(letter);
  if (root != "/") root += "/";
  return root + kBackupFolderName;
#endif
}

bool prepareDestination(char letter) {
  const fs::path folder = destinationFolder(letter);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(folder, ec))) return fs::is_directory(folder, ec);
  bool userSet = true;
  driveRoot(letter, &userSet);
#ifdef _WIN32
  userSet = true;  // a drive is never made, only its folder
#endif
  if (userSet)
    fs::create_directory(folder, ec);
  else
    fs::create_directories(folder, ec);
  return !ec && fs::is_directory(folder, ec);
}

bool isDatabaseFile(const fs::path& file) {
  static constexpr char kHeader[16] = "SQLite format 3";  // with its terminating zero
  std::ifstream in(file, std::ios::binary);
  char head[16] = {};
  if (!in.read(head, sizeof head)) return false;
  return std::memcmp(head, kHeader, sizeof head) == 0;
}

bool snapshotDatabase(const fs::path& source, const fs::path& target, std::string* error,
                      int busyMs) {
  removeQuietly(target);
  // A journal left beside the target by an earlier, interrupted run would
  // be played back into the fresh copy when it is first opened.
  removeQuietly(withSuffix(target, "-journal"));

  sqlite3* src = nullptr;
  sqlite3* dst = nullptr;
  // Opened for writing only so that SQLite can finish a commit that a crash
  // interrupted (the journal beside the table) before reading it; the
  // backup itself writes nothing to the table.
  int rc = sqlite3_open_v2(source.string().c_str(), &src, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    setError(error, "cannot open " + source.string() + ": " + lastError(src, rc));
    sqlite3_close_v2(src);
    return false;
  }
  // No busy handler on the source: its sleeps grow to tens of milliseconds
  // (whole seconds where SQLite was built without usleep), while a writer
  // leaves the table free again within a few; the loop below retries often.
  sqlite3_busy_handler(src, nullptr, nullptr);
  rc = sqlite3_open_v2(target.string().c_str(), &dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                       nullptr);
  bool ok = rc == SQLITE_OK;
  if (!ok) setError(error, "cannot create " + target.string() + ": " + lastError(dst, rc));
  if (ok) {
    sqlite3_busy_timeout(dst, 200);
    sqlite3_exec(dst, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
    if (!b) {
      ok = false;
      setError(error, lastError(dst, SQLITE_ERROR));
    } else {
      // All pages in one step: the source is read under a single read
      // transaction, so no commit of another writer can fall in between.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(busyMs);
      for (;;) {
        rc = sqlite3_backup_step(b, -1);
        if (rc == SQLITE_DONE) break;
        const int primary = rc & 0xff;
        if ((primary == SQLITE_BUSY || primary == SQLITE_LOCKED) &&
            std::chrono::steady_clock::now() < deadline) {
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
          continue;
        }
        break;
      }
      const int finish = sqlite3_backup_finish(b);
      if (rc != SQLITE_DONE || finish != SQLITE_OK) {
        ok = false;
        setError(error, "copying " + source.string() + " failed: " +
                            std::string(sqlite3_errstr(rc != SQLITE_DONE ? rc : finish)));
      }
    }
  }
  if (ok) {
    // The copy must read back as a whole database before it may replace
    // anything.
    sqlite3_stmt* s = nullptr;
    ok = sqlite3_prepare_v2(dst, "PRAGMA quick_check", -1, &s, nullptr) == SQLITE_OK &&
         sqlite3_step(s) == SQLITE_ROW &&
         std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), "ok") == 0;
    sqlite3_finalize(s);
    if (!ok) setError(error, "the copy of " + source.string() + " does not read back");
  }
  if (dst && sqlite3_close(dst) != SQLITE_OK) {
    ok = false;
    sqlite3_close_v2(dst);
  }
  sqlite3_close_v2(src);
  if (ok) flushToDisk(target, false);
  return ok;
}

CopyResult copyIntoFolder(const fs::path& source, const fs::path& folder, std::string* error) {
  std::error_code ec;
  const fs::file_status st = fs::status(source, ec);
  if (!fs::exists(st)) return CopyResult::Missing;
  if (!fs::is_regular_file(st)) {
    setError(error, source.string() + " is not a file");
    return CopyResult::Failed;
  }
  const fs::path finalName = folder / source.filename();
  const fs::path temp = withSuffix(finalName, kTempSuffix);

  const bool copied = isDatabaseFile(source) ? snapshotDatabase(source, temp, error)
                                             : plainCopy(source, temp, error);
  if (!copied) {
    removeQuietly(temp);
    removeQuietly(withSuffix(temp, "-journal"));
    return CopyResult::Failed;
  }
  // A journal beside the older copy belongs to that copy, not to this one.
  if (fs::is_regular_file(withSuffix(finalName, "-journal"), ec))
    removeQuietly(withSuffix(finalName, "-journal"));
  fs::rename(temp, finalName, ec);
  if (ec) {
    setError(error, "cannot replace " + finalName.string() + ": " + ec.message());
    removeQuietly(temp);
    return CopyResult::Failed;
  }
  flushToDisk(folder, true);
  return CopyResult::Copied;
}

}  // namespace vm::backup
