#include "app/Registration.h"

#include <memory>

#include "brews/Win_AlcCalculator.h"
#include "brews/Win_CalculateCost.h"
#include "brews/Win_GravityCorrectionUtility.h"
#include "brews/Win_UnitConversions.h"
#include "lists/BrowseKitsRecipes.h"
#include "platform/DialogUnits.h"
#include "platform/HelpService.h"
#include "platform/Window.h"
#include "platform/help/ChmHelpBackend.h"
#include "shell/Commands.h"
#include "shell/PrefsCommands.h"

namespace vm {

void registerWindowCommands(CommandTable& table) {
  registerPrefsCommands(table);

  // Utilities: opened on the frame, which stays blocked until they close.
  table.add("Win_UnitConversions", CommandMode::Open,
            []() -> Window* { return Win_UnitConversions::makeOnce(); });
  table.add("Win_CalculateCost", CommandMode::Open,
            []() -> Window* { return Win_CalculateCost::makeOnce(); });
  table.add("Win_AlcCalculator", CommandMode::Open,
            []() -> Window* { return Win_AlcCalculator::makeOnce(); });
  // Several correction windows may be open side by side.
  table.add("Win_GravityCorrectionUtility", CommandMode::Open,
            []() -> Window* { return new Win_GravityCorrectionUtility; });

  // Browsers start as independent children of the frame and show
  // themselves (one instance each), so the table has nothing left to show.
  table.add(BrowseKitsRecipes::kProcedure, CommandMode::Start, []() -> Window* {
    BrowseKitsRecipes::start();
    return nullptr;
  });
}

void installHelpViewer() {
  auto backend = std::make_unique<ChmHelpBackend>();
  backend->setPlacement({
      [](QWidget* w) { restorePlacement(w, "HelpViewer", DialogUnits::of(w), true); },
      [](QWidget* w) { savePlacement(w, "HelpViewer", DialogUnits::of(w), true); },
  });
  setHelpBackend(std::move(backend));
}

}  // namespace vm
