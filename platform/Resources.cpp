#include "platform/Resources.h"

#include <QPainter>
#include <QSvgRenderer>

// The resource initialiser has to be named outside any namespace.
static void initVatmarkResources() {
  Q_INIT_RESOURCE(vatmark);
}

namespace vm {

void initResources() {
  static const bool done = (initVatmarkResources(), true);
  (void)done;
}

QIcon resourceIcon(const QString& name) {
  initResources();
  return QIcon(QStringLiteral(":/vatmark/") + name);
}

QIcon programIcon() {
  return resourceIcon(QStringLiteral("vatmark.svg"));
}

QPixmap resourcePicture(const QString& name, const QSize& size) {
  initResources();
  QPixmap pm(size.isValid() && !size.isEmpty() ? size : QSize(1, 1));
  pm.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/vatmark/") + name);
  if (renderer.isValid()) {
    QPainter p(&pm);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(pm.size())));
  }
  return pm;
}

}  // namespace vm
