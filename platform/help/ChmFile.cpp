// Reading a compiled help file through chmlib.  The names of the contents
// and index pages and of the default topic come from the archive's #SYSTEM
// object (entries 0, 1, 2 and 3 are contents, index, default topic and
// title); where a compiler left one out, the first .hhc or .hhk in the
// archive and "/index.htm" stand in.
#include "platform/help/ChmFile.h"

#include <chm_lib.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace vm {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string trimmed(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

// Sitemap keywords compare as typed by a person: case and runs of blanks
// do not matter.
std::string keywordKey(std::string_view s) {
  std::string out;
  bool blank = false;
  for (char c : trimmed(s)) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      blank = true;
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && lower(s.substr(s.size() - suffix.size())) == suffix;
}

int collectFile(chmFile*, chmUnitInfo* ui, void* context) {
  auto* files = static_cast<std::vector<std::string>*>(context);
  std::string_view path(ui->path);
  if (path.size() > 1 && path[0] == '/' && path[1] != '#' && path[1] != '$' && path.back() != '/')
    files->emplace_back(path);
  return CHM_ENUMERATOR_CONTINUE;
}

std::string cString(const std::string& data, std::size_t offset, std::size_t length) {
  std::string s = data.substr(offset, length);
  if (auto nul = s.find('\0'); nul != std::string::npos) s.resize(nul);
  return s;
}

}  // namespace

ChmFile::~ChmFile() {
  close();
}

void ChmFile::close() {
  if (handle_) chm_close(handle_);
  handle_ = nullptr;
  fileName_.clear();
  title_.clear();
  defaultTopic_.clear();
  contentsFile_.clear();
  indexFile_.clear();
  files_.clear();
  contents_.clear();
  index_.clear();
}

ChmFile::OpenResult ChmFile::open(const std::string& fileName) {
  close();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) {
    return std::filesystem::exists(fileName, ec) ? OpenResult::Unreadable : OpenResult::Missing;
  }
  handle_ = chm_open(fileName.c_str());
  if (!handle_) return OpenResult::Unreadable;
  fileName_ = fileName;
  listFiles();
  readSystem();
  if (contentsFile_.empty() || !contains(contentsFile_)) {
    contentsFile_.clear();
    for (const auto& f : files_)
      if (endsWithNoCase(f, ".hhc")) {
        contentsFile_ = f;
        break;
      }
  }
  if (indexFile_.empty() || !contains(indexFile_)) {
    indexFile_.clear();
    for (const auto& f : files_)
      if (endsWithNoCase(f, ".hhk")) {
        indexFile_ = f;
        break;
      }
  }
  if (defaultTopic_.empty() && contains("/index.htm")) defaultTopic_ = "/index.htm";
  if (!contentsFile_.empty())
    if (auto text = read(contentsFile_)) contents_ = parseSiteMap(*text);
  if (!indexFile_.empty())
    if (auto text = read(indexFile_)) index_ = parseSiteMap(*text);

  // A help file whose opening page cannot be read is of no use: a cut-off
  // download passes chm_open and fails here.
  bool anyPage = false;
  for (const auto& f : files_)
    if (endsWithNoCase(f, ".htm") || endsWithNoCase(f, ".html")) {
      anyPage = true;
      break;
    }
  if (!anyPage || (!defaultTopic_.empty() && !read(defaultTopic_))) {
    close();
    return OpenResult::Unreadable;
  }
  return OpenResult::Ok;
}

void ChmFile::listFiles() {
  files_.clear();
  chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFile, &files_);
}

void ChmFile::readSystem() {
  auto system = readObject("/#SYSTEM");
  if (!system || system->size() < 4) return;
  const std::string& data = *system;
  std::size_t pos = 4;  // version
  while (pos + 4 <= data.size()) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
    unsigned code = byte(pos) | (byte(pos + 1) << 8);
    std::size_t length = byte(pos + 2) | (byte(pos + 3) << 8);
    pos += 4;
    if (pos + length > data.size()) break;
    switch (code) {
      case 0:
        contentsFile_ = normalisePath(cString(data, pos, length));
        break;
      case 1:
        indexFile_ = normalisePath(cString(data, pos, length));
        break;
      case 2:
        defaultTopic_ = normalisePath(cString(data, pos, length));
        break;
      case 3:
        title_ = cString(data, pos, length);
        break;
      default:
        break;
    }
    pos += length;
  }
  if (defaultTopic_ == "/") defaultTopic_.clear();
  if (contentsFile_ == "/") contentsFile_.clear();
  if (indexFile_ == "/") indexFile_.clear();
}

std::string ChmFile::normalisePath(std::string_view path) {
  std::string p = trimmed(path);
  if (auto hash = p.find('#'); hash != std::string::npos) p.resize(hash);
  // Links written for Windows may use backslashes.
  for (char& c : p)
    if (c == '\\') c = '/';
  // "ms-its:file.chm::/page.htm" names a page of this file.
  if (auto sep = p.find("::"); sep != std::string::npos) p = p.substr(sep + 2);
  if (p.empty() || p[0] != '/') p.insert(p.begin(), '/');
  return p;
}

std::optional<std::string> ChmFile::read(std::string_view path) const {
  if (!handle_) return std::nullopt;
  std::string p = normalisePath(path);
  if (auto data = readObject(p)) return data;
  // chmlib matches names exactly; help authors do not always.
  std::string wanted = lower(p);
  for (const auto& f : files_)
    if (lower(f) == wanted) return readObject(f);
  return std::nullopt;
}

std::optional<std::string> ChmFile::readObject(const std::string& exactPath) const {
  chmUnitInfo ui{};
  if (chm_resolve_object(handle_, exactPath.c_str(), &ui) != CHM_RESOLVE_SUCCESS)
    return std::nullopt;
  // Pages and pictures of a help file are small; anything claiming more is
  // a damaged directory entry.
  constexpr LONGUINT64 kLargest = 64u * 1024u * 1024u;
  if (ui.length > kLargest) return std::nullopt;
  std::string data(static_cast<std::size_t>(ui.length), '\0');
  if (ui.length == 0) return data;
  LONGINT64 got = chm_retrieve_object(handle_, &ui, reinterpret_cast<unsigned char*>(data.data()),
                                      0, static_cast<LONGINT64>(ui.length));
  if (got != static_cast<LONGINT64>(ui.length)) return std::nullopt;
  return data;
}

bool ChmFile::contains(std::string_view path) const {
  if (!handle_) return false;
  std::string wanted = lower(normalisePath(path));
  for (const auto& f : files_)
    if (lower(f) == wanted) return true;
  return false;
}

std::optional<std::string> ChmFile::keywordPage(std::string_view keyword) const {
  std::string wanted = keywordKey(keyword);
  if (wanted.empty()) return std::nullopt;
  std::vector<std::string> parents;  // names of the enclosing entries by depth
  for (const auto& entry : index_) {
    parents.resize(static_cast<std::size_t>(entry.depth));
    std::string key = keywordKey(entry.name);
    std::string full;
    for (const auto& p : parents) full += p + ", ";
    full += key;
    if (!entry.locals.empty() && (key == wanted || full == wanted)) {
      const std::string& local = entry.locals.front();
      std::string page = normalisePath(local);
      if (auto hash = local.find('#'); hash != std::string::npos) page += local.substr(hash);
      return page;
    }
    parents.push_back(key);
  }
  return std::nullopt;
}

std::optional<std::string> ChmFile::topicPage(std::string_view topic) const {
  std::string name = trimmed(topic);
  if (name.empty() || !handle_) return std::nullopt;
  for (const char* ext : {".htm", ".html"}) {
    std::string path = normalisePath(name + ext);
    if (contains(path)) {
      for (const auto& f : files_)
        if (lower(f) == lower(path)) return f;
    }
  }
  std::string wanted = lower(name);
  for (const auto& f : files_) {
    if (!endsWithNoCase(f, ".htm") && !endsWithNoCase(f, ".html")) continue;
    std::string base = f.substr(f.rfind('/') + 1);
    base.resize(base.rfind('.'));
    if (lower(base) == wanted) return f;
  }
  return std::nullopt;
}

}  // namespace vm
