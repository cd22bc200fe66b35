#include "platform/ProgramEvents.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusFrame>
#include <QHash>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTextEdit>

#include "store/Globals.h"

namespace vm {

namespace {

struct SavedLook {
  QPointer<QWidget> widget;
  QPalette palette;
  bool ownPalette = false;
  bool autoFill = false;
};

class ProgramEventFilter : public QObject {
 public:
  bool tips = false;

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::ToolTip:
        return !tips;  // swallowed while tool tips are off
      case QEvent::FocusIn:
        if (watched->isWidgetType()) highlight(controlOf(static_cast<QWidget*>(watched)));
        break;
      case QEvent::FocusOut:
      case QEvent::Hide:
      case QEvent::EnabledChange:
        if (watched->isWidgetType()) {
          QWidget* c = controlOf(static_cast<QWidget*>(watched));
          if (c == current_.widget && (event->type() != QEvent::FocusOut || !c->hasFocus()))
            restore();
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  // The line edit inside a spin box or combination box stands for its owner.
  static QWidget* controlOf(QWidget* w) {
    if (QWidget* p = w->parentWidget()) {
      if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p)) return p;
    }
    return w;
  }

  void highlight(QWidget* c) {
    if (c == current_.widget) return;
    restore();
    if (!isHighlightable(c) || !c->isVisible() || !c->isEnabled()) return;
    if (c->property("vmNoHighlight").toBool()) return;
    current_.widget = c;
    current_.palette = c->palette();
    current_.ownPalette = c->testAttribute(Qt::WA_SetPalette);
    current_.autoFill = c->autoFillBackground();
    QPalette p = c->palette();
    for (auto role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
      p.setColor(QPalette::Active, role, kFocusColour);
      p.setColor(QPalette::Inactive, role, kFocusColour);
    }
    c->setPalette(p);
    if (qobject_cast<QCheckBox*>(c) || qobject_cast<QRadioButton*>(c))
      c->setAutoFillBackground(true);
    c->update();
    // The frame in the same colour: a ring just around the control that
    // follows it when the window is resized.
    if (!frame_) {
      frame_ = new QFocusFrame(c);
      frame_->setObjectName("vmFocusFrame");
      QPalette fp = frame_->palette();
      fp.setColor(QPalette::WindowText, kFocusColour);
      frame_->setPalette(fp);
    }
    frame_->setWidget(c);
    frame_->show();
  }

 public:
  QWidget* frameTarget() const { return frame_ ? frame_->widget() : nullptr; }

 private:
  void restore() {
    QWidget* c = current_.widget;
    if (c) {
      if (current_.ownPalette)
        c->setPalette(current_.palette);
      else
        c->setPalette(QPalette());  // back to the inherited colours
      c->setAutoFillBackground(current_.autoFill);
      c->update();
    }
    if (frame_) frame_->setWidget(nullptr);
    current_ = SavedLook{};
  }

  SavedLook current_;
  QPointer<QFocusFrame> frame_;
};

ProgramEventFilter* filter() {
  static ProgramEventFilter* f = nullptr;
  if (!f && qApp) {
    f = new ProgramEventFilter;
    f->setParent(qApp);
    qApp->installEventFilter(f);
  }
  return f;
}

}  // namespace

void installProgramEvents() {
  filter();
}

void setToolTipsEnabled(bool on) {
  if (auto* f = filter()) f->tips = on;
}

bool toolTipsEnabled() {
  auto* f = filter();
  return f && f->tips;
}

void applyTipFlag() {
  setToolTipsEnabled(globals().tipFlag == 1);
}

QWidget* highlightFrameTarget() {
  auto* f = filter();
  return f ? f->frameTarget() : nullptr;
}

bool isHighlightable(const QWidget* c) {
  return qobject_cast<const QLineEdit*>(c) || qobject_cast<const QAbstractSpinBox*>(c) ||
         qobject_cast<const QTextEdit*>(c) || qobject_cast<const QPlainTextEdit*>(c) ||
         qobject_cast<const QCheckBox*>(c) || qobject_cast<const QRadioButton*>(c) ||
         qobject_cast<const QComboBox*>(c);
}

}  // namespace vm
