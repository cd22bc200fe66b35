// Small helpers shared by the brewing arithmetic tests.
#pragma once

#include <ostream>
#include <string>

#include "base/Decimal.h"
#include "brewmath/Message.h"

namespace vm {

// Decimals are written in tests as the text a user would type.
inline Decimal D(const char* text) {
  return Decimal::parse(text).value();
}

inline void PrintTo(const Decimal& d, std::ostream* os) {
  *os << d.toString();
}

namespace brewmath {

inline void PrintTo(const Message& m, std::ostream* os) {
  *os << "{\"" << m.title << "\", \"" << m.text << "\", icon " << static_cast<int>(m.icon) << ", \""
      << m.buttons << "\"}";
}

}  // namespace brewmath
}  // namespace vm
