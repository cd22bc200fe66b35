#include "platform/Window.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/HelpService.h"
#include "platform/ProgramEvents.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"
#include "store/WindowStore.h"

namespace vm {
namespace {

class PlainWindow : public Window {
 public:
  explicit PlainWindow(std::string procedure = "Win_Test", bool resizable = true)
      : Window(std::move(procedure)) {
    setResizable(resizable);
    setDesignSize(120, 80);
    setDesignPosition(10, 8);
  }
};

// A frame stand-in: an MDI area of a fixed size, registered for the test.
class MdiFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    area.resize(900, 700);
    area.show();
    setMdiArea(&area);
  }
  void TearDown() override {
    for (auto* s : area.subWindowList()) delete s;
    setMdiArea(nullptr);
  }
  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  test::TempFolder folder;
  QMdiArea area;
};

using WindowPlacementTest = MdiFixture;

TEST_F(WindowPlacementTest, FirstRunOpensWhereDesignedAndClosingWritesTheSection) {
  auto* w = new PlainWindow;
  startWindow(w);
  const DialogUnits u = w->units();
  EXPECT_EQ(w->subWindow()->pos(), u.toPixels(QPoint(10, 8)));
  EXPECT_EQ(w->size(), u.toPixels(QSize(120, 80)));
  w->finish();
  settle();
  const std::string ini = settingsPath(kBrowseIni);
  EXPECT_EQ(readIni("Win_Test", "Maximize", "?", ini), "No");
  EXPECT_EQ(readIni("Win_Test", "Minimize", "?", ini), "No");
  EXPECT_EQ(readIni("Win_Test", "XPos", "?", ini), "10");
  EXPECT_EQ(readIni("Win_Test", "YPos", "?", ini), "8");
  EXPECT_NE(readIni("Win_Test", "Width", "?", ini), "?");
}

TEST_F(WindowPlacementTest, ReopenedWindowComesBackWhereItWasClosed) {
  auto* w = new PlainWindow;
  startWindow(w);
  const DialogUnits u = w->units();
  w->subWindow()->move(u.toPixels(QPoint(40, 30)));
  w->subWindow()->resize(u.toPixels(QSize(200, 150)));
  w->finish();
  settle();

  auto* again = new PlainWindow;
  startWindow(again);
  EXPECT_EQ(again->subWindow()->pos(), u.toPixels(QPoint(40, 30)));
  EXPECT_EQ(again->subWindow()->size(), u.toPixels(QSize(200, 150)));
  again->finish();
  settle();
}

TEST_F(WindowPlacementTest, MaximisedStateIsRestoredAndPositionNotWritten) {
  auto* w = new PlainWindow;
  startWindow(w);
  w->subWindow()->showMaximized();
  w->finish();
  settle();
  const std::string ini = settingsPath(kBrowseIni);
  EXPECT_EQ(readIni("Win_Test", "Maximize", "?", ini), "Yes");
  EXPECT_EQ(readIni("Win_Test", "XPos", "gone", ini), "gone");

  auto* again = new PlainWindow;
  startWindow(again);
  EXPECT_TRUE(again->subWindow()->isMaximized());
  again->finish();
  settle();
}

TEST_F(WindowPlacementTest, FixedSizeWindowKeepsItsDesignedSize) {
  const std::string ini = settingsPath(kBrowseIni);
  writeIni("Win_Fixed", "Maximize", "No", ini);
  writeIni("Win_Fixed", "Minimize", "No", ini);
  writeIni("Win_Fixed", "XPos", "30", ini);
  writeIni("Win_Fixed", "YPos", "20", ini);
  writeIni("Win_Fixed", "Width", "400", ini);
  writeIni("Win_Fixed", "Height", "300", ini);
  auto* w = new PlainWindow("Win_Fixed", false);
  startWindow(w);
  const DialogUnits u = w->units();
  EXPECT_EQ(w->subWindow()->pos(), u.toPixels(QPoint(30, 20)));
  EXPECT_EQ(w->size(), u.toPixels(QSize(120, 80)));
  w->finish();
  settle();
  EXPECT_EQ(readIni("Win_Fixed", "Width", "gone", ini), "gone");
}

TEST_F(WindowPlacementTest, SectionWithoutMaximizeIsIgnored) {
  const std::string ini = settingsPath(kBrowseIni);
  writeIni("Win_Test", "XPos", "70", ini);
  writeIni("Win_Test", "YPos", "60", ini);
  auto* w = new PlainWindow;
  startWindow(w);
  EXPECT_EQ(w->subWindow()->pos(), w->units().toPixels(QPoint(10, 8)));
  w->finish();
  settle();
}

using OneInstanceTest = MdiFixture;

TEST_F(OneInstanceTest, SecondRequestBringsTheOpenWindowBackAndEnds) {
  auto* first = startOnce<PlainWindow>("Win_Test");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(findWindow("Win_Test"), first);
  first->subWindow()->showMinimized();
  EXPECT_EQ(startOnce<PlainWindow>("Win_Test"), nullptr);
  EXPECT_FALSE(first->subWindow()->isMinimized());
  EXPECT_EQ(area.activeSubWindow(), first->subWindow());
  EXPECT_EQ(area.subWindowList().size(), 1);
  first->finish();
  settle();
  EXPECT_EQ(findWindow("Win_Test"), nullptr);
  auto* second = startOnce<PlainWindow>("Win_Test");
  EXPECT_NE(second, nullptr);
  second->finish();
  settle();
}

using OpenedWindowTest = MdiFixture;

class Caller : public QWidget, public BlockableCaller {
 public:
  void setCalleeOpen(bool open) override { blocked += open ? 1 : -1; }
  int blocked = 0;
};

TEST_F(OpenedWindowTest, OpenedWindowBlocksItsCallerAndHandsBackItsAnswer) {
  auto* caller = new PlainWindow("Win_Caller");
  startWindow(caller);
  int answer = -1;
  auto* callee = new PlainWindow("Win_Callee");
  openWindow(callee, caller, [&](int a) { answer = a; });
  EXPECT_TRUE(callee->isWindow());
  EXPECT_FALSE(caller->subWindow()->isEnabled());
  EXPECT_EQ(answer, -1);
  callee->finish(7);
  EXPECT_EQ(answer, 7);
  EXPECT_TRUE(caller->subWindow()->isEnabled());
  caller->finish();
  settle();
}

TEST_F(OpenedWindowTest, FrameLikeCallerIsToldInsteadOfDisabled) {
  Caller frame;
  frame.show();
  auto* a = new PlainWindow("Win_A");
  auto* b = new PlainWindow("Win_B");
  auto* field = new QLineEdit(a);
  auto* off = new QLineEdit(a);
  off->setEnabled(false);
  openWindow(a, &frame);
  openWindow(b, a);
  EXPECT_EQ(frame.blocked, 1);
  // The caller's controls wait; the window it opened stays usable.
  EXPECT_FALSE(field->isEnabled());
  EXPECT_TRUE(b->isEnabled());
  // The caller cannot be closed from its close box meanwhile.
  ASSERT_NE(a->windowHandle(), nullptr);
  a->windowHandle()->close();  // as the window system's close box does
  EXPECT_FALSE(a->isClosing());
  b->finish();
  EXPECT_TRUE(field->isEnabled());
  EXPECT_FALSE(off->isEnabled());
  a->finish();
  EXPECT_EQ(frame.blocked, 0);
  EXPECT_TRUE(frame.isEnabled());
  settle();
}

// A form whose OK saves only when its check passes.
class Form : public Window {
 public:
  Form() : Window("UpdateTest") {
    setDesignSize(150, 60);
    name = new QLineEdit(this);
    place(name, 4, 4, 80, 12);
    other = new QLineEdit(this);
    place(other, 4, 20, 80, 12);
    ok = new QPushButton("&OK", this);
    place(ok, 90, 40, 40, 14);
    watch(name);
    watch(other);
    onAccepted(ok, [this] { ++saved; });
  }
  QLineEdit* name;
  QLineEdit* other;
  QPushButton* ok;
  int saved = 0;
  bool checkOnFocus = false;
  std::vector<std::pair<QWidget*, FieldEvent>> events;
  std::vector<QWidget*> history;

 protected:
  void onField(QWidget* c, FieldEvent e) override {
    events.push_back({c, e});
    if (c == ok && name->text().isEmpty()) {
      if (e == FieldEvent::Accept || (checkOnFocus && e == FieldEvent::Focus)) select(name);
    }
  }
  void onHistoryKey(QWidget* field) override { history.push_back(field); }
};

class FieldEventTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new Form;
    form->preparePlacement();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    form->other->setFocus();
  }
  void TearDown() override { delete form; }
  test::TempFolder folder;
  Form* form = nullptr;
};

TEST_F(FieldEventTest, CheckThatMovesTheFocusCancelsTheSave) {
  QTest::mouseClick(form->ok, Qt::LeftButton);
  EXPECT_EQ(form->saved, 0);
  EXPECT_EQ(QApplication::focusWidget(), form->name);
  QTest::keyClicks(form->name, "Bitter");
  QTest::mouseClick(form->ok, Qt::LeftButton);
  EXPECT_EQ(form->saved, 1);
}

TEST_F(FieldEventTest, EnterPressesTheDefaultButtonThroughItsChecks) {
  form->ok->setDefault(true);
  form->checkOnFocus = true;
  form->name->setFocus();
  QTest::keyClick(form->name, Qt::Key_Return);
  EXPECT_EQ(form->saved, 0);  // the focus check on OK refused the empty name
  EXPECT_EQ(QApplication::focusWidget(), form->name);
  QTest::keyClicks(form->name, "Stout");
  QTest::keyClick(form->name, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(form->saved, 1);
}

TEST_F(FieldEventTest, EscapeClosesAnOpenedWindow) {
  QTest::keyClick(form->other, Qt::Key_Escape);
  EXPECT_TRUE(form->isClosing());
}

TEST_F(FieldEventTest, FocusCheckStopsTheClickThatBroughtTheFocus) {
  form->checkOnFocus = true;
  QTest::mouseClick(form->ok, Qt::LeftButton);
  EXPECT_EQ(form->saved, 0);
  EXPECT_EQ(QApplication::focusWidget(), form->name);
}

TEST_F(FieldEventTest, AccessKeyMovesTheFocusToItsButtonFirst) {
  form->name->setText("Ale");
  QTest::keyClicks(form->other, "x");
  form->events.clear();
  QTest::keyClick(form->other, Qt::Key_O, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->saved == 1; }, 2000));
  // The field being left is confirmed, then the button gets its focus and
  // its press.
  const std::vector<std::pair<QWidget*, FieldEvent>> expected = {{form->other, FieldEvent::Accept},
                                                                 {form->ok, FieldEvent::Focus},
                                                                 {form->ok, FieldEvent::Accept}};
  EXPECT_EQ(form->events, expected);

  // A focus check that refuses the button stops the access key's press too.
  form->checkOnFocus = true;
  form->name->clear();
  form->other->setFocus();
  QTest::keyClick(form->other, Qt::Key_O, Qt::AltModifier);
  QTest::qWait(300);
  EXPECT_EQ(form->saved, 1);
  EXPECT_EQ(QApplication::focusWidget(), form->name);
}

TEST_F(FieldEventTest, EntryDeliversFocusChangeAndAccept) {
  form->events.clear();
  form->name->setFocus();
  QTest::keyClicks(form->name, "ab");
  form->other->setFocus();
  std::vector<FieldEvent> seen;
  for (auto& [c, e] : form->events)
    if (c == form->name) seen.push_back(e);
  EXPECT_EQ(seen, (std::vector<FieldEvent>{FieldEvent::Focus, FieldEvent::Change,
                                           FieldEvent::Change, FieldEvent::Accept}));
}

TEST_F(FieldEventTest, DispatchReportsCancellation) {
  EXPECT_FALSE(form->dispatch(form->ok, FieldEvent::Accept));
  EXPECT_EQ(form->saved, 0);
  form->name->setText("x");
  EXPECT_TRUE(form->dispatch(form->ok, FieldEvent::Accept));
  EXPECT_EQ(form->saved, 1);
}

TEST_F(FieldEventTest, HistoryKeyReachesTheFocusedField) {
  form->name->setFocus();
  QTest::keyClick(form->name, Qt::Key_Apostrophe, Qt::ControlModifier);
  ASSERT_EQ(form->history.size(), 1u);
  EXPECT_EQ(form->history[0], form->name);
  EXPECT_TRUE(form->name->text().isEmpty());  // the key itself is not typed
  QTest::keyClick(form->name, Qt::Key_Apostrophe);
  EXPECT_EQ(form->history.size(), 1u);
  EXPECT_EQ(kHistoryKeyCode, 0x200 + 0xDE);
}

class HighlightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installProgramEvents();
    window.resize(300, 200);
    entry = new QLineEdit(&window);
    entry->move(0, 0);
    tick = new QCheckBox("Tick", &window);
    tick->move(0, 30);
    list = new QListWidget(&window);
    list->setGeometry(0, 60, 100, 60);
    list->addItem("row");
    coloured = new QLineEdit(&window);
    coloured->move(0, 130);
    QPalette red = coloured->palette();
    red.setColor(QPalette::Base, Qt::red);
    coloured->setPalette(red);
    normalBase = entry->palette().color(QPalette::Active, QPalette::Base);
    normalWindow = tick->palette().color(QPalette::Active, QPalette::Window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QWidget window;
  QLineEdit* entry;
  QCheckBox* tick;
  QListWidget* list;
  QLineEdit* coloured;
  QColor normalBase, normalWindow;
};

TEST_F(HighlightTest, FocusedControlIsHighlightedAndGetsItsColoursBack) {
  entry->setFocus();
  EXPECT_EQ(entry->palette().color(QPalette::Base), kFocusColour);
  EXPECT_EQ(highlightFrameTarget(), entry);
  tick->setFocus();
  EXPECT_EQ(entry->palette().color(QPalette::Base), normalBase);
  EXPECT_EQ(tick->palette().color(QPalette::Window), kFocusColour);
  EXPECT_TRUE(tick->autoFillBackground());
  list->setFocus();
  EXPECT_EQ(tick->palette().color(QPalette::Window), normalWindow);
  EXPECT_FALSE(tick->autoFillBackground());
  EXPECT_NE(list->palette().color(QPalette::Base), kFocusColour);
  EXPECT_EQ(highlightFrameTarget(), nullptr);
  // Still highlighted after a resize.
  entry->setFocus();
  window.resize(400, 300);
  QApplication::processEvents();
  EXPECT_EQ(entry->palette().color(QPalette::Base), kFocusColour);
}

TEST_F(HighlightTest, ControlsOwnColoursComeBack) {
  coloured->setFocus();
  EXPECT_EQ(coloured->palette().color(QPalette::Base), kFocusColour);
  entry->setFocus();
  EXPECT_EQ(coloured->palette().color(QPalette::Base), QColor(Qt::red));
}

TEST_F(HighlightTest, ControlDisabledWhileFocusedLosesTheHighlight) {
  entry->setFocus();
  entry->setEnabled(false);
  EXPECT_EQ(entry->palette().color(QPalette::Active, QPalette::Base), normalBase);
  entry->setEnabled(true);
}

class RecordingHelp : public HelpBackend {
 public:
  void showContents(QWidget*) override { calls.push_back("contents"); }
  void showKeyword(QWidget*, const std::string& k, const std::string& t,
                   const std::string& x) override {
    calls.push_back("keyword " + k + "/" + t + "/" + x);
  }
  void showTopic(QWidget*, const std::string& topic) override { calls.push_back("topic " + topic); }
  std::vector<std::string> calls;
};

TEST(WindowHelp, HelpButtonLooksUpTheKeywordAndF1ShowsTheTopic) {
  test::TempFolder folder;
  auto backend = std::make_unique<RecordingHelp>();
  RecordingHelp* help = backend.get();
  setHelpBackend(std::move(backend));
  PlainWindow w;
  w.setHelp("Brews", "BrowseHOMEBREW");
  QToolButton* b = w.addHelpButton(100, 2);
  EXPECT_EQ(b->toolTip(), "Help about this window.");
  EXPECT_TRUE(b->text().isEmpty());
  EXPECT_FALSE(b->icon().isNull());
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::mouseClick(b, Qt::LeftButton);
  QTest::keyClick(&w, Qt::Key_F1);
  QTest::keyClick(&w, Qt::Key_F12);
  EXPECT_EQ(help->calls,
            (std::vector<std::string>{"keyword Brews/Help topic/Not found", "topic BrowseHOMEBREW",
                                      "topic BrowseHOMEBREW"}));
  setHelpBackend(nullptr);
}

TEST(ToolTips, SwitchedForTheWholeProgram) {
  installProgramEvents();
  QWidget w;
  w.resize(100, 100);
  w.setToolTip("tip text");
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  auto ask = [&] {
    QHelpEvent e(QEvent::ToolTip, QPoint(10, 10), w.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&w, &e);
    const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return shown;
  };
  setToolTipsEnabled(false);
  EXPECT_EQ(ask(), "");
  setToolTipsEnabled(true);
  EXPECT_EQ(ask(), "tip text");
}

}  // namespace
}  // namespace vm
