// PickList: a combination box bound to a text field that offers the
// entries of a table for selection and extends the table with new ones (the
// brew form's kit/recipe field).  Behaviour:
//
//  * Filled from the table in key order; on filling, the row equal to the
//    current text (case ignored) is selected, none when the text is empty.
//    The text itself is left as it was.
//  * After each typed character the text is completed with the first entry
//    (in key order) that begins with what was typed, case ignored; the
//    completed remainder is selected, so the next key replaces it.
//    Backspace removes the selected remainder and the last typed character.
//  * Leaving the field (Enter, or the focus moving on) after the text was
//    typed or chosen: a text equal to an entry (case ignored) takes the
//    entry's stored spelling and selects its row; an empty text stays empty
//    with no row; any other text asks "Add New Record?" (Yes default): Yes
//    adds it to the table, fills the list again and selects it, No clears
//    the field and keeps the focus in it.  A text the user did not touch is
//    never questioned, so a brew naming a kit no longer listed keeps it.
//  * It never changes or deletes entries.
#pragma once

#include <QComboBox>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

#include "store/Records.h"
#include "store/Tables.h"

namespace vm {

// The entries of a pick list and how a new one is added.
class PickSource {
 public:
  virtual ~PickSource() = default;
  virtual Status read(std::vector<std::string>& entries) = 0;
  virtual Status add(const std::string& entry) = 0;
};

// Entries from the text field `field` of table R in the order of `key`; the
// table is opened for as long as the source lives.
template <class R>
class TablePickSource : public PickSource {
 public:
  TablePickSource(int key, int field) : key_(key), field_(field) { table_.open(); }
  Status read(std::vector<std::string>& entries) override {
    std::vector<std::string> out;
    Status s = table_.scan(View{key_, {}}, [&](const R& r) {
      auto v = getField(r, field_);
      out.push_back(v ? fieldValueText(*v) : std::string());
      return true;
    });
    if (s == Status::Ok) entries = std::move(out);
    return s;
  }
  Status add(const std::string& entry) override {
    R r;
    setField(r, field_, FieldValue{entry});
    return table_.insert(r);
  }

 private:
  Table<R> table_;
  int key_, field_;
};

class PickList : public QComboBox {
  Q_OBJECT
 public:
  PickList(std::unique_ptr<PickSource> source, QWidget* parent = nullptr);

  // Longest text, from a text picture ("@s45").
  void setPicture(const std::string& picture);
  // Fills the list again and selects the row of the current text.
  void reload();
  // The bound value; setting it selects its row (or none) without asking.
  QString value() const;
  void setValue(const QString& text);
  const QStringList& entries() const { return entries_; }
  // The leaving rules; false when the field was cleared and keeps the focus.
  bool acceptText();
  // True when the text was typed or chosen since it was last accepted.
  bool isEdited() const { return edited_; }

 signals:
  // The leaving rules have settled the value.
  void valueAccepted(const QString& value);

 protected:
  // The line edit's keys and focus arrive here first (the box is its
  // focus proxy).
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int findEntry(const QString& text) const;
  void complete(const QString& typed);
  void selectRow(int row, const QString& keepText);

  std::unique_ptr<PickSource> source_;
  QStringList entries_;
  bool edited_ = false;
  bool completing_ = false;
  bool noCompletion_ = false;
  bool accepting_ = false;
};

}  // namespace vm
