// Whole-file reads and writes for the backup tests, which compare copies
// byte for byte.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vm::test {

inline std::string readAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void writeAll(const std::filesystem::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace vm::test
