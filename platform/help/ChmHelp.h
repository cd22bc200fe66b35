// Program start-up installs the compiled-help viewer with installChmHelp();
// from then on every window's Help button, F1 and F12 reach VMhelp.chm
// through helpService() (platform/HelpService.h).
#pragma once

namespace vm {

// Makes a ChmHelpBackend (platform/help/ChmHelpBackend.h) the program's help
// backend.  Nothing is opened until help is first asked for.
void installChmHelp();

}  // namespace vm
