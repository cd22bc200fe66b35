// The Data Backup window driven as a user would, with drive letters bound
// to folders of the test's own folder.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "PrefsFixture.h"
#include "WholeFiles.h"
#include "shell/BackupCopy.h"
#include "shell/Win_BackupData.h"
#include "store/Tables.h"

namespace vm::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> entries(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class BackupWindowTest : public PrefsFixture {
 protected:
  void SetUp() override {
    PrefsFixture::SetUp();
    fs::create_directory(root("stick"));
    mapDrive('E', "stick");
    mapDrive('C', "system");
    fs::create_directory(root("system"));
    mapDrive('F', "unplugged");  // not there, like a drive without a medium
  }
  fs::path here() const { return fs::path(folder.path().toStdString()); }
  fs::path root(const char* name) const { return here() / name; }
  void mapDrive(char letter, const char* name) {
    writeIni(backup::kDrivesSection, std::string(1, letter), root(name).string(),
             settingsPath(kProgramIni));
  }
  Win_BackupData* openBackup() {
    Win_BackupData* w = open<Win_BackupData>("Win_BackupData");
    if (w)
      QObject::connect(w->progressBar(), &QProgressBar::valueChanged, w,
                       [this](int v) { progress.push_back(v); });
    return w;
  }
  // Types `text` into the letter entry and moves on to "  &Start Backup".
  static void typeAndMoveOn(Win_BackupData* w, const QString& text) {
    w->driveEntry()->setFocus(Qt::TabFocusReason);
    w->driveEntry()->clear();
    if (!text.isEmpty()) QTest::keyClicks(w->driveEntry(), text);
    QTest::keyClick(w->driveEntry(), Qt::Key_Tab);
  }
  static void brewsFile() {
    BrewTable brews;
    ASSERT_EQ(brews.open(), Status::Ok);
    BrewRecord r;
    r.batchNumber = 3;
    r.brewKit = "Stout";
    ASSERT_EQ(brews.insert(r), Status::Ok);
    brews.close();
  }
  std::vector<int> progress;
};

TEST_F(BackupWindowTest, LettersOtherThanCapitalsAreRefused) {
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Data Backup");
  for (const char* text : {"c", "", "1", "e", "-"}) {
    SCOPED_TRACE(text);
    script.clear();
    typeAndMoveOn(w, text);
    ASSERT_EQ(titles(), std::vector<std::string>{"No Destination Drive!"});
    EXPECT_EQ(script.shown()[0].text, "The Drive Letter must be in the range of [ A - Z ].");
    EXPECT_EQ(script.shown()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(w->driveEntry()->hasFocus());
    EXPECT_EQ(w->destination(), "");
  }
  // The entry takes one character.
  EXPECT_EQ(w->driveEntry()->maxLength(), 1);
}

TEST_F(BackupWindowTest, DriveCWarnsOnceThenIsAccepted) {
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  typeAndMoveOn(w, "C");
  ASSERT_EQ(titles(), std::vector<std::string>{"Are you sure?"});
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Question);
  EXPECT_EQ(script.shown()[0].text, Win_BackupData::kDriveCText);
  EXPECT_TRUE(w->driveEntry()->hasFocus());
  EXPECT_FALSE(fs::exists(root("system") / "BrewData"));

  typeAndMoveOn(w, "C");
  EXPECT_EQ(script.shown().size(), 1u);
  EXPECT_TRUE(w->startButton()->hasFocus());
  EXPECT_EQ(w->destination(), (root("system") / "BrewData").string());
  EXPECT_TRUE(fs::is_directory(root("system") / "BrewData"));
}

TEST_F(BackupWindowTest, DriveButtonThenStartCopiesTheFilesInOrderAndNoCloses) {
  brewsFile();
  writeAll("BRANDS4.TPS", "kits");
  writeAll("SHOPPING.TPS", "shopping");
  writeAll("Vatmark.ini.copy", "not a data file");
  writeAll("brewsexp.csv", "1,2,3");
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);

  QTest::mouseClick(w->driveButton('E'), Qt::LeftButton);
  EXPECT_EQ(w->driveEntry()->text(), "E");
  EXPECT_TRUE(w->startButton()->hasFocus());
  const fs::path dest = root("stick") / "BrewData";
  EXPECT_EQ(w->destination(), dest.string());
  EXPECT_EQ(w->destinationLabel()->text().toStdString(), dest.string());
  EXPECT_TRUE(fs::is_directory(dest));
  EXPECT_TRUE(script.shown().empty());

  script.answer(2);  // "&No"
  QTest::keyClick(w->startButton(), Qt::Key_Space);
  EXPECT_EQ(progress, (std::vector<int>{5, 25, 40, 60, 85, 100}));
  ASSERT_EQ(titles(), std::vector<std::string>{"Data Backup..."});
  EXPECT_EQ(script.shown()[0].buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Question);
  ASSERT_TRUE(closedWith.has_value());  // closed without the close warning
  EXPECT_EQ(entries(dest),
            (std::vector<std::string>{"BRANDS4.TPS", "BREWSV3.TPS", "SHOPPING.TPS"}));
  EXPECT_EQ(readAll(dest / "BRANDS4.TPS"), "kits");
  EXPECT_EQ(readAll(dest / "SHOPPING.TPS"), "shopping");

  // The brews copy is the table itself.
  TempFolder restored;
  fs::copy_file(dest / "BREWSV3.TPS", "BREWSV3.TPS");
  BrewTable brews;
  ASSERT_EQ(brews.open(), Status::Ok);
  BrewRecord r;
  ASSERT_EQ(brews.first(View{brew::kKeyRecord}, r), Status::Ok);
  EXPECT_EQ(r.brewKit, "Stout");
  brews.close();
}

TEST_F(BackupWindowTest, MissingDriveFailsAtTheFirstExistingFile) {
  writeAll("BRANDS4.TPS", "kits");
  writeAll("W_LINK.TPS", "links");
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w->driveButton('F'), Qt::LeftButton);
  EXPECT_TRUE(script.shown().empty());  // nothing said at first
  EXPECT_FALSE(fs::exists(root("unplugged")));
  QTest::keyClick(w->startButton(), Qt::Key_Space);
  ASSERT_EQ(titles(), std::vector<std::string>{"Error..."});
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Error);
  EXPECT_EQ(script.shown()[0].text, Win_BackupData::kErrorText);
  EXPECT_EQ(progress, (std::vector<int>{5, 25, 0}));
  EXPECT_TRUE(w->startButton()->isEnabled());
  EXPECT_TRUE(w->closeButton()->isEnabled());
  EXPECT_TRUE(w->helpButton()->isEnabled());
  EXPECT_FALSE(fs::exists(root("unplugged")));
  EXPECT_EQ(w->destination(), (root("unplugged") / "BrewData").string());  // kept
}

TEST_F(BackupWindowTest, FailureHalfWayKeepsTheFilesCopiedBeforeIt) {
  brewsFile();
  writeAll("BRANDS4.TPS", "kits");
  writeAll("W_LINK.TPS", "links");
  writeAll("SHOPPING.TPS", "shopping");
  const fs::path dest = root("stick") / "BrewData";
  fs::create_directories(dest / "W_LINK.TPS");  // the name is taken by a folder
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w->driveButton('E'), Qt::LeftButton);
  QTest::keyClick(w->startButton(), Qt::Key_Space);
  EXPECT_EQ(titles(), std::vector<std::string>{"Error..."});
  EXPECT_EQ(progress, (std::vector<int>{5, 25, 40, 0}));
  EXPECT_EQ(entries(dest), (std::vector<std::string>{"BRANDS4.TPS", "BREWSV3.TPS", "W_LINK.TPS"}));
  EXPECT_FALSE(w->backedUp());
  // Closing now: nothing counts as backed up.
  script.clear();
  QTest::mouseClick(w->closeButton(), Qt::LeftButton);
  EXPECT_EQ(titles(), std::vector<std::string>{"Close selected!"});
}

TEST_F(BackupWindowTest, EmptyFolderCompletesAtOnceAndBackingUpTwiceReplaces) {
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  const fs::path dest = root("stick") / "BrewData";
  // Nothing to copy: the question comes at once.
  typeAndMoveOn(w, "E");
  script.answer(1);  // "&Yes": another run
  QTest::keyClick(w->startButton(), Qt::Key_Space);
  EXPECT_EQ(titles(), std::vector<std::string>{"Data Backup..."});
  EXPECT_TRUE(entries(dest).empty());
  EXPECT_EQ(progress, (std::vector<int>{5, 25, 40, 60, 85, 100, 0}));
  EXPECT_EQ(w->driveEntry()->text(), "");
  EXPECT_TRUE(w->driveEntry()->hasFocus());
  EXPECT_TRUE(w->startButton()->isEnabled());

  for (const char* content : {"first", "second"}) {
    writeAll("SHOPPING.TPS", content);
    script.clear();
    script.answer(1);
    typeAndMoveOn(w, "E");
    QTest::keyClick(w->startButton(), Qt::Key_Space);
    EXPECT_EQ(titles(), std::vector<std::string>{"Data Backup..."});
    EXPECT_EQ(readAll(dest / "SHOPPING.TPS"), content);
    EXPECT_EQ(entries(dest), std::vector<std::string>{"SHOPPING.TPS"});
  }
  // "&Yes" leaves the backed-up flag down, so closing warns.
  script.clear();
  QTest::mouseClick(w->closeButton(), Qt::LeftButton);
  ASSERT_EQ(titles(), std::vector<std::string>{"Close selected!"});
  EXPECT_EQ(script.shown()[0].text, "No data files have been backed up!");
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(closedWith.has_value());
}

TEST_F(BackupWindowTest, OneClickOnStartChecksTheLetterFirst) {
  writeAll("BRANDS4.TPS", "kits");
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  // Refused letter: the click that brought the focus does not start.
  w->driveEntry()->setText("e");
  QTest::mouseClick(w->startButton(), Qt::LeftButton);
  EXPECT_EQ(titles(), std::vector<std::string>{"No Destination Drive!"});
  EXPECT_TRUE(progress.empty());
  // A good letter: one click works the destination out and copies.
  script.clear();
  script.answer(2);
  w->driveEntry()->setText("E");
  QTest::mouseClick(w->startButton(), Qt::LeftButton);
  EXPECT_EQ(titles(), std::vector<std::string>{"Data Backup..."});
  EXPECT_EQ(readAll(root("stick") / "BrewData/BRANDS4.TPS"), "kits");
}

TEST_F(BackupWindowTest, StartByItsAccessKeyChecksTheLetterTypedLast) {
  writeAll("BRANDS4.TPS", "kits");
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  w->activateWindow();
  // The access key works the destination out from the letter, then copies.
  w->driveEntry()->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(w->driveEntry(), "E");
  script.answer(1);  // another backup
  QTest::keyClick(w->driveEntry(), Qt::Key_S, Qt::AltModifier);
  QTest::qWait(300);
  ASSERT_EQ(titles(), std::vector<std::string>{"Data Backup..."});
  EXPECT_EQ(readAll(root("stick") / "BrewData/BRANDS4.TPS"), "kits");
  // The destination worked out before must not be used for a letter typed
  // afterwards.
  fs::remove(root("stick") / "BrewData/BRANDS4.TPS");
  script.clear();
  progress.clear();
  ASSERT_TRUE(w->driveEntry()->hasFocus());
  QTest::keyClicks(w->driveEntry(), "e");
  QTest::keyClick(w->driveEntry(), Qt::Key_S, Qt::AltModifier);
  QTest::qWait(300);
  EXPECT_EQ(titles(), std::vector<std::string>{"No Destination Drive!"});
  EXPECT_TRUE(progress.empty());
  EXPECT_FALSE(fs::exists(root("stick") / "BrewData/BRANDS4.TPS"));
}

TEST_F(BackupWindowTest, CloseRightAwayWarnsAndHelpAndToolTips) {
  Win_BackupData* w = openBackup();
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w->helpButton(), Qt::LeftButton);
  ASSERT_EQ(help.size(), 1u);
  EXPECT_EQ(help[0].keyword, "Data Backup");
  EXPECT_EQ(help[0].notFoundText, "Not Found");
  EXPECT_EQ(w->helpButton()->toolTip(), "Help topic on backups.");
  EXPECT_EQ(w->driveButton('H')->toolTip(), "Backup to drive H:");
  EXPECT_EQ(w->driveEntry()->toolTip(), "Destination Drive");
  w->close();
  EXPECT_EQ(titles(), std::vector<std::string>{"Close selected!"});
}

}  // namespace
}  // namespace vm::test
