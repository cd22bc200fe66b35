// Tables shared with other processes: simultaneous numbering, a writer
// killed in the middle of its work, and a file held locked by another
// program.  Children are forked before the parent opens any table, so no
// SQLite connection ever crosses a fork.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

#include "store/Tables.h"
#include "tables_TestSupport.h"

namespace vm {
namespace {

using Processes = test::TableFolder;

int waitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Processes, TwoWritersPrimingAtOnceNeverShareANumber) {
  constexpr int kEach = 60;
  {
    BrewTable t;  // create the file first so both children find it
    ASSERT_EQ(t.open(), Status::Ok);
  }
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  std::vector<pid_t> children;
  for (int c = 0; c < 2; ++c) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      char byte;
      close(go[1]);
      if (read(go[0], &byte, 1) != 0) _exit(3);  // start together when the pipe closes
      setStoreMessages(nullptr);
      BrewTable t;
      if (t.open() != Status::Ok) _exit(1);
      for (int i = 0; i < kEach; ++i) {
        BrewRecord r;
        r.brewKit = "child " + std::to_string(c);
        if (t.prime(r) != Status::Ok) _exit(2);
        r.stockOnHand = "1";
        if (t.update(r) != Status::Ok) _exit(2);
      }
      _exit(0);
    }
    children.push_back(pid);
  }
  close(go[0]);
  close(go[1]);
  for (pid_t pid : children) EXPECT_EQ(waitFor(pid), 0);

  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  std::set<int> records, batches;
  int rows = 0;
  ASSERT_EQ(t.scan({brew::kKeyRecord},
                   [&](const BrewRecord& r) {
                     ++rows;
                     records.insert(r.recordNumber);
                     batches.insert(r.batchNumber);
                     return true;
                   }),
            Status::Ok);
  EXPECT_EQ(rows, 2 * kEach);
  EXPECT_EQ(records.size(), size_t(2 * kEach));
  EXPECT_EQ(batches.size(), size_t(2 * kEach));
  EXPECT_EQ(*records.rbegin(), 2 * kEach);  // no gaps: highest + 1 every time
  EXPECT_EQ(*batches.rbegin(), 2 * kEach);
}

TEST_F(Processes, EveryAcknowledgedWriteSurvivesAKilledWriter) {
  std::mt19937 random(std::random_device{}());
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    int ack[2];
    ASSERT_EQ(pipe(ack), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(ack[0]);
      setStoreMessages(nullptr);
      BrewTable t;
      if (t.open() != Status::Ok) _exit(1);
      for (int i = 0;; ++i) {
        BrewRecord r;
        r.brewKit = "brew " + std::to_string(i);
        r.notesBig = std::string(2000 + i % 500, 'x');
        if (t.prime(r) != Status::Ok) _exit(2);
        r.yeast = "yeast " + std::to_string(r.recordNumber);
        r.brewSugarKg = Decimal(r.recordNumber);
        if (t.update(r) != Status::Ok) _exit(2);
        std::int32_t n = r.recordNumber;  // acknowledged only after the commit returned
        if (write(ack[1], &n, sizeof n) != sizeof n) _exit(3);
      }
    }
    close(ack[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(250 + random() % 400));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::vector<std::int32_t> acknowledged;
    std::int32_t n;
    while (read(ack[0], &n, sizeof n) == sizeof n) acknowledged.push_back(n);
    close(ack[0]);
    ASSERT_FALSE(acknowledged.empty());

    BrewTable t;
    ASSERT_EQ(t.open(), Status::Ok);
    for (std::int32_t rec : acknowledged) {
      BrewRecord r;
      ASSERT_EQ(t.fetchRecord(std::int64_t{rec}, r), Status::Ok) << rec;
      EXPECT_EQ(r.yeast, "yeast " + std::to_string(rec));
      EXPECT_EQ(r.brewSugarKg, Decimal(rec));
    }
    t.close();
    EXPECT_EQ(test::rawQuery("BREWSV3.TPS", "PRAGMA integrity_check"), "ok");
  }
}

// Another program holding the file locked for writing (an exclusive
// transaction) until the parent writes to `release`.
pid_t lockInChild(int ready[2], int release[2]) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  close(ready[0]);
  close(release[1]);
  sqlite3* db = nullptr;
  sqlite3_open("BREWSV3.TPS", &db);
  int ok = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
  char b = ok ? 'y' : 'n';
  if (write(ready[1], &b, 1) != 1) _exit(1);
  if (read(release[0], &b, 1) < 0) _exit(1);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  _exit(0);
}

TEST_F(Processes, AFileLockedByAnotherProgramFailsCleanly) {
  {
    BrewTable t;
    ASSERT_EQ(t.open(), Status::Ok);
    BrewRecord r;
    ASSERT_EQ(t.prime(r), Status::Ok);
  }
  setBusyTimeout(100);
  int ready[2], release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  pid_t pid = lockInChild(ready, release);
  ASSERT_GE(pid, 0);
  close(ready[1]);
  close(release[0]);
  char b = 0;
  ASSERT_EQ(read(ready[0], &b, 1), 1);
  ASSERT_EQ(b, 'y');
  const std::string before = bytesOf("BREWSV3.TPS");

  // Opening must read the file, which the lock forbids.
  BrewTable t;
  EXPECT_EQ(t.open(), Status::FileError);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "File BREWSV3 could not be opened.  Error: database is locked.  Press OK to end this "
            "application");
  // Release, open, then lock again to see the writes fail.
  ASSERT_EQ(write(release[1], "x", 1), 1);
  EXPECT_EQ(waitFor(pid), 0);
  close(ready[0]);
  close(release[1]);
  ASSERT_EQ(t.open(), Status::Ok);
  BrewRecord existing;
  ASSERT_EQ(t.first({brew::kKeyRecord}, existing), Status::Ok);

  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  pid = lockInChild(ready, release);
  close(ready[1]);
  close(release[0]);
  ASSERT_EQ(read(ready[0], &b, 1), 1);
  messages.shown.clear();

  // Numbering: three attempts, then the question; Yes tries three more,
  // No abandons.
  messages.answers = {1, 2};
  BrewRecord r;
  EXPECT_EQ(t.prime(r), Status::NumberingFailed);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].title, "Auto Increment Error");
  EXPECT_EQ(messages.shown[0].text,
            "Attempts to automatically number this record have failed.|File: BREWSV3|Key: "
            "ALE:KeyRecord|Error: database is locked.|Try Again?");

  // Update: the question offers another try; No gives up.
  messages.shown.clear();
  messages.answers = {1, 2};
  existing.brewKit = "changed";
  EXPECT_EQ(t.update(existing), Status::FileError);
  EXPECT_EQ(messages.titles(),
            (std::vector<std::string>{"Record Update Error", "Record Update Error"}));
  messages.shown.clear();
  EXPECT_EQ(t.remove(existing), Status::FileError);
  EXPECT_EQ(messages.titles(), (std::vector<std::string>{"Record Delete Error"}));
  messages.shown.clear();
  BrewRecord plain;
  EXPECT_EQ(t.insert(plain), Status::FileError);
  EXPECT_EQ(messages.titles(), (std::vector<std::string>{"Record Insert Error"}));

  ASSERT_EQ(write(release[1], "x", 1), 1);
  EXPECT_EQ(waitFor(pid), 0);
  close(ready[0]);
  close(release[1]);
  t.close();
  EXPECT_EQ(bytesOf("BREWSV3.TPS"), before);

  // Once the other program lets go, the same requests succeed.
  ASSERT_EQ(t.open(), Status::Ok);
  EXPECT_EQ(t.prime(r), Status::Ok);
  EXPECT_EQ(r.recordNumber, 2);
}

}  // namespace
}  // namespace vm
