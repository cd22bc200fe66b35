#include "platform/Shell.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/MessageBox.h"

namespace vm {
namespace {

#ifndef _WIN32
// A stand-in calculator that notes each start in its working folder.
void writeFakeSumpad(const QString& folder) {
  QFile f(QDir(folder).filePath("Sumpad"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\necho started$# >> \"$PWD/starts.txt\"\n");
  f.close();
  f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

int startsIn(const QString& folder) {
  QFile f(QDir(folder).filePath("starts.txt"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  int lines = 0;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (!line.isEmpty()) {
      EXPECT_EQ(line, "started0");  // no arguments
      ++lines;
    }
  return lines;
}

struct ProgramFolder {
  explicit ProgramFolder(const QString& f) { setProgramFolderForLookup(f); }
  ~ProgramFolder() { setProgramFolderForLookup({}); }
};

TEST(StartSumpad, EveryCallStartsANewProcessInTheCurrentFolder) {
  test::TempFolder cwd;
  QTemporaryDir programDir;
  writeFakeSumpad(programDir.path());
  ProgramFolder beside(programDir.path());
  EXPECT_EQ(findSumpad(), QDir(programDir.path()).filePath("Sumpad"));
  EXPECT_TRUE(StartSumpad());
  EXPECT_TRUE(StartSumpad());
  EXPECT_TRUE(QTest::qWaitFor([&] { return startsIn(cwd.path()) == 2; }, 5000));
  EXPECT_EQ(startsIn(programDir.path()), 0);
}

TEST(StartSumpad, FoundInTheCurrentFolderWhenNotBesideTheProgram) {
  test::TempFolder cwd;
  QTemporaryDir emptyProgramDir;
  ProgramFolder beside(emptyProgramDir.path());
  writeFakeSumpad(cwd.path());
  EXPECT_EQ(findSumpad(), QDir(cwd.path()).filePath("Sumpad"));
  EXPECT_TRUE(StartSumpad());
  EXPECT_TRUE(QTest::qWaitFor([&] { return startsIn(cwd.path()) == 1; }, 5000));
}

TEST(StartSumpad, MissingProgramShowsNothing) {
  test::TempFolder cwd;
  QTemporaryDir emptyProgramDir;
  ProgramFolder beside(emptyProgramDir.path());
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", emptyProgramDir.path().toUtf8());
  MessageScript script;
  EXPECT_FALSE(StartSumpad());
  EXPECT_TRUE(script.shown().empty());
  qputenv("PATH", path);
}
#endif

struct ShellHandler {
  explicit ShellHandler(int code) {
    setShellOpenHandler([this, code](const QString& a) {
      asked = a;
      return code;
    });
  }
  ~ShellHandler() { setShellOpenHandler({}); }
  QString asked;
};

TEST(RunShellProgram, ShowsTheReasonAndTheFileForEachCode) {
  const struct {
    int code;
    const char* reason;
  } cases[] = {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    ShellHandler shell(c.code);
    MessageScript script;
    RunShellProgram("WordPad.exe");
    EXPECT_EQ(shell.asked, "WordPad.exe");
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].title, "");
    EXPECT_EQ(script.shown()[0].text, std::string(c.reason) + "|WordPad.exe");
    EXPECT_EQ(script.shown()[0].buttons, (std::vector<std::string>{"&OK"}));
  }
}

TEST(RunShellProgram, SuccessAndCodesWithoutTextShowNothing) {
  for (int code : {1, 4, 7, 9, 17, 18, 22, 30, 32, 33, 42}) {
    SCOPED_TRACE(code);
    ShellHandler shell(code);
    MessageScript script;
    RunShellProgram("notes.rtf");
    EXPECT_TRUE(script.shown().empty());
  }
}

TEST(OpenShellDocument, RefusalShowsNothing) {
  ShellHandler shell(31);
  MessageScript script;
  OpenShellDocument("https://example.org/");
  EXPECT_EQ(shell.asked, "https://example.org/");
  EXPECT_TRUE(script.shown().empty());
}

#ifndef _WIN32
TEST(ShellOpen, MissingFilesMapToTheShellCodes) {
  test::TempFolder cwd;
  EXPECT_EQ(shellOpen(cwd.file("absent.txt"), nullptr), 2);
  EXPECT_EQ(shellOpen(cwd.file("no-such-folder/absent.txt"), nullptr), 3);
  EXPECT_EQ(shellOpen("NoSuchProgramAnywhere.exe", nullptr), 2);
}
#endif

}  // namespace
}  // namespace vm
