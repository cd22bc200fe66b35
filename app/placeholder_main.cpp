// Bare start-up used only while the shell library is not part of the build.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle("Vatmark - Version 1.44");
  frame.resize(800, 600);
  frame.show();
  return app.exec();
}
