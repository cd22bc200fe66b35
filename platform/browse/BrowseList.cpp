#include "platform/browse/BrowseList.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "base/Picture.h"
#include "platform/DialogUnits.h"
#include "platform/MessageBox.h"
#include "platform/browse/FieldText.h"
#include "platform/browse/StoreMessageBoxes.h"
#include "store/WindowStore.h"

namespace vm {

namespace {

Qt::Alignment alignmentOf(char a) {
  switch (a) {
    case 'R':
    case 'D':
      return Qt::AlignRight | Qt::AlignVCenter;
    case 'C':
      return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// Draws the cell's text inside its indent; "D" columns line the decimal
// points up at the indent's distance from the right edge.
class IndentDelegate : public QStyledItemDelegate {
 public:
  IndentDelegate(const std::vector<ListColumn>* columns, QObject* parent)
      : QStyledItemDelegate(parent), columns_(columns) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);

    const ListColumn* c = index.column() < static_cast<int>(columns_->size())
                              ? &(*columns_)[static_cast<std::size_t>(index.column())]
                              : nullptr;
    const DialogUnits u = w ? DialogUnits::of(w) : DialogUnits(opt.font);
    const int indent = c && c->indent ? u.toPixelsX(*c->indent) : 0;
    QRect r = opt.rect.adjusted(1, 0, -1, 0);
    const char align = c ? c->align : 'L';
    if (align == 'L')
      r.adjust(indent, 0, 0, 0);
    else if (align == 'R')
      r.adjust(0, 0, -indent, 0);
    else if (align == 'D') {
      const int point = text.lastIndexOf('.');
      const int tail = point >= 0 ? opt.fontMetrics.horizontalAdvance(text.mid(point)) : 0;
      r.adjust(0, 0, -std::max(0, indent - tail), 0);
    }
    const bool selected = opt.state & QStyle::State_Selected;
    QColor pen = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (!selected) {
      QVariant fg = index.data(Qt::ForegroundRole);
      if (fg.canConvert<QColor>()) pen = fg.value<QColor>();
    }
    painter->save();
    painter->setPen(pen);
    painter->setFont(opt.font);
    painter->drawText(r, static_cast<int>(alignmentOf(align)),
                      opt.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
    painter->restore();
  }

 private:
  const std::vector<ListColumn>* columns_;
};

// Navigation pictures: arrows up and down, doubled for a page, with a bar
// for the ends.
QIcon navigationIcon(int kind) {
  QPixmap pm(12, 12);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(40, 40, 40));
  p.setPen(Qt::NoPen);
  const bool up = kind < 3;
  auto triangle = [&](int top) {
    QPainterPath path;
    if (up) {
      path.moveTo(6, top);
      path.lineTo(11, top + 4);
      path.lineTo(1, top + 4);
    } else {
      path.moveTo(1, top);
      path.lineTo(11, top);
      path.lineTo(6, top + 4);
    }
    path.closeSubpath();
    p.drawPath(path);
  };
  switch (kind) {
    case 0:
      p.drawRect(1, 1, 10, 2);
      triangle(5);
      break;
    case 1:
      triangle(1);
      triangle(6);
      break;
    case 2:
      triangle(4);
      break;
    case 3:
      triangle(4);
      break;
    case 4:
      triangle(1);
      triangle(6);
      break;
    case 5:
      triangle(3);
      p.drawRect(1, 9, 10, 2);
      break;
  }
  return QIcon(pm);
}

}  // namespace

class BrowseModel : public QAbstractTableModel {
 public:
  explicit BrowseModel(BrowseList* list) : list_(list) {}
  void reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() || !list_->source_ ? 0 : list_->source_->size();
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(list_->columns_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const int col = index.column();
    switch (role) {
      case Qt::DisplayRole:
        return list_->cellText(index.row(), col);
      case Qt::TextAlignmentRole:
        return static_cast<int>(alignmentOf(list_->columns_[static_cast<std::size_t>(col)].align));
      case Qt::ForegroundRole:
      case Qt::BackgroundRole:
        if (list_->cellStyle_) {
          CellStyle s = list_->cellStyle_(index.row(), col);
          const auto& c = role == Qt::ForegroundRole ? s.text : s.background;
          if (c) return *c;
        }
        return {};
      default:
        return {};
    }
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || section < 0 || section >= static_cast<int>(list_->columns_.size()))
      return {};
    const ListColumn& c = list_->columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromStdString(c.heading);
    if (role == Qt::TextAlignmentRole)
      return static_cast<int>(alignmentOf(c.headingAlign.value_or(c.align)));
    return {};
  }

 private:
  BrowseList* list_;
};

BrowseList::BrowseList(QWidget* parent) : QWidget(parent) {
  installStoreMessageBoxes();
  model_ = std::make_unique<BrowseModel>(this);
  view_ = new QTableView(this);
  view_->setObjectName("browseTable");
  view_->setModel(model_.get());
  view_->setItemDelegate(new IndentDelegate(&columns_, view_));
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  view_->setShowGrid(false);
  view_->setWordWrap(false);
  view_->setTabKeyNavigation(false);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // Rows as close as the text allows, as list boxes have them.
  view_->verticalHeader()->setMinimumSectionSize(1);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
  view_->horizontalHeader()->setHighlightSections(false);
  view_->horizontalHeader()->setSectionsClickable(false);
  view_->viewport()->setCursor(Qt::PointingHandCursor);
  view_->installEventFilter(this);
  view_->viewport()->installEventFilter(this);
  setFocusProxy(view_);

  auto* navColumn = new QVBoxLayout;
  navColumn->setContentsMargins(0, 0, 0, 0);
  navColumn->setSpacing(0);
  static const char* const tips[] = {"First",       "Page back",    "One back",
                                     "One forward", "Page forward", "Last"};
  for (int i = 0; i < 6; ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString("navigate%1").arg(i));
    b->setIcon(navigationIcon(i));
    b->setIconSize(QSize(10, 10));
    b->setFixedSize(16, 16);
    b->setToolTip(tips[i]);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(i != 0 && i != 5);
    nav_.push_back(b);
    if (i == 3) navColumn->addStretch(1);
    navColumn->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, i] {
      switch (i) {
        case 0:
          first();
          break;
        case 1:
          pageBack();
          break;
        case 2:
          oneBack();
          break;
        case 3:
          oneForward();
          break;
        case 4:
          pageForward();
          break;
        case 5:
          last();
          break;
      }
    });
  }
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  row->addWidget(view_, 1);
  row->addLayout(navColumn);

  connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
    if (takenOver(ListAction::DoubleClick)) return;
    if (i.isValid() && !isEmpty()) emit changeRequested();
  });
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_ || !source_ || !current.isValid()) return;
            source_->select(current.row());
            emit moved();
          });
}

BrowseList::~BrowseList() {
  view_->setModel(nullptr);
}

void BrowseList::setSource(std::unique_ptr<PageSource> source) {
  source_ = std::move(source);
  model_->reset();
  updateButtons();
}

void BrowseList::setView(View view) {
  if (!source_) return;
  source_->setView(std::move(view));
  first();
}

bool BrowseList::setFormat(std::string_view designed, std::vector<int> fields) {
  auto parsed = parseListFormat(designed);
  if (!parsed || parsed->size() != fields.size()) return false;
  designed_ = std::string(designed);
  columns_ = std::move(*parsed);
  fields_ = std::move(fields);
  buildColumns();
  return true;
}

void BrowseList::buildColumns() {
  model_->reset();
  QHeaderView* h = view_->horizontalHeader();
  bool headings = false;
  const DialogUnits u = DialogUnits::of(this);
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const ListColumn& c = columns_[i];
    headings = headings || c.hasHeading;
    h->setSectionResizeMode(static_cast<int>(i),
                            c.resizable() ? QHeaderView::Interactive : QHeaderView::Fixed);
    h->resizeSection(static_cast<int>(i), u.toPixelsX(c.width));
  }
  // A last column the user cannot size fills the list, so the highlight
  // runs across the whole row; its designed width is what is written back.
  h->setStretchLastSection(!columns_.empty() && !columns_.back().resizable());
  h->setVisible(headings);
}

std::string BrowseList::currentFormat() const {
  std::vector<ListColumn> now = columns_;
  const DialogUnits u = DialogUnits::of(this);
  const bool stretched = view_->horizontalHeader()->stretchLastSection();
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (stretched && i + 1 == now.size()) break;
    const int px = view_->horizontalHeader()->sectionSize(static_cast<int>(i));
    // A width the user did not touch keeps its designed number, so it does
    // not drift through the conversion.
    if (u.toPixelsX(now[i].width) != px) now[i].width = u.toUnitsX(px);
  }
  return listFormatText(now);
}

bool BrowseList::applyFormat(std::string_view saved) {
  auto parsed = parseListFormat(saved);
  if (!parsed || !sameColumns(columns_, *parsed)) return false;
  columns_ = std::move(*parsed);
  buildColumns();
  return true;
}

void BrowseList::restoreLayout(std::string_view procedure) {
  if (designed_.empty()) return;
  const std::string layout = fetchListFormat(procedure, designed_);
  if (layout != designed_) applyFormat(layout);
}

void BrowseList::saveLayout(std::string_view procedure) const {
  if (designed_.empty()) return;
  updateListFormat(procedure, currentFormat());
}

void BrowseList::setCellText(CellText f) {
  cellText_ = std::move(f);
  model_->reset();
  syncSelection();
}

void BrowseList::setCellStyle(CellStyler f) {
  cellStyle_ = std::move(f);
  model_->reset();
  syncSelection();
}

QString BrowseList::cellText(int row, int column) const {
  if (!source_ || row < 0 || row >= source_->size() || column < 0 ||
      column >= static_cast<int>(columns_.size()))
    return {};
  if (cellText_)
    if (auto t = cellText_(row, column)) return QString::fromStdString(*t);
  const int field = fields_[static_cast<std::size_t>(column)];
  if (field <= 0) return {};
  return QString::fromStdString(
      formatField(source_->field(row, field), columns_[static_cast<std::size_t>(column)].picture));
}

int BrowseList::fittingRows() const {
  const int rowHeight = std::max(1, view_->verticalHeader()->defaultSectionSize());
  const int height = view_->viewport()->height();
  return std::max(1, height / rowHeight);
}

Status BrowseList::apply(Status s) {
  if (s != Status::Ok && s != Status::NotFound && source_)
    message(fileAccessMessage(source_->definition().name, source_->errorText(), false), this);
  model_->reset();
  syncSelection();
  updateButtons();
  emit moved();
  return s;
}

void BrowseList::syncSelection() {
  if (!source_) return;
  syncing_ = true;
  const int sel = source_->selected();
  if (sel >= 0) {
    const QModelIndex i = model_->index(sel, 0);
    view_->selectionModel()->setCurrentIndex(
        i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    view_->selectionModel()->clear();
  }
  syncing_ = false;
}

void BrowseList::updateButtons() {
  const bool any = !isEmpty();
  if (change_) change_->setEnabled(any);
  if (remove_) remove_->setEnabled(any);
  if (viewButton_) viewButton_->setEnabled(any);
}

#define VM_MOVE(call)                   \
  if (!source_) return Status::NotOpen; \
  return apply(source_->call)

Status BrowseList::first() {
  VM_MOVE(first(pageSize_));
}
Status BrowseList::last() {
  VM_MOVE(last(pageSize_));
}
Status BrowseList::pageForward() {
  VM_MOVE(pageForward(pageSize_));
}
Status BrowseList::pageBack() {
  VM_MOVE(pageBack(pageSize_));
}
Status BrowseList::oneForward() {
  VM_MOVE(oneForward(pageSize_));
}
Status BrowseList::oneBack() {
  VM_MOVE(oneBack(pageSize_));
}
Status BrowseList::locate(const FieldValue& value) {
  VM_MOVE(locate(value, pageSize_));
}
Status BrowseList::refresh() {
  VM_MOVE(refresh(pageSize_));
}
Status BrowseList::showRecord(const FieldValue& recordNumber) {
  const int at = std::max(0, selectedRow());
  VM_MOVE(showRecord(recordNumber, at, pageSize_));
}
#undef VM_MOVE

Status BrowseList::locateText(const QString& typed) {
  if (!source_ || typed.isEmpty()) return Status::Ok;
  std::optional<FieldValue> value;
  if (locator_) {
    value = locator_(typed);
  } else {
    const TableDef& d = source_->definition();
    const KeyDef& key = d.keys[static_cast<std::size_t>(source_->view().key)];
    const FieldDef* f = fieldByNumber(d.fields, key.field);
    if (f && (f->type == FieldType::String || f->type == FieldType::Memo))
      value = FieldValue{typed.toStdString()};
    else if (typed.size() == 1 && typed[0].isDigit())
      value = FieldValue{std::int64_t{typed[0].digitValue()}};
  }
  if (!value) return Status::Ok;
  return locate(*value);
}

void BrowseList::selectRow(int row) {
  if (!source_) return;
  source_->select(row);
  syncSelection();
  emit moved();
}

int BrowseList::rowCount() const {
  return source_ ? source_->size() : 0;
}
int BrowseList::selectedRow() const {
  return source_ ? source_->selected() : -1;
}

void BrowseList::bindButtons(QAbstractButton* insert, QAbstractButton* change,
                             QAbstractButton* remove, QAbstractButton* view) {
  insert_ = insert;
  change_ = change;
  remove_ = remove;
  viewButton_ = view;
  if (insert_) connect(insert_, &QAbstractButton::clicked, this, &BrowseList::insertRequested);
  if (change_)
    connect(change_, &QAbstractButton::clicked, this, [this] {
      if (!isEmpty()) emit changeRequested();
    });
  if (remove_)
    connect(remove_, &QAbstractButton::clicked, this, [this] {
      if (!isEmpty()) emit deleteRequested();
    });
  updateButtons();
}

QToolButton* BrowseList::navigationButton(int i) const {
  return i >= 0 && i < static_cast<int>(nav_.size()) ? nav_[static_cast<std::size_t>(i)] : nullptr;
}

bool BrowseList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(event);
    const auto mods = ke->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (ke->key()) {
      case Qt::Key_Up:
        oneBack();
        return true;
      case Qt::Key_Down:
        oneForward();
        return true;
      case Qt::Key_PageUp:
        ctrl ? first() : pageBack();
        return true;
      case Qt::Key_PageDown:
        ctrl ? last() : pageForward();
        return true;
      case Qt::Key_Home:
        first();
        return true;
      case Qt::Key_End:
        last();
        return true;
      case Qt::Key_Insert:
        if (takenOver(ListAction::InsertKey)) return true;
        if (!insert_ || insert_->isEnabled()) emit insertRequested();
        return true;
      case Qt::Key_Delete:
        if (takenOver(ListAction::DeleteKey)) return true;
        if (!isEmpty() && (!remove_ || remove_->isEnabled())) emit deleteRequested();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (mods & Qt::ShiftModifier) {
          takenOver(ListAction::ShiftEnter);
          return true;
        }
        if (ctrl) {
          if (takenOver(ListAction::CtrlEnter)) return true;
          if (!isEmpty() && (!change_ || change_->isEnabled())) emit changeRequested();
          return true;
        }
        break;
      default:
        break;
    }
    const QString text = ke->text();
    if (!ctrl && !(mods & Qt::AltModifier) && text.size() == 1 && text[0].isPrint() &&
        !text[0].isSpace()) {
      locateText(text);
      return true;
    }
  }
  if (watched == view_->viewport() && event->type() == QEvent::Resize) {
    // The page is as many rows as the list shows.
    QMetaObject::invokeMethod(this, &BrowseList::fitPage, Qt::QueuedConnection);
  }
  if (watched == view_->viewport() && event->type() == QEvent::Wheel) {
    auto* we = static_cast<QWheelEvent*>(event);
    const int steps = we->angleDelta().y() / 120;
    for (int i = 0; i < std::abs(steps) * 3; ++i) steps > 0 ? oneBack() : oneForward();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void BrowseList::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
}

void BrowseList::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  fitPage();
}

void BrowseList::fitPage() {
  const int n = fittingRows();
  if (n == pageSize_) return;
  pageSize_ = n;
  if (source_ && !isEmpty()) apply(source_->resize(pageSize_));
}

}  // namespace vm
