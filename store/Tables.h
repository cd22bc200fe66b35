// Tables: the program's keyed tables, one file each in the current folder
// ("BREWSV3.TPS", ...), each an SQLite database holding that one table and
// its keys as indexes.  This is the only way windows, reports and the export
// read or write records.
//
// A Table<R> object is one owner's (one window's) handle on a table: it
// counts that owner's opens and closes, while the file itself is shared by
// every owner in the process and is really closed by the last close.  Other
// processes on the same folder share the file too; a writer waits for
// another one (busy timeout) instead of failing at once.
//
// Reading goes through a View: one of the table's keys plus an optional
// Filter (conditions on fields, all of which must hold).  Filters become SQL
// conditions, so SQLite uses the key's index and never the whole table is
// loaded; a browse list reads a page at a time:
//
//     Table<BrewRecord> brews;            // the browser's own handle
//     brews.open();
//     View v{brew::kKeyBrewNumber, {inStockFilter()}};
//     std::vector<BrewRecord> rows;
//     brews.firstPage(v, 20, rows);               // top of the list
//     brews.pageAfter(v, rows.back(), 20, rows);  // page down
//     brews.pageBefore(v, rows.front(), 20, rows);// page up
//
// A form primes a new record (numbers taken and the record written at once),
// lets the user fill it, checks it and updates it, or cancels the insert:
//
//     BrewRecord r;  r.stockOnHand = "1";         // defaults
//     if (brews.prime(r) != Status::Ok) return;   // message already shown
//     ... user edits r ...
//     if (checkRecord(r, true).accepted && brews.update(r) == Status::Ok) done();
//     else if (user cancels) brews.cancelInsert(r);
//
// Failures that need the user (duplicate key, numbering, insert, update and
// delete errors, a file that cannot be opened) are shown through
// storeMessages() by the store itself and then returned as a Status; reads
// return their status quietly with errorText() for the caller.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/Fields.h"
#include "store/Records.h"

namespace vm {

enum class Status {
  Ok,
  NotFound,         // no such record, or the end of the key was reached
  DuplicateKey,     // a unique key already holds the value; nothing stored
  NumberingFailed,  // automatic numbering abandoned after its attempts
  NotOpen,          // the handle has not opened the table
  Refused,          // the request makes no sense here (unknown key, not unique ...)
  FileError,        // the file could not be read or written; see errorText()
};

// One condition of a filter: `field` (a field number) compared with `value`.
// Text compares without regard to case or trailing blanks.  With asNumber
// the field's text is read as a number first (so the stock flag " 1" and
// "1" both equal 1).  StartsWith takes text and matches the beginning of the
// field's text, case ignored.
enum class FilterOp { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, StartsWith };
struct Condition {
  int field = 0;
  FilterOp op = FilterOp::Equal;
  FieldValue value = std::int64_t{0};
  bool asNumber = false;
};
using Filter = std::vector<Condition>;

// "ALE:StockOnHand=1": the brew's stock text read as a number equals 1.
Condition inStockFilter();

// A key of the table (index into TableDef::keys, in key order) and a filter.
struct View {
  View(int k = 0, Filter f = {}) : key(k), filter(std::move(f)) {}  // NOLINT: {key} reads well
  int key;
  Filter filter;
};

// How long a writer waits for another process holding the file, in
// milliseconds (default 5000).  Applies to files opened afterwards.
void setBusyTimeout(int milliseconds);

// Deletes the table's file from the current folder so that the next open
// starts an empty table (the shopping list's "Delete All").  Refused, with
// nothing deleted, while any owner in this process holds the table open or
// another process holds a lock on the file; Ok when there was no file.
Status removeTableFile(const TableDef& def);

// Result of a field or record check.  field is the refused field number.
struct CheckResult {
  bool accepted = true;
  int field = 0;
};

// Applies the check of field `number` of `def` to `record` (a struct of that
// layout).  Fields without a check, and unknown numbers, are accepted.  With
// showErrors a refusal shows its "Range Error" or "Value Error" message.
CheckResult checkField(const TableDef& def, const void* record, int number, bool showErrors);
// Every field check in field order; stops at the first refusal.
CheckResult checkRecord(const TableDef& def, const void* record, bool showErrors);

template <class R>
CheckResult checkField(const R& record, int number, bool showErrors) {
  return checkField(R::definition(), &record, number, showErrors);
}
template <class R>
CheckResult checkRecord(const R& record, bool showErrors) {
  return checkRecord(R::definition(), &record, showErrors);
}

class TableFile;

// The untyped handle behind Table<R>; records are passed as void* to
// structs of the handle's layout.  Use Table<R>.
class TableHandle {
 public:
  explicit TableHandle(const TableDef& def);
  ~TableHandle();  // gives back every open this owner still holds
  TableHandle(const TableHandle&) = delete;
  TableHandle& operator=(const TableHandle&) = delete;

  const TableDef& definition() const { return def_; }

  // Opens the table for this owner (and the related table, for BREWSV3 and
  // BRANDS4).  The first open in the process opens the file, creating it
  // empty when it does not exist; an existing file that is not a readable
  // table of this layout is refused and left untouched.  A failure shows
  // "File Access Error" (fatal form: the caller ends the program or the
  // report) and returns FileError.  Opens are counted.
  Status open();
  // Counts one close; the owner's last close gives the file back, and the
  // file is closed when no owner holds it.  Extra closes are ignored.
  void close();
  bool isOpen() const { return opens_ > 0; }
  int openCount() const { return opens_; }
  // The driver's text for the last failure of this handle.
  const std::string& errorText() const { return error_; }

  enum class From { Start, End, After, Before, AtOrAfter };
  // Reads up to `limit` records of `view` (limit <= 0: no limit) starting
  // as `from` says: Start/End of the key, strictly After/Before `anchor` (a
  // record; its key value and record number give the position), or AtOrAfter
  // `value` of the key's component.  Start, After and AtOrAfter go forward
  // in key order, End and Before backward.  `row` receives each record's
  // statement and returns false to stop.  Returns Ok (also for no rows),
  // NotOpen, Refused or FileError.
  Status read(const View& view, From from, const void* anchor, const FieldValue* value, int limit,
              const std::function<bool(sqlite3_stmt*)>& row);
  // Number of records of `view`'s key passing its filter; with key -1 the
  // whole table.
  Status count(int key, const Filter& filter, std::int64_t& result);
  // The one record whose unique key `key` equals `value` (empty values are
  // never found); NotFound when there is none.
  Status fetch(int key, const FieldValue& value, const std::function<void(sqlite3_stmt*)>& row);

  Status prime(void* record);
  Status insert(void* record);
  // record(i) gives the i-th of n records to add in one transaction.
  Status insertAll(std::size_t n, const std::function<void*(std::size_t)>& record);
  Status update(const void* record);
  Status remove(const void* record);
  Status cancelInsert(const void* record);

 private:
  const TableDef& def_;
  int opens_ = 0;
  std::shared_ptr<TableFile> file_;
  std::shared_ptr<TableFile> related_;
  std::string error_;
};

template <class R>
class Table {
 public:
  Table() : handle_(R::definition()) {}

  const TableDef& definition() const { return R::definition(); }
  Status open() { return handle_.open(); }
  void close() { handle_.close(); }
  bool isOpen() const { return handle_.isOpen(); }
  int openCount() const { return handle_.openCount(); }
  const std::string& errorText() const { return handle_.errorText(); }

  // Single records in key order; NotFound at the end of the key.
  Status first(const View& v, R& out) { return one(v, From::Start, nullptr, nullptr, out); }
  Status last(const View& v, R& out) { return one(v, From::End, nullptr, nullptr, out); }
  Status next(const View& v, const R& current, R& out) {
    return one(v, From::After, &current, nullptr, out);
  }
  Status previous(const View& v, const R& current, R& out) {
    return one(v, From::Before, &current, nullptr, out);
  }
  // The first record at or after `value` of the key's component, in key
  // order (for a descending key: the highest value not above `value`).
  Status atOrAfter(const View& v, const FieldValue& value, R& out) {
    return one(v, From::AtOrAfter, nullptr, &value, out);
  }

  // Pages of up to n records, always in key order; `out` is replaced (the
  // anchor may be one of its elements).  An empty page: nothing further.
  Status firstPage(const View& v, int n, std::vector<R>& out) {
    return page(v, From::Start, nullptr, nullptr, n, out);
  }
  Status lastPage(const View& v, int n, std::vector<R>& out) {
    return page(v, From::End, nullptr, nullptr, n, out);
  }
  Status pageAfter(const View& v, const R& anchor, int n, std::vector<R>& out) {
    return page(v, From::After, &anchor, nullptr, n, out);
  }
  Status pageBefore(const View& v, const R& anchor, int n, std::vector<R>& out) {
    return page(v, From::Before, &anchor, nullptr, n, out);
  }
  Status pageFrom(const View& v, const FieldValue& value, int n, std::vector<R>& out) {
    return page(v, From::AtOrAfter, nullptr, &value, n, out);
  }
  // Every record of the view in key order, one at a time, until `each`
  // returns false.  The file is held for reading while this runs, so a
  // report reading in slices uses pages instead.
  Status scan(const View& v, const std::function<bool(const R&)>& each) {
    R r;
    return handle_.read(v, From::Start, nullptr, nullptr, 0, [&](sqlite3_stmt* s) {
      definition().readRow(&r, s, 0);
      return each(r);
    });
  }

  // The record whose unique key `key` holds `value`.
  Status fetch(int key, const FieldValue& value, R& out) {
    return handle_.fetch(key, value, [&](sqlite3_stmt* s) { definition().readRow(&out, s, 0); });
  }
  // The record with this record number.
  Status fetchRecord(const FieldValue& recordNumber, R& out) {
    return fetch(definition().recordKey, recordNumber, out);
  }
  Status count(std::int64_t& n, const Filter& filter = {}) { return handle_.count(-1, filter, n); }
  Status count(const View& v, std::int64_t& n) { return handle_.count(v.key, v.filter, n); }

  // Takes the automatic numbers (highest + 1 of each auto-numbered key, in
  // key order) into `record` and writes it at once; a number taken by
  // another writer meanwhile starts again, three attempts in all, after
  // which "Auto Increment Error" asks whether to try again (No: returns
  // NumberingFailed and nothing is stored).  The other fields are written as
  // they are in `record` (defaults, or a copy of another brew).
  Status prime(R& record) { return handle_.prime(&record); }
  // Adds `record` as it is; an empty record number is numbered first.  A
  // unique key clash shows "Duplicate Key Error" and returns DuplicateKey;
  // another failure shows "Record Insert Error" and returns FileError.
  Status insert(R& record) { return handle_.insert(&record); }
  // Adds every record of `records` as insert does, in one transaction: all
  // of them or, after a failure (shown as for insert), none.  For loading
  // many records at once (imports, generated data).
  Status insertAll(std::vector<R>& records) {
    return handle_.insertAll(records.size(), [&](std::size_t i) { return &records[i]; });
  }
  // Writes `record` over the record with its record number.  DuplicateKey
  // as for insert; NotFound (no message) when the record is gone; another
  // failure asks "Record Update Error" (Yes tries again) and returns
  // FileError.  Nothing is stored unless Ok.
  Status update(const R& record) { return handle_.update(&record); }
  // Deletes the record with `record`'s record number; NotFound when gone; a
  // failure asks "Record Delete Error" (Yes tries again).
  Status remove(const R& record) { return handle_.remove(&record); }
  // Removes the record reserved by prime, so its numbers are handed out
  // again; no message.
  Status cancelInsert(const R& record) { return handle_.cancelInsert(&record); }

 private:
  using From = TableHandle::From;
  Status one(const View& v, From from, const R* anchor, const FieldValue* value, R& out) {
    bool found = false;
    Status s = handle_.read(v, from, anchor, value, 1, [&](sqlite3_stmt* st) {
      definition().readRow(&out, st, 0);
      found = true;
      return false;
    });
    return s == Status::Ok && !found ? Status::NotFound : s;
  }
  Status page(const View& v, From from, const void* anchor, const FieldValue* value, int n,
              std::vector<R>& out) {
    std::vector<R> rows;
    rows.reserve(n > 0 ? n : 0);
    Status s = handle_.read(v, from, anchor, value, n, [&](sqlite3_stmt* st) {
      definition().readRow(&rows.emplace_back(), st, 0);
      return true;
    });
    if (s != Status::Ok) return s;
    if (from == From::End || from == From::Before) std::reverse(rows.begin(), rows.end());
    out = std::move(rows);
    return Status::Ok;
  }
  TableHandle handle_;
};

using BrewTable = Table<BrewRecord>;          // BREWSV3
using BrandTable = Table<BrandRecord>;        // BRANDS4
using WebLinkTable = Table<WebLinkRecord>;    // W_LINK
using ShoppingTable = Table<ShoppingRecord>;  // SHOPPING

}  // namespace vm
