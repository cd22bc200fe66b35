// The main frame: the MDI window every other window lives in, with its menu
// bar, toolbar and status bar, and the commands they run.
//
// Opening (open()): the frame restores its placement from "Main", reads the
// "Display" setting and the program defaults into the globals, fills the
// status-bar clock and shows itself; once shown it opens the start-up
// defaults prompt when the defaults were never saved, takes today's date as
// GLO:THISDAY and starts the brew browser when the settings say so.
#pragma once

#include <QMainWindow>

#include <string>

#include "base/Date.h"
#include "platform/DialogUnits.h"
#include "platform/Window.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace vm {

// The weekday name for the status bar, from the 9-character table.
std::string weekdayName(DayNumber day);

// Where "Check for Updates Online" sends the user.
inline constexpr const char* kUpdatePage = "https://vatmark.org/updates";

class Main : public QMainWindow, public BlockableCaller {
  Q_OBJECT
 public:
  Main();
  ~Main() override;

  void open();
  // Step R: backup button and the export and backup items follow the
  // browse-open marker.
  void refresh();
  // Step C: weekday and date in zone 3, time in zone 4.
  void updateClock();

  // Controls by their labels ("?BROWSEHOMEBREW", "?BUPBUT").
  QAction* action(const QString& label) const;
  QToolButton* toolButton(const QString& label) const;
  QToolBar* toolBar() const { return toolBar_; }
  QMdiArea* mdi() const { return mdi_; }
  QLabel* zone(int n) const;  // 1..4

  void setCalleeOpen(bool open) override;
  DialogUnits units() const { return DialogUnits::of(this); }

 signals:
  // Opening has finished (after the defaults prompt and the brew browser).
  void opened();
  void closed();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildToolBar();
  void buildStatusBar();
  QAction* addItem(QMenu* menu, const QString& text, const QString& label,
                   const QString& statusTip = {});
  void startBrowse(const std::string& procedure);
  void openCommand(const std::string& procedure);
  void startCommand(const std::string& procedure);
  void showToolBar(bool shown, bool remember);
  void arrangeIcons();
  void editCommand(const char* slot);
  void afterShown();

  QMdiArea* mdi_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QWidget* toolPanel_ = nullptr;
  QLabel* zones_[4] = {};
  QTimer* clock_ = nullptr;
  int callees_ = 0;
  bool shown_ = false;
  bool closing_ = false;
};

}  // namespace vm
