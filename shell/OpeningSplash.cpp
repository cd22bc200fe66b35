#include "shell/OpeningSplash.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "platform/DialogUnits.h"
#include "platform/Resources.h"

namespace vm {

namespace {
constexpr int kWidthDu = 250;
constexpr int kHeightDu = 130;
}  // namespace

OpeningSplash::OpeningSplash(int milliseconds) : timer_(new QTimer(this)) {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(programFont("MS Sans Serif", 8));
  setFocusPolicy(Qt::StrongFocus);
  const DialogUnits u(font());
  setFixedSize(u.toPixels(QSize(kWidthDu, kHeightDu)));
  if (QScreen* s = QGuiApplication::primaryScreen())
    move(s->availableGeometry().center() - rect().center());
  timer_->setSingleShot(true);
  timer_->setInterval(milliseconds < 0 ? 0 : milliseconds);
  connect(timer_, &QTimer::timeout, this, &QWidget::close);
}

void OpeningSplash::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!timer_->isActive()) timer_->start();
  activateWindow();
}

void OpeningSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.drawPixmap(rect(), resourcePicture("background.svg", size()));
  p.setPen(QColor(90, 45, 5));
  p.drawRect(rect().adjusted(0, 0, -1, -1));

  const DialogUnits u(font());
  // The name twice, the second copy one dialog unit up and to the left, so
  // the first reads as its shadow.
  QFont title = programFont("Times New Roman", 40, true);
  title.setItalic(true);
  p.setFont(title);
  const QRect titleRect(0, u.toPixelsY(12), width(), u.toPixelsY(40));
  p.setPen(QColor(70, 30, 0));
  p.drawText(titleRect, Qt::AlignCenter, "Vatmark");
  p.setPen(QColor(255, 246, 214));
  p.drawText(titleRect.translated(-u.toPixelsX(1), -u.toPixelsY(1)), Qt::AlignCenter, "Vatmark");

  // "Loading..." in the middle with a small picture beside it.
  QFont loading = programFont("Arial", 10, true);
  p.setFont(loading);
  const QFontMetrics lfm(loading);
  const int textWidth = lfm.horizontalAdvance("Loading...");
  const int pic = u.toPixelsY(16);
  const int totalWidth = pic + u.toPixelsX(4) + textWidth;
  const int lx = (width() - totalWidth) / 2;
  const int ly = u.toPixelsY(62);
  p.drawPixmap(lx, ly, resourcePicture("loading.svg", QSize(pic, pic)));
  p.setPen(QColor(60, 25, 0));
  p.drawText(QRect(lx + pic + u.toPixelsX(4), ly, textWidth + 2, pic), Qt::AlignVCenter,
             "Loading...");

  // The version line near the bottom with its trade mark.
  QFont version = programFont("Arial", 9);
  p.setFont(version);
  const QFontMetrics vfm(version);
  const int vw = vfm.horizontalAdvance(kVersionLine);
  QFont tm = programFont("Arial", 5, true);
  const int tmw = QFontMetrics(tm).horizontalAdvance("TM");
  const int vx = (width() - vw - tmw - 2) / 2;
  const int vy = height() - u.toPixelsY(12);
  p.setPen(QColor(40, 15, 0));
  p.drawText(vx, vy, kVersionLine);
  p.setFont(tm);
  p.drawText(vx + vw + 2, vy - vfm.ascent() + QFontMetrics(tm).ascent(), "TM");
}

void OpeningSplash::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) close();
}

void OpeningSplash::mouseDoubleClickEvent(QMouseEvent*) {
  close();
}

void OpeningSplash::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) {
    if (isActiveWindow())
      wasActive_ = true;
    else if (wasActive_)
      close();  // lost the focus
  }
}

void OpeningSplash::closeEvent(QCloseEvent* event) {
  event->accept();
  timer_->stop();
  if (!closed_) {
    closed_ = true;
    emit closed();
  }
}

}  // namespace vm
