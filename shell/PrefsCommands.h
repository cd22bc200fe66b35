// The frame's entries for the program defaults, the start-up defaults
// prompt and the data backup.  Program start calls it once.
#pragma once

namespace vm {

class CommandTable;

// Adds "Win_SetPrgDefaults", "Win_SetPrgDefaultsYN" and "Win_BackupData",
// each opened on its caller (blocking it) and each one instance: a request
// while it is open brings it to the front.
void registerPrefsCommands(CommandTable& table);

}  // namespace vm
