// One compiled HTML help file (.chm) opened for reading: its pages and
// pictures by path, its contents tree and its keyword index.  No widgets
// here, so the help file can be examined without a window.  The archive is
// read through chmlib; a file that chmlib cannot open, or that holds no
// page, counts as unreadable.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/help/SiteMap.h"

struct chmFile;

namespace vm {

class ChmFile {
 public:
  enum class OpenResult { Ok, Missing, Unreadable };

  ChmFile() = default;
  ~ChmFile();
  ChmFile(const ChmFile&) = delete;
  ChmFile& operator=(const ChmFile&) = delete;

  // Opens `fileName`, closing any file opened before.  Missing: there is no
  // such file; Unreadable: it exists but is no help file (or an empty one).
  OpenResult open(const std::string& fileName);
  void close();
  bool isOpen() const { return handle_ != nullptr; }
  const std::string& fileName() const { return fileName_; }

  // An object of the archive by its path ("/Main.htm"; the leading slash may
  // be left out, case is not significant).  Nothing when it is not there or
  // cannot be read whole.
  std::optional<std::string> read(std::string_view path) const;
  bool contains(std::string_view path) const;

  // The archive path of every page and picture (not the compiler's own
  // "#" and "$" objects), in archive order.
  const std::vector<std::string>& files() const { return files_; }

  const std::string& title() const { return title_; }
  // The page the file opens at ("/index.htm"); empty when it names none.
  const std::string& defaultTopic() const { return defaultTopic_; }
  const std::vector<SiteMapEntry>& contents() const { return contents_; }
  const std::vector<SiteMapEntry>& index() const { return index_; }

  // The page of an index keyword, matched without regard to case and to
  // surrounding blanks.  A keyword below another may also be given as
  // "Parent, Child".  The page may end in "#anchor".  Nothing when the index
  // lacks it.
  std::optional<std::string> keywordPage(std::string_view keyword) const;
  // The page of a topic name: "/<topic>.htm" or "/<topic>.html", or any page
  // whose file name without extension is the topic (case not significant).
  std::optional<std::string> topicPage(std::string_view topic) const;

  // "/a/b.htm" from a page path or link as written in the file ("a/b.htm",
  // "/A/b.htm#x" keeps its case but loses the fragment).
  static std::string normalisePath(std::string_view path);

 private:
  void readSystem();
  // The object of exactly that path (no "#" fragment taken off).
  std::optional<std::string> readObject(const std::string& exactPath) const;
  void listFiles();

  chmFile* handle_ = nullptr;
  std::string fileName_;
  std::string title_;
  std::string defaultTopic_;
  std::string contentsFile_;
  std::string indexFile_;
  std::vector<std::string> files_;
  std::vector<SiteMapEntry> contents_;
  std::vector<SiteMapEntry> index_;
};

}  // namespace vm
