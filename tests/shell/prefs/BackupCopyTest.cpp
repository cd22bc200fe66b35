// The backup copy on its own: where a letter leads, how the folder is made,
// and that every copy is whole, also while another connection writes.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "WholeFiles.h"
#include "shell/BackupCopy.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"
#include "store/Tables.h"

namespace vm::test {
namespace {

namespace fs = std::filesystem;

// HOME pointed somewhere else for one test.
class HomeOverride {
 public:
  explicit HomeOverride(const std::string& home) {
    if (const char* h = std::getenv("HOME")) old_ = h;
    ::setenv("HOME", home.c_str(), 1);
  }
  ~HomeOverride() {
    if (old_)
      ::setenv("HOME", old_->c_str(), 1);
    else
      ::unsetenv("HOME");
  }

 private:
  std::optional<std::string> old_;
};

class BackupCopyTest : public ::testing::Test {
 protected:
  fs::path here() const { return fs::path(folder.path().toStdString()); }
  void mapDrive(char letter, const std::string& root) {
    writeIni(backup::kDrivesSection, std::string(1, letter), root, settingsPath(kProgramIni));
  }
  TempFolder folder;
};

TEST_F(BackupCopyTest, LettersLeadToTheFolderSetForThemOrToTheDefault) {
  HomeOverride home((here() / "home").string());
  mapDrive('E', "/media/brewer/STICK");
  mapDrive('F', "~/sticks/F/");
  mapDrive('G', "   ");
  struct Case {
    char letter;
    std::string folder;
    bool userSet;
  } cases[] = {
      {'E', "/media/brewer/STICK/BrewData", true},
      {'F', (here() / "home/sticks/F/BrewData").string(), true},
      {'G', (here() / "home/VatmarkBackup/G/BrewData").string(), false},
      {'H', (here() / "home/VatmarkBackup/H/BrewData").string(), false},
  };
  for (const Case& c : cases) {
    bool userSet = !c.userSet;
    backup::driveRoot(c.letter, &userSet);
    EXPECT_EQ(backup::destinationFolder(c.letter), c.folder) << c.letter;
    EXPECT_EQ(userSet, c.userSet) << c.letter;
  }
}

TEST_F(BackupCopyTest, OnlyCapitalLettersAreDrives) {
  for (char c : std::string("ACHZ")) EXPECT_TRUE(backup::isDriveLetter(c)) << c;
  for (char c : std::string("acz0 :@[\0", 9)) EXPECT_FALSE(backup::isDriveLetter(c)) << int(c);
}

TEST_F(BackupCopyTest, ARootTheUserSetIsNeverMadeButTheDefaultOneIs) {
  HomeOverride home((here() / "home").string());
  fs::create_directory(here() / "stick");
  mapDrive('E', (here() / "stick").string());
  mapDrive('F', (here() / "unplugged").string());
  fs::create_directory(here() / "full");
  writeAll(here() / "full/BrewData", "a file in the way");
  mapDrive('G', (here() / "full").string());

  EXPECT_TRUE(backup::prepareDestination('E'));
  EXPECT_TRUE(fs::is_directory(here() / "stick/BrewData"));
  EXPECT_TRUE(backup::prepareDestination('E'));  // already there

  EXPECT_FALSE(backup::prepareDestination('F'));
  EXPECT_FALSE(fs::exists(here() / "unplugged"));

  EXPECT_FALSE(backup::prepareDestination('G'));
  EXPECT_EQ(readAll(here() / "full/BrewData"), "a file in the way");

  EXPECT_TRUE(backup::prepareDestination('H'));
  EXPECT_TRUE(fs::is_directory(here() / "home/VatmarkBackup/H/BrewData"));
}

TEST_F(BackupCopyTest, CopyReplacesTheOlderCopyAndLeavesNoTemporaryFile) {
  fs::create_directory(here() / "dest");
  const std::string bytes("not a table\0with a zero byte", 28);
  writeAll("VATMARK.TPS", bytes);
  writeAll(here() / "dest/VATMARK.TPS", "older copy");

  EXPECT_EQ(backup::copyIntoFolder("VATMARK.TPS", here() / "dest"), backup::CopyResult::Copied);
  EXPECT_EQ(readAll(here() / "dest/VATMARK.TPS"), bytes);
  EXPECT_EQ(backup::copyIntoFolder("W_LINK.TPS", here() / "dest"), backup::CopyResult::Missing);
  EXPECT_FALSE(fs::exists(here() / "dest/W_LINK.TPS"));
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(here() / "dest"))
    names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"VATMARK.TPS"});
}

TEST_F(BackupCopyTest, AFailedCopyKeepsTheOlderCopy) {
  writeAll("SHOPPING.TPS", "new");
  std::string error;
  // No such folder.
  EXPECT_EQ(backup::copyIntoFolder("SHOPPING.TPS", here() / "nowhere", &error),
            backup::CopyResult::Failed);
  EXPECT_FALSE(error.empty());
  // The name taken by a folder: the temporary copy is made, the rename fails.
  fs::create_directories(here() / "dest/SHOPPING.TPS");
  EXPECT_EQ(backup::copyIntoFolder("SHOPPING.TPS", here() / "dest"), backup::CopyResult::Failed);
  EXPECT_TRUE(fs::is_directory(here() / "dest/SHOPPING.TPS"));
  EXPECT_FALSE(fs::exists(here() / "dest/SHOPPING.TPS.partial"));
}

// Reads a table file with SQLite directly: whether it is whole, and the
// batch numbers it holds, in order.
struct TableContents {
  bool whole = false;
  std::int64_t applicationId = 0;
  std::vector<int> batches;
};

TableContents readTableFile(const fs::path& file) {
  TableContents out;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    return out;
  }
  auto each = [&](const std::string& sql, const std::function<void(sqlite3_stmt*)>& row) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) return false;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) row(s);
    sqlite3_finalize(s);
    return rc == SQLITE_DONE;
  };
  std::string check;
  each("PRAGMA integrity_check",
       [&](sqlite3_stmt* s) { check = reinterpret_cast<const char*>(sqlite3_column_text(s, 0)); });
  each("PRAGMA application_id",
       [&](sqlite3_stmt* s) { out.applicationId = sqlite3_column_int64(s, 0); });
  const TableDef& def = BrewRecord::definition();
  const std::string batch = def.fields[1].column;
  const std::string record = def.fields[0].column;
  const bool read =
      each("SELECT \"" + batch + "\" FROM \"" + def.name + "\" ORDER BY \"" + record + "\"",
           [&](sqlite3_stmt* s) { out.batches.push_back(sqlite3_column_int(s, 0)); });
  out.whole = read && check == "ok";
  sqlite3_close_v2(db);
  return out;
}

TEST_F(BackupCopyTest, BackupWhileAnotherConnectionWritesIsAlwaysAWholePrefix) {
  fs::create_directory(here() / "dest");
  constexpr int kMaxBrews = 4000;
  std::atomic<int> written{0};
  std::atomic<bool> stop{false};
  std::atomic<bool> writerFailed{false};
  std::thread writer([&] {
    BrewTable brews;
    if (brews.open() != Status::Ok) {
      writerFailed = true;
      return;
    }
    for (int i = 1; i <= kMaxBrews && !stop; ++i) {
      BrewRecord r;
      r.batchNumber = static_cast<std::int16_t>(i);
      r.brewKit = "Kit " + std::to_string(i);
      r.notes = std::string(200 + i % 300, 'n');  // records of varied size, pages split
      if (brews.insert(r) != Status::Ok) {
        writerFailed = true;
        return;
      }
      written = i;
    }
    brews.close();
  });
  while (written < 20 && !writerFailed) std::this_thread::sleep_for(std::chrono::milliseconds(1));

  int backups = 0, overlapped = 0, previous = 0;
  for (; backups < 20 && !writerFailed; ++backups) {
    std::string error;
    const int before = written;
    ASSERT_EQ(backup::copyIntoFolder("BREWSV3.TPS", here() / "dest", &error),
              backup::CopyResult::Copied)
        << error;
    const int after = written;
    TableContents t = readTableFile(here() / "dest/BREWSV3.TPS");
    ASSERT_TRUE(t.whole) << "backup " << backups;
    EXPECT_EQ(t.applicationId, 0x564D524B);
    const int n = static_cast<int>(t.batches.size());
    // Brews 1 .. n exactly: a state the writer really left between commits.
    for (int i = 0; i < n; ++i) ASSERT_EQ(t.batches[i], i + 1) << "backup " << backups;
    EXPECT_GE(n, before);
    EXPECT_LE(n, after + 1);  // at most the brew being committed as it ended
    EXPECT_GE(n, previous);
    previous = n;
    if (after > before) ++overlapped;  // the writer committed while the copy was taken
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
  stop = true;
  writer.join();
  ASSERT_FALSE(writerFailed);
  // The backups really were taken while the table grew.
  EXPECT_GT(overlapped, 0);
  EXPECT_LT(previous, written.load());

  // The last copy opens as the program's own table.
  TempFolder elsewhere;
  fs::copy_file(here() / "dest/BREWSV3.TPS", "BREWSV3.TPS");
  BrewTable copy;
  ASSERT_EQ(copy.open(), Status::Ok);
  std::int64_t count = 0;
  ASSERT_EQ(copy.count(count), Status::Ok);
  EXPECT_EQ(count, previous);
  BrewRecord last;
  ASSERT_EQ(copy.last(View{brew::kKeyRecord}, last), Status::Ok);
  EXPECT_EQ(last.batchNumber, previous);
  EXPECT_EQ(last.brewKit, "Kit " + std::to_string(previous));
  copy.close();
}

}  // namespace
}  // namespace vm::test
