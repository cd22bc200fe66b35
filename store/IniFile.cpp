#include "store/IniFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <system_error>
#include <vector>

#include "store/ProgramSettings.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vm {

namespace fs = std::filesystem;

namespace {

// Windows run on threads of their own and each writes its own section of the
// same file; without this, two closing windows could each read the old file
// and the later replacement would lose the earlier window's section.
std::mutex& iniMutex() {
  static std::mutex m;
  return m;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

bool hasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

// One file held as its lines, so that lines the program does not know are
// written back exactly as they were read.
struct IniText {
  std::vector<std::string> lines;
  std::string eol;
  bool bom = false;
  bool exists = false;
  bool unreadable = false;  // there, but could not be read: never overwrite it
};

const char* nativeEol() {
#ifdef _WIN32
  return "\r\n";
#else
  return "\n";
#endif
}

IniText load(const fs::path& path) {
  IniText text;
  text.eol = nativeEol();
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return text;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  if (in) buffer << in.rdbuf();
  if (!in || in.bad()) {
    text.unreadable = true;
    return text;
  }
  std::string all = buffer.str();
  text.exists = true;
  if (all.size() >= 3 && all.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text.bom = true;
    all.erase(0, 3);
  }
  // The file keeps the line ending it was written with (CRLF from Windows,
  // LF from elsewhere); the first line decides.
  const auto firstBreak = all.find('\n');
  if (firstBreak != std::string::npos)
    text.eol = (firstBreak > 0 && all[firstBreak - 1] == '\r') ? "\r\n" : "\n";
  std::size_t start = 0;
  while (start < all.size()) {
    auto end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    std::string line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    text.lines.push_back(std::move(line));
    start = end + 1;
  }
  return text;
}

// The name of a "[section]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
  const auto t = trimmed(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimmed(t.substr(1, close - 1));
}

bool isComment(std::string_view t) {
  return !t.empty() && (t.front() == ';' || t.front() == '#');
}

// The key of a "key=value" line, or nothing for comments and other lines.
std::optional<std::string_view> keyName(std::string_view line) {
  const auto t = trimmed(line);
  if (t.empty() || isComment(t) || t.front() == '[') return std::nullopt;
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const auto key = trimmed(t.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return key;
}

std::string_view valueOf(std::string_view line) {
  const auto eq = line.find('=');
  return trimmed(line.substr(eq + 1));
}

struct SectionSpan {
  std::size_t header = 0;  // index of the "[section]" line
  std::size_t end = 0;     // one past its last line
};

std::optional<SectionSpan> findSection(const IniText& text, std::string_view section) {
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    const auto name = sectionName(text.lines[i]);
    if (!name || !sameName(*name, section)) continue;
    SectionSpan span{i, i + 1};
    while (span.end < text.lines.size() && !sectionName(text.lines[span.end])) ++span.end;
    return span;
  }
  return std::nullopt;
}

std::optional<std::size_t> findKey(const IniText& text, const SectionSpan& span,
                                   std::string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const auto name = keyName(text.lines[i]);
    if (name && sameName(*name, key)) return i;
  }
  return std::nullopt;
}

bool validSection(std::string_view section) {
  const auto t = trimmed(section);
  return !t.empty() && t.size() == section.size() && !hasLineBreak(section) &&
         section.find(']') == std::string_view::npos;
}

bool validKey(std::string_view key) {
  const auto t = trimmed(key);
  return !t.empty() && t.size() == key.size() && !hasLineBreak(key) &&
         key.find('=') == std::string_view::npos && key.front() != '[' && !isComment(key);
}

// Applies one edit; returns whether the text changed.
bool apply(IniText& text, std::string_view section, const IniEdit& edit) {
  auto span = findSection(text, section);
  if (!edit.value) {
    if (!span) return false;
    const auto at = findKey(text, *span, edit.key);
    if (!at) return false;
    text.lines.erase(text.lines.begin() + static_cast<std::ptrdiff_t>(*at));
    return true;
  }
  if (!span) {
    if (!text.lines.empty() && !trimmed(text.lines.back()).empty()) text.lines.emplace_back();
    text.lines.push_back("[" + std::string(section) + "]");
    text.lines.push_back(edit.key + "=" + *edit.value);
    return true;
  }
  if (const auto at = findKey(text, *span, edit.key)) {
    std::string& line = text.lines[*at];
    // The file's own spelling of the key stays.
    std::string replaced = std::string(*keyName(line)) + "=" + *edit.value;
    if (replaced == line) return false;
    line = std::move(replaced);
    return true;
  }
  // A new key goes after the section's last entry, so comments and blank
  // lines that lead into the next section stay where they are.
  std::size_t insertAt = span->header + 1;
  for (std::size_t i = span->header + 1; i < span->end; ++i)
    if (keyName(text.lines[i])) insertAt = i + 1;
  text.lines.insert(text.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                    edit.key + "=" + *edit.value);
  return true;
}

fs::path resolvedPath(const std::string& fileName) {
  fs::path path(settingsPath(fileName));
  std::error_code ec;
  // Replacing a link would turn it into a plain file; write where it points.
  if (fs::is_symlink(path, ec)) {
    const auto target = fs::canonical(path, ec);
    if (!ec) return target;
  }
  return path;
}

bool readOnlyFile(const fs::path& path) {
  std::error_code ec;
  const auto st = fs::status(path, ec);
  if (ec || !fs::exists(st)) return false;
  const auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (st.permissions() & writeBits) == fs::perms::none;
}

fs::path temporaryBeside(const fs::path& path, std::FILE*& out) {
  static std::atomic<unsigned> counter{0};
  std::random_device seed;
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 20; ++attempt) {
    const auto name = path.filename().string() + ".~" + std::to_string(seed() % 1000000u) + "-" +
                      std::to_string(counter++) + ".tmp";
    const fs::path candidate = folder / name;
    // "x": never reuse a file that happens to be there already.
    out = std::fopen(candidate.string().c_str(), "wbx");
    if (out) return candidate;
    if (errno != EEXIST) break;
  }
  out = nullptr;
  return {};
}

bool store(const fs::path& path, const IniText& text) {
  if (readOnlyFile(path)) return false;
  std::string all;
  if (text.bom) all += "\xEF\xBB\xBF";
  for (const auto& line : text.lines) {
    all += line;
    all += text.eol;
  }
  std::FILE* out = nullptr;
  const fs::path temp = temporaryBeside(path, out);
  if (!out) return false;
  bool ok = std::fwrite(all.data(), 1, all.size(), out) == all.size();
  ok = (std::fflush(out) == 0) && ok;
#ifndef _WIN32
  ok = ok && fsync(fileno(out)) == 0;
#endif
  ok = (std::fclose(out) == 0) && ok;
  std::error_code ec;
  if (ok && text.exists) {
    fs::permissions(temp, fs::status(path, ec).permissions(), ec);
    ec.clear();
  }
  if (ok) {
    fs::rename(temp, path, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

}  // namespace

std::string readIni(std::string_view section, std::string_view key, std::string_view fallback,
                    const std::string& fileName) {
  std::lock_guard lock(iniMutex());
  const IniText text = load(resolvedPath(fileName));
  const auto span = findSection(text, section);
  if (!span) return std::string(fallback);
  const auto at = findKey(text, *span, key);
  if (!at) return std::string(fallback);
  return std::string(valueOf(text.lines[*at]));
}

bool editIni(std::string_view section, const std::vector<IniEdit>& edits,
             const std::string& fileName) {
  if (!validSection(section)) return false;
  for (const auto& edit : edits)
    if (!validKey(edit.key) || (edit.value && hasLineBreak(*edit.value))) return false;
  std::lock_guard lock(iniMutex());
  const fs::path path = resolvedPath(fileName);
  IniText text = load(path);
  if (text.unreadable) return false;
  bool changed = false;
  for (const auto& edit : edits) {
    // Values are read back without surrounding blanks, so they are stored so.
    IniEdit clean{edit.key, edit.value};
    if (clean.value) *clean.value = std::string(trimmed(*clean.value));
    changed = apply(text, section, clean) || changed;
  }
  if (!changed) return true;
  return store(path, text);
}

bool writeIni(std::string_view section, std::string_view key, std::string_view value,
              const std::string& fileName) {
  return editIni(section, {IniEdit{std::string(key), std::string(value)}}, fileName);
}

bool removeIni(std::string_view section, std::string_view key, const std::string& fileName) {
  return editIni(section, {IniEdit{std::string(key), std::nullopt}}, fileName);
}

}  // namespace vm
