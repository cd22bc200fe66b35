#include "platform/browse/UpdateForm.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

#include "base/Picture.h"
#include "platform/MessageBox.h"
#include "platform/browse/FieldText.h"
#include "platform/browse/StoreMessageBoxes.h"

namespace vm {

namespace {
std::map<std::string, std::vector<FieldValue>>& histories() {
  static std::map<std::string, std::vector<FieldValue>> h;
  return h;
}
}  // namespace

UpdateForm::UpdateForm(std::string procedure, Request request, QWidget* parent)
    : Window(std::move(procedure), parent), request_(request) {
  installStoreMessageBoxes();
}

UpdateForm::~UpdateForm() = default;

const std::vector<FieldValue>* UpdateForm::history(const std::string& procedure) {
  auto it = histories().find(procedure);
  return it == histories().end() ? nullptr : &it->second;
}

void UpdateForm::setTitles(std::string insert, std::string change, std::string view) {
  titles_[0] = std::move(insert);
  titles_[1] = std::move(change);
  titles_[2] = view.empty() ? titles_[1] : std::move(view);
}

void UpdateForm::bind(QWidget* control, int field, std::string picture) {
  if (auto* e = qobject_cast<QLineEdit*>(control)) {
    const Picture p = Picture::parse(picture);
    if (p.kind == Picture::Kind::Text && p.width > 0) e->setMaxLength(p.width);
  }
  bindings_.push_back({control, field, std::move(picture)});
  watch(control);
}

void UpdateForm::setButtons(QAbstractButton* ok, QAbstractButton* cancel) {
  ok_ = ok;
  cancel_ = cancel;
  if (ok_) onAccepted(ok_, [this] { save(false); });
  if (cancel_) connect(cancel_, &QAbstractButton::clicked, this, [this] { finish(); });
}

QWidget* UpdateForm::controlOf(int field) const {
  for (const Binding& b : bindings_)
    if (b.field == field && b.control) return b.control;
  return nullptr;
}

QWidget* UpdateForm::firstField() const {
  for (const Binding& b : bindings_)
    if (b.control && qobject_cast<QLineEdit*>(b.control.data()) && b.control->isEnabled())
      return b.control;
  return nullptr;
}

FieldValue UpdateForm::recordNumber() {
  const TableDef& d = definition();
  auto v = getField(d, recordData(), d.keys[static_cast<std::size_t>(d.recordKey)].field);
  return v ? *v : FieldValue{std::int64_t{0}};
}

std::vector<FieldValue> UpdateForm::snapshot() {
  const TableDef& d = definition();
  std::vector<FieldValue> out;
  out.reserve(d.fields.size());
  for (std::size_t i = 0; i < d.fields.size(); ++i)
    out.push_back(d.get(recordData(), static_cast<int>(i)));
  return out;
}

void UpdateForm::loadControl(QWidget* control, const FieldValue& value,
                             const std::string& picture) {
  const QString text = QString::fromStdString(formatField(value, picture));
  if (auto* e = qobject_cast<QLineEdit*>(control))
    e->setText(text);
  else if (auto* l = qobject_cast<QLabel*>(control))
    l->setText(text);
}

void UpdateForm::loadControls() {
  const TableDef& d = definition();
  for (const Binding& b : bindings_) {
    if (!b.control) continue;
    if (auto v = getField(d, recordData(), b.field)) loadControl(b.control, *v, b.picture);
  }
}

void UpdateForm::saveControls() {
  const TableDef& d = definition();
  for (const Binding& b : bindings_) {
    auto* e = qobject_cast<QLineEdit*>(b.control.data());
    if (!e || e->isReadOnly()) continue;
    const FieldDef* f = fieldByNumber(d.fields, b.field);
    if (!f) continue;
    if (auto v = parseField(e->text().toStdString(), b.picture, *f))
      setField(d, recordData(), b.field, *v);
  }
}

void UpdateForm::setBaseline() {
  baseline_ = snapshot();
}

bool UpdateForm::isChanged() {
  saveControls();
  return snapshot() != baseline_;
}

void UpdateForm::run(QWidget* caller, Done done) {
  done_ = std::move(done);
  auto answer = [this](int a) {
    if (done_) {
      Done d = std::move(done_);
      done_ = nullptr;
      d(a == kRequestCompleted ? kRequestCompleted : kRequestCancelled, written_);
    }
  };
  auto endWithout = [this, answer](int a) {
    answer(a);
    deleteLater();
  };
  if (openTable() != Status::Ok) return endWithout(kRequestCancelled);
  switch (request_) {
    case Request::Delete: {
      if (message(confirmDeleteMessage(), caller) != 1) return endWithout(kRequestCancelled);
      const Status s = removeRecord();
      // A record already gone is no longer in the list either way.
      return endWithout(s == Status::Ok || s == Status::NotFound ? kRequestCompleted
                                                                 : kRequestCancelled);
    }
    case Request::Insert:
      setDefaults();
      if (primeRecord() != Status::Ok) return endWithout(kRequestCancelled);
      reserved_ = true;
      break;
    case Request::Change:
    case Request::View:
      if (refetch() != Status::Ok) return endWithout(kRequestCancelled);
      break;
  }
  showRequest();
  openWindow(this, caller, answer);
}

void UpdateForm::showRequest() {
  const int t = request_ == Request::Insert ? 0 : request_ == Request::Change ? 1 : 2;
  if (!titles_[t].empty()) setWindowTitle(QString::fromStdString(titles_[t]));
  if (request_ == Request::View)
    for (const Binding& b : bindings_)
      if (auto* e = qobject_cast<QLineEdit*>(b.control.data())) e->setReadOnly(true);
  loadControls();
  setBaseline();
}

void UpdateForm::onOpened() {
  if (QWidget* f = firstField()) f->setFocus(Qt::OtherFocusReason);
}

bool UpdateForm::pressOk() {
  return save(false) == Saved::Closed;
}

UpdateForm::Saved UpdateForm::save(bool closing) {
  if (request_ == Request::View) {
    setAnswer(kRequestCancelled);
    closingDone_ = true;
    if (!closing) finish();
    return Saved::Closed;
  }
  saveControls();
  if (!checkWindow()) return Saved::Refused;
  const CheckResult check = checkRecord(definition(), recordData(), true);
  if (!check.accepted) {
    if (QWidget* w = controlOf(check.field)) select(w);
    return Saved::Refused;
  }
  const Status s = writeRecord();
  if (s != Status::Ok) {
    // The store has said why (duplicate key, write error); the user's text
    // stays as typed.
    if (s == Status::NotFound)
      message(recordInsertMessage(definition().name, "The record is no longer in the file"), this);
    if (QWidget* f = firstField()) select(f);
    return Saved::Refused;
  }
  reserved_ = false;
  written_ = recordNumber();
  histories()[procedure()] = snapshot();
  onWritten();
  if (request_ == Request::Insert && askRecordAdded_ && message(recordAddedMessage(), this) == 1) {
    resetRecord();
    setDefaults();
    if (primeRecord() == Status::Ok) {
      reserved_ = true;
      loadControls();
      setBaseline();
      if (QWidget* f = firstField()) select(f);
      return Saved::KeptOpen;
    }
  }
  setAnswer(kRequestCompleted);
  closingDone_ = true;
  if (!closing) finish();
  return Saved::Closed;
}

void UpdateForm::closeInsert() {
  if (reserved_) cancelReserved();
  reserved_ = false;
}

bool UpdateForm::canClose() {
  if (closingDone_) return true;
  if (request_ != Request::View && isChanged()) {
    const int a = message(saveRecordMessage(), this);
    if (a == 1) return save(true) == Saved::Closed;
    if (a != 2) {
      if (QWidget* f = firstField()) f->setFocus(Qt::OtherFocusReason);
      return false;
    }
  }
  closeInsert();
  setAnswer(written_ ? kRequestCompleted : kRequestCancelled);
  closingDone_ = true;
  return true;
}

void UpdateForm::onHistoryKey(QWidget* field) {
  const auto* h = history(procedure());
  if (!h) return;
  for (const Binding& b : bindings_) {
    if (b.control != field) continue;
    auto* e = qobject_cast<QLineEdit*>(field);
    if (!e || e->isReadOnly()) return;
    const std::size_t i = static_cast<std::size_t>(b.field - 1);
    if (i < h->size()) loadControl(field, (*h)[i], b.picture);
    return;
  }
}

}  // namespace vm
