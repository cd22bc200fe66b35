// What the five calculator windows share: help keyword and topic, one
// instance where it applies, the saved position, the calculator button.
#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>
#include <memory>

#include "CalcFixture.h"
#include "brews/Win_AlcCalculator.h"
#include "brews/Win_CalculateCost.h"
#include "brews/Win_GravityCorrectionUtility.h"
#include "brews/Win_SugarAlc.h"
#include "brews/Win_UnitConversions.h"
#include "platform/HelpService.h"
#include "platform/Shell.h"
#include "store/IniFile.h"
#include "store/ProgramSettings.h"

namespace vm {
namespace {

struct HelpCall {
  std::string kind, name, notFoundTitle, notFoundText;
};

class RecordingHelp : public HelpBackend {
 public:
  explicit RecordingHelp(std::vector<HelpCall>* calls) : calls_(calls) {}
  void showContents(QWidget*) override { calls_->push_back({"contents", "", "", ""}); }
  void showKeyword(QWidget*, const std::string& keyword, const std::string& title,
                   const std::string& text) override {
    calls_->push_back({"keyword", keyword, title, text});
  }
  void showTopic(QWidget*, const std::string& topic) override {
    calls_->push_back({"topic", topic, "", ""});
  }

 private:
  std::vector<HelpCall>* calls_;
};

struct WindowCase {
  const char* procedure;
  std::function<Window*()> make;
  const char* keyword;  // nullptr: no Help button
  const char* topic;
  bool oneInstance;
};

const std::vector<WindowCase>& windowCases() {
  static const std::vector<WindowCase> cases = {
      {"Win_AlcCalculator", [] { return Win_AlcCalculator::makeOnce(); }, "Alcohol % calculator",
       "Win_AlcCalculator", true},
      {"Win_SugarAlc", [] { return Win_SugarAlc::makeOnce(); }, nullptr, "Win_SugarAlc", true},
      {"Win_GravityCorrectionUtility", [] { return new Win_GravityCorrectionUtility; },
       "Gravity correction calculator", "Win_GravityCorrection", false},
      {"Win_UnitConversions", [] { return Win_UnitConversions::makeOnce(); }, "Unit conversion",
       "Win_UnitConversions", true},
      {"Win_CalculateCost", [] { return Win_CalculateCost::makeOnce(); }, "Unit cost",
       "Win_CalculateCost", true},
  };
  return cases;
}

class CalcCommonTest : public test::CalcFixture {
 protected:
  CalcCommonTest() { setHelpBackend(std::make_unique<RecordingHelp>(&calls)); }
  ~CalcCommonTest() override { setHelpBackend(nullptr); }
  std::vector<HelpCall> calls;
};

TEST_F(CalcCommonTest, HelpButtonLooksTheKeywordUpAndF1OpensTheTopic) {
  for (const WindowCase& c : windowCases()) {
    SCOPED_TRACE(c.procedure);
    calls.clear();
    Window* w = show(c.make());
    auto* help = w->findChild<QToolButton*>("helpButton");
    if (c.keyword) {
      ASSERT_NE(help, nullptr);
      QTest::mouseClick(help, Qt::LeftButton);
      ASSERT_EQ(calls.size(), 1u);
      EXPECT_EQ(calls[0].kind, "keyword");
      EXPECT_EQ(calls[0].name, c.keyword);
      EXPECT_EQ(calls[0].notFoundTitle, "Help topic");
      EXPECT_EQ(calls[0].notFoundText, "Not found");
    } else {
      EXPECT_EQ(help, nullptr);
    }
    calls.clear();
    QTest::keyClick(focused() ? focused() : w, Qt::Key_F1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, "topic");
    EXPECT_EQ(calls[0].name, c.topic);
    w->finish();
    settle();
  }
}

TEST_F(CalcCommonTest, OneInstanceWindowsComeToTheFrontInsteadOfOpeningAgain) {
  for (const WindowCase& c : windowCases()) {
    SCOPED_TRACE(c.procedure);
    Window* first = show(c.make());
    first->showMinimized();
    settle();
    Window* second = c.make();
    if (c.oneInstance) {
      EXPECT_EQ(second, nullptr);
      EXPECT_FALSE(first->isMinimized());
    } else {
      ASSERT_NE(second, nullptr);
      show(second)->finish();
    }
    first->finish();
    settle();
    EXPECT_TRUE(openWindows().empty());
  }
}

TEST_F(CalcCommonTest, EachWindowKeepsItsPositionUnderItsProcedureName) {
  for (const WindowCase& c : windowCases()) {
    SCOPED_TRACE(c.procedure);
    Window* w = show(c.make());
    const DialogUnits u = w->units();
    w->move(u.toPixels(QPoint(37, 23)));
    settle();
    w->finish();
    settle();
    const std::string ini = settingsPath(kBrowseIni);
    EXPECT_EQ(readIni(c.procedure, "XPos", "?", ini), "37");
    EXPECT_EQ(readIni(c.procedure, "YPos", "?", ini), "23");
    w = show(c.make());
    EXPECT_EQ(w->pos(), u.toPixels(QPoint(37, 23)));
    w->finish();
    settle();
  }
}

#ifndef _WIN32
TEST_F(CalcCommonTest, CalculatorButtonsStartTheCalculatorProgram) {
  // A stand-in calculator beside the program that notes each start in the
  // current folder.
  QTemporaryDir programDir;
  QFile fake(QDir(programDir.path()).filePath("Sumpad"));
  ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
  fake.write("#!/bin/sh\necho started >> \"$PWD/starts.txt\"\n");
  fake.close();
  fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  setProgramFolderForLookup(programDir.path());
  auto starts = [] {
    QFile f("starts.txt");
    return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : 0;
  };

  const struct {
    const char* procedure;
    const char* button;
  } cases[] = {{"Win_AlcCalculator", "?BUTTON7"},
               {"Win_UnitConversions", "?CALBUT"},
               {"Win_CalculateCost", "?CALBUT3"}};
  int expected = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.procedure);
    const WindowCase* wc = nullptr;
    for (const WindowCase& k : windowCases())
      if (std::string(k.procedure) == c.procedure) wc = &k;
    ASSERT_NE(wc, nullptr);
    Window* w = show(wc->make());
    auto* button = w->findChild<QAbstractButton*>(c.button);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), "Calculator");
    QTest::mouseClick(button, Qt::LeftButton);
    ++expected;
    EXPECT_TRUE(QTest::qWaitFor([&] { return starts() == expected; }, 5000));
    w->finish();
    settle();
  }
  setProgramFolderForLookup({});
}
#endif

}  // namespace
}  // namespace vm
