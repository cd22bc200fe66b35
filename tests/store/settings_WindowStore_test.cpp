#include <gtest/gtest.h>

#include <string>

#include "settings_TestFolder.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"
#include "store/WindowStore.h"

namespace vm {
namespace {

using testing::SettingsFolder;
using WindowStoreTest = SettingsFolder;

TEST_F(WindowStoreTest, SectionWithoutAValidMaximizeIsIgnored) {
  for (const char* maximize : {"", "yes", "NO", "1", "Yes please"}) {
    std::string section = "[BrowseBrews]\n";
    if (*maximize) section += std::string("Maximize=") + maximize + "\n";
    put("Browse.ini", section + "Minimize=No\nXPos=10\nYPos=20\nWidth=300\nHeight=200\n");
    EXPECT_FALSE(fetchWindow("BrowseBrews").has_value()) << '"' << maximize << '"';
  }
  EXPECT_FALSE(fetchWindow("Main").has_value()) << "no file at all";
}

TEST_F(WindowStoreTest, FetchGivesWhatTheSectionHolds) {
  put("Browse.ini",
      "[main]\nmaximize=No\nMinimize=Yes\nXPos=-4\nYPos=+7\n"
      "[Win_About]\nMaximize=Yes\nXPos=12x\nWidth=\n");
  const auto main = fetchWindow("Main");
  ASSERT_TRUE(main.has_value());
  EXPECT_FALSE(main->maximized);
  EXPECT_TRUE(main->minimized);
  EXPECT_EQ(main->x, -4);
  EXPECT_EQ(main->y, 7);
  EXPECT_FALSE(main->width.has_value());
  EXPECT_FALSE(main->height.has_value());

  const auto about = fetchWindow("Win_About");
  ASSERT_TRUE(about.has_value());
  EXPECT_TRUE(about->maximized);
  EXPECT_FALSE(about->minimized) << "a missing Minimize is not minimised";
  EXPECT_FALSE(about->x.has_value()) << "text that is no number is no position";
  EXPECT_FALSE(about->width.has_value());
}

TEST_F(WindowStoreTest, UpdateWritesOnlyWhatTheStateCalls) {
  WindowPlacement placement;
  placement.x = 10;
  placement.y = 20;
  placement.width = 300;
  placement.height = 200;

  updateWindow("UpdateBrews", placement, false);
  updateWindow("BrowseBrews", placement, true);
  EXPECT_EQ(contents("Browse.ini"),
            "[UpdateBrews]\nMaximize=No\nMinimize=No\nXPos=10\nYPos=20\n\n"
            "[BrowseBrews]\nMaximize=No\nMinimize=No\nXPos=10\nYPos=20\nWidth=300\nHeight=200\n");

  placement.maximized = true;
  updateWindow("BrowseBrews", placement, true);
  placement.maximized = false;
  placement.minimized = true;
  updateWindow("UpdateBrews", placement, false);
  EXPECT_EQ(contents("Browse.ini"),
            "[UpdateBrews]\nMaximize=No\nMinimize=Yes\n\n"
            "[BrowseBrews]\nMaximize=Yes\nMinimize=No\nWidth=300\nHeight=200\n");

  placement.minimized = false;
  updateWindow("BrowseBrews", placement, false);  // values not written are removed
  EXPECT_EQ(contents("Browse.ini"),
            "[UpdateBrews]\nMaximize=No\nMinimize=Yes\n\n"
            "[BrowseBrews]\nMaximize=No\nMinimize=No\nXPos=10\nYPos=20\n");
}

TEST_F(WindowStoreTest, AWindowReopensWhereItClosed) {
  WindowPlacement placement;
  placement.x = 33;
  placement.y = 44;
  placement.width = 555;
  placement.height = 666;
  updateWindow("BrowseShoppingList", placement, true);
  const auto back = fetchWindow("BrowseShoppingList");
  ASSERT_TRUE(back.has_value());
  EXPECT_FALSE(back->maximized);
  EXPECT_FALSE(back->minimized);
  EXPECT_EQ(back->x, 33);
  EXPECT_EQ(back->y, 44);
  EXPECT_EQ(back->width, 555);
  EXPECT_EQ(back->height, 666);
}

TEST_F(WindowStoreTest, UpdateLeavesTheListLayoutAndOtherLinesAlone) {
  put("Browse.ini",
      "; hand-made\n[BrowseWebLinks]\nSRCF?Browse:1=saved@\nSRCFOriginal?Browse:1=design@\n"
      "XPos=1\n");
  WindowPlacement placement;
  placement.maximized = true;
  updateWindow("BrowseWebLinks", placement, true);
  EXPECT_EQ(contents("Browse.ini"),
            "; hand-made\n[BrowseWebLinks]\nSRCF?Browse:1=saved@\nSRCFOriginal?Browse:1=design@\n"
            "Maximize=Yes\nMinimize=No\n");
}

const char* const kDesign = "80L(2)|M~Description~@s30@#1#40R(2)|M~Price~@n10.2@#2#";

TEST_F(WindowStoreTest, FirstOpenStoresTheDesignedLayout) {
  EXPECT_EQ(fetchListFormat("BrowseShoppingList", kDesign), kDesign);
  EXPECT_EQ(contents("Browse.ini"), std::string("[BrowseShoppingList]\nSRCF?Browse:1=") + kDesign +
                                        "\nSRCFOriginal?Browse:1=" + kDesign + "\n");
}

TEST_F(WindowStoreTest, SavedLayoutIsAppliedWhileTheDesignIsUnchanged) {
  fetchListFormat("BrowseShoppingList", kDesign);
  updateListFormat("BrowseShoppingList", "120L(2)|M~Description~@s30@#1#");
  EXPECT_EQ(fetchListFormat("BrowseShoppingList", kDesign), "120L(2)|M~Description~@s30@#1#");
  EXPECT_EQ(readIni("BrowseShoppingList", "SRCFOriginal?Browse:1", "", kBrowseIni), kDesign);
}

TEST_F(WindowStoreTest, ChangedDesignDiscardsTheSavedLayout) {
  fetchListFormat("BrowseShoppingList", kDesign);
  updateListFormat("BrowseShoppingList", "120L(2)|M~Description~@s30@#1#");
  const std::string newDesign = std::string(kDesign) + "30L(2)|M~Qty~@n3@#3#";
  EXPECT_EQ(fetchListFormat("BrowseShoppingList", newDesign), newDesign);
  EXPECT_EQ(readIni("BrowseShoppingList", "SRCF?Browse:1", "", kBrowseIni), newDesign);
  EXPECT_EQ(readIni("BrowseShoppingList", "SRCFOriginal?Browse:1", "", kBrowseIni), newDesign);
}

TEST_F(WindowStoreTest, SavedOriginalMustHoldAFormatAndTheLayoutMustNotBeEmpty) {
  // An equal original without '@' is no layout: the design is written again.
  put("Browse.ini", "[BrowseWebLinks]\nSRCF?Browse:1=mine\nSRCFOriginal?Browse:1=plain\n");
  EXPECT_EQ(fetchListFormat("BrowseWebLinks", "plain"), "plain");
  EXPECT_EQ(readIni("BrowseWebLinks", "SRCF?Browse:1", "", kBrowseIni), "plain");

  // An empty saved layout keeps the design and writes nothing.
  const std::string emptyLayout =
      std::string("[BrowseWebLinks]\nSRCF?Browse:1=\nSRCFOriginal?Browse:1=") + kDesign + "\n";
  put("Browse.ini", emptyLayout);
  EXPECT_EQ(fetchListFormat("BrowseWebLinks", kDesign), kDesign);
  EXPECT_EQ(contents("Browse.ini"), emptyLayout);
}

}  // namespace
}  // namespace vm
