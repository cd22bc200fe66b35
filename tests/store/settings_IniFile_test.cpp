#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "settings_TestFolder.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"

namespace vm {
namespace {

using testing::SettingsFolder;
using IniFileTest = SettingsFolder;

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheFallback) {
  EXPECT_EQ(readIni("Defaults", "Units", "dflt", "a.ini"), "dflt");
  EXPECT_TRUE(entries().empty()) << "reading must not create the file";

  put("a.ini", "[Other]\nUnits=1\n\n[Defaults]\nAlc=1\n");
  EXPECT_EQ(readIni("Missing", "Units", "dflt", "a.ini"), "dflt");
  EXPECT_EQ(readIni("Defaults", "Units", "dflt", "a.ini"), "dflt")
      << "a key of another section must not be found";
  EXPECT_EQ(readIni("Defaults", "Alc", "dflt", "a.ini"), "1");
  EXPECT_EQ(readIni("Defaults", "Al", "dflt", "a.ini"), "dflt");
}

TEST_F(IniFileTest, WriteCreatesFileAndSection) {
  EXPECT_TRUE(writeIni("Defaults", "TipFlag", "1", "a.ini"));
  EXPECT_EQ(contents("a.ini"), "[Defaults]\nTipFlag=1\n");
  EXPECT_TRUE(writeIni("BrowseWebLinks", "SRCF?Browse:1", "80L(2)|M~Name~@s20@", "a.ini"));
  EXPECT_EQ(contents("a.ini"),
            "[Defaults]\nTipFlag=1\n\n[BrowseWebLinks]\nSRCF?Browse:1=80L(2)|M~Name~@s20@\n");
  EXPECT_EQ(readIni("BrowseWebLinks", "SRCF?Browse:1", "", "a.ini"), "80L(2)|M~Name~@s20@");
}

TEST_F(IniFileTest, OtherLinesSurviveASequenceOfWritesByteForByte) {
  put("a.ini",
      "; written by hand\n"
      "[defaults]\n"
      "# the user's own note\n"
      "  units = 2  \n"
      "SomethingElse=keep me\n"
      "a line without an equals sign\n"
      "\n"
      "; about the next section\n"
      "[Main]\n"
      "Maximize=No\n"
      "last line without a line break");
  EXPECT_TRUE(writeIni("Defaults", "Units", "1", "a.ini"));     // replace, keep spelling
  EXPECT_TRUE(writeIni("DEFAULTS", "Alc", "0", "a.ini"));       // new key after last entry
  EXPECT_TRUE(writeIni("BrowseBrews", "XPos", "12", "a.ini"));  // new section at the end
  EXPECT_TRUE(removeIni("main", "MAXIMIZE", "a.ini"));          // removal
  EXPECT_TRUE(removeIni("Main", "Minimize", "a.ini"));          // missing key: no change
  EXPECT_TRUE(writeIni("Defaults", "SomethingElse", "keep me", "a.ini"));  // same value
  EXPECT_EQ(contents("a.ini"),
            "; written by hand\n"
            "[defaults]\n"
            "# the user's own note\n"
            "units=1\n"
            "SomethingElse=keep me\n"
            "Alc=0\n"
            "a line without an equals sign\n"
            "\n"
            "; about the next section\n"
            "[Main]\n"
            "last line without a line break\n"
            "\n"
            "[BrowseBrews]\n"
            "XPos=12\n");
}

TEST_F(IniFileTest, NamesMatchWithoutRegardToCase) {
  put("a.ini", "[BrowseShoppingList]\nSRCFOriginal?Browse:1=orig@\nSRCF?Browse:1=saved@\n");
  EXPECT_EQ(readIni("browseshoppinglist", "srcf?browse:1", "", "a.ini"), "saved@");
  EXPECT_EQ(readIni("BROWSESHOPPINGLIST", "SRCFORIGINAL?BROWSE:1", "", "a.ini"), "orig@");
  EXPECT_EQ(readIni("BrowseShoppingList", "SRCF", "none", "a.ini"), "none");
  EXPECT_EQ(readIni("BrowseShoppingList", "SRCF?Browse:2", "none", "a.ini"), "none");
}

TEST_F(IniFileTest, BlanksAroundValuesAreNotPartOfThem) {
  EXPECT_TRUE(writeIni("S", "K", "  padded  ", "a.ini"));
  EXPECT_EQ(contents("a.ini"), "[S]\nK=padded\n");
  put("a.ini", "[ S ]\n  K\t=\t value with inner  blanks \t\n");
  EXPECT_EQ(readIni("S", "K", "", "a.ini"), "value with inner  blanks");
}

TEST_F(IniFileTest, LongListFormatTextRoundTrips) {
  std::string format;
  while (format.size() < 8192) format += "80L(2)|M~Name~@s20@";
  format.resize(8192);
  EXPECT_TRUE(writeIni("BrowseWebLinks", "SRCF?Browse:1", format, "a.ini"));
  EXPECT_EQ(readIni("BrowseWebLinks", "SRCF?Browse:1", "", "a.ini"), format);
}

TEST_F(IniFileTest, WindowsLineEndingsAndByteOrderMarkAreKept) {
  put("a.ini", "\xEF\xBB\xBF[Defaults]\r\nTipFlag=0\r\n; note\r\n");
  EXPECT_EQ(readIni("Defaults", "TipFlag", "", "a.ini"), "0");
  EXPECT_TRUE(writeIni("Defaults", "TipFlag", "1", "a.ini"));
  EXPECT_TRUE(writeIni("Main", "Maximize", "No", "a.ini"));
  EXPECT_EQ(contents("a.ini"),
            "\xEF\xBB\xBF[Defaults]\r\nTipFlag=1\r\n; note\r\n\r\n[Main]\r\nMaximize=No\r\n");
}

TEST_F(IniFileTest, ProgramNamesAreFilesInTheCurrentFolder) {
  EXPECT_TRUE(writeIni("Defaults", "SetYN", "1", kProgramIni));
  EXPECT_TRUE(writeIni("Main", "Maximize", "No", kBrowseIni));
  EXPECT_EQ(entries(), (std::vector<std::string>{"Browse.ini", "Vatmark.ini"}));
  EXPECT_EQ(readIni("Defaults", "SetYN", "", "Vatmark.ini"), "1");
  EXPECT_EQ(readIni("Main", "Maximize", "", kBrowseIni), "No");
}

TEST_F(IniFileTest, UnsafeNamesAndValuesAreRefused) {
  put("a.ini", "[S]\nK=1\n");
  EXPECT_FALSE(writeIni("S", "K", "1\n[Evil]\nK=2", "a.ini"));
  EXPECT_FALSE(writeIni("S", "A=B", "1", "a.ini"));
  EXPECT_FALSE(writeIni("S]x", "K", "1", "a.ini"));
  EXPECT_FALSE(writeIni("S", "", "1", "a.ini"));
  EXPECT_FALSE(writeIni("S", ";K", "1", "a.ini"));
  EXPECT_FALSE(editIni("S", {{"K", "2"}, {"Bad\r", "3"}}, "a.ini")) << "all or nothing";
  EXPECT_EQ(contents("a.ini"), "[S]\nK=1\n");
}

// Failures that hold even for a user who may write anywhere.
struct FailingWrite {
  const char* what;
  void (*prepare)();
  const char* fileName;
};

TEST_F(IniFileTest, FailedWritesLeaveTheOldFileWhole) {
  const std::string old = "[Defaults]\n; keep\nUnits=1\n";
  const FailingWrite cases[] = {
      {"read-only file",
       [] {
         std::filesystem::permissions("a.ini", std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::group_read |
                                                   std::filesystem::perms::others_read);
       },
       "a.ini"},
      {"a folder where the file should be",
       [] {
         std::filesystem::create_directory("a.ini.d");
         put("a.ini.d/inside", "x");
       },
       "a.ini.d"},
      {"a file in a missing folder", [] {}, "missing/a.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all("a.ini.d");
    if (std::filesystem::exists("a.ini"))
      std::filesystem::permissions("a.ini", std::filesystem::perms::owner_all);
    put("a.ini", old);
    c.prepare();
    const auto before = entries();
    EXPECT_FALSE(writeIni("Defaults", "Units", "0", c.fileName));
    EXPECT_FALSE(editIni("Defaults", {{"Alc", "1"}, {"Units", std::nullopt}}, c.fileName));
    EXPECT_EQ(contents("a.ini"), old);
    EXPECT_EQ(entries(), before) << "no temporary file may be left behind";
    EXPECT_EQ(readIni("Defaults", "Units", "none", c.fileName),
              std::string(c.fileName) == "a.ini" ? "1" : "none");
  }
}

TEST_F(IniFileTest, ReplacementKeepsTheFilesPermissions) {
  put("a.ini", "[S]\nK=1\n");
  const auto perms = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                     std::filesystem::perms::group_read;
  std::filesystem::permissions("a.ini", perms);
  EXPECT_TRUE(writeIni("S", "K", "2", "a.ini"));
  EXPECT_EQ(std::filesystem::status("a.ini").permissions(), perms);
}

TEST_F(IniFileTest, WindowsClosingTogetherKeepEachOthersSections) {
  std::vector<std::thread> windows;
  for (int w = 0; w < 8; ++w)
    windows.emplace_back([w] {
      for (int i = 0; i < 20; ++i)
        writeIni("Window" + std::to_string(w), "XPos", std::to_string(i), kBrowseIni);
    });
  for (auto& t : windows) t.join();
  for (int w = 0; w < 8; ++w)
    EXPECT_EQ(readIni("Window" + std::to_string(w), "XPos", "", kBrowseIni), "19") << w;
}

}  // namespace
}  // namespace vm
