// BrowseKitsRecipes: the list of the user's kits and recipes (BRANDS4) in
// description order, from which they are added, changed and deleted
// through UpdateKitsRecipes.  One instance: start() brings an open browser
// to the front (restored when minimised) instead of opening a second one.
#pragma once

#include "platform/browse/BrowseWindow.h"
#include "store/Tables.h"

class QPushButton;
class QTabWidget;
class QFrame;
class QToolButton;

namespace vm {

class BrowseKitsRecipes : public BrowseWindow {
  Q_OBJECT
 public:
  static constexpr const char* kProcedure = "BrowseKitsRecipes";

  // Opens the browser as an MDI child of the frame, or brings the open one
  // to the front; returns the new window, nullptr when one was open.
  static BrowseKitsRecipes* start();

  explicit BrowseKitsRecipes(QWidget* parent = nullptr);

  QPushButton* insertButton() const { return insert_; }
  QPushButton* changeButton() const { return change_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* printButton() const { return print_; }
  QPushButton* closeButton() const { return close_; }
  TablePageSource<BrandRecord>* kits() const { return kits_; }

 protected:
  UpdateForm* makeForm(Request request) override;
  void onOpened() override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void layoutControls();
  void printList();

  BrandTable table_;
  bool opened_ = false;
  TablePageSource<BrandRecord>* kits_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QFrame* panel_ = nullptr;
  QPushButton* insert_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
  QToolButton* help_ = nullptr;
  QPixmap background_;
};

}  // namespace vm
