// The three windows reached through the real frame: the prompt at a first
// start, the defaults menu item and the backup toolbar button.
#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "ShellFixture.h"
#include "shell/PrefsCommands.h"
#include "shell/Win_BackupData.h"
#include "shell/Win_SetPrgDefaults.h"
#include "shell/Win_SetPrgDefaultsYN.h"

namespace vm::test {
namespace {

class FrameHookTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    registerPrefsCommands(commands());
  }
  MessageScript script;
};

TEST_F(FrameHookTest, FirstStartPromptThenMenuAndToolbarOpenTheirWindowsOnTheFrame) {
  Main* frame = startProgram(false);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([] { return findWindow("Win_SetPrgDefaultsYN") != nullptr; }, 3000));
  auto* prompt = qobject_cast<Win_SetPrgDefaultsYN*>(findWindow("Win_SetPrgDefaultsYN"));
  ASSERT_NE(prompt, nullptr);
  EXPECT_FALSE(frame->menuBar()->isEnabled());
  prompt->laterButton()->click();
  ASSERT_TRUE(QTest::qWaitFor([this] { return opened; }, 3000));
  EXPECT_EQ(readIni("Defaults", "SetYN", "", settingsPath(kProgramIni)), "0");
  EXPECT_TRUE(frame->menuBar()->isEnabled());

  frame->action("?PREFERENCESPROGRAMDEFAULTS")->trigger();
  auto* defaults = qobject_cast<Win_SetPrgDefaults*>(findWindow("Win_SetPrgDefaults"));
  ASSERT_NE(defaults, nullptr);
  EXPECT_FALSE(frame->menuBar()->isEnabled());
  EXPECT_TRUE(defaults->isEnabled());
  defaults->okButton()->click();
  EXPECT_EQ(findWindow("Win_SetPrgDefaults"), nullptr);
  EXPECT_TRUE(frame->menuBar()->isEnabled());
  EXPECT_EQ(readIni("Defaults", "Units", "", settingsPath(kProgramIni)), "1");

  frame->toolButton("?BUPBUT")->click();
  auto* backup = qobject_cast<Win_BackupData*>(findWindow("Win_BackupData"));
  ASSERT_NE(backup, nullptr);
  EXPECT_FALSE(frame->toolBar()->isEnabled());
  backup->closeButton()->click();
  EXPECT_EQ(findWindow("Win_BackupData"), nullptr);
  EXPECT_TRUE(frame->toolBar()->isEnabled());
}

}  // namespace
}  // namespace vm::test
