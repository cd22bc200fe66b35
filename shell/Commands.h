// The frame's command table: what each menu item and toolbar button runs.
// Every window that the frame can start or open adds its own entry under its
// procedure name when the program starts, e.g.
//
//   commands().add("BrowseBrews", CommandMode::Start, [] { return startOnce... });
//
// A command whose entry is missing does nothing.  An entry makes its window
// and returns it (not yet shown); the table starts it (an independent MDI
// child) or opens it (blocking the caller until it closes), as its mode
// says.  An entry that shows nothing new (a one-instance window that was
// already open and has been brought forward, a report that ran by itself)
// returns nullptr.
#pragma once

#include <functional>
#include <map>
#include <string>

class QWidget;

namespace vm {

class Window;

enum class CommandMode { Start, Open };

class CommandTable {
 public:
  using Factory = std::function<Window*()>;

  void add(const std::string& id, CommandMode mode, Factory make);
  void remove(const std::string& id);
  bool has(const std::string& id) const;
  // Runs the command for `caller`.  For an opened window `done` gets its
  // answer when it closes; when nothing was opened `done` is called at once
  // with 0.  False when there is no such entry (and `done` is not called).
  bool run(const std::string& id, QWidget* caller, std::function<void(int)> done = {});

 private:
  struct Entry {
    CommandMode mode;
    Factory make;
  };
  std::map<std::string, Entry> entries_;
};

CommandTable& commands();

// The entries of the windows that live in the shell (About and the others
// built here).  Program start calls it.
void registerShellCommands(CommandTable& table);

}  // namespace vm
