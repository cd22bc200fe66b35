// Sumpad's window driven as a user would: mouse clicks on the real buttons,
// keypad keys, and typing into the display, with the display read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "sumpad/SumpadWindow.h"

using sumpad::Key;

namespace {

class SumpadWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  void click(Key key) {
    QPushButton* b = window_.button(key);
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
  }

  // A key as the keyboard delivers it: to whatever has the focus.
  void keypad(Qt::Key key, Qt::KeyboardModifiers mods = Qt::KeypadModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, mods);
  }

  QString shown() const { return window_.display()->text(); }

  SumpadWindow window_;
};

TEST_F(SumpadWindowTest, OpensAsCalculatorShowingZero) {
  EXPECT_EQ(window_.windowTitle(), "Calculator");
  EXPECT_FALSE(window_.windowIcon().isNull());
  EXPECT_EQ(shown(), "0");
  EXPECT_EQ(QApplication::focusWidget(), window_.button(Key::Digit0));
}

TEST_F(SumpadWindowTest, ClickedKeysChainLeftToRight) {
  for (Key k : {Key::Digit2, Key::Add, Key::Digit3, Key::Multiply, Key::Digit4}) click(k);
  EXPECT_EQ(shown(), "4");
  click(Key::Equals);
  EXPECT_EQ(shown(), "20");
  // operation keys hand the focus back to "0"
  EXPECT_EQ(QApplication::focusWidget(), window_.button(Key::Digit0));

  for (Key k : {Key::Digit2, Key::Add, Key::Digit3, Key::Square}) click(k);
  EXPECT_EQ(shown(), "25");
  for (Key k : {Key::Digit1, Key::Divide, Key::Digit3, Key::Equals}) click(k);
  EXPECT_EQ(shown(), "0.3333333333333");
  for (Key k : {Key::Digit9, Key::SquareRoot, Key::MemoryStore, Key::ClearEntry}) click(k);
  EXPECT_EQ(shown(), "0");
  click(Key::MemoryRecall);
  EXPECT_EQ(shown(), "3");
  for (Key k : {Key::Pi, Key::Percent}) click(k);
  EXPECT_EQ(shown(), "3.141592654");
}

TEST_F(SumpadWindowTest, KeypadKeysAndEnterPressTheirButtons) {
  keypad(Qt::Key_7);
  keypad(Qt::Key_Slash);
  keypad(Qt::Key_0);
  keypad(Qt::Key_Enter);
  EXPECT_EQ(shown(), "0");
  keypad(Qt::Key_Plus);
  keypad(Qt::Key_1);
  keypad(Qt::Key_Period);
  keypad(Qt::Key_5);
  EXPECT_EQ(shown(), "1.5");
  keypad(Qt::Key_Asterisk);
  keypad(Qt::Key_4);
  keypad(Qt::Key_Minus);
  EXPECT_EQ(shown(), "6");
  keypad(Qt::Key_2);
  keypad(Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(shown(), "4");
  // a keypad whose point key sends a decimal comma
  keypad(Qt::Key_3);
  keypad(Qt::Key_Comma);
  keypad(Qt::Key_2);
  EXPECT_EQ(shown(), "3.2");
}

// On X11 the shortcut map matches a keypad key without its keypad flag, so a
// keypad key reaches the window as a plain key press passed on by the
// focused button, never as a shortcut. It is handed to the window directly
// here, as the shortcut map of this test platform would otherwise catch it.
TEST_F(SumpadWindowTest, KeypadKeysWorkAsPlainKeyPresses) {
  const auto press = [this](Qt::Key key, Qt::KeyboardModifiers mods = Qt::KeypadModifier) {
    QKeyEvent event(QEvent::KeyPress, key, mods);
    static_cast<QObject&>(window_).event(&event);
  };
  for (Qt::Key k : {Qt::Key_1, Qt::Key_2, Qt::Key_Period, Qt::Key_5}) press(k);
  EXPECT_EQ(shown(), "12.5");
  for (Qt::Key k : {Qt::Key_Minus, Qt::Key_2, Qt::Key_Comma, Qt::Key_5, Qt::Key_Slash, Qt::Key_4,
                    Qt::Key_Asterisk, Qt::Key_3, Qt::Key_Plus})
    press(k);
  EXPECT_EQ(shown(), "7.5");
  EXPECT_EQ(window_.calculator().pending(), sumpad::Operation::Add);
  EXPECT_EQ(QApplication::focusWidget(), window_.button(Key::Digit0));
  // main-row keys do nothing
  press(Qt::Key_9, Qt::NoModifier);
  press(Qt::Key_Minus, Qt::NoModifier);
  EXPECT_EQ(shown(), "7.5");
  EXPECT_EQ(window_.calculator().pending(), sumpad::Operation::Add);
}

TEST_F(SumpadWindowTest, MainRowKeysAreNoShortcuts) {
  keypad(Qt::Key_5, Qt::NoModifier);
  keypad(Qt::Key_Plus, Qt::NoModifier);
  keypad(Qt::Key_Period, Qt::NoModifier);
  EXPECT_EQ(shown(), "0");
  EXPECT_EQ(window_.calculator().pending(), sumpad::Operation::None);
}

TEST_F(SumpadWindowTest, TypedDisplayTextIsTakenOnEnter) {
  for (Key k : {Key::Digit5, Key::Add}) click(k);
  window_.display()->setFocus();
  QTest::keyClick(window_.display(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(window_.display(), "2.5");
  keypad(Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(shown(), "7.5");
  EXPECT_EQ(window_.calculator().pending(), sumpad::Operation::None);
  EXPECT_EQ(QApplication::focusWidget(), window_.button(Key::Digit0));
}

TEST_F(SumpadWindowTest, TypedDisplayTextIsTakenWhenLeavingIt) {
  for (Key k : {Key::Digit3, Key::Multiply}) click(k);
  window_.display()->setFocus();
  QTest::keyClick(window_.display(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(window_.display(), "4");
  click(Key::Square);  // 3 x 4, then squared
  EXPECT_EQ(shown(), "144");

  window_.display()->setFocus();
  QTest::keyClick(window_.display(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(window_.display(), "oops");
  click(Key::Add);
  EXPECT_EQ(shown(), "0");
}

TEST_F(SumpadWindowTest, HintsAreToolTips) {
  EXPECT_EQ(window_.button(Key::MemoryAdd)->toolTip(), "Add To Memmory");
  EXPECT_EQ(window_.button(Key::Power)->toolTip(), "Power");
  EXPECT_EQ(window_.button(Key::SquareRoot)->toolTip(), "Square Root");
  EXPECT_TRUE(window_.button(Key::Digit5)->toolTip().isEmpty());
  EXPECT_TRUE(window_.button(Key::Equals)->toolTip().isEmpty());
}

// Nothing is cut off: every control lies inside the window, and every
// caption fits the part of its key that no neighbour covers (the key grid
// lets neighbouring keys overlap by a unit or two, as pocket calculator keys
// sit edge to edge), and the widest display texts fit the display.
TEST_F(SumpadWindowTest, EverythingFits) {
  const QRect inside = window_.rect();
  std::vector<QPushButton*> keys;
  for (int k = static_cast<int>(Key::Digit0); k <= static_cast<int>(Key::Equals); ++k)
    keys.push_back(window_.button(static_cast<Key>(k)));
  ASSERT_EQ(keys.size(), 30u);
  for (QPushButton* key : keys) ASSERT_NE(key, nullptr);
  for (QPushButton* key : keys) {
    const QRect g = key->geometry();
    EXPECT_TRUE(inside.contains(g)) << key->text().toStdString();
    QRect open = g;
    for (QPushButton* other : keys) {
      if (other == key || !g.intersects(other->geometry())) continue;
      const QRect o = other->geometry();
      const QRect common = g & o;
      // A real overlap would swallow a key; neighbours may only share an edge strip.
      EXPECT_LE(std::min(common.width(), common.height()), qRound(2 * window_.unitWidth()) + 1)
          << key->text().toStdString() << " / " << other->text().toStdString();
      if (common.width() <= common.height()) {
        if (o.center().x() > g.center().x())
          open.setRight(std::min(open.right(), common.left() - 1));
        else
          open.setLeft(std::max(open.left(), common.right() + 1));
      } else {
        if (o.center().y() > g.center().y())
          open.setBottom(std::min(open.bottom(), common.top() - 1));
        else
          open.setTop(std::max(open.top(), common.bottom() + 1));
      }
    }
    const QFontMetrics fm(key->font());
    EXPECT_LE(fm.horizontalAdvance(key->text()), open.width() - 6) << key->text().toStdString();
    EXPECT_LE(fm.height(), open.height() - 2) << key->text().toStdString();
  }
  QLineEdit* display = window_.display();
  EXPECT_TRUE(inside.contains(display->geometry()));
  const QFontMetrics fm(display->font());
  const int room = display->width() - 6;
  EXPECT_LE(fm.horizontalAdvance("-0.000123456789"), room);
  EXPECT_LE(fm.horizontalAdvance("-8.88888888e+88"), room);
  EXPECT_LE(fm.horizontalAdvance("(-Infinity)"), room);
  EXPECT_LE(fm.height(), display->height());
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
