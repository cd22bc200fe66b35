// What every calculator window test starts from: a fresh temporary folder
// as the current folder (window positions go to .\Browse.ini there), fresh
// program globals, message boxes answered from a script, and the window
// shown and active so that focus moves as it does for a user.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/Window.h"
#include "store/Globals.h"

namespace vm::test {

class CalcFixture : public ::testing::Test {
 protected:
  CalcFixture() : previous_(QDir::currentPath()) {
    EXPECT_TRUE(dir_.isValid());
    QDir::setCurrent(dir_.path());
    globals() = Globals{};
  }
  ~CalcFixture() override {
    // A cost total would ask its print question on the way out.
    globals().totalCost = Decimal();
    closeAllWindows();
    settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(previous_);
  }

  // Starts the window as the frame would and waits until it is active.
  template <class W>
  W* show(W* window) {
    startWindow(window);
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    settle();
    return window;
  }

  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  // The messages shown so far as "title / text", in order.
  std::vector<std::string> shownTexts() const {
    std::vector<std::string> out;
    for (const auto& m : script.shown()) out.push_back(m.title + " / " + m.text);
    return out;
  }

  static QWidget* focused() { return QApplication::focusWidget(); }
  // The control or a part of it (the text of a spin box) has the focus.
  static bool hasFocus(const QWidget* control) {
    QWidget* f = focused();
    return f && (f == control || control->isAncestorOf(f));
  }

  MessageScript script;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

}  // namespace vm::test
