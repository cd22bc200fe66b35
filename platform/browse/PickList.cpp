#include "platform/browse/PickList.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "base/Picture.h"
#include "platform/MessageBox.h"
#include "platform/browse/StoreMessageBoxes.h"

namespace vm {

namespace {
// Trailing blanks mean nothing in a stored text.
QString withoutTrailingBlanks(QString t) {
  while (t.endsWith(' ')) t.chop(1);
  return t;
}
}  // namespace

PickList::PickList(std::unique_ptr<PickSource> source, QWidget* parent)
    : QComboBox(parent), source_(std::move(source)) {
  installStoreMessageBoxes();
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setMaxVisibleItems(12);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
    edited_ = true;
    if (completing_) return;
    if (noCompletion_) {
      noCompletion_ = false;
      return;
    }
    complete(t);
  });
  connect(this, &QComboBox::activated, this, [this](int row) {
    if (row < 0 || row >= entries_.size()) return;
    edited_ = true;
    selectRow(row, entries_[row]);
  });
  reload();
}

void PickList::setPicture(const std::string& picture) {
  const Picture p = Picture::parse(picture);
  if (p.kind == Picture::Kind::Text && p.width > 0) lineEdit()->setMaxLength(p.width);
}

void PickList::reload() {
  const QString keep = lineEdit()->text();
  std::vector<std::string> read;
  if (source_->read(read) != Status::Ok) return;  // the list stays as it was
  entries_.clear();
  for (const auto& e : read) entries_.push_back(QString::fromStdString(e));
  const bool blocked = blockSignals(true);
  clear();
  addItems(entries_);
  blockSignals(blocked);
  setValue(keep);
}

QString PickList::value() const {
  return lineEdit()->text();
}

void PickList::selectRow(int row, const QString& keepText) {
  const bool blocked = blockSignals(true);
  setCurrentIndex(row);
  lineEdit()->setText(keepText);
  blockSignals(blocked);
}

void PickList::setValue(const QString& text) {
  selectRow(text.isEmpty() ? -1 : findEntry(text), text);
  edited_ = false;
}

int PickList::findEntry(const QString& text) const {
  const QString t = withoutTrailingBlanks(text);
  for (int i = 0; i < entries_.size(); ++i)
    if (withoutTrailingBlanks(entries_[i]).compare(t, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

void PickList::complete(const QString& typed) {
  QLineEdit* e = lineEdit();
  if (typed.isEmpty() || e->cursorPosition() != typed.size()) return;
  for (const QString& entry : entries_) {
    if (!entry.startsWith(typed, Qt::CaseInsensitive)) continue;
    if (entry.size() > typed.size()) {
      completing_ = true;
      e->setText(typed + entry.mid(typed.size()));
      e->setSelection(static_cast<int>(typed.size()),
                      static_cast<int>(entry.size() - typed.size()));
      completing_ = false;
    }
    return;
  }
}

bool PickList::acceptText() {
  if (accepting_) return true;
  accepting_ = true;
  edited_ = false;
  const QString text = withoutTrailingBlanks(lineEdit()->text());
  bool kept = true;
  if (text.isEmpty()) {
    selectRow(-1, QString());
  } else if (int row = findEntry(text); row >= 0) {
    selectRow(row, entries_[row]);
  } else if (message(addNewRecordMessage(), this) == 1 &&
             source_->add(text.toStdString()) == Status::Ok) {
    lineEdit()->setText(text);
    reload();
  } else {
    selectRow(-1, QString());
    lineEdit()->setFocus(Qt::OtherFocusReason);
    kept = false;
  }
  accepting_ = false;
  emit valueAccepted(lineEdit()->text());
  return kept;
}

void PickList::keyPressEvent(QKeyEvent* ke) {
  QLineEdit* e = lineEdit();
  if (ke->key() == Qt::Key_Backspace && ke->modifiers() == Qt::NoModifier && e->hasSelectedText() &&
      e->selectionStart() + e->selectedText().size() == e->text().size() &&
      e->selectionStart() > 0) {
    // The completed remainder goes, and the last character typed.
    const QString t = e->text().left(e->selectionStart() - 1);
    e->setText(t);
    edited_ = true;
    noCompletion_ = true;
    emit e->textEdited(t);
    noCompletion_ = false;
    return;
  }
  // Deleting never completes again what was just removed.
  noCompletion_ = ke->key() == Qt::Key_Backspace || ke->key() == Qt::Key_Delete;
  if ((ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) && edited_ &&
      !view()->isVisible()) {
    acceptText();
    return;
  }
  QComboBox::keyPressEvent(ke);
}

void PickList::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  const auto reason = event->reason();
  if (edited_ && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
    acceptText();
}

}  // namespace vm
