#include "platform/browse/BrowseWindow.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QVBoxLayout>

#include "store/Globals.h"

namespace vm {

QIcon printerIcon() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 3, 14, 10));  // paper going in
  p.setBrush(QColor(150, 150, 160));
  p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);  // body
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8, 20, 16, 9));  // paper coming out
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
  p.drawLine(QPointF(11, 26), QPointF(18, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 180, 60));
  p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
  return QIcon(pm);
}

BrowseWindow::BrowseWindow(std::string procedure, QWidget* parent)
    : Window(std::move(procedure), parent), list_(new BrowseList(this)) {
  list_->setObjectName("browseList");
  list_->setStatusTip("Browsing Records");
  connect(list_, &BrowseList::insertRequested, this, [this] { request(Request::Insert); });
  connect(list_, &BrowseList::changeRequested, this, [this] { request(Request::Change); });
  connect(list_, &BrowseList::deleteRequested, this, [this] { request(Request::Delete); });
}

void BrowseWindow::bindUpdateButtons(QAbstractButton* insert, QAbstractButton* change,
                                     QAbstractButton* remove, QAbstractButton* view) {
  list_->bindButtons(insert, change, remove, view);
  if (view) connect(view, &QAbstractButton::clicked, this, [this] { request(Request::View); });
}

void BrowseWindow::request(Request r, std::function<void(int)> after) {
  if (busy_) return;
  if (r != Request::Insert && list_->isEmpty()) return;
  UpdateForm* form = makeForm(r);
  if (!form) return;
  busy_ = true;
  QPointer<BrowseWindow> self(this);
  form->run(this, [self, r, after](int answer, std::optional<FieldValue> written) {
    if (!self) return;
    self->busy_ = false;
    if (answer == kRequestCompleted) {
      if (written && r != Request::Delete)
        self->list_->showRecord(*written);
      else
        self->list_->refresh();
    }
    self->onRequestDone(r, answer);
    if (after) after(answer);
    if (self->isVisible()) self->list_->setFocus(Qt::OtherFocusReason);
  });
}

void BrowseWindow::setTabs(QTabWidget* tabs, std::vector<View> views) {
  tabViews_ = std::move(views);
  auto moveList = [this, tabs](int index) {
    QWidget* page = tabs->widget(index);
    if (!page) return;
    auto* layout = qobject_cast<QVBoxLayout*>(page->layout());
    if (!layout) {
      layout = new QVBoxLayout(page);
      layout->setContentsMargins(units().toPixelsX(4), units().toPixelsY(4), units().toPixelsX(4),
                                 units().toPixelsY(4));
    }
    layout->addWidget(list_);
    list_->show();
  };
  moveList(tabs->currentIndex());
  connect(tabs, &QTabWidget::currentChanged, this, [this, moveList](int index) {
    if (index < 0) return;
    moveList(index);
    if (static_cast<std::size_t>(index) < tabViews_.size())
      list_->setView(tabViews_[static_cast<std::size_t>(index)]);
    onTabChanged(index);
    list_->setFocus(Qt::TabFocusReason);
  });
}

void BrowseWindow::keepListLayout() {
  keepLayout_ = true;
  list_->restoreLayout(procedure());
}

void BrowseWindow::onClosing() {
  if (keepLayout_) list_->saveLayout(procedure());
  globals().browseOpen = 0;
}

}  // namespace vm
