#include "lists/KitPickList.h"

namespace vm {

KitPickList::KitPickList(QWidget* parent)
    : PickList(std::make_unique<TablePickSource<BrandRecord>>(brand::kBrewKey, brand::kNameOfBrew),
               parent) {
  setPicture("@s45");
}

}  // namespace vm
