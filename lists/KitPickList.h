// The kit/recipe pick list of the brew form: a PickList over the
// descriptions of BRANDS4 in BRW:BrewKey order, bound to a STRING(45) text
// (ALE:BREWKIT).  It may add kits; it never changes or deletes them.
#pragma once

#include "platform/browse/PickList.h"

namespace vm {

class KitPickList : public PickList {
  Q_OBJECT
 public:
  explicit KitPickList(QWidget* parent = nullptr);
};

}  // namespace vm
