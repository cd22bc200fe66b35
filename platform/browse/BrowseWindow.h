// BrowseWindow: the window around a BrowseList that every browser of the
// program is.  It wires the list's Insert, Change, Delete (and View)
// requests to the table's update form, runs the form on the browser (which
// stays disabled while the form is open), re-reads the list afterwards and
// highlights the record written.  On closing it keeps the list layout when
// asked to (keepListLayout) and clears the frame's browse-open marker.
//
// A browser derives from it, builds its controls around list(), calls
// bindUpdateButtons() and makes its form in makeForm():
//
//   class BrowseThings : public BrowseWindow {
//     UpdateForm* makeForm(Request r) override {
//       const ThingRecord* sel = things_->current();
//       return new UpdateThings(r, sel && r != Request::Insert ? *sel : ThingRecord{});
//     }
//   };
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "platform/browse/BrowseList.h"
#include "platform/browse/UpdateForm.h"

class QAbstractButton;
class QIcon;
class QTabWidget;

namespace vm {

// The printer picture of the browsers' Print buttons.
QIcon printerIcon();

class BrowseWindow : public Window {
  Q_OBJECT
 public:
  explicit BrowseWindow(std::string procedure, QWidget* parent = nullptr);

  BrowseList* list() const { return list_; }
  // Carries out a request through the form (nothing for Change, Delete or
  // View on an empty list).  `after` runs once the request is over.
  void request(Request request, std::function<void(int answer)> after = {});
  // True while a request's form is open.
  bool isBusy() const { return busy_; }

 protected:
  // The form for a request on the highlighted record; nullptr for none.
  virtual UpdateForm* makeForm(Request request) = 0;
  // The request is over and the list re-read (answer completed/cancelled).
  virtual void onRequestDone(Request, int) {}
  void bindUpdateButtons(QAbstractButton* insert, QAbstractButton* change, QAbstractButton* remove,
                         QAbstractButton* view = nullptr);
  // A tab sheet whose tab n lists in views[n] (its key and filter).  The
  // list moves onto the current tab's page, is read again from the top and
  // gets the focus; onTabChanged follows (titles, filters of the window).
  void setTabs(QTabWidget* tabs, std::vector<View> views);
  virtual void onTabChanged(int) {}
  // The list's column widths are kept in the list-layout store under the
  // window's procedure name: restored now, saved when the window closes.
  void keepListLayout();
  void onClosing() override;

 private:
  BrowseList* list_;
  std::vector<View> tabViews_;
  bool keepLayout_ = false;
  bool busy_ = false;
};

}  // namespace vm
