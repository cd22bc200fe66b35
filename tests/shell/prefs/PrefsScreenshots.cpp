// Pictures of the three windows for a person to look at.  Runs only when
// VATMARK_SCREENSHOTS names a folder (under a real display server, e.g.
// xvfb-run with QT_QPA_PLATFORM=xcb); otherwise skipped.
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "PrefsFixture.h"
#include "shell/Win_BackupData.h"
#include "shell/Win_SetPrgDefaults.h"
#include "shell/Win_SetPrgDefaultsYN.h"

namespace vm::test {
namespace {

class PrefsScreenshots : public PrefsFixture {
 protected:
  void SetUp() override {
    out = qEnvironmentVariable("VATMARK_SCREENSHOTS");
    if (out.isEmpty()) GTEST_SKIP() << "VATMARK_SCREENSHOTS not set";
    PrefsFixture::SetUp();
  }
  void save(QWidget* w, const char* name) {
    QTest::qWait(200);
    const QString file = QDir(out).filePath(name);
    EXPECT_TRUE(w->grab().save(file)) << file.toStdString();
  }
  QString out;
};

TEST_F(PrefsScreenshots, AllThreeWindows) {
  auto* prompt = open<Win_SetPrgDefaultsYN>("Win_SetPrgDefaultsYN");
  ASSERT_NE(prompt, nullptr);
  save(prompt, "prefs_prompt.png");
  QTest::mouseClick(prompt->yesButton(), Qt::LeftButton);
  auto* defaults = qobject_cast<Win_SetPrgDefaults*>(findWindow("Win_SetPrgDefaults"));
  ASSERT_NE(defaults, nullptr);
  save(prompt, "prefs_prompt_second.png");
  activate(defaults);
  defaults->imperialRadio()->setFocus();
  save(defaults, "prefs_defaults.png");
  defaults->close();
  prompt->close();

  writeIni("Drives", "E", QDir::current().filePath("stick").toStdString(),
           settingsPath(kProgramIni));
  QDir::current().mkdir("stick");
  auto* backup = open<Win_BackupData>("Win_BackupData");
  ASSERT_NE(backup, nullptr);
  QTest::mouseClick(backup->driveButton('E'), Qt::LeftButton);
  save(backup, "prefs_backup.png");
}

}  // namespace
}  // namespace vm::test
