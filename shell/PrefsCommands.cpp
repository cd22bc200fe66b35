#include "shell/PrefsCommands.h"

#include "shell/Commands.h"
#include "shell/Win_BackupData.h"
#include "shell/Win_SetPrgDefaults.h"
#include "shell/Win_SetPrgDefaultsYN.h"

namespace vm {

namespace {
template <class W>
CommandTable::Factory once(const char* procedure) {
  return [procedure]() -> Window* {
    if (bringToFront(procedure)) return nullptr;
    return new W;
  };
}
}  // namespace

void registerPrefsCommands(CommandTable& table) {
  table.add("Win_SetPrgDefaults", CommandMode::Open,
            once<Win_SetPrgDefaults>("Win_SetPrgDefaults"));
  table.add("Win_SetPrgDefaultsYN", CommandMode::Open,
            once<Win_SetPrgDefaultsYN>("Win_SetPrgDefaultsYN"));
  table.add("Win_BackupData", CommandMode::Open, once<Win_BackupData>("Win_BackupData"));
}

}  // namespace vm
