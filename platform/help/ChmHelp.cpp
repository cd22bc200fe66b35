#include "platform/help/ChmHelp.h"

#include <memory>

#include "platform/help/ChmHelpBackend.h"

namespace vm {

void installChmHelp() {
  setHelpBackend(std::make_unique<ChmHelpBackend>());
}

}  // namespace vm
