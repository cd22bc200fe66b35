#include "shell/Win_BackupData.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include <filesystem>

#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "shell/BackupCopy.h"

namespace vm {

Win_BackupData::Win_BackupData() : Window("Win_BackupData") {
  setWindowTitle("Data Backup");
  setFont(programFont("MS Sans Serif", 8));
  setWindowIcon(resourceIcon("backup.svg"));
  setDesignSize(266, 116);
  setHelp("Data Backup", "Win_BackupData", "Help topic", "Not Found");

  // Declaration order is the tab order.
  auto* intro = new QLabel(
      "All of the programs data files will be backed up to a folder named 'BrewData'.", this);
  place(intro, 3, 4, 258, 10);
  auto* prompt = new QLabel("Enter or Select drive letter to backup to:", this);
  place(prompt, 15, 38, 127, 10);

  drive_ = new QLineEdit(this);
  drive_->setObjectName("?LOC:DRIVELETTER");
  drive_->setMaxLength(1);
  drive_->setToolTip("Destination Drive");
  place(drive_, 146, 38, 15, 10);
  prompt->setBuddy(drive_);

  start_ = new QPushButton("  &Start Backup", this);
  start_->setObjectName("?StartBackup");
  start_->setIcon(resourceIcon("backup.svg"));
  start_->setToolTip("Begin the backup process.");
  place(start_, 15, 89, 89, 25);
  start_->setIconSize(QSize(start_->height() - 8, start_->height() - 8));

  destinationText_ = new QLabel(this);
  destinationText_->setObjectName("?LOC:DESTINATION");
  place(destinationText_, 81, 74, 182, 10);
  auto* destinationPrompt = new QLabel("Backup destination:", this);
  place(destinationPrompt, 15, 74, 63, 10);

  help_ = addHelpButton(246, 94, 15, 15);
  help_->setToolTip("Help topic on backups.");

  const struct {
    char letter;
    int x;
  } drives[] = {{'H', 236}, {'G', 219}, {'F', 202}, {'E', 185}, {'D', 168}};
  // Created in the order H: .. D:, kept in the array as D: .. H:.
  for (const auto& d : drives) {
    auto* b = new QPushButton(QString("%1:").arg(QChar(d.letter)), this);
    b->setObjectName(QString("?Drive%1").arg(QChar(d.letter)));
    b->setToolTip(QString("Backup to drive %1:").arg(QChar(d.letter)));
    place(b, d.x, 38, 12, 10);
    driveButtons_[d.letter - 'D'] = b;
    if (d.letter == 'H') {
      progress_ = new QProgressBar(this);
      progress_->setRange(0, 100);
      progress_->setValue(0);
      place(progress_, 15, 59, 237, 11);
      auto* note = new QLabel(
          "If this folder does not exist on the destination drive it will be created.", this);
      place(note, 6, 15, 255, 10);
    }
    const char letter = d.letter;
    onAccepted(b, [this, letter] {
      drive_->setText(QString(QChar(letter)));
      // Reaching the start button works the destination out.
      start_->setFocus(Qt::OtherFocusReason);
    });
  }

  close_ = new QPushButton("&Close", this);
  close_->setObjectName("?Close");
  close_->setToolTip("Abort the backup.");
  place(close_, 194, 94, 45, 15);

  watch(start_);
  onAccepted(start_, [this] { runBackup(); });
  onAccepted(close_, [this] { finish(); });
}

QPushButton* Win_BackupData::driveButton(char letter) const {
  return letter >= 'D' && letter <= 'H' ? driveButtons_[letter - 'D'] : nullptr;
}

void Win_BackupData::onField(QWidget* control, FieldEvent event) {
  if (control == start_ && event == FieldEvent::Focus) workOutDestination();
}

void Win_BackupData::workOutDestination() {
  const QString text = drive_->text();
  const char letter = text.size() == 1 && text[0].unicode() < 128 ? text[0].toLatin1() : '\0';
  if (letter == 'C' && !driveCWarned_) {
    message(kDriveCTitle, kDriveCText, MessageIcon::Question, {}, 0, this);
    driveCWarned_ = true;
    select(drive_);
    return;
  }
  if (backup::isDriveLetter(letter)) {
    destination_ = backup::destinationFolder(letter);
    showDestination();
    // A folder that cannot be made shows up as a failed copy.
    backup::prepareDestination(letter);
    return;
  }
  message(kNoDriveTitle, kNoDriveText, MessageIcon::Error, {}, 0, this);
  select(drive_);
}

void Win_BackupData::showDestination() {
  const QString full = QString::fromStdString(destination_).left(255);
  // The end of a long path says most (the BrewData folder and the stick
  // it is on), so a path that does not fit loses its middle.
  destinationText_->setText(
      destinationText_->fontMetrics().elidedText(full, Qt::ElideMiddle, destinationText_->width()));
  destinationText_->setToolTip(full);
}

void Win_BackupData::setProgress(int value) {
  progress_->setValue(value);
  progress_->repaint();
}

void Win_BackupData::setButtonsEnabled(bool on) {
  start_->setEnabled(on);
  close_->setEnabled(on);
  help_->setEnabled(on);
}

void Win_BackupData::runBackup() {
  if (destination_.empty()) return;
  setButtonsEnabled(false);
  const std::filesystem::path folder(destination_);
  for (const backup::DataFile& f : backup::kDataFiles) {
    setProgress(f.progress);
    std::string error;
    if (backup::copyIntoFolder(f.name, folder, &error) == backup::CopyResult::Failed) {
      lastError_ = error;
      message(kErrorTitle, kErrorText, MessageIcon::Error, {}, 0, this);
      backedUp_ = false;
      setButtonsEnabled(true);
      setProgress(0);
      return;
    }
  }
  setProgress(100);
  drive_->clear();
  if (message(kCompleteTitle, kCompleteText, MessageIcon::Question, "&Yes|&No", 0, this) == 1) {
    drive_->setFocus(Qt::OtherFocusReason);
    setButtonsEnabled(true);
    setProgress(0);
    return;
  }
  backedUp_ = true;
  finish();
}

void Win_BackupData::onClosing() {
  if (!backedUp_) message(kCloseTitle, kCloseText, MessageIcon::Exclamation, {}, 0, this);
}

}  // namespace vm
