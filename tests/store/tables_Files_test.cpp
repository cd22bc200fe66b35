// Files that are not readable tables: each is refused with "File Access
// Error" and a reason, and is never replaced or changed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/Tables.h"
#include "tables_TestSupport.h"

namespace vm {
namespace {

using Files = test::TableFolder;

const std::string kPrefix = "File BREWSV3 could not be opened.  Error: ";
const std::string kSuffix = ".  Press OK to end this application";

// A real BREWSV3 file with some brews in it, made and closed again.
void makeTable(int brews) {
  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  for (int i = 0; i < brews; ++i) {
    BrewRecord r;
    r.notesBig = std::string(3000, 'a' + i % 26);
    ASSERT_EQ(t.prime(r), Status::Ok);
  }
}

std::string errorPart(const Message& m) {
  if (m.text.rfind(kPrefix, 0) != 0 || m.text.size() < kPrefix.size() + kSuffix.size()) return "";
  return m.text.substr(kPrefix.size(), m.text.size() - kPrefix.size() - kSuffix.size());
}

TEST_F(Files, UnreadableFilesAreRefusedAndLeftAsTheyWere) {
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string reason;  // the %ErrorText shown
  };
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 251);
  const std::vector<Case> cases = {
      {"garbage", [&] { writeBytes("BREWSV3.TPS", garbage); },
       "the file is not a table file (unknown format)"},
      {"empty", [&] { writeBytes("BREWSV3.TPS", ""); }, "the file is empty"},
      {"text", [&] { writeBytes("BREWSV3.TPS", "Batch,Kit\r\n1,Lager\r\n"); },
       "the file is not a table file (unknown format)"},
      {"truncated",
       [&] {
         makeTable(40);
         std::string b = bytesOf("BREWSV3.TPS");
         writeBytes("BREWSV3.TPS", b.substr(0, b.size() / 2));
       },
       "the file is damaged: it is shorter than the data it holds"},
      {"other database",
       [&] {
         sqlite3* db = nullptr;
         sqlite3_open("BREWSV3.TPS", &db);
         sqlite3_exec(db, "CREATE TABLE accounts(id INTEGER, name TEXT)", nullptr, nullptr,
                      nullptr);
         sqlite3_close(db);
       },
       "the file does not hold the BREWSV3 table"},
      {"kits file under the brews name",
       [&] {
         {
           BrandTable k;
           ASSERT_EQ(k.open(), Status::Ok);
         }
         std::filesystem::remove("BREWSV3.TPS");
         std::filesystem::copy_file("BRANDS4.TPS", "BREWSV3.TPS");
       },
       "the file does not hold the BREWSV3 table"},
      {"folder", [&] { std::filesystem::create_directory("BREWSV3.TPS"); },
       "BREWSV3.TPS is a folder, not a table file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (auto& e : std::filesystem::directory_iterator(dir_)) std::filesystem::remove_all(e.path());
    c.make();
    messages.shown.clear();
    const bool folder = std::filesystem::is_directory("BREWSV3.TPS");
    const std::string before = folder ? "" : bytesOf("BREWSV3.TPS");
    auto entriesBefore = folderEntries();
    BrewTable t;
    EXPECT_EQ(t.open(), Status::FileError);
    EXPECT_FALSE(t.isOpen());
    EXPECT_EQ(t.errorText(), c.reason);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "File Access Error");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(errorPart(messages.shown[0]), c.reason) << messages.shown[0].text;
    if (!folder) {
      EXPECT_EQ(bytesOf("BREWSV3.TPS"), before);
    }
    EXPECT_EQ(folderEntries(), entriesBefore);  // nothing created beside it
    // A second try fails the same way; the refusal is not cached as success.
    EXPECT_EQ(t.open(), Status::FileError);
  }
}

TEST_F(Files, BrokenKitsFileAlsoStopsTheBrewsOpening) {
  writeBytes("BRANDS4.TPS", "not a table");
  BrewTable t;
  EXPECT_EQ(t.open(), Status::FileError);
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown[0].text,
            "File BRANDS4 could not be opened.  Error: the file is not a table file (unknown "
            "format).  Press OK to end this application");
  EXPECT_EQ(bytesOf("BRANDS4.TPS"), "not a table");
}

TEST_F(Files, ReadOnlyFileIsRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes to read-only files anyway";
  makeTable(1);
  ::chmod("BREWSV3.TPS", 0444);
  BrewTable t;
  EXPECT_EQ(t.open(), Status::FileError);
  EXPECT_EQ(t.errorText(), "the file is read-only");
  ::chmod("BREWSV3.TPS", 0000);
  EXPECT_EQ(t.open(), Status::FileError);
  EXPECT_NE(t.errorText().find("cannot be read"), std::string::npos) << t.errorText();
}

}  // namespace
}  // namespace vm
