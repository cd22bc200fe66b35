#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "ShellFixture.h"
#include "base/Date.h"
#include "platform/ProgramEvents.h"
#include "shell/OpeningSplash.h"

namespace vm::test {
namespace {

class StartupTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    setTodaySource([] { return dayNumber(2026, 3, 14); });
    commands().add("Win_SetPrgDefaultsYN", CommandMode::Open, [this]() -> Window* {
      log.push_back("prompt");
      frameVisibleAtPrompt = program->frame() && program->frame()->isVisible();
      tipsAtPrompt = toolTipsEnabled();
      thisDayAtPrompt = globals().thisDay;
      auto* w = new BrowseStandIn("Win_SetPrgDefaultsYN");
      return w;
    });
    addBrowse("BrowseBrews");
  }
  void TearDown() override {
    ShellFixture::TearDown();
    setTodaySource({});
  }
  void closePrompt() {
    ASSERT_TRUE(
        QTest::qWaitFor([] { return findWindow("Win_SetPrgDefaultsYN") != nullptr; }, 2000));
    findWindow("Win_SetPrgDefaultsYN")->finish();
  }
  bool frameVisibleAtPrompt = false;
  bool tipsAtPrompt = true;
  DayNumber thisDayAtPrompt = -1;
};

TEST_F(StartupTest, FirstRunShowsSplashFrameThenThePromptWithoutToolTips) {
  Main* frame = startProgram(false);
  ASSERT_NE(frame, nullptr);
  closePrompt();
  ASSERT_TRUE(QTest::qWaitFor([this] { return opened; }, 2000));
  EXPECT_EQ(log, (std::vector<std::string>{"splash", "frame", "prompt", "opened"}));
  EXPECT_TRUE(frameVisibleAtPrompt);
  EXPECT_FALSE(tipsAtPrompt);
  // Today's date is taken once the prompt has closed.
  EXPECT_EQ(thisDayAtPrompt, 0);
  EXPECT_EQ(globals().thisDay, dayNumber(2026, 3, 14));
  EXPECT_EQ(globals().browseOpen, 0);
  EXPECT_TRUE(frame->toolBar()->isVisibleTo(frame));
}

TEST_F(StartupTest, PromptBlocksTheFrameUntilItCloses) {
  Main* frame = startProgram(false);
  ASSERT_TRUE(QTest::qWaitFor([] { return findWindow("Win_SetPrgDefaultsYN") != nullptr; }, 2000));
  EXPECT_FALSE(frame->menuBar()->isEnabled());
  EXPECT_FALSE(frame->toolBar()->isEnabled());
  EXPECT_FALSE(opened);
  closePrompt();
  EXPECT_TRUE(frame->menuBar()->isEnabled());
  EXPECT_TRUE(frame->toolBar()->isEnabled());
}

TEST_F(StartupTest, OpenBrowseStartsTheBrewBrowserAfterThePrompt) {
  writeDefaults("OpenBrowse", "1");
  writeDefaults("TipFlag", "1");
  Main* frame = startProgram(false);
  closePrompt();
  ASSERT_TRUE(QTest::qWaitFor([this] { return opened; }, 2000));
  EXPECT_EQ(log,
            (std::vector<std::string>{"splash", "frame", "prompt", "start BrowseBrews", "opened"}));
  EXPECT_TRUE(tipsAtPrompt);
  EXPECT_EQ(globals().browseOpen, 1);
  EXPECT_TRUE(frame->toolButton("?BUPBUT")->isHidden());
  EXPECT_NE(findWindow("BrowseBrews"), nullptr);
}

TEST_F(StartupTest, ClosingTheFrameAtThePromptStartsNoBrowser) {
  writeDefaults("OpenBrowse", "1");
  QPointer<Main> frame = startProgram(false);
  ASSERT_TRUE(QTest::qWaitFor([] { return findWindow("Win_SetPrgDefaultsYN") != nullptr; }, 2000));
  frame->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame.isNull(); }, 2000));
  EXPECT_EQ(log, (std::vector<std::string>{"splash", "frame", "prompt"}));
  EXPECT_EQ(globals().browseOpen, 0);
}

TEST_F(StartupTest, SavedDefaultsSkipThePrompt) {
  writeDefaults("SetYN", "1");
  writeDefaults("OpenBrowse", "1");
  startProgram();
  EXPECT_EQ(log, (std::vector<std::string>{"splash", "frame", "start BrowseBrews", "opened"}));
  EXPECT_EQ(globals().setDefaultsYN, 1);
  EXPECT_EQ(globals().openAtBrowse, 1);
}

TEST_F(StartupTest, WithoutAPromptWindowOpeningGoesStraightOn) {
  commands().remove("Win_SetPrgDefaultsYN");
  startProgram();
  EXPECT_EQ(log, (std::vector<std::string>{"splash", "frame", "opened"}));
  EXPECT_EQ(globals().thisDay, dayNumber(2026, 3, 14));
}

TEST_F(StartupTest, FrameReadsTheDefaultsIntoTheGlobals) {
  writeDefaults("SetYN", "1");
  writeDefaults("Units", "2");
  writeDefaults("TempDefaults", "1");
  writeDefaults("Alc", "1");
  writeDefaults("OverrideDefaults", "1");
  writeDefaults("OpenAtStock", "1");
  startProgram();
  EXPECT_EQ(globals().unitsPrompt, 2);
  EXPECT_EQ(globals().tempPrompt, 1);
  EXPECT_EQ(globals().alcBasedOn, 1);
  EXPECT_EQ(globals().overrideFermentation, 1);
  EXPECT_EQ(globals().openAtStockOnly, 1);
}

TEST_F(StartupTest, RecordStoreMessagesAreShownAsMessageBoxes) {
  commands().remove("Win_SetPrgDefaultsYN");
  startProgram();
  MessageScript script;
  script.answer(2);
  EXPECT_EQ(storeMessages().show(saveRecordMessage()), 2);
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Save Record");
  EXPECT_EQ(script.shown()[0].text, "Do you want to save the changes to this record?");
  EXPECT_EQ(script.shown()[0].buttons, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
  EXPECT_EQ(script.shown()[0].defaultButton, 3);
}

TEST(Splash, ClosesAtAClickOrWhenItsTimeIsUp) {
  for (bool click : {true, false}) {
    SCOPED_TRACE(click);
    auto* splash = new OpeningSplash(click ? 60000 : 50);
    bool closed = false;
    QObject::connect(splash, &OpeningSplash::closed, [&] { closed = true; });
    splash->show();
    if (click) QTest::mouseClick(splash, Qt::RightButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 2000));
  }
}

}  // namespace
}  // namespace vm::test
