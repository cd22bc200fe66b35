// UpdateForm: the form that edits one record of a table for a browser, in
// the same way for every table.  The browser makes the form with a request
// and the selected record and calls run():
//
//   Insert  primes a new record (automatic numbers taken and the record
//           written at once), shows the form; abandoning it cancels the
//           reservation so the same numbers are handed out again.
//   Change  shows the record (read again from the file).
//   View    shows the record read-only; OK closes.
//   Delete  does not show the form: "Confirm Delete" decides, Yes deletes.
//
// OK applies the window's checks (checkWindow) and the table's field checks,
// then writes.  A refusal or a store error (duplicate key ...; the store
// shows its message) keeps the form open with what the user typed.  After an
// insert the form may ask "Record Added" (setAskRecordAdded): Yes primes the
// next record and stays open.  Cancel or the close box after a change asks
// "Save Record" (Yes saves as OK, No closes without saving, Cancel returns
// to the first field).  The history key (Ctrl+') in a bound field puts back
// that field's value from the last record saved from this form.
//
// The form answers kRequestCompleted (something was written or deleted) or
// kRequestCancelled, and the record number written last, to run()'s done.
// Its caller stays disabled meanwhile (openWindow).
//
// A form for records R derives from RecordForm<R>, builds its controls,
// binds them to fields (bind) and sets its titles:
//
//   class UpdateThings : public RecordForm<ThingRecord> {
//    public:
//     UpdateThings(Request r, const ThingRecord& selected)
//         : RecordForm("UpdateThings", r, selected) {
//       setTitles("Add Thing", "Update Thing");
//       auto* name = new QLineEdit(this);  place(name, ...);
//       bind(name, thing::kName, "@s45");
//       setButtons(ok, cancel);
//     }
//   };
#pragma once

#include <QPointer>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "store/Records.h"
#include "store/Tables.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace vm {

enum class Request { Insert = 1, Change = 2, Delete = 3, View = 4 };
inline constexpr int kRequestCompleted = 1;
inline constexpr int kRequestCancelled = 2;

class UpdateForm : public Window {
  Q_OBJECT
 public:
  using Done = std::function<void(int answer, std::optional<FieldValue> written)>;

  UpdateForm(std::string procedure, Request request, QWidget* parent = nullptr);
  ~UpdateForm() override;

  Request request() const { return request_; }
  // Carries out the request for `caller` (see above); done is called once
  // when it is over.  The form deletes itself afterwards.
  void run(QWidget* caller, Done done);
  // Record number of the last record written, if any.
  const std::optional<FieldValue>& written() const { return written_; }
  // Whether the controls differ from the record as shown.
  bool isChanged();
  // Presses OK: false when the form stayed open.
  bool pressOk();

  // The last record saved from the form named `procedure` (its values by
  // field index), for the history key.
  static const std::vector<FieldValue>* history(const std::string& procedure);

 protected:
  void setTitles(std::string insert, std::string change, std::string view = {});
  void setAskRecordAdded(bool on) { askRecordAdded_ = on; }
  // Binds an entry (edited) or a label (shown) to a field, by its picture.
  void bind(QWidget* control, int field, std::string picture);
  void setButtons(QAbstractButton* ok, QAbstractButton* cancel);
  QWidget* controlOf(int field) const;
  // First bound control that takes input.
  QWidget* firstField() const;

  // Values between the record and the controls; a form with other kinds of
  // controls extends these and calls the base.
  virtual void loadControls();
  virtual void saveControls();
  // The window's own checks at OK; false (after select()ing the field)
  // keeps the form open.
  virtual bool checkWindow() { return true; }
  // Default values of a new record, set before it is primed.
  virtual void setDefaults() {}
  // The form's record has been written (insert or change).
  virtual void onWritten() {}
  void onHistoryKey(QWidget* field) override;
  bool canClose() override;
  void onOpened() override;

  // The record and its table, typed in RecordForm<R>.
  virtual const TableDef& definition() const = 0;
  virtual void* recordData() = 0;
  virtual Status openTable() = 0;
  virtual Status primeRecord() = 0;
  virtual Status writeRecord() = 0;
  virtual Status removeRecord() = 0;
  virtual Status cancelReserved() = 0;
  virtual Status refetch() = 0;
  virtual void resetRecord() = 0;

  FieldValue recordNumber();
  std::vector<FieldValue> snapshot();
  // A primed record that has not been written by OK yet.
  bool hasReservation() const { return reserved_; }

 private:
  enum class Saved { Refused, Closed, KeptOpen };
  Saved save(bool closing);
  void showRequest();
  void setBaseline();
  void loadControl(QWidget* control, const FieldValue& value, const std::string& picture);
  void closeInsert();

  struct Binding {
    QPointer<QWidget> control;
    int field;
    std::string picture;
  };
  Request request_;
  std::string titles_[3];
  bool askRecordAdded_ = false;
  std::vector<Binding> bindings_;
  QAbstractButton* ok_ = nullptr;
  QAbstractButton* cancel_ = nullptr;
  std::vector<FieldValue> baseline_;
  std::optional<FieldValue> written_;
  bool reserved_ = false;  // a primed record not yet written by OK
  bool closingDone_ = false;
  Done done_;
};

template <class R>
class RecordForm : public UpdateForm {
 public:
  RecordForm(std::string procedure, Request request, const R& selected, QWidget* parent = nullptr)
      : UpdateForm(std::move(procedure), request, parent), record_(selected) {}
  ~RecordForm() override {
    // A form torn down without closing (the program ending) still gives its
    // reserved numbers back.
    if (hasReservation()) table_.cancelInsert(record_);
  }

  R& record() { return record_; }
  Table<R>& table() { return table_; }

 protected:
  const TableDef& definition() const override { return R::definition(); }
  void* recordData() override { return &record_; }
  Status openTable() override { return table_.isOpen() ? Status::Ok : table_.open(); }
  Status primeRecord() override { return table_.prime(record_); }
  Status writeRecord() override { return table_.update(record_); }
  Status removeRecord() override { return table_.remove(record_); }
  Status cancelReserved() override { return table_.cancelInsert(record_); }
  Status refetch() override {
    R fresh;
    Status s = table_.fetchRecord(recordNumber(), fresh);
    if (s == Status::Ok) record_ = std::move(fresh);
    return s;
  }
  void resetRecord() override { record_ = R{}; }

 private:
  Table<R> table_;
  R record_;
};

}  // namespace vm
