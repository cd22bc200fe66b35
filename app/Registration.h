// Where the program's window subsystems meet the frame: every window the
// frame can start or open gets its entry in the command table here, and the
// compiled-help viewer becomes the help backend.  Kept out of the shell so
// the shell never depends on the windows it hosts.
#pragma once

namespace vm {

class CommandTable;

void registerWindowCommands(CommandTable& table);
// The VMhelp.chm viewer, with its position kept like any other window's.
void installHelpViewer();

}  // namespace vm
