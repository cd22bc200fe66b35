// A message the brewing arithmetic wants shown: the calculators and the brew
// form put it in a message box exactly as given.  Keeping the texts here,
// beside the rules that produce them, means the windows only display.
#pragma once

#include <string>

namespace vm::brewmath {

enum class MessageIcon { Information, Question, Exclamation, Error };

struct Message {
  std::string title;
  std::string text;  // '|' starts a new line
  MessageIcon icon = MessageIcon::Information;
  std::string buttons;  // "&Yes|&No"; empty for a single OK button

  bool operator==(const Message&) const = default;
};

}  // namespace vm::brewmath
