// The program defaults window and the start-up defaults prompt, driven as a
// user would on the offscreen platform.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <fstream>

#include "PrefsFixture.h"
#include "shell/Win_SetPrgDefaults.h"
#include "shell/Win_SetPrgDefaultsYN.h"
#include "store/Tables.h"

namespace vm::test {
namespace {

// The settings file's "Defaults" keys in the order they stand in the file.
std::vector<std::string> defaultsLines() {
  std::ifstream in(settingsPath(kProgramIni));
  std::vector<std::string> lines;
  std::string line;
  bool inDefaults = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inDefaults = line == "[Defaults]";
      continue;
    }
    if (inDefaults && !line.empty()) lines.push_back(line);
  }
  return lines;
}

void addBrew(int batch) {
  BrewTable brews;
  ASSERT_EQ(brews.open(), Status::Ok);
  BrewRecord r;
  r.batchNumber = static_cast<std::int16_t>(batch);
  r.waterVolumeLtr = Decimal(23);
  ASSERT_EQ(brews.insert(r), Status::Ok);
  brews.close();
}

// Blocked the way the frame is: its menus, not its windows.
class FrameStandIn : public QWidget, public BlockableCaller {
 public:
  void setCalleeOpen(bool open) override { blocked = open; }
  bool blocked = false;
};

class DefaultsTest : public PrefsFixture {
 protected:
  // Defaults saved before: metric, Celsius, abv, tips off.
  void savedDefaults() {
    Globals& g = globals();
    g.setDefaultsYN = 1;
    g.unitsPrompt = 1;
    g.tempPrompt = 1;
    g.alcBasedOn = 1;
  }
  // "&OK" as a mouse click: the press gives it the focus (questions), the
  // release presses it (save).
  static void clickOk(Win_SetPrgDefaults* w) {
    QTest::mouseClick(w->okButton(), Qt::LeftButton);
    QTest::qWait(10);
  }
};

TEST_F(DefaultsTest, FirstStartYesOkDefaultsDoneWritesAllEightKeys) {
  Win_SetPrgDefaultsYN* prompt = open<Win_SetPrgDefaultsYN>("Win_SetPrgDefaultsYN");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->windowTitle(), "Important...");
  EXPECT_TRUE(prompt->yesButton()->isVisible());
  EXPECT_FALSE(prompt->doneButton()->isVisible());
  EXPECT_FALSE(prompt->text(3)->isVisible());

  QTest::mouseClick(prompt->yesButton(), Qt::LeftButton);
  auto* defaults = qobject_cast<Win_SetPrgDefaults*>(findWindow("Win_SetPrgDefaults"));
  ASSERT_NE(defaults, nullptr);
  // The prompt's second state, and the prompt waits for the defaults window.
  for (int i : {1, 2, 4}) EXPECT_FALSE(prompt->text(i)->isVisible()) << i;
  EXPECT_TRUE(prompt->text(3)->isVisible());
  EXPECT_FALSE(prompt->yesButton()->isVisible());
  EXPECT_TRUE(prompt->doneButton()->isVisible());
  EXPECT_FALSE(prompt->doneButton()->isEnabled());
  EXPECT_TRUE(defaults->isEnabled());

  // The recommended values.
  EXPECT_TRUE(defaults->metricRadio()->isChecked());
  EXPECT_TRUE(defaults->celsiusRadio()->isChecked());
  EXPECT_TRUE(defaults->abvRadio()->isChecked());
  EXPECT_TRUE(defaults->toolTipBox()->isChecked());
  EXPECT_TRUE(defaults->openAtBrowseBox()->isChecked());
  EXPECT_TRUE(defaults->displayAllBox()->isChecked());
  EXPECT_FALSE(defaults->overrideBox()->isChecked());

  activate(defaults);
  clickOk(defaults);
  ASSERT_TRUE(QTest::qWaitFor([] { return findWindow("Win_SetPrgDefaults") == nullptr; }, 2000));
  EXPECT_TRUE(script.shown().empty());  // never saved: no questions
  EXPECT_TRUE(toolTipsEnabled());
  EXPECT_TRUE(prompt->doneButton()->isEnabled());
  EXPECT_EQ(findWindow("Win_SetPrgDefaultsYN"), prompt);  // stays open, second state

  QTest::mouseClick(prompt->doneButton(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return closedWith.has_value(); }, 2000));
  EXPECT_EQ(globals().setDefaultsYN, 1);
  EXPECT_EQ(defaultsLines(), (std::vector<std::string>{"OpenBrowse=1", "OpenAtStock=1", "TipFlag=1",
                                                       "OverrideDefaults=0", "Units=1",
                                                       "TempDefaults=1", "Alc=1", "SetYN=1"}));
  // What the next start reads: no prompt then.
  Globals next;
  readFrameSettings(next);
  EXPECT_EQ(next.setDefaultsYN, 1);
}

TEST_F(DefaultsTest, DoLaterSaysAbortedAndWritesSetYNZeroOnly) {
  Win_SetPrgDefaultsYN* prompt = open<Win_SetPrgDefaultsYN>("Win_SetPrgDefaultsYN");
  ASSERT_NE(prompt, nullptr);
  QTest::mouseClick(prompt->laterButton(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return closedWith.has_value(); }, 2000));
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Aborted...");
  EXPECT_EQ(script.shown()[0].text, "The current defaults settings have NOT been changed.");
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
  EXPECT_EQ(script.shown()[0].buttons.size(), 1u);
  EXPECT_EQ(defaultsLines(), std::vector<std::string>{"SetYN=0"});
}

TEST_F(DefaultsTest, PromptClosedByItsCloseBoxWritesSetYN) {
  Win_SetPrgDefaultsYN* prompt = open<Win_SetPrgDefaultsYN>("Win_SetPrgDefaultsYN");
  ASSERT_NE(prompt, nullptr);
  // The close box is refused while the defaults window it opened is up.
  QTest::mouseClick(prompt->yesButton(), Qt::LeftButton);
  ASSERT_NE(findWindow("Win_SetPrgDefaults"), nullptr);
  EXPECT_FALSE(prompt->close());
  findWindow("Win_SetPrgDefaults")->close();  // its close box: nothing saved
  EXPECT_TRUE(prompt->close());
  EXPECT_EQ(defaultsLines(), std::vector<std::string>{"SetYN=0"});
  // ... but the recommended values live on in the globals for this run.
  EXPECT_EQ(globals().unitsPrompt, 1);
}

// The change questions asked when "&OK" receives the focus.
TEST_F(DefaultsTest, ChangeQuestionsOnlyWhenSavedAndBrewsExistInOrderWithNoRestoring) {
  struct Case {
    const char* name;
    bool saved;
    bool brews;
    bool changeUnits, changeTemp, changeAlc;
    std::vector<int> answers;  // 1 "No", 2 "YES"
    std::vector<std::string> asked;
    const char* units;  // written values
    const char* temp;
    const char* alc;
  } cases[] = {
      {"no brews", true, false, true, false, false, {}, {}, "0", "1", "1"},
      {"never saved", false, true, true, true, true, {}, {}, "0", "0", "0"},
      {"units No", true, true, true, false, false, {1}, {"Change Units ?"}, "1", "1", "1"},
      {"units and temp YES",
       true,
       true,
       true,
       true,
       false,
       {2, 2},
       {"Change Units ?", "Change Temperature ?"},
       "0",
       "0",
       "1"},
      {"all three No YES No",
       true,
       true,
       true,
       true,
       true,
       {1, 2, 1},
       {"Change Units ?", "Change Temperature ?", "Change % Alc?"},
       "1",
       "0",
       "1"},
      {"nothing changed", true, true, false, false, false, {}, {}, "1", "1", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder fresh;
    globals() = Globals{};
    script.clear();
    if (c.saved) savedDefaults();
    if (c.brews) addBrew(7);
    auto* w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Program defaults...");
    if (c.changeUnits) QTest::mouseClick(w->imperialRadio(), Qt::LeftButton);
    if (c.changeTemp) QTest::mouseClick(w->fahrenheitRadio(), Qt::LeftButton);
    if (c.changeAlc) QTest::mouseClick(w->abwRadio(), Qt::LeftButton);
    // A click changes its global at once.
    if (c.changeUnits) {
      EXPECT_EQ(globals().unitsPrompt, 0);
    }
    for (int a : c.answers) script.answer(a);

    w->okButton()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(titles(), c.asked);
    for (const ShownMessage& m : script.shown()) {
      EXPECT_EQ(m.icon, MessageIcon::Exclamation);
      EXPECT_EQ(m.buttons, (std::vector<std::string>{"No", "YES"}));
    }
    // "No" shows the remembered choice again at once.
    EXPECT_EQ(w->metricRadio()->isChecked(), std::string(c.units) == "1");
    EXPECT_EQ(w->celsiusRadio()->isChecked(), std::string(c.temp) == "1");
    EXPECT_EQ(w->abvRadio()->isChecked(), std::string(c.alc) == "1");

    QTest::keyClick(w->okButton(), Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([] { return findWindow("Win_SetPrgDefaults") == nullptr; }, 2000));
    EXPECT_EQ(ini("Units"), c.units);
    EXPECT_EQ(ini("TempDefaults"), c.temp);
    EXPECT_EQ(ini("Alc"), c.alc);
    if (c.brews) {
      // Nothing is converted in the stored brews.
      BrewTable brews;
      ASSERT_EQ(brews.open(), Status::Ok);
      BrewRecord r;
      ASSERT_EQ(brews.first(View{brew::kKeyRecord}, r), Status::Ok);
      EXPECT_EQ(r.waterVolumeLtr, Decimal(23));
      brews.close();
    }
  }
}

TEST_F(DefaultsTest, OneMouseClickOnOkAsksThenSaves) {
  savedDefaults();
  addBrew(1);
  auto* w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults");
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w->imperialRadio(), Qt::LeftButton);
  script.answer(1);  // No
  clickOk(w);
  EXPECT_EQ(titles(), std::vector<std::string>{"Change Units ?"});
  EXPECT_TRUE(w == nullptr || findWindow("Win_SetPrgDefaults") == nullptr);
  EXPECT_EQ(ini("Units"), "1");
}

TEST_F(DefaultsTest, OkByItsAccessKeyStillAsks) {
  savedDefaults();
  addBrew(1);
  auto* w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults");
  ASSERT_NE(w, nullptr);
  w->activateWindow();
  QTest::mouseClick(w->imperialRadio(), Qt::LeftButton);
  ASSERT_TRUE(w->imperialRadio()->hasFocus());
  script.answer(1);  // No
  QTest::keyClick(w->imperialRadio(), Qt::Key_O, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([] { return findWindow("Win_SetPrgDefaults") == nullptr; }, 2000));
  EXPECT_EQ(titles(), std::vector<std::string>{"Change Units ?"});
  EXPECT_EQ(ini("Units"), "1");
}

TEST_F(DefaultsTest, HandEditedSetYNKeepsTheValuesReadAndAsksNothing) {
  writeIni("Defaults", "SetYN", "2", settingsPath(kProgramIni));
  writeIni("Defaults", "Units", "0", settingsPath(kProgramIni));
  readFrameSettings(globals());
  addBrew(1);
  auto* w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults");
  ASSERT_NE(w, nullptr);
  // Not the recommended values: imperial, Fahrenheit, abw, no tool tips.
  EXPECT_TRUE(w->imperialRadio()->isChecked());
  EXPECT_TRUE(w->fahrenheitRadio()->isChecked());
  EXPECT_TRUE(w->abwRadio()->isChecked());
  EXPECT_FALSE(w->toolTipBox()->isChecked());
  QTest::mouseClick(w->metricRadio(), Qt::LeftButton);
  clickOk(w);
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(ini("Units"), "1");
  EXPECT_EQ(ini("TipFlag"), "0");
}

TEST_F(DefaultsTest, ValueWithoutARadioIsShownAsNoneAndNotWritten) {
  writeIni("Defaults", "Units", "2", settingsPath(kProgramIni));
  readFrameSettings(globals());
  globals().setDefaultsYN = 1;
  addBrew(1);
  auto* w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults");
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->metricRadio()->isChecked());
  EXPECT_FALSE(w->imperialRadio()->isChecked());
  clickOk(w);
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(ini("Units"), "2");
  EXPECT_EQ(ini("OverrideDefaults"), "0");
}

TEST_F(DefaultsTest, TicksChangeGlobalsAtOnceOkAppliesToolTipsCloseBoxSavesNothing) {
  savedDefaults();
  globals().tipFlag = 1;
  setToolTipsEnabled(true);
  auto* w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults");
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->toolTipBox()->isChecked());
  QTest::mouseClick(w->toolTipBox(), Qt::LeftButton);
  QTest::mouseClick(w->overrideBox(), Qt::LeftButton);
  QTest::mouseClick(w->openAtBrowseBox(), Qt::LeftButton);
  EXPECT_EQ(globals().tipFlag, 0);
  EXPECT_EQ(globals().overrideFermentation, 1);
  EXPECT_EQ(globals().openAtBrowse, 1);
  // The close box: globals keep the clicks, the file and the tips stay.
  w->close();
  EXPECT_EQ(ini("TipFlag"), "<none>");
  EXPECT_TRUE(toolTipsEnabled());
  EXPECT_EQ(globals().overrideFermentation, 1);

  w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults");
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->toolTipBox()->isChecked());
  EXPECT_TRUE(w->overrideBox()->isChecked());
  QTest::mouseClick(w->overrideBox(), Qt::LeftButton);
  clickOk(w);
  EXPECT_FALSE(toolTipsEnabled());
  EXPECT_EQ(defaultsLines(),
            (std::vector<std::string>{"OpenBrowse=1", "OpenAtStock=0", "TipFlag=0",
                                      "OverrideDefaults=0", "Units=1", "TempDefaults=1", "Alc=1"}));
}

TEST_F(DefaultsTest, OneInstanceAndHelpKeyword) {
  savedDefaults();
  FrameStandIn caller;
  caller.show();
  auto* w = open<Win_SetPrgDefaults>("Win_SetPrgDefaults", &caller);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(caller.blocked);
  EXPECT_TRUE(commands().run("Win_SetPrgDefaults", &caller));
  int count = 0;
  for (Window* o : openWindows()) count += o->procedure() == "Win_SetPrgDefaults";
  EXPECT_EQ(count, 1);
  QTest::mouseClick(w->helpButton(), Qt::LeftButton);
  ASSERT_EQ(help.size(), 1u);
  EXPECT_EQ(help[0].keyword, "Program defaults");
  EXPECT_EQ(help[0].notFoundTitle, "Help topic");
  EXPECT_EQ(help[0].notFoundText, "Not found");
  EXPECT_EQ(w->helpButton()->toolTip(), "Help about this window.");
  w->close();
  EXPECT_FALSE(caller.blocked);
  // Its place is kept under its procedure name.
  EXPECT_EQ(readIni("Win_SetPrgDefaults", "Maximize", "", settingsPath(kBrowseIni)), "No");
}

}  // namespace
}  // namespace vm::test
