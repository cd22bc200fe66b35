#include <gtest/gtest.h>

#include <string>

#include "settings_TestFolder.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"

namespace vm {
namespace {

using testing::SettingsFolder;
using ProgramSettingsTest = SettingsFolder;

Globals allSetTo(std::uint8_t v) {
  Globals g;
  g.tipFlag = g.openAtBrowse = g.openAtStockOnly = g.overrideFermentation = v;
  g.unitsPrompt = g.tempPrompt = g.alcBasedOn = g.setDefaultsYN = v;
  return g;
}

TEST_F(ProgramSettingsTest, NoSettingsFileMeansTheFirstRunState) {
  Globals g = allSetTo(1);
  readTipFlag(g);
  readFrameSettings(g);
  EXPECT_EQ(g.tipFlag, 0);
  EXPECT_EQ(g.openAtBrowse, 0);
  EXPECT_EQ(g.openAtStockOnly, 0);
  EXPECT_EQ(g.overrideFermentation, 0);
  EXPECT_EQ(g.unitsPrompt, 0);
  EXPECT_EQ(g.tempPrompt, 0);
  EXPECT_EQ(g.alcBasedOn, 0);
  EXPECT_EQ(g.setDefaultsYN, 0) << "the defaults prompt comes up";
  EXPECT_EQ(readDisplaySetting(), DisplaySetting::Other) << "the toolbar stays shown";
  EXPECT_TRUE(entries().empty());
}

TEST(SettingByte, TextToNumber) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"", 0},      {"0", 0},
      {"1", 1},     {"2", 2},
      {" 1", 1},    {"1\t ", 1},
      {"+1", 1},    {"-1", 255},
      {"2abc", 0},  {"abc", 0},
      {"1 2", 0},   {"1.9", 1},
      {"1.", 1},    {".5", 0},
      {".", 0},     {"1.5x", 0},
      {"1e2", 0},   {"0x1", 0},
      {"255", 255}, {"256", 0},
      {"257", 1},   {"99999999999999999999", 255},
      {"-", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(settingByte(c.text), c.value) << '"' << c.text << '"';
}

TEST_F(ProgramSettingsTest, FrameSettingsReadEachKeyIntoItsGlobal) {
  put("Vatmark.ini",
      "[Defaults]\nTipFlag=1\nOpenBrowse=1\nOpenAtStock=0\nOverrideDefaults=3\nUnits=2\n"
      "TempDefaults=junk\nAlc=1\nSetYN=1\n");
  Globals g;
  readTipFlag(g);
  readFrameSettings(g);
  EXPECT_EQ(g.tipFlag, 1);
  EXPECT_EQ(g.openAtBrowse, 1);
  EXPECT_EQ(g.openAtStockOnly, 0) << "the browser opens by itself on stock only";
  EXPECT_EQ(g.overrideFermentation, 3);
  EXPECT_EQ(g.unitsPrompt, 2) << "a hand-edited value is read as it is";
  EXPECT_EQ(g.tempPrompt, 0);
  EXPECT_EQ(g.alcBasedOn, 1);
  EXPECT_EQ(g.setDefaultsYN, 1);
}

TEST_F(ProgramSettingsTest, DisplayIsMatchedExactlyInCapitals) {
  const struct {
    const char* text;
    DisplaySetting expected;
  } cases[] = {
      {"HIDE", DisplaySetting::Hide},        {"UNHIDE", DisplaySetting::Unhide},
      {"hide", DisplaySetting::Other},       {"Hide", DisplaySetting::Other},
      {"HIDEX", DisplaySetting::Other},      {"UNHIDE  x", DisplaySetting::Other},
      {"HIDE      x", DisplaySetting::Hide},  // only ten characters are read
      {"", DisplaySetting::Other},
  };
  for (const auto& c : cases) {
    put("Vatmark.ini", std::string("[Defaults]\nDisplay=") + c.text + "\n");
    EXPECT_EQ(readDisplaySetting(), c.expected) << '"' << c.text << '"';
  }
}

TEST_F(ProgramSettingsTest, DisplayMenuWritesItsWord) {
  writeDisplaySetting(DisplaySetting::Hide);
  EXPECT_EQ(readDisplaySetting(), DisplaySetting::Hide);
  writeDisplaySetting(DisplaySetting::Unhide);
  EXPECT_EQ(contents("Vatmark.ini"), "[Defaults]\nDisplay=UNHIDE\n");
  writeDisplaySetting(DisplaySetting::Other);
  EXPECT_EQ(contents("Vatmark.ini"), "[Defaults]\nDisplay=UNHIDE\n");
}

TEST_F(ProgramSettingsTest, DefaultsAreWrittenInTheirOrder) {
  Globals g = allSetTo(1);
  writeProgramDefaults(g);
  writeSetDefaultsYN(g);
  EXPECT_EQ(contents("Vatmark.ini"),
            "[Defaults]\nOpenBrowse=1\nOpenAtStock=1\nTipFlag=1\nOverrideDefaults=1\nUnits=1\n"
            "TempDefaults=1\nAlc=1\nSetYN=1\n");
  g = allSetTo(0);
  writeProgramDefaults(g);
  writeSetDefaultsYN(g);
  EXPECT_EQ(contents("Vatmark.ini"),
            "[Defaults]\nOpenBrowse=0\nOpenAtStock=0\nTipFlag=0\nOverrideDefaults=0\nUnits=0\n"
            "TempDefaults=0\nAlc=0\nSetYN=0\n");

  Globals back = allSetTo(7);
  readTipFlag(back);
  readFrameSettings(back);
  EXPECT_EQ(back.tipFlag, 0);
  EXPECT_EQ(back.unitsPrompt, 0);
  EXPECT_EQ(back.setDefaultsYN, 0);
}

TEST_F(ProgramSettingsTest, UnchosenValuesAreNotWritten) {
  put("Vatmark.ini", "[Defaults]\nUnits=2\nTempDefaults=1\n");
  Globals g;
  readFrameSettings(g);
  g.tempPrompt = 9;  // as if the scale had never been chosen
  writeProgramDefaults(g);
  EXPECT_EQ(contents("Vatmark.ini"),
            "[Defaults]\nUnits=2\nTempDefaults=1\nOpenBrowse=0\nOpenAtStock=0\nTipFlag=0\n"
            "OverrideDefaults=0\nAlc=0\n");
}

TEST_F(ProgramSettingsTest, OverrideIsOneForAnyNonZeroValue) {
  for (const auto& [global, written] :
       {std::pair{0, "0"}, std::pair{1, "1"}, std::pair{5, "1"}, std::pair{0, "0"}}) {
    Globals g;
    g.overrideFermentation = static_cast<std::uint8_t>(global);
    writeProgramDefaults(g);
    EXPECT_EQ(readIni("Defaults", "OverrideDefaults", "", kProgramIni), written) << global;
  }
}

TEST_F(ProgramSettingsTest, SetYNIsWrittenAsTheNumberHeld) {
  Globals g;
  g.setDefaultsYN = 7;
  writeSetDefaultsYN(g);
  EXPECT_EQ(contents("Vatmark.ini"), "[Defaults]\nSetYN=7\n");
}

}  // namespace
}  // namespace vm
