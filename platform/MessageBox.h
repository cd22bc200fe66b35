// Message boxes: the one way every window asks the user something or tells
// them something.  A box has a title, one of four icons, a text in which "|"
// starts a new line, and buttons given as a list such as "&Yes|&No" (access
// keys shown); the answer is the 1-based position of the button pressed.
// Without a list the box has one "&OK" button.
//
// The icons and the standard record-store messages (confirmDeleteMessage()
// and so on, in store/StoreMessages.h) are the record store's; a window shows
// one with message(vm::confirmDeleteMessage(), this).
//
// Tests install a MessageScript: while it lives, boxes are not shown but
// recorded, and answered from its queue (or by the default button, or 1,
// when the queue is empty).  On the offscreen platform a box is never shown
// either, so a test that forgot its script still cannot wait for a person.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "store/StoreMessages.h"

class QWidget;

namespace vm {

// Shows the box and returns the 1-based position of the pressed button.
// `defaultButton` (1-based, 0 = none) is the button Enter presses.
int message(const std::string& title, const std::string& text, MessageIcon icon,
            const std::string& buttons = {}, int defaultButton = 0, QWidget* owner = nullptr);

int message(const Message& m, QWidget* owner = nullptr);

// The button texts of a list ("&Yes|&No" -> {"&Yes", "&No"}); an empty list
// gives the single OK button.
std::vector<std::string> messageButtons(const std::string& buttons);

struct ShownMessage {
  std::string title;
  std::string text;  // as given, "|" included
  MessageIcon icon = MessageIcon::Information;
  std::vector<std::string> buttons;
  int defaultButton = 0;
  int answer = 0;
};

class MessageScript {
 public:
  MessageScript();
  ~MessageScript();
  MessageScript(const MessageScript&) = delete;
  MessageScript& operator=(const MessageScript&) = delete;

  // Queues the answer for the next box.
  MessageScript& answer(int button);
  const std::vector<ShownMessage>& shown() const { return shown_; }
  void clear() { shown_.clear(); }

 private:
  friend int message(const std::string&, const std::string&, MessageIcon, const std::string&, int,
                     QWidget*);
  std::deque<int> answers_;
  std::vector<ShownMessage> shown_;
  MessageScript* previous_ = nullptr;
};

}  // namespace vm
