// PageSource: the page of records a browse list shows, read through the
// store a page at a time and never more.  The list asks for moves (first,
// last, a page or a row either way, locate a key value, re-read, show one
// record) and the source reads just the rows the move needs, through the
// View (key and filter) of the list's current tab.  Which row is highlighted
// is part of the page: moves keep it where the user expects it.
//
// TablePageSource<R> is the source over one Table<R>; a window keeps the
// typed pointer it gets from BrowseList::setTable() to reach its rows:
//
//     auto* kits = list->setTable(table_, View{brand::kBrewKey});
//     const BrandRecord& r = kits->row(kits->selected());
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/Records.h"
#include "store/Tables.h"

namespace vm {

class PageSource {
 public:
  virtual ~PageSource() = default;

  virtual const TableDef& definition() const = 0;
  virtual const View& view() const = 0;
  // A new order or filter; the page is emptied until the next read.
  virtual void setView(View view) = 0;

  virtual int size() const = 0;
  // Highlighted row of the page, -1 when the page is empty.
  virtual int selected() const = 0;
  virtual void select(int row) = 0;
  // Value of field `number` (1-based) in page row `row`.
  virtual FieldValue field(int row, int number) const = 0;
  virtual FieldValue recordNumber(int row) const = 0;
  // Moves; each reads pages of up to n rows.  On a failed read the page is
  // left as it was and the status returned (errorText() says why).
  virtual Status first(int n) = 0;
  virtual Status last(int n) = 0;
  virtual Status pageForward(int n) = 0;
  virtual Status pageBack(int n) = 0;
  virtual Status oneForward(int n) = 0;
  virtual Status oneBack(int n) = 0;
  // The first record at or after `value` of the key's component.
  virtual Status locate(const FieldValue& value, int n) = 0;
  // Reads the page again from where it starts, keeping the highlighted
  // position (after an edit or a delete).
  virtual Status refresh(int n) = 0;
  // Reads the page around the record with this record number and
  // highlights it, at about row `at`; when the record is not in the view,
  // refresh() instead.
  virtual Status showRecord(const FieldValue& recordNumber, int at, int n) = 0;
  // The page grows or shrinks to n rows, keeping the highlighted row.
  virtual Status resize(int n) = 0;
  // Records of the view (the brew browser shows its count).
  virtual Status count(std::int64_t& result) = 0;
  virtual const std::string& errorText() const = 0;
};

template <class R>
class TablePageSource : public PageSource {
 public:
  TablePageSource(Table<R>& table, View view) : table_(table), view_(std::move(view)) {}

  const R& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
  const std::vector<R>& rows() const { return rows_; }
  // The highlighted record, if any.
  const R* current() const { return sel_ >= 0 && sel_ < size() ? &rows_[sel_] : nullptr; }

  const TableDef& definition() const override { return R::definition(); }
  const View& view() const override { return view_; }
  void setView(View view) override {
    view_ = std::move(view);
    rows_.clear();
    sel_ = -1;
  }
  int size() const override { return static_cast<int>(rows_.size()); }
  int selected() const override { return sel_; }
  void select(int row) override {
    if (row >= 0 && row < size()) sel_ = row;
  }
  FieldValue field(int row, int number) const override {
    auto v = getField(definition(), &rows_[static_cast<std::size_t>(row)], number);
    return v ? *v : FieldValue{std::int64_t{0}};
  }
  FieldValue recordNumber(int row) const override { return numberOf(rows_[row]); }

  Status first(int n) override {
    std::vector<R> p;
    if (Status s = table_.firstPage(view_, n, p); s != Status::Ok) return s;
    set(std::move(p), 0);
    return Status::Ok;
  }
  Status last(int n) override {
    std::vector<R> p;
    if (Status s = table_.lastPage(view_, n, p); s != Status::Ok) return s;
    const int at = static_cast<int>(p.size()) - 1;
    set(std::move(p), at);
    return Status::Ok;
  }
  Status pageForward(int n) override {
    if (rows_.empty()) return first(n);
    std::vector<R> more;
    if (Status s = table_.pageAfter(view_, rows_.back(), n, more); s != Status::Ok) return s;
    if (more.empty()) {
      sel_ = size() - 1;
      return Status::Ok;
    }
    const bool full = static_cast<int>(more.size()) >= n;
    std::vector<R> all = rows_;
    all.insert(all.end(), more.begin(), more.end());
    if (static_cast<int>(all.size()) > n) all.erase(all.begin(), all.end() - n);
    const int at =
        full ? std::min(sel_, static_cast<int>(all.size()) - 1) : static_cast<int>(all.size()) - 1;
    set(std::move(all), at);
    return Status::Ok;
  }
  Status pageBack(int n) override {
    if (rows_.empty()) return first(n);
    std::vector<R> more;
    if (Status s = table_.pageBefore(view_, rows_.front(), n, more); s != Status::Ok) return s;
    if (more.empty()) {
      sel_ = 0;
      return Status::Ok;
    }
    const bool full = static_cast<int>(more.size()) >= n;
    more.insert(more.end(), rows_.begin(), rows_.end());
    if (static_cast<int>(more.size()) > n) more.resize(static_cast<std::size_t>(n));
    const int at = full ? std::min(sel_, static_cast<int>(more.size()) - 1) : 0;
    set(std::move(more), at);
    return Status::Ok;
  }
  Status oneForward(int n) override {
    if (rows_.empty()) return first(n);
    if (sel_ < size() - 1) {
      ++sel_;
      return Status::Ok;
    }
    R next;
    Status s = table_.next(view_, rows_.back(), next);
    if (s == Status::NotFound) return Status::Ok;
    if (s != Status::Ok) return s;
    rows_.push_back(std::move(next));
    while (size() > std::max(n, 1)) rows_.erase(rows_.begin());
    sel_ = size() - 1;
    return Status::Ok;
  }
  Status oneBack(int n) override {
    if (rows_.empty()) return first(n);
    if (sel_ > 0) {
      --sel_;
      return Status::Ok;
    }
    R previous;
    Status s = table_.previous(view_, rows_.front(), previous);
    if (s == Status::NotFound) return Status::Ok;
    if (s != Status::Ok) return s;
    rows_.insert(rows_.begin(), std::move(previous));
    while (size() > std::max(n, 1)) rows_.pop_back();
    sel_ = 0;
    return Status::Ok;
  }
  Status locate(const FieldValue& value, int n) override {
    std::vector<R> p;
    if (Status s = table_.pageFrom(view_, value, n, p); s != Status::Ok) return s;
    if (p.empty()) return last(n);  // nothing so far on: the end of the list
    int at = 0;
    if (static_cast<int>(p.size()) < n) {
      std::vector<R> before;
      if (Status s = table_.pageBefore(view_, p.front(), n - static_cast<int>(p.size()), before);
          s != Status::Ok)
        return s;
      at = static_cast<int>(before.size());
      before.insert(before.end(), p.begin(), p.end());
      p = std::move(before);
    }
    set(std::move(p), at);
    return Status::Ok;
  }
  Status refresh(int n) override {
    if (rows_.empty()) return first(n);
    const int keep = sel_;
    std::vector<R> previous, p;
    if (Status s = table_.pageBefore(view_, rows_.front(), 1, previous); s != Status::Ok) return s;
    Status s = previous.empty() ? table_.firstPage(view_, n, p)
                                : table_.pageAfter(view_, previous.front(), n, p);
    if (s != Status::Ok) return s;
    if (static_cast<int>(p.size()) < n) {
      // The end of the list moved up (a delete): show a full page again.
      if (p.empty()) {
        if ((s = table_.lastPage(view_, n, p)) != Status::Ok) return s;
      } else {
        std::vector<R> before;
        if ((s = table_.pageBefore(view_, p.front(), n - static_cast<int>(p.size()), before)) !=
            Status::Ok)
          return s;
        const int shift = static_cast<int>(before.size());
        before.insert(before.end(), p.begin(), p.end());
        p = std::move(before);
        set(std::move(p), keep + shift);
        return Status::Ok;
      }
    }
    set(std::move(p), keep);
    return Status::Ok;
  }
  Status showRecord(const FieldValue& number, int at, int n) override {
    R r;
    Status s = table_.fetchRecord(number, r);
    if (s == Status::NotFound) return refresh(n);
    if (s != Status::Ok) return s;
    at = std::clamp(at, 0, std::max(n - 1, 0));
    // The record may be left out of this view (a filter, an empty key): it
    // is in it when it follows the record before it.
    std::vector<R> before, after;
    if ((s = table_.pageBefore(view_, r, 1, before)) != Status::Ok) return s;
    R probe;
    s = before.empty() ? table_.first(view_, probe) : table_.next(view_, before.back(), probe);
    if (s == Status::NotFound || (s == Status::Ok && !(numberOf(probe) == number)))
      return refresh(n);
    if (s != Status::Ok) return s;
    // A limit of 0 would mean every record: read only what is wanted.
    before.clear();
    if (at > 0 && (s = table_.pageBefore(view_, r, at, before)) != Status::Ok) return s;
    const int wanted = n - 1 - static_cast<int>(before.size());
    if (wanted > 0 && (s = table_.pageAfter(view_, r, wanted, after)) != Status::Ok) return s;
    const int missing = n - 1 - static_cast<int>(before.size() + after.size());
    if (missing > 0) {
      std::vector<R> earlier;
      const R& from = before.empty() ? r : before.front();
      if ((s = table_.pageBefore(view_, from, missing, earlier)) != Status::Ok) return s;
      earlier.insert(earlier.end(), before.begin(), before.end());
      before = std::move(earlier);
    }
    const int index = static_cast<int>(before.size());
    before.push_back(std::move(r));
    before.insert(before.end(), after.begin(), after.end());
    set(std::move(before), index);
    return Status::Ok;
  }
  Status resize(int n) override {
    if (n < 1) n = 1;
    if (rows_.empty()) return first(n);
    while (size() > n) {
      if (sel_ < size() - 1)
        rows_.pop_back();
      else {
        rows_.erase(rows_.begin());
        --sel_;
      }
    }
    if (size() < n) {
      std::vector<R> more;
      if (Status s = table_.pageAfter(view_, rows_.back(), n - size(), more); s != Status::Ok)
        return s;
      rows_.insert(rows_.end(), more.begin(), more.end());
    }
    if (size() < n) {
      std::vector<R> more;
      if (Status s = table_.pageBefore(view_, rows_.front(), n - size(), more); s != Status::Ok)
        return s;
      sel_ += static_cast<int>(more.size());
      more.insert(more.end(), rows_.begin(), rows_.end());
      rows_ = std::move(more);
    }
    return Status::Ok;
  }
  Status count(std::int64_t& result) override { return table_.count(view_, result); }
  const std::string& errorText() const override { return table_.errorText(); }

 private:
  FieldValue numberOf(const R& r) const {
    const TableDef& d = definition();
    auto v = getField(d, &r, d.keys[static_cast<std::size_t>(d.recordKey)].field);
    return v ? *v : FieldValue{std::int64_t{0}};
  }
  void set(std::vector<R> rows, int at) {
    rows_ = std::move(rows);
    sel_ = rows_.empty() ? -1 : std::clamp(at, 0, size() - 1);
  }

  Table<R>& table_;
  View view_;
  std::vector<R> rows_;
  int sel_ = -1;
};

}  // namespace vm
