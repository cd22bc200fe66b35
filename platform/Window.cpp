#include "platform/Window.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QShortcutEvent>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <QPushButton>
#include <algorithm>
#include <map>

#include "platform/HelpService.h"
#include "platform/ProgramEvents.h"
#include "platform/Resources.h"
#include "store/WindowStore.h"

namespace vm {

namespace {
std::vector<Window*>& registry() {
  static std::vector<Window*> r;
  return r;
}
QPointer<QMdiArea>& theMdiArea() {
  static QPointer<QMdiArea> a;
  return a;
}

// Opened windows can be stacked (a form opened from a browse opened from a
// prompt); a caller is released when its last callee closes.
void blockCaller(QWidget* caller, bool block) {
  if (!caller) return;
  if (auto* b = dynamic_cast<BlockableCaller*>(caller)) {
    b->setCalleeOpen(block);
    return;
  }
  QWidget* target = caller;
  if (auto* w = qobject_cast<Window*>(caller)) target = w->host();
  const int before = target->property("vmCallees").toInt();
  const int count = std::max(0, before + (block ? 1 : -1));
  target->setProperty("vmCallees", count);
  if (!target->isWindow()) {
    // An MDI child: its frame is disabled, the callee lives beside it.
    target->setEnabled(count == 0);
    return;
  }
  // A top-level caller owns its callee, and disabling a widget disables
  // every window it owns; so only the caller's own controls are disabled,
  // and only those that were enabled come back.
  static std::map<QWidget*, std::vector<QPointer<QWidget>>> disabled;
  if (before == 0 && count > 0) {
    auto& list = disabled[target];
    for (QObject* o : target->children()) {
      auto* child = qobject_cast<QWidget*>(o);
      if (!child || child->isWindow() || !child->isEnabled()) continue;
      child->setEnabled(false);
      list.push_back(child);
    }
    QObject::connect(target, &QObject::destroyed, [target] { disabled.erase(target); });
  } else if (before > 0 && count == 0) {
    auto it = disabled.find(target);
    if (it == disabled.end()) return;
    for (const auto& child : it->second)
      if (child) child->setEnabled(true);
    disabled.erase(it);
  }
}

bool isBlockedCaller(const QWidget* w) {
  return w && w->property("vmCallees").toInt() > 0;
}
}  // namespace

bool isHistoryKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey) {
  if (!(modifiers & Qt::ControlModifier)) return false;
  if (nativeVirtualKey == 0xDE) return true;  // VK_OEM_7 where the platform reports it
  return qtKey == Qt::Key_Apostrophe;
}

Window::Window(std::string procedure, QWidget* parent)
    : QWidget(parent), procedure_(std::move(procedure)) {
  initResources();
  installProgramEvents();
  setWindowIcon(programIcon());
  registry().push_back(this);
  for (auto key : {Qt::Key_F1, Qt::Key_F12}) {
    auto* sc = new QShortcut(QKeySequence(key), this);
    sc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(sc, &QShortcut::activated, this, &Window::showHelpTopic);
  }
}

Window::~Window() {
  // The controls outlive this part of the window by a moment (QWidget
  // deletes them later) and would still report their last focus change.
  for (const auto& c : watched_) {
    if (!c) continue;
    c->removeEventFilter(this);
    disconnect(c, nullptr, this, nullptr);
    for (auto* child : c->findChildren<QLineEdit*>()) {
      child->removeEventFilter(this);
      disconnect(child, nullptr, this, nullptr);
    }
  }
  auto& r = registry();
  r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

QRect Window::duRect(int x, int y, int w, int h) const {
  return units().toPixels(QRect(x, y, w, h));
}

void Window::place(QWidget* control, int x, int y, int w, int h) {
  placeAt(control, units(), x, y, w, h);
}

void Window::setDesignSize(int w, int h) {
  designSize_ = QSize(w, h);
}
void Window::setDesignPosition(int x, int y) {
  designPos_ = QPoint(x, y);
}

void Window::setHelp(std::string keyword, std::string topic, std::string notFoundTitle,
                     std::string notFoundText) {
  helpKeyword_ = std::move(keyword);
  helpTopic_ = std::move(topic);
  notFoundTitle_ = std::move(notFoundTitle);
  notFoundText_ = std::move(notFoundText);
}

QToolButton* Window::addHelpButton(int x, int y, int w, int h) {
  auto* b = new QToolButton(this);
  b->setObjectName("helpButton");
  b->setIcon(resourceIcon("help.svg"));
  b->setToolTip("Help about this window.");
  b->setFocusPolicy(Qt::TabFocus);
  place(b, x, y, w, h);
  b->setIconSize(b->size() - QSize(4, 4));
  connect(b, &QToolButton::clicked, this, &Window::showHelpKeyword);
  return b;
}

void Window::showHelpKeyword() {
  helpService().showKeyword(this, helpKeyword_, notFoundTitle_, notFoundText_);
}

void Window::showHelpTopic() {
  helpService().showTopic(this, helpTopic_);
}

void Window::watch(QWidget* control) {
  if (!control || std::find(watched_.begin(), watched_.end(), control) != watched_.end()) return;
  watched_.push_back(control);
  control->installEventFilter(this);
  for (auto* child : control->findChildren<QLineEdit*>()) child->installEventFilter(this);

  auto change = [this, control] { dispatch(control, FieldEvent::Change); };
  auto accept = [this, control] { dispatch(control, FieldEvent::Accept); };
  if (auto* e = qobject_cast<QLineEdit*>(control)) {
    connect(e, &QLineEdit::textEdited, this, change);
    connect(e, &QLineEdit::editingFinished, this, accept);
  } else if (auto* c = qobject_cast<QComboBox*>(control)) {
    connect(c, &QComboBox::activated, this, [this, control] {
      if (dispatch(control, FieldEvent::Change)) dispatch(control, FieldEvent::Accept);
    });
    if (QLineEdit* le = c->lineEdit()) {
      connect(le, &QLineEdit::textEdited, this, change);
      connect(le, &QLineEdit::editingFinished, this, accept);
    }
  } else if (auto* s = qobject_cast<QAbstractSpinBox*>(control)) {
    // Spin arrows and keystrokes; values the window sets itself arrive
    // while the control does not have the focus and are not user changes.
    auto userChange = [this, control] {
      if (control->hasFocus()) dispatch(control, FieldEvent::Change);
    };
    if (auto* i = qobject_cast<QSpinBox*>(s))
      connect(i, &QSpinBox::valueChanged, this, userChange);
    else if (auto* d = qobject_cast<QDoubleSpinBox*>(s))
      connect(d, &QDoubleSpinBox::valueChanged, this, userChange);
    connect(s, &QAbstractSpinBox::editingFinished, this, accept);
  } else if (auto* b = qobject_cast<QAbstractButton*>(control)) {
    connect(b, &QAbstractButton::clicked, this, accept);
  } else if (auto* t = qobject_cast<QTextEdit*>(control)) {
    connect(t, &QTextEdit::textChanged, this, [this, control] {
      if (control->hasFocus()) dispatch(control, FieldEvent::Change);
    });
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(control)) {
    connect(p, &QPlainTextEdit::textChanged, this, [this, control] {
      if (control->hasFocus()) dispatch(control, FieldEvent::Change);
    });
  }
}

void Window::onAccepted(QWidget* control, std::function<void()> action) {
  acceptActions_[control] = std::move(action);
  watch(control);
}

void Window::select(QWidget* control) {
  cancelled_ = true;
  if (control) control->setFocus(Qt::OtherFocusReason);
}

bool Window::dispatch(QWidget* control, FieldEvent event) {
  // A focus check that moved the focus away from a button also stops the
  // click that brought the focus there.
  if (event == FieldEvent::Accept && focusCancelledOn_ == control && focusWidget() != control) {
    focusCancelledOn_ = nullptr;
    return false;
  }
  const bool outerCancelled = cancelled_;
  cancelled_ = false;
  ++dispatchDepth_;
  QWidget* before = focusWidget();
  onField(control, event);
  const bool cancelled = cancelled_ || focusWidget() != before;
  --dispatchDepth_;
  cancelled_ = outerCancelled;
  if (event == FieldEvent::Focus) focusCancelledOn_ = cancelled ? control : nullptr;
  if (!cancelled && event == FieldEvent::Accept) {
    auto it = acceptActions_.find(control);
    if (it != acceptActions_.end() && it->second) it->second();
  }
  return !cancelled;
}

void Window::onField(QWidget*, FieldEvent) {}
void Window::onHistoryKey(QWidget*) {}

QWidget* Window::watchedControl(QObject* o) const {
  for (const auto& w : watched_) {
    if (!w) continue;
    if (w == o) return w;
    if (o->isWidgetType() && w->isAncestorOf(static_cast<QWidget*>(o))) return w;
  }
  return nullptr;
}

bool Window::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    // A button's access key presses it as a click would: the focus goes to
    // the button first, so the field being left is confirmed and the
    // button's focus check runs; a check that sends the focus elsewhere
    // stops the press.
    auto* b = qobject_cast<QAbstractButton*>(watched);
    if (b && watchedControl(b) == b && !static_cast<QShortcutEvent*>(event)->isAmbiguous() &&
        !b->hasFocus() && b->focusPolicy() != Qt::NoFocus) {
      b->setFocus(Qt::ShortcutFocusReason);
      if (!b->hasFocus()) return true;
    }
  }
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress ||
      event->type() == QEvent::FocusOut) {
    if (QWidget* control = watchedControl(watched)) {
      auto* fe = static_cast<QFocusEvent*>(event);
      if (event->type() == QEvent::FocusIn) {
        // A spin or combination box and its inner line edit both see the
        // focus arrive; the control gets one focus event.
        if (!control->property("vmHasFocus").toBool()) {
          control->setProperty("vmHasFocus", true);
          dispatch(control, FieldEvent::Focus);
        }
      } else if (event->type() == QEvent::FocusOut) {
        QWidget* now = QApplication::focusWidget();
        const bool stillInside = now && (now == control || control->isAncestorOf(now));
        // Switching to another window and back is not a new visit.
        if (!stillInside && fe->reason() != Qt::ActiveWindowFocusReason) {
          control->setProperty("vmHasFocus", false);
          // A text area confirms its text when it is left.
          if (qobject_cast<QTextEdit*>(control) || qobject_cast<QPlainTextEdit*>(control))
            dispatch(control, FieldEvent::Accept);
        }
      } else {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (isHistoryKey(ke->key(), ke->modifiers(), ke->nativeVirtualKey())) {
          onHistoryKey(control);
          return true;
        }
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Window::keyPressEvent(QKeyEvent* event) {
  // What a dialog does with the keys its controls leave alone: Enter
  // presses the default button, as if it were clicked (so a check on the
  // button receiving the focus runs first), Escape closes an opened window
  // as its close box would.
  const auto mods = event->modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::NoModifier) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      QPushButton* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
      if (!button || !isAncestorOf(button)) {
        button = nullptr;
        for (auto* b : findChildren<QPushButton*>())
          if (b->isDefault() && b->isVisible() && b->isEnabled() && b->window() == window()) {
            button = b;
            break;
          }
      }
      if (button && button->isEnabled()) {
        if (QApplication::focusWidget() != button) button->setFocus(Qt::TabFocusReason);
        if (QApplication::focusWidget() == button) button->click();
        return;
      }
    } else if (event->key() == Qt::Key_Escape && !subWindow() && isWindow()) {
      close();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

QMdiSubWindow* Window::subWindow() const {
  return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QWidget* Window::host() const {
  if (auto* s = subWindow()) return s;
  return const_cast<Window*>(this);
}

void Window::preparePlacement() {
  if (placementPrepared_) return;
  placementPrepared_ = true;
  const DialogUnits u = units();
  if (designSize_.isValid()) {
    resize(u.toPixels(designSize_));
    if (!resizable_) setFixedSize(size());
  }
  QWidget* h = host();
  QPoint origin;
  if (auto* s = subWindow()) {
    s->adjustSize();
    if (!resizable_) s->setFixedSize(s->size());
    if (designPos_) s->move(u.toPixels(*designPos_));
  } else if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
    origin = owner->pos();
    if (designPos_)
      move(origin + u.toPixels(*designPos_));
    else
      move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
  } else if (designPos_) {
    move(u.toPixels(*designPos_));
  }
  restorePlacement(h, procedure_, u, resizable_, origin);
}

void Window::savePlacement() {
  QPoint origin;
  if (!subWindow())
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) origin = owner->pos();
  vm::savePlacement(host(), procedure_, units(), resizable_, origin);
}

void Window::finish() {
  if (auto* s = subWindow())
    s->close();
  else
    close();
}

void Window::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!openedSignalled_) {
    openedSignalled_ = true;
    QTimer::singleShot(0, this, [this] {
      if (!closed_) onOpened();
    });
  }
}

void Window::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  // A window waiting for a window it opened stays until that one closes:
  // closing it would take the open one, and what the user typed there, with
  // it.  (Exit closes the newest windows first, so it is never held up.)
  if (isBlockedCaller(host())) {
    event->ignore();
    return;
  }
  if (!canClose()) {
    event->ignore();
    return;
  }
  closed_ = true;
  if (placementPrepared_) savePlacement();
  onClosing();
  event->accept();
  emit closed(answer_);
  if (auto* s = subWindow()) QMetaObject::invokeMethod(s, "close", Qt::QueuedConnection);
}

// --- Hosting.

void setMdiArea(QMdiArea* area) {
  theMdiArea() = area;
}
QMdiArea* mdiArea() {
  return theMdiArea();
}

void startWindow(Window* window) {
  if (QMdiArea* area = mdiArea()) {
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(window->windowIcon());
    if (!window->isResizable())
      sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Placed in the same turn of the event loop as it is shown, so it is
    // never drawn anywhere else first.
    sub->show();
    window->preparePlacement();
    area->setActiveSubWindow(sub);
  } else {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->preparePlacement();
    window->show();
  }
}

void openWindow(Window* window, QWidget* caller, std::function<void(int)> done) {
  QWidget* owner = caller ? caller->window() : (mdiArea() ? mdiArea()->window() : nullptr);
  window->setParent(owner, Qt::Dialog);
  window->setAttribute(Qt::WA_DeleteOnClose);
  blockCaller(caller, true);
  QPointer<QWidget> c(caller);
  QObject::connect(window, &Window::closed, window, [c, done](int answer) {
    if (c) blockCaller(c, false);
    if (done) done(answer);
  });
  window->preparePlacement();
  window->show();
  window->raise();
  window->activateWindow();
}

Window* findWindow(std::string_view procedure) {
  for (Window* w : registry())
    if (!w->isClosing() && w->procedure() == procedure) return w;
  return nullptr;
}

bool bringToFront(std::string_view procedure) {
  Window* w = findWindow(procedure);
  if (!w) return false;
  QWidget* h = w->host();
  if (h->isMinimized()) h->showNormal();
  h->raise();
  if (auto* s = w->subWindow()) {
    if (s->mdiArea()) s->mdiArea()->setActiveSubWindow(s);
  } else {
    w->activateWindow();
  }
  return true;
}

std::vector<Window*> openWindows() {
  std::vector<Window*> out;
  for (Window* w : registry())
    if (!w->isClosing()) out.push_back(w);
  return out;
}

void closeAllWindows() {
  // Newest first, so an opened window closes before the caller it blocks.
  auto open = openWindows();
  for (auto it = open.rbegin(); it != open.rend(); ++it) {
    QPointer<Window> w(*it);
    if (w && !w->isClosing()) w->finish();
  }
}

// --- Placement.

bool restorePlacement(QWidget* target, std::string_view procedure, const DialogUnits& units,
                      bool resizable, QPoint origin) {
  auto saved = fetchWindow(procedure);
  if (!saved) return false;
  if (saved->x && saved->y) target->move(origin + units.toPixels(QPoint(*saved->x, *saved->y)));
  if (resizable && saved->width && saved->height)
    target->resize(units.toPixels(QSize(*saved->width, *saved->height)));
  if (saved->minimized) {
    if (target->isVisible())
      target->showMinimized();
    else
      target->setWindowState(target->windowState() | Qt::WindowMinimized);
  } else if (saved->maximized) {
    if (target->isVisible())
      target->showMaximized();
    else
      target->setWindowState(target->windowState() | Qt::WindowMaximized);
  }
  return true;
}

void savePlacement(QWidget* target, std::string_view procedure, const DialogUnits& units,
                   bool resizable, QPoint origin) {
  WindowPlacement p;
  p.maximized = target->isMaximized();
  p.minimized = target->isMinimized();
  // Only a normal window writes its position.
  if (!p.maximized && !p.minimized) {
    const QPoint at = units.toUnits(target->pos() - origin);
    p.x = at.x();
    p.y = at.y();
    if (resizable) {
      const QSize s = units.toUnits(target->size());
      p.width = s.width();
      p.height = s.height();
    }
  } else if (resizable && target->isWindow() && target->normalGeometry().isValid()) {
    // A resizable window keeps the size it comes back to from maximised
    // or minimised.
    const QSize s = units.toUnits(target->normalGeometry().size());
    p.width = s.width();
    p.height = s.height();
  }
  updateWindow(procedure, p, resizable);
}

}  // namespace vm
