// A fresh working folder per test, scripted message boxes, and a kits
// table to list.
#pragma once

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "store/Tables.h"
#include "tests/platform/TempFolder.h"

namespace vm::test {

class BrowseFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    // Windows closed in a test are deleted before the folder goes.
    for (int i = 0; i < 3; ++i) {
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QApplication::processEvents();
    }
  }
  // Adds kits with these descriptions; returns their record numbers.
  std::vector<double> addKits(const std::vector<std::string>& names) {
    BrandTable t;
    EXPECT_EQ(t.open(), Status::Ok);
    std::vector<double> numbers;
    for (const auto& n : names) {
      BrandRecord r;
      r.nameOfBrew = n;
      EXPECT_EQ(t.insert(r), Status::Ok) << n;
      numbers.push_back(r.recordNumber);
    }
    return numbers;
  }
  std::vector<std::string> storedKits() {
    BrandTable t;
    t.open();
    std::vector<std::string> out;
    t.scan(View{brand::kRecordKey, {}}, [&](const BrandRecord& r) {
      out.push_back(r.nameOfBrew);
      return true;
    });
    return out;
  }
  static void settle() {
    for (int i = 0; i < 3; ++i) {
      QApplication::processEvents();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  TempFolder folder;
  MessageScript script;
};

inline std::string numbered(const char* stem, int i) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s %03d", stem, i);
  return buf;
}

}  // namespace vm::test
