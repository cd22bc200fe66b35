#include "platform/help/ChmFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "tests/help/HelpFileFixture.h"

namespace vm {
namespace {

using testing::builtHelpFile;
using testing::ScratchFolder;

class BuiltHelpFile : public ::testing::Test {
 protected:
  void SetUp() override {
    VM_REQUIRE_HELP_FILE();
    ASSERT_EQ(file_.open(builtHelpFile()), ChmFile::OpenResult::Ok);
  }
  ChmFile file_;
};

// What each window's Help button looks up, and the page that must answer.
TEST_F(BuiltHelpFile, EveryKeywordTheWindowsLookUpLeadsToItsPage) {
  struct Case {
    const char* keyword;
    const char* page;
  } cases[] = {
      {"Program defaults", "/Win_SetPrgDefaults.htm"},
      {"Data Backup", "/Win_BackupData.htm"},
      {"Browse Brews", "/BrowseHOMEBREW.htm"},
      {"Edit Brew", "/UpdateHOMEBREW.htm"},
      {"Alcohol % calculator", "/Win_AlcCalculator.htm"},
      {"Gravity correction calculator", "/Win_GravityCorrection.htm"},
      {"Unit conversion", "/Win_UnitConversions.htm"},
      {"Unit cost", "/Win_CalculateCost.htm"},
      {"Browse Kits/Recipes", "/BrowseBrewName.htm"},
      {"Edit a Kit/Recipe", "/UpdateBrewName.htm"},
      {"Browse Web Links", "/BrowseWebLinks.htm"},
      {"Update Web Links", "/UpdateWebLinks.htm"},
      {"Browse Shopping List", "/ShoppingList.htm"},
      {"Update Shopping List", "/UpdateSHOPPING.htm"},
      {"Printing Reports", "/PrintingReports.htm"},
      {"Brew Labels", "/BrewLabels.htm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keyword);
    auto page = file_.keywordPage(c.keyword);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(*page, c.page);
    EXPECT_TRUE(file_.read(*page).has_value());
  }
}

TEST_F(BuiltHelpFile, KeywordsMatchAsAPersonTypesThem) {
  EXPECT_EQ(file_.keywordPage("  ALCOHOL %   Calculator "), "/Win_AlcCalculator.htm");
  EXPECT_EQ(file_.keywordPage("data backup"), "/Win_BackupData.htm");
  // An entry below another answers to its own name and to "Parent, Child".
  EXPECT_EQ(file_.keywordPage("Labels, standard"), "/Win_CreateStandardLabels.htm");
  EXPECT_EQ(file_.keywordPage("own design"), "/Win_CreateOwnLabels.htm");
  // A keyword may point into a page.
  EXPECT_EQ(file_.keywordPage("Backup drive letter"), "/Win_BackupData.htm#destination");
  for (const char* missing : {"", "   ", "Browse", "Browse Brews Now", "No such keyword"})
    EXPECT_FALSE(file_.keywordPage(missing).has_value()) << missing;
}

// F1 opens these by name; the windows without a topic of their own in the
// list above use their procedure's name.
TEST_F(BuiltHelpFile, EveryWindowTopicHasItsPage) {
  for (const char* topic : {"BrowseHOMEBREW",
                            "UpdateHOMEBREW",
                            "BrowseBrewName",
                            "UpdateBrewName",
                            "BrowseWebLinks",
                            "UpdateWebLinks",
                            "ShoppingList",
                            "UpdateSHOPPING",
                            "Win_GravityCorrection",
                            "Main",
                            "Win_About",
                            "Win_SetPrgDefaults",
                            "Win_SetPrgDefaultsYN",
                            "Win_BackupData",
                            "Win_AlcCalculator",
                            "Win_SugarAlc",
                            "Win_UnitConversions",
                            "Win_CalculateCost",
                            "Win_ViewBriefNotes",
                            "Win_ViewDetailedNotes",
                            "Win_PrintFromToRange",
                            "Win_CreateStandardLabels",
                            "Win_CreateOwnLabels",
                            "MakeCSV",
                            "ViewCSVFile",
                            "PrintingReports"}) {
    SCOPED_TRACE(topic);
    auto page = file_.topicPage(topic);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(*page, std::string("/") + topic + ".htm");
    auto text = file_.read(*page);
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("<h1>"), std::string::npos);
  }
  EXPECT_EQ(file_.topicPage("browsehomebrew"), "/BrowseHOMEBREW.htm");
  EXPECT_FALSE(file_.topicPage("NoSuchWindow").has_value());
  EXPECT_FALSE(file_.topicPage("").has_value());
}

TEST_F(BuiltHelpFile, OpensAtItsContentsPageWithTitleContentsAndIndex) {
  EXPECT_EQ(file_.title(), "Vatmark Help");
  EXPECT_EQ(file_.defaultTopic(), "/index.htm");
  ASSERT_FALSE(file_.contents().empty());
  EXPECT_EQ(file_.contents().front().locals.front(), "index.htm");
  EXPECT_GE(file_.index().size(), 16u);
  auto png = file_.read("images/backup.png");
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->substr(0, 4), "\x89PNG");
  EXPECT_EQ(file_.read("/IMAGES/Backup.PNG"), png);
  EXPECT_FALSE(file_.read("/images/none.png").has_value());
}

// Pages, contents and index must hang together: every contents and index
// entry opens a page, every page is reachable from the contents, and every
// link, picture and style sheet inside a page is in the file (with its
// anchor, when the link names one).
TEST_F(BuiltHelpFile, ContentsIndexAndLinksAllResolveInsideTheFile) {
  auto splitLink = [](const std::string& from, const std::string& link) {
    std::string target = link, anchor;
    if (auto hash = target.find('#'); hash != std::string::npos) {
      anchor = target.substr(hash + 1);
      target.resize(hash);
    }
    if (target.empty()) {
      target = from;
    } else if (target[0] != '/') {
      target = from.substr(0, from.rfind('/') + 1) + target;
    }
    return std::pair{target, anchor};
  };
  std::set<std::string> pages;
  for (const auto& f : file_.files())
    if (f.size() > 4 && f.substr(f.size() - 4) == ".htm") pages.insert(f);
  ASSERT_GE(pages.size(), 25u);

  auto anchorsOf = [&](const std::string& page) {
    std::set<std::string> names;
    auto text = file_.read(page).value_or("");
    std::regex name(R"re(<a\s+name="([^"]+)")re", std::regex::icase);
    for (std::sregex_iterator it(text.begin(), text.end(), name), end; it != end; ++it)
      names.insert((*it)[1]);
    return names;
  };

  std::set<std::string> inContents;
  for (const auto& e : file_.contents()) {
    for (const auto& l : e.locals) {
      EXPECT_TRUE(file_.contains(l)) << "contents entry " << e.name << " -> " << l;
      inContents.insert(ChmFile::normalisePath(l));
    }
  }
  for (const auto& p : pages) EXPECT_TRUE(inContents.count(p)) << p << " is not in the contents";

  for (const auto& e : file_.index()) {
    ASSERT_FALSE(e.locals.empty()) << e.name;
    auto [target, anchor] = splitLink("/", e.locals.front());
    EXPECT_TRUE(file_.contains(target)) << "index entry " << e.name;
    if (!anchor.empty()) {
      EXPECT_TRUE(anchorsOf(target).count(anchor)) << e.name << " #" << anchor;
    }
  }

  std::regex ref(R"re((?:href|src)\s*=\s*"([^"]*)")re", std::regex::icase);
  int checked = 0;
  for (const auto& page : pages) {
    auto text = file_.read(page);
    ASSERT_TRUE(text.has_value()) << page;
    for (std::sregex_iterator it(text->begin(), text->end(), ref), end; it != end; ++it) {
      std::string link = (*it)[1];
      if (link.rfind("http:", 0) == 0 || link.rfind("https:", 0) == 0 ||
          link.rfind("mailto:", 0) == 0)
        continue;
      auto [target, anchor] = splitLink(page, link);
      EXPECT_TRUE(file_.contains(target)) << page << " links to missing " << link;
      if (!anchor.empty()) {
        EXPECT_TRUE(anchorsOf(target).count(anchor)) << page << " links to missing #" << anchor;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(ChmFileOpen, MissingDamagedAndForeignFilesAreRefusedWithoutHarm) {
  ScratchFolder dir;
  ChmFile file;
  EXPECT_EQ(file.open((dir.path() / "VMhelp.chm").string()), ChmFile::OpenResult::Missing);
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(file.open(dir.path().string()), ChmFile::OpenResult::Unreadable);

  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir.path() / name, std::ios::binary) << bytes;
    return (dir.path() / name).string();
  };
  EXPECT_EQ(file.open(write("empty.chm", "")), ChmFile::OpenResult::Unreadable);
  EXPECT_EQ(file.open(write("text.chm", "This is not a help file.\n")),
            ChmFile::OpenResult::Unreadable);
  EXPECT_EQ(
      file.open(write("header.chm", std::string("ITSF\x03\0\0\0", 8) + std::string(200, 'x'))),
      ChmFile::OpenResult::Unreadable);
  EXPECT_FALSE(file.isOpen());
  EXPECT_FALSE(file.read("/index.htm").has_value());
  EXPECT_FALSE(file.keywordPage("Browse Brews").has_value());
  EXPECT_FALSE(file.topicPage("BrowseHOMEBREW").has_value());
}

TEST(ChmFileOpen, CutOffCopiesOfTheHelpFileAreRefusedOrReadSafely) {
  VM_REQUIRE_HELP_FILE();
  std::ifstream in(builtHelpFile(), std::ios::binary);
  std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(whole.size(), 4096u);
  ScratchFolder dir;
  for (std::size_t keep : {std::size_t{96}, std::size_t{512}, std::size_t{4096}, whole.size() / 3,
                           whole.size() / 2, whole.size() - 100}) {
    SCOPED_TRACE(keep);
    auto path = (dir.path() / ("cut" + std::to_string(keep) + ".chm")).string();
    std::ofstream(path, std::ios::binary) << whole.substr(0, keep);
    ChmFile file;
    auto result = file.open(path);
    if (result == ChmFile::OpenResult::Ok) {
      // Whatever survived must read back whole or not at all.
      for (const auto& f : file.files()) (void)file.read(f);
      (void)file.keywordPage("Browse Brews");
    } else {
      EXPECT_EQ(result, ChmFile::OpenResult::Unreadable);
    }
  }
}

TEST(ChmFilePaths, LinksAreNormalisedToArchivePaths) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"index.htm", "/index.htm"},
               {"/index.htm", "/index.htm"},
               {"images\\mug.png", "/images/mug.png"},
               {"UpdateHOMEBREW.htm#dates", "/UpdateHOMEBREW.htm"},
               {" Main.htm ", "/Main.htm"},
               {"ms-its:VMhelp.chm::/Main.htm", "/Main.htm"},
               {"", "/"}};
  for (const auto& c : cases) EXPECT_EQ(ChmFile::normalisePath(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace vm
