// A fresh temporary folder made the current folder for one test, since the
// program keeps its settings files in the current folder.
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vm::test {

class TempFolder {
 public:
  TempFolder() : previous_(QDir::currentPath()) {
    EXPECT_TRUE(dir_.isValid());
    QDir::setCurrent(dir_.path());
  }
  ~TempFolder() { QDir::setCurrent(previous_); }
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

 private:
  QTemporaryDir dir_;
  QString previous_;
};

}  // namespace vm::test
