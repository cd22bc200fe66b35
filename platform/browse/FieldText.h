// A field value as its display picture shows it, and what a user typed read
// back into a field's value.  Shared by the browse list's cells, the update
// form's entries and the pick list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/Fields.h"

namespace vm {

// The value as the picture shows it; an unreadable picture shows the plain
// value.
std::string formatField(const FieldValue& value, std::string_view picture);
// `text` read by the picture for a field of type `def`; nothing when the
// text cannot be read (a number picture given letters, an impossible date).
std::optional<FieldValue> parseField(std::string_view text, std::string_view picture,
                                     const FieldDef& def);

}  // namespace vm
