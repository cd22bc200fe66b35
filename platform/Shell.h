// Handing work to other programs: starting the calculator program, and
// asking the desktop to open a file or web address with its associated
// program.  None of these waits for the other program.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace vm {

// Starts Sumpad ("Sumpad.exe" on Windows, "Sumpad" elsewhere) with no
// arguments and the current folder as its working folder, and returns at
// once.  The program file is looked up beside Vatmark's own program file,
// then in the current folder, then on the search path.  Every call starts a
// new process; a failure shows nothing.  Returns whether a process started.
bool StartSumpad();

// Where StartSumpad would find the program, or empty.
QString findSumpad();
// Tests point "beside Vatmark's own program file" elsewhere; empty restores.
void setProgramFolderForLookup(const QString& folder);

// Asks the desktop to open `address` (a file or a web address) with its
// associated program and returns without waiting; a refusal shows nothing.
void OpenShellDocument(const QString& address, QWidget* owner = nullptr);

// The same request; when the desktop refuses, a box with an empty title, an
// OK button and the reason, a line break and the file name.
void RunShellProgram(const QString& file, QWidget* owner = nullptr);

// The reason text for a shell return code, empty for codes that show
// nothing (success above 32, and the codes without a text).
QString shellReason(int code);

// The request itself: a return code in the manner of the Windows shell
// (above 32 = success).  Elsewhere the failures map onto the same codes:
//   a program or file that does not exist                 -> 2
//   a folder in its path that does not exist             -> 3
//   a file that exists but cannot be read                 -> 5
//   a program file that exists but cannot be started      -> 11
//   a file the desktop has no program for (open refused)  -> 31
//   started or opened                                     -> 33
int shellOpen(const QString& address, QWidget* owner);
// Tests replace the request; an empty function restores the real one.
void setShellOpenHandler(std::function<int(const QString& address)> handler);

}  // namespace vm
