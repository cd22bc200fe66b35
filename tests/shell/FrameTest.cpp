#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include "ShellFixture.h"
#include "base/Date.h"
#include "platform/HelpService.h"
#include "platform/Shell.h"
#include "shell/Win_About.h"
#include "store/WindowStore.h"

namespace vm::test {
namespace {

class FrameTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    writeDefaults("SetYN", "1");
  }
  static QStringList itemsOf(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text());
    return out;
  }
  static QMenu* menuNamed(Main* frame, const QString& title) {
    for (QAction* a : frame->menuBar()->actions())
      if (a->text() == title) return a->menu();
    return nullptr;
  }
};

TEST_F(FrameTest, TitleMenusAndItemsAreAsDesigned) {
  Main* frame = startProgram();
  EXPECT_EQ(frame->windowTitle(), "Vatmark - Version 1.44");
  EXPECT_FALSE(frame->windowIcon().isNull());
  QStringList titles;
  for (QAction* a : frame->menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Browse", "&Reports", "&Preferences",
                                 "&Utilities", "&Window", "&Help"}));
  EXPECT_EQ(
      itemsOf(menuNamed(frame, "&File")),
      (QStringList{"&Print Setup ...", "-", "Export all Brew Records to CSV File", "-", "E&xit"}));
  EXPECT_EQ(itemsOf(menuNamed(frame, "&Reports")),
            (QStringList{"Brewers Record Sheet", "-", "List &Brews", "&Stock on Hand Only", "-",
                         "&List Kits\\Recipes", "&Shopping List", "T&asting score sheet (plain)",
                         "List &Web Links"}));
  EXPECT_EQ(
      itemsOf(menuNamed(frame, "&Reports")->actions()[2]->menu()),
      (QStringList{"By &Batch number - Descending", "By &Record Order - Ascending",
                   "By &Kit/Recipe name - Ascending", "By &Date Down - Descending",
                   "By &Cost of Brew - (Brews with no cost excluded)", "-",
                   "By &Tasting Score - Best to worst", "-", "For a &Selected Batch Range Only"}));
  EXPECT_EQ(itemsOf(menuNamed(frame, "&Reports")->actions()[3]->menu()),
            (QStringList{"&Brews in Stock by Batch Number", "Brews in &Stock by Record Order", "-",
                         "Brews in &Stock by Tasting Score", "-", "Stock Take Sheet"}));
  EXPECT_EQ(itemsOf(menuNamed(frame, "&Utilities")),
            (QStringList{"&Unit Conversion", "C&ost Calculator", "&Alcohol % Calculator",
                         "&Gravity Correction", "&Calculator", "-", "&Backup Data Files"}));
  EXPECT_EQ(itemsOf(menuNamed(frame, "&Preferences")),
            (QStringList{"&Program Defaults", "-", "&Display"}));
  EXPECT_EQ(
      itemsOf(menuNamed(frame, "&Help")),
      (QStringList{"Help File &Contents", "-", "&About Vatmark", "-", "Check for Updates Online"}));
  EXPECT_EQ(itemsOf(menuNamed(frame, "&Window")),
            (QStringList{"T&ile", "&Cascade", "&Arrange Icons"}));
}

TEST_F(FrameTest, HighlightedItemsShowTheirMessageInZoneOne) {
  Main* frame = startProgram();
  const struct {
    const char* label;
    const char* message;
  } cases[] = {
      {"?PRINTSETUP", "Setup printer"},
      {"?EXITPRG", "Exit this application"},
      {"?CUT", "Remove item to Windows Clipboard"},
      {"?COPY", "Copy item to Windows Clipboard"},
      {"?PASTE", "Paste contents of Windows Clipboard"},
      {"?BROWSEHOMEBREW", "Browse HOMEBREW"},
      {"?TILE", "Make all open windows visible"},
      {"?CASCADE", "Stack all open windows"},
      {"?ARRANGE", "Align all window icons"},
      {"?MYHELP", "View the contents of the help file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    QAction* a = frame->action(c.label);
    ASSERT_NE(a, nullptr);
    a->showStatusText(frame);
    EXPECT_EQ(frame->zone(1)->text(), c.message);
    EXPECT_FALSE(frame->zone(3)->text().isEmpty());  // the clock zones stay
  }
  EXPECT_EQ(menuNamed(frame, "&Reports")->menuAction()->statusTip(), "Report data");
  EXPECT_EQ(menuNamed(frame, "&Window")->menuAction()->statusTip(), "Create and Arrange windows");
  EXPECT_EQ(menuNamed(frame, "&Help")->menuAction()->statusTip(), "Windows Help");
}

TEST_F(FrameTest, ToolbarButtonsInOrderAtTheirPlaces) {
  Main* frame = startProgram();
  const struct {
    const char* label;
    int x;
    const char* tip;
  } cases[] = {
      {"?BREWSBUT", 4, "Browse Brews"},
      {"?BROWSEKITS:2", 34, "Browse Kits/Recipes"},
      {"?CONVERSIONBUT", 64, "Unit Converion"},
      {"?BUTTON9", 94, "Shopping List"},
      {"?BUTTON7", 124, "Cost Calculator"},
      {"?WEBBUTTON", 154, "Web links"},
      {"?CALBUT1", 184, "Calculator"},
      {"?BUPBUT", 214, " Backup your Vatmark data files.\n (Close all windows to access)"},
  };
  const DialogUnits u = frame->units();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    QToolButton* b = frame->toolButton(c.label);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->toolTip(), c.tip);
    EXPECT_EQ(b->geometry(), u.toPixels(QRect(c.x, 2, 26, 22)));
    EXPECT_TRUE(b->text().isEmpty() || b->toolButtonStyle() == Qt::ToolButtonIconOnly);
    EXPECT_FALSE(b->icon().isNull());
  }
}

TEST_F(FrameTest, BrowseMarkerHidesBackupUntilTheNextRefresh) {
  addBrowse("BrowseKitsRecipes");
  addBrowse("BrowseWebLinks");
  Main* frame = startProgram();
  QToolButton* backup = frame->toolButton("?BUPBUT");
  QAction* exportItem = frame->action("?FILEEXPORTBREWDATATOCSVFILE");
  QAction* backupItem = frame->action("?MAINTENANCEBACKUPDATAFILES");
  EXPECT_FALSE(backup->isHidden());
  EXPECT_TRUE(exportItem->isEnabled());

  frame->toolButton("?BROWSEKITS:2")->click();
  EXPECT_EQ(globals().browseOpen, 1);
  EXPECT_TRUE(backup->isHidden());
  EXPECT_FALSE(exportItem->isEnabled());
  EXPECT_FALSE(backupItem->isEnabled());

  frame->action("?BROWSEWEBLINKS")->trigger();
  ASSERT_NE(findWindow("BrowseWebLinks"), nullptr);
  // Closing one of the two clears the single marker, seen at the next refresh.
  Window* kits = findWindow("BrowseKitsRecipes");
  ASSERT_NE(kits, nullptr);
  QObject::disconnect(frame->mdi(), nullptr, frame, nullptr);  // no refresh by activation
  kits->finish();
  EXPECT_EQ(globals().browseOpen, 0);
  EXPECT_TRUE(backup->isHidden());
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(frame, &activate);
  EXPECT_FALSE(backup->isHidden());
  EXPECT_TRUE(exportItem->isEnabled());
  EXPECT_TRUE(backupItem->isEnabled());
  EXPECT_NE(findWindow("BrowseWebLinks"), nullptr);
}

TEST_F(FrameTest, CalculatorCommandStartsACalculatorEachTimeAndRefreshes) {
#ifndef _WIN32
  QTemporaryDir programDir;
  QFile f(QDir(programDir.path()).filePath("Sumpad"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\necho x >> \"$PWD/starts.txt\"\n");
  f.close();
  f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  setProgramFolderForLookup(programDir.path());
  Main* frame = startProgram();
  globals().browseOpen = 1;
  frame->action("?TOOLSCALCULATOR")->trigger();
  EXPECT_TRUE(frame->toolButton("?BUPBUT")->isHidden());
  globals().browseOpen = 0;
  frame->toolButton("?CALBUT1")->click();
  EXPECT_FALSE(frame->toolButton("?BUPBUT")->isHidden());
  auto starts = [&] {
    QFile s(folder.file("starts.txt"));
    return s.open(QIODevice::ReadOnly) ? s.readAll().count('\n') : 0;
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return starts() == 2; }, 5000));
  setProgramFolderForLookup({});
#endif
}

TEST_F(FrameTest, BrowseItemWithoutItsWindowDoesNothing) {
  Main* frame = startProgram();
  frame->action("?BROWSEHOMEBREW")->trigger();
  EXPECT_EQ(globals().browseOpen, 0);
  EXPECT_FALSE(frame->toolButton("?BUPBUT")->isHidden());
  EXPECT_TRUE(frame->mdi()->subWindowList().isEmpty());
}

TEST_F(FrameTest, HiddenToolbarStaysHiddenAfterARestart) {
  Main* frame = startProgram();
  frame->action("?PREFERENCESHIDETOOLBAR")->trigger();
  EXPECT_FALSE(frame->toolBar()->isVisibleTo(frame));
  EXPECT_EQ(readIni("Defaults", "Display", "", settingsPath(kProgramIni)), "HIDE");
  stop();
  frame = startProgram();
  EXPECT_FALSE(frame->toolBar()->isVisibleTo(frame));
  frame->action("?PREFERENCESUNHIDETOOLBAR")->trigger();
  EXPECT_TRUE(frame->toolBar()->isVisibleTo(frame));
  EXPECT_EQ(readIni("Defaults", "Display", "", settingsPath(kProgramIni)), "UNHIDE");
  stop();
  writeDefaults("Display", "hide");
  frame = startProgram();
  EXPECT_TRUE(frame->toolBar()->isVisibleTo(frame));
}

TEST_F(FrameTest, StatusBarClockAtAFixedTime) {
  // 31 October 2010 was a Sunday.
  const struct {
    int y, m, d;
    int seconds;
    const char* date;
    const char* time;
  } cases[] = {
      {2010, 10, 31, 17 * 3600 + 7 * 60, "Sunday, October 31, 2010", "5:07PM"},
      {2010, 11, 3, 9 * 3600 + 5 * 60 + 59, "Wednesday, November 3, 2010", "9:05AM"},
      {2024, 2, 29, 0, "Thursday, February 29, 2024", "12:00AM"},
      {2026, 12, 12, 12 * 3600 + 30 * 60, "Saturday, December 12, 2026", "12:30PM"},
      {2026, 12, 7, 23 * 3600 + 59 * 60, "Monday, December 7, 2026", "11:59PM"},
  };
  setTodaySource([] { return dayNumber(2010, 10, 31); });
  Main* frame = startProgram();
  const DayNumber opening = globals().thisDay;
  EXPECT_EQ(opening, dayNumber(2010, 10, 31));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    const DayNumber day = dayNumber(c.y, c.m, c.d);
    const int secs = c.seconds;
    setTodaySource([day] { return day; });
    setTimeOfDaySource([secs] { return secs; });
    frame->updateClock();
    EXPECT_EQ(frame->zone(3)->text(), c.date);
    EXPECT_EQ(frame->zone(4)->text(), c.time);
  }
  // The clock ticks by itself; the opening date stays.
  setTodaySource([] { return dayNumber(2010, 11, 1); });
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return frame->zone(3)->text() == "Monday, November 1, 2010"; }, 2500));
  EXPECT_EQ(globals().thisDay, opening);
  setTodaySource({});
  setTimeOfDaySource({});
}

TEST(Weekday, NamesFromTheTable) {
  const char* names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                         "Thursday", "Friday", "Saturday"};
  for (int d = 0; d < 14; ++d) EXPECT_EQ(weekdayName(d), names[d % 7]);
}

TEST_F(FrameTest, AboutIsOneInstanceWithItsTexts) {
  Main* frame = startProgram();
  frame->action("?HELPABOUTVATMARK")->trigger();
  auto* about = qobject_cast<Win_About*>(findWindow("Win_About"));
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->windowTitle(), "About Vatmark  -  Version 1.44");
  about->subWindow()->showMinimized();
  frame->action("?HELPABOUTVATMARK")->trigger();
  EXPECT_EQ(frame->mdi()->subWindowList().size(), 1);
  EXPECT_FALSE(about->subWindow()->isMinimized());
  EXPECT_EQ(about->closeButton()->text(), "Cl&ose");
  EXPECT_EQ(about->closeButton()->toolTip(), "Close Window");
  EXPECT_EQ(about->imageButton()->text(), "&This image");
  {
    MessageScript script;
    about->imageButton()->click();
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].title, "Image information...");
    EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(script.shown()[0].text,
              "The background image on this window is an actual photo |of the authors home brew "
              "taken with a Canon |PowerShot A530 digital camera.||Bubbles could have been "
              "sharper. Taken against the |light through a beer handle with smooth glass "
              "similar to |the one on this window.");
  }
  about->closeButton()->click();
  EXPECT_EQ(findWindow("Win_About"), nullptr);
  EXPECT_EQ(readIni("Win_About", "Maximize", "?", settingsPath(kBrowseIni)), "No");
}

TEST_F(FrameTest, CheckForUpdatesTellsThenOpensTheUpdatePage) {
  Main* frame = startProgram();
  QStringList asked;
  setShellOpenHandler([&](const QString& a) {
    asked << a;
    return 42;
  });
  MessageScript script;
  frame->action("?HELPCHECKFORUPDATESONLINE")->trigger();
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Please note...");
  EXPECT_EQ(script.shown()[0].text, "You must be connected to the Internet to use this option.");
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Information);
  EXPECT_EQ(asked, QStringList{kUpdatePage});
  setShellOpenHandler({});
}

TEST_F(FrameTest, OpenedCommandBlocksMenusAndToolbarAndCostCalculatorClearsTheBrew) {
  commands().add("Win_CalculateCost", CommandMode::Open,
                 [] { return new BrowseStandIn("Win_CalculateCost"); });
  Main* frame = startProgram();
  globals().getKitName = "Coopers Lager";
  globals().getBatchName = "Summer";
  globals().getBatchNumber = 12;
  frame->toolButton("?BUTTON7")->click();
  Window* cost = findWindow("Win_CalculateCost");
  ASSERT_NE(cost, nullptr);
  EXPECT_TRUE(globals().getKitName.empty());
  EXPECT_TRUE(globals().getBatchName.empty());
  EXPECT_EQ(globals().getBatchNumber, 0);
  EXPECT_FALSE(frame->menuBar()->isEnabled());
  EXPECT_FALSE(frame->toolBar()->isEnabled());
  cost->finish();
  EXPECT_TRUE(frame->menuBar()->isEnabled());
  EXPECT_TRUE(frame->toolBar()->isEnabled());
}

TEST_F(FrameTest, ExitClosesStartedWindowsAndSavesEveryPlace) {
  addBrowse("BrowseKitsRecipes");
  Main* frame = startProgram();
  frame->action("?BROWSEKITS")->trigger();
  frame->action("?HELPABOUTVATMARK")->trigger();
  QPointer<Main> f(frame);
  frame->action("?EXITPRG")->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull(); }, 2000));
  const std::string ini = settingsPath(kBrowseIni);
  for (const char* section : {"Main", "BrowseKitsRecipes", "Win_About"}) {
    SCOPED_TRACE(section);
    EXPECT_EQ(readIni(section, "Maximize", "?", ini), "No");
  }
  EXPECT_TRUE(openWindows().empty());
}

// A window that refuses to close, as a form does when the user cancels
// its save question.
class StubbornWindow : public Window {
 public:
  StubbornWindow() : Window("UpdateStubborn") { setDesignSize(80, 40); }
  bool refuse = true;

 protected:
  bool canClose() override { return !refuse; }
};

TEST_F(FrameTest, ExitWaitsForAWindowThatWillNotClose) {
  Main* frame = startProgram();
  QPointer<StubbornWindow> form(new StubbornWindow);
  startWindow(form);
  QPointer<Main> f(frame);
  frame->action("?EXITPRG")->trigger();
  QTest::qWait(50);
  ASSERT_FALSE(f.isNull());
  EXPECT_TRUE(frame->isVisible());
  ASSERT_FALSE(form.isNull());
  EXPECT_FALSE(form->isClosing());
  form->refuse = false;
  frame->action("?EXITPRG")->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull(); }, 2000));
  EXPECT_TRUE(openWindows().empty());
}

TEST_F(FrameTest, FrameReopensWhereItWasClosed) {
  Main* frame = startProgram();
  const DialogUnits u = frame->units();
  frame->move(u.toPixels(QPoint(20, 16)));
  frame->resize(u.toPixels(QSize(400, 260)));
  stop();
  frame = startProgram();
  EXPECT_EQ(frame->pos(), u.toPixels(QPoint(20, 16)));
  EXPECT_EQ(frame->size(), u.toPixels(QSize(400, 260)));
}

TEST_F(FrameTest, MaximisedFrameKeepsItsSizeButNotItsPosition) {
  Main* frame = startProgram();
  const DialogUnits u = frame->units();
  frame->resize(u.toPixels(QSize(400, 260)));
  frame->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame->isMaximized(); }, 2000));
  stop();
  const std::string ini = settingsPath(kBrowseIni);
  EXPECT_EQ(readIni("Main", "Maximize", "?", ini), "Yes");
  EXPECT_EQ(readIni("Main", "XPos", "gone", ini), "gone");
  EXPECT_EQ(readIni("Main", "Width", "gone", ini), "400");
  EXPECT_EQ(readIni("Main", "Height", "gone", ini), "260");
  frame = startProgram();
  EXPECT_TRUE(frame->isMaximized());
}

TEST_F(FrameTest, CopyAndPasteWorkOnTheFocusedControl) {
  Main* frame = startProgram();
  auto* w = new BrowseStandIn("Win_Edit");
  auto* edit = new QLineEdit("Pale Ale", w);
  startWindow(w);
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  edit->setFocus();
  edit->selectAll();
  frame->action("?COPY")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "Pale Ale");
  frame->action("?CUT")->trigger();
  EXPECT_TRUE(edit->text().isEmpty());
  frame->action("?PASTE")->trigger();
  EXPECT_EQ(edit->text(), "Pale Ale");
}

class RecordingHelp : public HelpBackend {
 public:
  explicit RecordingHelp(std::vector<std::string>* calls) : calls_(calls) {}
  void showContents(QWidget*) override { calls_->push_back("contents"); }
  void showKeyword(QWidget*, const std::string& k, const std::string&,
                   const std::string&) override {
    calls_->push_back("keyword " + k);
  }
  void showTopic(QWidget*, const std::string& topic) override {
    calls_->push_back("topic " + topic);
  }

 private:
  std::vector<std::string>* calls_;
};

TEST_F(FrameTest, HelpKeysOpenTheFocusedWindowsTopicOrTheContents) {
  std::vector<std::string> calls;
  setHelpBackend(std::make_unique<RecordingHelp>(&calls));
  Main* frame = startProgram();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  // Nothing open: the frame's keys show the contents.
  QTest::keyClick(frame, Qt::Key_F1);
  auto* w = new BrowseStandIn("Win_Edit");
  w->setHelp("Brews", "BrowseHOMEBREW");
  auto* edit = new QLineEdit(w);
  startWindow(w);
  edit->setFocus();
  ASSERT_TRUE(edit->hasFocus());
  // In a child window the keys belong to that window alone.
  QTest::keyClick(edit, Qt::Key_F1);
  QTest::keyClick(edit, Qt::Key_F12);
  EXPECT_EQ(calls,
            (std::vector<std::string>{"contents", "topic BrowseHOMEBREW", "topic BrowseHOMEBREW"}));
  setHelpBackend(nullptr);
}

}  // namespace
}  // namespace vm::test
