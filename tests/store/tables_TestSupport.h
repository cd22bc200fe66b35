// Test support for the tables: a fresh working folder per test and a
// message service that records what the store showed and answers from a
// script.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "store/StoreMessages.h"
#include "store/Tables.h"

namespace vm::test {

class ScriptedMessages : public StoreMessages {
 public:
  int show(const Message& m) override {
    shown.push_back(m);
    if (!answers.empty()) {
      int a = answers.front();
      answers.pop_front();
      return a;
    }
    int buttons = 1;
    for (char c : m.buttons)
      if (c == '|') ++buttons;
    return buttons;  // the last button: OK, or No
  }
  std::vector<std::string> titles() const {
    std::vector<std::string> t;
    for (const Message& m : shown) t.push_back(m.title);
    return t;
  }
  std::vector<Message> shown;
  std::deque<int> answers;
};

// Runs the test inside a new empty folder, with scripted messages.
class TableFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    old_ = std::filesystem::current_path();
    dir_ = std::filesystem::temp_directory_path() /
           ("vm_tables_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
    setStoreMessages(&messages);
    setBusyTimeout(5000);
  }
  void TearDown() override {
    setStoreMessages(nullptr);
    setBusyTimeout(5000);
    std::filesystem::current_path(old_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  static std::string bytesOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void writeBytes(const std::string& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::vector<std::string> folderEntries() const {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(dir_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  ScriptedMessages messages;
  std::filesystem::path dir_, old_;
};

inline BrewRecord brew(int batch, std::string kit = "Kit", DayNumber down = 0, int overall = 0,
                       std::string stock = "1") {
  BrewRecord r;
  r.batchNumber = static_cast<std::int16_t>(batch);
  r.brewKit = std::move(kit);
  r.dateDown = down;
  r.overall = static_cast<std::int16_t>(overall);
  r.stockOnHand = std::move(stock);
  return r;
}

// One value read straight from a table file, bypassing the store.
inline std::string rawQuery(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string out;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW && sqlite3_column_text(s, 0))
      out = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
  } else {
    out = "<open failed>";
  }
  sqlite3_close(db);
  return out;
}

}  // namespace vm::test
