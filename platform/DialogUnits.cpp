#include "platform/DialogUnits.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QWidget>

#include <cmath>

namespace vm {

namespace {
// The average width is taken over the letters of the alphabet, the way the
// window system that designed these units measures a dialog font.
const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  QFontMetricsF fm(font);
  const double avg = fm.horizontalAdvance(kAlphabet) / kAlphabet.size();
  const double height = fm.height();
  if (avg > 0) unitWidth_ = avg / 4.0;
  if (height > 0) unitHeight_ = height / 8.0;
}

DialogUnits DialogUnits::of(const QWidget* widget) {
  return DialogUnits(widget->font());
}

int DialogUnits::toPixelsX(int du) const {
  return static_cast<int>(std::lround(du * unitWidth_));
}
int DialogUnits::toPixelsY(int du) const {
  return static_cast<int>(std::lround(du * unitHeight_));
}
int DialogUnits::toUnitsX(int px) const {
  return static_cast<int>(std::lround(px / unitWidth_));
}
int DialogUnits::toUnitsY(int px) const {
  return static_cast<int>(std::lround(px / unitHeight_));
}

QRect DialogUnits::toPixels(const QRect& du) const {
  const int x = toPixelsX(du.x());
  const int y = toPixelsY(du.y());
  return QRect(x, y, toPixelsX(du.x() + du.width()) - x, toPixelsY(du.y() + du.height()) - y);
}

void placeAt(QWidget* control, const DialogUnits& units, int x, int y, int w, int h) {
  const QSize natural = control->sizeHint();
  const int px = units.toPixelsX(x);
  const int py = units.toPixelsY(y);
  const int pw = w < 0 ? natural.width() : units.toPixelsX(x + w) - px;
  const int ph = h < 0 ? natural.height() : units.toPixelsY(y + h) - py;
  control->setGeometry(px, py, pw, ph);
}

QFont programFont(const QString& family, int pointSize, bool bold) {
  QStringList families{family};
  if (family == QLatin1String("MS Sans Serif"))
    families << "Microsoft Sans Serif"
             << "Liberation Sans"
             << "Arial"
             << "DejaVu Sans";
  else if (family == QLatin1String("Arial"))
    families << "Liberation Sans"
             << "DejaVu Sans";
  else if (family == QLatin1String("Times New Roman"))
    families << "Liberation Serif"
             << "DejaVu Serif";
  QFont f;
  f.setFamilies(families);
  f.setPointSize(pointSize);
  f.setBold(bold);
  return f;
}

}  // namespace vm
