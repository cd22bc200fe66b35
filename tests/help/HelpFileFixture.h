// Where the tests find the help file this build compiled, and scratch folders.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace vm::testing {

inline std::string builtHelpFile() {
  return VM_TEST_CHM_PATH;
}

// Skips the calling test when the build could not compile the help file
// (chmcmd missing); the build has said so already.
#define VM_REQUIRE_HELP_FILE()                                                       \
  do {                                                                               \
    if (!std::filesystem::exists(::vm::testing::builtHelpFile()))                    \
      GTEST_SKIP() << "no compiled help file at " << ::vm::testing::builtHelpFile(); \
  } while (0)

// A fresh empty folder, removed again with the object.
class ScratchFolder {
 public:
  ScratchFolder() {
    auto base = std::filesystem::temp_directory_path();
    for (int i = 0;; ++i) {
      path_ = base / ("vm_help_test_" + std::to_string(::getpid()) + "_" + std::to_string(i));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vm::testing
