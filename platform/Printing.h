// The printer the program prints on, chosen with the system's printer set-up
// dialog and kept for the rest of the run.
#pragma once

class QPrinter;
class QWidget;

namespace vm {

QPrinter& programPrinter();
// Shows the printer set-up dialog for programPrinter() (without waiting; the
// choice is kept when the user confirms it).  `caption` titles the dialog.
void showPrintSetup(QWidget* owner, const char* caption = "Print Setup");

}  // namespace vm
