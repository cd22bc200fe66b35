#include "store/Globals.h"

namespace vm {

Globals& globals() {
  // Built on first use, so no window depends on the order in which static
  // objects of other files come to life.
  static Globals instance;
  return instance;
}

}  // namespace vm
