// The program's own pictures (drawn for Vatmark, kept as SVG in resources/).
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vm {

// Makes the compiled-in pictures available; safe to call more than once.
void initResources();
// The program icon (a glass of beer), for every window.
QIcon programIcon();
// An icon by its file name in resources/, e.g. "help.svg".
QIcon resourceIcon(const QString& name);
// A picture by its file name drawn at `size` (stretched to fill it).
QPixmap resourcePicture(const QString& name, const QSize& size);

}  // namespace vm
