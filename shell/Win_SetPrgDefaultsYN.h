// The start-up defaults prompt: asked when the frame opens while the program
// defaults have never been saved.  "&Yes" opens the program defaults window
// and then offers "&Defaults Done. (Save)", the one way to stop being asked;
// "Do &Later" leaves the question for the next start.  Whichever way it
// closes, "SetYN" is written.
#pragma once

#include "platform/Window.h"

class QLabel;
class QPushButton;

namespace vm {

class Win_SetPrgDefaultsYN : public Window {
  Q_OBJECT
 public:
  Win_SetPrgDefaultsYN();

  static constexpr const char* kAbortedTitle = "Aborted...";
  static constexpr const char* kAbortedText =
      "The current defaults settings have NOT been changed.";

  QPushButton* laterButton() const { return later_; }
  QPushButton* doneButton() const { return done_; }
  QPushButton* yesButton() const { return yes_; }
  // Texts 1 to 4 as numbered in the design (1-based).
  QLabel* text(int number) const;

 protected:
  void onClosing() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void setDefaults();

  QLabel* texts_[4];
  QPushButton* later_;
  QPushButton* done_;
  QPushButton* yes_;
};

}  // namespace vm
