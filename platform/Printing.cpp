#include "platform/Printing.h"

#include <QPrintDialog>
#include <QPrinter>

namespace vm {

QPrinter& programPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

void showPrintSetup(QWidget* owner, const char* caption) {
  auto* dialog = new QPrintDialog(&programPrinter(), owner);
  dialog->setWindowTitle(QString::fromUtf8(caption));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
}

}  // namespace vm
