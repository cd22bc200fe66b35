// Data Backup: copies the data files from the working folder into BrewData
// on a drive the user picks (a letter typed or one of the D: to H:
// buttons).  Opened on the frame, so the frame waits while it is up; one
// instance.  Where a letter leads on this computer, and how each file is
// copied whole, is BackupCopy's business.
#pragma once

#include <string>

#include "platform/Window.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace vm {

class Win_BackupData : public Window {
  Q_OBJECT
 public:
  Win_BackupData();

  static constexpr const char* kDriveCTitle = "Are you sure?";
  static constexpr const char* kDriveCText =
      "The program and its data are normally already on the C: drive.| If on C: it is "
      "recommended to backup to some other drive.|| USB Flash Drives are a good choice.||You can "
      "still backup to C: by clicking on the [Start] button.";
  static constexpr const char* kNoDriveTitle = "No Destination Drive!";
  static constexpr const char* kNoDriveText = "The Drive Letter must be in the range of [ A - Z ].";
  static constexpr const char* kCompleteTitle = "Data Backup...";
  static constexpr const char* kCompleteText =
      "The backup process is complete.||   Create another backup?";
  static constexpr const char* kErrorTitle = "Error...";
  static constexpr const char* kErrorText =
      "Some possible reasons...|     - Is drive the letter entered correct?|     - Is the backup "
      "media in the selected drive?|     - Is the disk full?||     Please check then retry.";
  static constexpr const char* kCloseTitle = "Close selected!";
  static constexpr const char* kCloseText = "No data files have been backed up!";

  QLineEdit* driveEntry() const { return drive_; }
  QPushButton* startButton() const { return start_; }
  QPushButton* closeButton() const { return close_; }
  QToolButton* helpButton() const { return help_; }
  // "D:" .. "H:" by letter; nullptr for any other.
  QPushButton* driveButton(char letter) const;
  QProgressBar* progressBar() const { return progress_; }
  QLabel* destinationLabel() const { return destinationText_; }
  // The folder last worked out ("" until then).
  const std::string& destination() const { return destination_; }
  bool driveCWarned() const { return driveCWarned_; }
  bool backedUp() const { return backedUp_; }
  // The last copy failure, for the log of whoever is curious.
  const std::string& lastError() const { return lastError_; }

 protected:
  void onField(QWidget* control, FieldEvent event) override;
  void onClosing() override;

 private:
  void workOutDestination();
  void showDestination();
  void runBackup();
  void setProgress(int value);
  void setButtonsEnabled(bool on);

  QLineEdit* drive_;
  QPushButton* start_;
  QLabel* destinationText_;
  QToolButton* help_;
  QPushButton* driveButtons_[5];  // D: .. H:
  QProgressBar* progress_;
  QPushButton* close_;

  std::string destination_;
  std::string lastError_;
  bool driveCWarned_ = false;
  bool backedUp_ = false;
};

}  // namespace vm
