// Dialog units: the one conversion between the positions the windows are
// designed in and pixels.  A horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its character height,
// so a window laid out in these units scales with its font and the screen.
// The window store keeps positions and sizes in the same units.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <initializer_list>

class QWidget;

namespace vm {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  // The units of a widget's own font.
  static DialogUnits of(const QWidget* widget);

  double unitWidth() const { return unitWidth_; }    // pixels per horizontal unit
  double unitHeight() const { return unitHeight_; }  // pixels per vertical unit

  int toPixelsX(int du) const;
  int toPixelsY(int du) const;
  int toUnitsX(int px) const;
  int toUnitsY(int px) const;
  QPoint toPixels(QPoint du) const { return {toPixelsX(du.x()), toPixelsY(du.y())}; }
  QSize toPixels(QSize du) const { return {toPixelsX(du.width()), toPixelsY(du.height())}; }
  QRect toPixels(const QRect& du) const;
  QPoint toUnits(QPoint px) const { return {toUnitsX(px.x()), toUnitsY(px.y())}; }
  QSize toUnits(QSize px) const { return {toUnitsX(px.width()), toUnitsY(px.height())}; }

 private:
  double unitWidth_ = 1.5;
  double unitHeight_ = 1.625;
};

// Places `control` at the dialog-unit rectangle (x, y, w, h) of `units`;
// a width or height below 0 keeps the control's natural size in that
// direction ("auto").
void placeAt(QWidget* control, const DialogUnits& units, int x, int y, int w = -1, int h = -1);

// A font by its designed family with the installed stand-ins after it
// ("MS Sans Serif" -> Microsoft Sans Serif, Liberation Sans ...; "Arial" ->
// Liberation Sans; "Times New Roman" -> Liberation Serif).
QFont programFont(const QString& family, int pointSize, bool bold = false);

}  // namespace vm
