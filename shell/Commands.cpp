#include "shell/Commands.h"

#include "platform/Window.h"
#include "shell/Win_About.h"

namespace vm {

void CommandTable::add(const std::string& id, CommandMode mode, Factory make) {
  entries_[id] = Entry{mode, std::move(make)};
}

void CommandTable::remove(const std::string& id) {
  entries_.erase(id);
}

bool CommandTable::has(const std::string& id) const {
  return entries_.count(id) != 0;
}

bool CommandTable::run(const std::string& id, QWidget* caller, std::function<void(int)> done) {
  auto it = entries_.find(id);
  if (it == entries_.end()) return false;
  const CommandMode mode = it->second.mode;
  Window* w = it->second.make ? it->second.make() : nullptr;
  if (!w) {
    if (done) done(0);
    return true;
  }
  if (mode == CommandMode::Start) {
    startWindow(w);
    if (done) done(0);
  } else {
    openWindow(w, caller, std::move(done));
  }
  return true;
}

CommandTable& commands() {
  static CommandTable table;
  return table;
}

void registerShellCommands(CommandTable& table) {
  table.add("Win_About", CommandMode::Start, []() -> Window* {
    if (bringToFront("Win_About")) return nullptr;
    return new Win_About;
  });
}

}  // namespace vm
