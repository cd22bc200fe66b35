// Every settings test works in a fresh folder of its own, made the current
// folder for the test's duration, because the program finds its settings
// files in the current folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace vm::testing {

class SettingsFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::random_device seed;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("vm-settings-" + std::string(info->name()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ec;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(folder_, ec);
  }

  static std::string contents(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void put(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << text;
  }
  // Names in the folder, so a test can tell that no temporary file is left.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path folder_;

 private:
  std::filesystem::path previous_;
};

}  // namespace vm::testing
