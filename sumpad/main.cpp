// Sumpad: a pocket calculator in a window of its own. It takes no arguments,
// keeps nothing between runs and always ends with exit code 0.
#include <QApplication>

#include "sumpad/SumpadWindow.h"

int main(int, char**) {
  // Qt is not even given the arguments: the calculator reads no command line.
  static char name[] = "Sumpad";
  static char* args[] = {name, nullptr};
  int count = 1;
  QApplication app(count, args);
  SumpadWindow window;
  window.show();
  app.exec();
  return 0;
}
