// About Vatmark: the version, the program's pictures, and a word about the
// background picture.  One instance; started from the Help menu.
#pragma once

#include "platform/Window.h"

class QPushButton;

namespace vm {

class Win_About : public Window {
  Q_OBJECT
 public:
  Win_About();

  static constexpr const char* kImageText =
      "The background image on this window is an actual photo |of the authors home brew taken "
      "with a Canon |PowerShot A530 digital camera.||Bubbles could have been sharper. Taken "
      "against the |light through a beer handle with smooth glass similar to |the one on this "
      "window.";

  QPushButton* imageButton() const { return imageButton_; }
  QPushButton* closeButton() const { return closeButton_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPushButton* imageButton_;
  QPushButton* closeButton_;
};

}  // namespace vm
