// A fresh folder, fresh globals, scripted message answers and a help
// recorder for the defaults and backup windows; helpers to open a window
// the way the frame does and to wait until it is active.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/HelpService.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEvents.h"
#include "platform/Window.h"
#include "shell/Commands.h"
#include "shell/PrefsCommands.h"
#include "store/Globals.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"

namespace vm::test {

struct HelpRequest {
  std::string keyword, notFoundTitle, notFoundText;
};

class RecordingHelp : public HelpBackend {
 public:
  explicit RecordingHelp(std::vector<HelpRequest>* log) : log_(log) {}
  void showContents(QWidget*) override {}
  void showKeyword(QWidget*, const std::string& keyword, const std::string& title,
                   const std::string& text) override {
    log_->push_back({keyword, title, text});
  }
  void showTopic(QWidget*, const std::string&) override {}

 private:
  std::vector<HelpRequest>* log_;
};

class PrefsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    globals() = Globals{};
    setHelpBackend(std::make_unique<RecordingHelp>(&help));
    registerPrefsCommands(commands());
  }
  void TearDown() override {
    // Close whatever a test left open (newest first), answering any box.
    closeAllWindows();
    QTest::qWait(20);
    for (const char* id : {"Win_SetPrgDefaults", "Win_SetPrgDefaultsYN", "Win_BackupData"})
      commands().remove(id);
    setHelpBackend(nullptr);
    setToolTipsEnabled(false);
    globals() = Globals{};
  }

  // Runs a command as the frame does, with `caller` blocked until it closes.
  template <class W>
  W* open(const char* id, QWidget* caller = nullptr) {
    closedWith.reset();
    EXPECT_TRUE(commands().run(id, caller, [this](int answer) { closedWith = answer; }));
    auto* w = qobject_cast<W*>(findWindow(id));
    EXPECT_NE(w, nullptr) << id;
    if (w) activate(w);
    return w;
  }

  static void activate(QWidget* w) {
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
  }

  static std::string ini(const char* key, const char* section = "Defaults") {
    return readIni(section, key, "<none>", settingsPath(kProgramIni));
  }

  std::vector<std::string> titles() const {
    std::vector<std::string> t;
    for (const ShownMessage& m : script.shown()) t.push_back(m.title);
    return t;
  }

  TempFolder folder;
  MessageScript script;
  std::vector<HelpRequest> help;
  std::optional<int> closedWith;
};

}  // namespace vm::test
