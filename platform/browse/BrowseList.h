// BrowseList: the list with columns that every browser of the program shows
// its table in.  It reads through a PageSource a page at a time (as many
// rows as fit), so it stays quick on tables of any size, and offers:
//
//  * columns from a list format text ("180L(2)@s45@", see ListFormat.h),
//    each bound to a field and formatted by its picture; headings, widths,
//    alignment and indent, per-cell colours from the window (setCellStyle),
//    a hand cursor over the rows;
//  * navigation: first, page back, one back, one forward, page forward and
//    last, by the six buttons below the list, the cursor keys, Page Up/Down,
//    Home/End (and Ctrl+Home/End, Ctrl+Page Up/Down) and the mouse wheel;
//  * character search: a printable key moves the highlight to the first
//    record at or after what was typed in the current key (setLocator);
//  * the list keys of every browser: Insert, Delete and Ctrl+Enter ask for
//    Insert, Delete and Change, a double-click for Change; the bound Change
//    and Delete buttons are disabled while the list is empty;
//  * the current layout as a list format text, and the list-layout store
//    (restoreLayout / saveLayout) for lists whose widths the user keeps.
//
// A read that fails shows the standard "File Access Error" text (not
// fatal) and leaves the list as it was.
#pragma once

#include <QColor>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/browse/ListFormat.h"
#include "platform/browse/PageSource.h"

class QAbstractButton;
class QTableView;
class QToolButton;

namespace vm {

class BrowseModel;

// The list actions a window may take over before the list does its own
// (the web links ask "Link to..." instead of inserting, changing or
// deleting).
enum class ListAction { InsertKey, DeleteKey, CtrlEnter, ShiftEnter, DoubleClick };

struct CellStyle {
  std::optional<QColor> text;
  std::optional<QColor> background;
};

class BrowseList : public QWidget {
  Q_OBJECT
 public:
  explicit BrowseList(QWidget* parent = nullptr);
  ~BrowseList() override;

  // --- What is listed.
  template <class R>
  TablePageSource<R>* setTable(Table<R>& table, View view) {
    auto source = std::make_unique<TablePageSource<R>>(table, std::move(view));
    auto* typed = source.get();
    setSource(std::move(source));
    return typed;
  }
  void setSource(std::unique_ptr<PageSource> source);
  PageSource* source() const { return source_.get(); }
  // A new key or filter (a tab): read again from the top.
  void setView(View view);

  // --- Columns.  `fields` names the field of each column (0: the window
  // supplies the text through setCellText).  False when the text is not a
  // list format or the counts differ.
  bool setFormat(std::string_view designed, std::vector<int> fields);
  const std::string& designedFormat() const { return designed_; }
  // The layout as shown now, with the widths the user dragged.
  std::string currentFormat() const;
  // Applies the widths of `saved` when it describes the same columns as the
  // design; false (and nothing changed) otherwise.
  bool applyFormat(std::string_view saved);
  // The list-layout store under the window's procedure name.
  void restoreLayout(std::string_view procedure);
  void saveLayout(std::string_view procedure) const;
  const std::vector<ListColumn>& columns() const { return columns_; }

  using CellText = std::function<std::optional<std::string>(int row, int column)>;
  using CellStyler = std::function<CellStyle(int row, int column)>;
  void setCellText(CellText f);
  void setCellStyle(CellStyler f);
  // What a typed character searches for in the current key; by default the
  // character itself for a text key and its digit for a number key.
  using Locator = std::function<std::optional<FieldValue>(const QString& typed)>;
  void setLocator(Locator f) { locator_ = std::move(f); }
  // Called first for each list action; returning true stops the list's own.
  using ActionHandler = std::function<bool(ListAction)>;
  void setActionHandler(ActionHandler f) { actionHandler_ = std::move(f); }

  // --- Reading and moving.  Each returns the store's status.
  Status first();
  Status last();
  Status pageForward();
  Status pageBack();
  Status oneForward();
  Status oneBack();
  Status locate(const FieldValue& value);
  Status locateText(const QString& typed);
  Status refresh();
  // Re-reads around the record with this record number and highlights it.
  Status showRecord(const FieldValue& recordNumber);
  void selectRow(int row);

  int rowCount() const;
  int selectedRow() const;
  bool isEmpty() const { return rowCount() == 0; }
  // Rows that fit (the page size).
  int pageSize() const { return pageSize_; }
  // The text shown in a cell, as the user reads it.
  QString cellText(int row, int column) const;

  // --- The Insert/Change/Delete (and View) buttons of the browser; nullptr
  // for one it does not have.  Change, Delete and View follow the list.
  void bindButtons(QAbstractButton* insert, QAbstractButton* change, QAbstractButton* remove,
                   QAbstractButton* view = nullptr);
  QTableView* table() const { return view_; }
  QToolButton* navigationButton(int i) const;  // 0 first ... 5 last

 signals:
  void insertRequested();
  void changeRequested();
  void deleteRequested();
  // The page was read again or the highlight moved.
  void moved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  friend class BrowseModel;
  Status apply(Status s);
  void updateButtons();
  void syncSelection();
  int fittingRows() const;
  void fitPage();
  bool takenOver(ListAction a) const { return actionHandler_ && actionHandler_(a); }
  void buildColumns();

  std::unique_ptr<PageSource> source_;
  std::unique_ptr<BrowseModel> model_;
  QTableView* view_ = nullptr;
  std::vector<QToolButton*> nav_;
  std::string designed_;
  std::vector<ListColumn> columns_;
  std::vector<int> fields_;
  CellText cellText_;
  CellStyler cellStyle_;
  Locator locator_;
  ActionHandler actionHandler_;
  QAbstractButton* insert_ = nullptr;
  QAbstractButton* change_ = nullptr;
  QAbstractButton* remove_ = nullptr;
  QAbstractButton* viewButton_ = nullptr;
  int pageSize_ = 1;
  bool syncing_ = false;
};

}  // namespace vm
