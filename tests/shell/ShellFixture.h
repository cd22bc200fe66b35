// Runs the program's start in a fresh folder with the splash over at once,
// and gives tests stand-in windows for the commands they need.
#pragma once

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"
#include "shell/Commands.h"
#include "shell/Main.h"
#include "shell/Program.h"
#include "store/Globals.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"

namespace vm::test {

// A browse window as the frame sees one: closing it clears the marker.
class BrowseStandIn : public Window {
 public:
  explicit BrowseStandIn(std::string procedure) : Window(std::move(procedure)) {
    setDesignSize(100, 60);
  }

 protected:
  void onClosing() override { globals().browseOpen = 0; }
};

class ShellFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    globals() = Globals{};
    for (const char* id : kAll) commands().remove(id);
  }
  void TearDown() override {
    stop();
    for (const char* id : kAll) commands().remove(id);
    globals() = Globals{};
  }

  void writeDefaults(const char* key, const char* value) {
    writeIni("Defaults", key, value, settingsPath(kProgramIni));
  }

  // Starts the program and waits until the frame has finished opening.
  Main* startProgram(bool waitOpened = true) {
    program = std::make_unique<Program>(0);
    QObject::connect(program.get(), &Program::splashShown, [this] { log.push_back("splash"); });
    QObject::connect(program.get(), &Program::frameShown, [this] { log.push_back("frame"); });
    QObject::connect(program.get(), &Program::frameOpened, [this] {
      log.push_back("opened");
      opened = true;
    });
    program->start();
    EXPECT_TRUE(QTest::qWaitFor([this] { return program->frame() != nullptr; }, 3000));
    if (waitOpened) {
      EXPECT_TRUE(QTest::qWaitFor([this] { return opened; }, 3000));
    }
    return program->frame();
  }

  void stop() {
    if (program && program->frame()) {
      QPointer<Main> f = program->frame();
      f->close();
      EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull(); }, 2000));
    }
    program.reset();
    opened = false;
  }

  void addBrowse(const char* id) {
    commands().add(id, CommandMode::Start, [this, id]() -> Window* {
      log.push_back(std::string("start ") + id);
      if (bringToFront(id)) return nullptr;
      return new BrowseStandIn(id);
    });
  }

  static constexpr const char* kAll[] = {
      "BrowseBrews",        "BrowseKitsRecipes",    "BrowseWebLinks",
      "BrowseShoppingList", "Win_SetPrgDefaultsYN", "Win_SetPrgDefaults",
      "Win_BackupData",     "Win_CalculateCost",    "MakeCSV",
      "Win_UnitConversions"};

  TempFolder folder;
  std::unique_ptr<Program> program;
  std::vector<std::string> log;
  bool opened = false;
};

}  // namespace vm::test
