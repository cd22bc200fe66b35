#include "platform/DialogUnits.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(DialogUnits, FollowTheFont) {
  const QFont small = programFont("MS Sans Serif", 8);
  const QFont large = programFont("MS Sans Serif", 16);
  const DialogUnits s(small), l(large);
  const QFontMetricsF fm(small);
  EXPECT_NEAR(s.unitHeight(), fm.height() / 8.0, 1e-9);
  EXPECT_GT(s.unitWidth(), 0.5);
  EXPECT_GT(l.unitWidth(), s.unitWidth() * 1.5);
  EXPECT_GT(l.unitHeight(), s.unitHeight() * 1.5);
}

TEST(DialogUnits, RoundTripAndAdjacentRectanglesMeet) {
  const DialogUnits u(programFont("Arial", 9));
  for (int du : {0, 1, 4, 26, 214, 500}) {
    EXPECT_EQ(u.toUnitsX(u.toPixelsX(du)), du);
    EXPECT_EQ(u.toUnitsY(u.toPixelsY(du)), du);
  }
  // Two controls side by side in units stay side by side in pixels.
  const QRect a = u.toPixels(QRect(4, 2, 26, 22));
  const QRect b = u.toPixels(QRect(30, 2, 26, 22));
  EXPECT_EQ(a.right() + 1, b.left());
}

TEST(DialogUnits, PlaceAtUsesNaturalSizeForAuto) {
  QWidget parent;
  parent.setFont(programFont("MS Sans Serif", 8));
  auto* button = new QPushButton("A rather long caption", &parent);
  const DialogUnits u = DialogUnits::of(&parent);
  placeAt(button, u, 10, 20, 50, 14);
  EXPECT_EQ(button->geometry(), u.toPixels(QRect(10, 20, 50, 14)));
  placeAt(button, u, 10, 20);
  EXPECT_EQ(button->size(), button->sizeHint());
  EXPECT_EQ(button->pos(), u.toPixels(QPoint(10, 20)));
}

}  // namespace
}  // namespace vm
