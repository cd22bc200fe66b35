// Numbers written into messages, labels and the clipboard: at most 15
// significant digits, no trailing zeros, no trailing point ("5.30" -> "5.3",
// "12.0" -> "12", "-0.0" -> "0").
#pragma once

#include <string>

#include "Decimal.h"

namespace vm {

std::string shortestText(const Decimal& value);
std::string shortestText(double value);
std::string shortestText(long long value);

}  // namespace vm
