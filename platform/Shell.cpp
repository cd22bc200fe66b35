#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include <map>

#include "platform/MessageBox.h"

#ifdef _WIN32
#include <shellapi.h>
#include <windows.h>
#endif

namespace vm {

namespace {
QString& programFolderOverride() {
  static QString f;
  return f;
}
std::function<int(const QString&)>& shellHandler() {
  static std::function<int(const QString&)> h;
  return h;
}

#ifdef _WIN32
const QString kSumpadFile = QStringLiteral("Sumpad.exe");
#else
const QString kSumpadFile = QStringLiteral("Sumpad");
#endif

bool looksLikeAddress(const QString& s) {
  const QUrl url(s);
  return url.isValid() && url.scheme().size() > 1 && !QFileInfo(s).isAbsolute();
}

#ifndef _WIN32
int openOnThisDesktop(const QString& address) {
  if (looksLikeAddress(address)) return QDesktopServices::openUrl(QUrl(address)) ? 33 : 31;
  QString path = address;
  QFileInfo info(path);
  const bool bareName = !address.contains('/') && !address.contains('\\');
  if (!info.exists() && bareName) {
    // A program named without a path is looked for on the search path, as
    // the shell does.
    const QString found = QStandardPaths::findExecutable(address);
    if (found.isEmpty()) return 2;
    info = QFileInfo(found);
  }
  if (!info.exists()) return QFileInfo(info.absolutePath()).isDir() ? 2 : 3;
  if (!info.isReadable()) return 5;
  if (info.isFile() && info.isExecutable())
    return QProcess::startDetached(info.absoluteFilePath(), {}, QDir::currentPath()) ? 33 : 11;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? 33 : 31;
}
#endif
}  // namespace

QString findSumpad() {
  const QString beside = programFolderOverride().isEmpty() ? QCoreApplication::applicationDirPath()
                                                           : programFolderOverride();
  for (const QString& folder : {beside, QDir::currentPath()}) {
    const QFileInfo f(QDir(folder).filePath(kSumpadFile));
    if (f.isFile() && f.isExecutable()) return f.absoluteFilePath();
  }
  return QStandardPaths::findExecutable(kSumpadFile);
}

void setProgramFolderForLookup(const QString& folder) {
  programFolderOverride() = folder;
}

bool StartSumpad() {
  const QString program = findSumpad();
  if (program.isEmpty()) return false;
  return QProcess::startDetached(program, {}, QDir::currentPath());
}

int shellOpen(const QString& address, QWidget* owner) {
  if (shellHandler()) return shellHandler()(address);
#ifdef _WIN32
  HWND hwnd = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
  const auto result = ShellExecuteW(hwnd, nullptr, reinterpret_cast<LPCWSTR>(address.utf16()),
                                    nullptr, nullptr, SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
#else
  (void)owner;
  return openOnThisDesktop(address);
#endif
}

void setShellOpenHandler(std::function<int(const QString&)> handler) {
  shellHandler() = std::move(handler);
}

void OpenShellDocument(const QString& address, QWidget* owner) {
  shellOpen(address, owner);
}

QString shellReason(int code) {
  static const std::map<int, const char*> reasons = {
      {0, "Out of memory or file is corrupt when running program"},
      {2, "File not found"},
      {3, "Path not found"},
      {5, "Sharing violation"},
      {6, "Data segment error"},
      {8, "Not enough memory to run program"},
      {10, "Incorrect Windows version"},
      {11, "Invalid program file.  Non Windows or corrupt .exe file"},
      {12, "Not a Windows program"},
      {13, "MS-DOS 4.0 program"},
      {14, "Unknown program type"},
      {15, "Can not run a real mode program"},
      {16, "This program is already running and can only have one instance running"},
      {19, "This is a compressed program file"},
      {20, "One or more run time libraries are missing or corrupt"},
      {21, "This program requires 32bit extension for Windows"},
      {31, "No program associated with this file"},
  };
  auto it = reasons.find(code);
  return it == reasons.end() ? QString() : QString::fromLatin1(it->second);
}

void RunShellProgram(const QString& file, QWidget* owner) {
  const int code = shellOpen(file, owner);
  if (code > 32) return;
  const QString reason = shellReason(code);
  if (reason.isEmpty()) return;
  message("", (reason + "|" + file).toStdString(), MessageIcon::Exclamation, {}, 0, owner);
}

}  // namespace vm
