#include "shell/Win_SetPrgDefaultsYN.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "shell/Win_SetPrgDefaults.h"
#include "store/Globals.h"
#include "store/ProgramSettings.h"

namespace vm {

Win_SetPrgDefaultsYN::Win_SetPrgDefaultsYN() : Window("Win_SetPrgDefaultsYN") {
  setWindowTitle("Important...");
  setFont(programFont("MS Sans Serif", 8));
  setDesignSize(232, 118);
  setHelp("Program defaults", "Win_SetPrgDefaultsYN");

  auto text = [this](int number, const char* t, int x, int y, int w, int h) {
    auto* l = new QLabel(t, this);
    l->setObjectName(QString("?String%1").arg(number));
    l->setStyleSheet("color: rgb(40, 20, 0);");
    place(l, x, y, w, h);
    texts_[number - 1] = l;
  };
  text(1, "Before you log any brews you need to set the programs defaults.", 2, 7, 221, 10);
  text(4, "Do you use Metric or Imperial/US measurements?", 1, 19, 221, 10);
  text(3, "Select 'Defaults done' to save your settings or 'Do Later' to abort?.", 6, 37, 213, 10);
  text(2, "Set the programs defaults now ?   (Yes recommended)", 3, 58, 223, 10);
  texts_[2]->hide();

  later_ = new QPushButton("Do &Later", this);
  later_->setObjectName("?DoLater");
  later_->setToolTip("Abort");
  place(later_, 4, 95, 50, 18);
  done_ = new QPushButton("&Defaults Done. (Save)", this);
  done_->setObjectName("?DefaultsDone");
  done_->setToolTip("Save default settings");
  place(done_, 73, 95, 86, 18);
  done_->hide();
  yes_ = new QPushButton("&Yes", this);
  yes_->setObjectName("?Yes");
  yes_->setToolTip("Set defaults");
  place(yes_, 178, 95, 50, 18);

  onAccepted(yes_, [this] { setDefaults(); });
  onAccepted(done_, [this] {
    globals().setDefaultsYN = 1;
    finish();
  });
  onAccepted(later_, [this] {
    message(kAbortedTitle, kAbortedText, MessageIcon::Information, {}, 0, this);
    finish();
  });
}

QLabel* Win_SetPrgDefaultsYN::text(int number) const {
  return number >= 1 && number <= 4 ? texts_[number - 1] : nullptr;
}

void Win_SetPrgDefaultsYN::setDefaults() {
  done_->setEnabled(true);
  yes_->hide();
  texts_[0]->hide();
  texts_[1]->hide();
  texts_[3]->hide();
  texts_[2]->show();
  done_->show();
  // The prompt stays in this second state once the defaults window closes.
  if (bringToFront("Win_SetPrgDefaults")) return;
  auto* defaults = new Win_SetPrgDefaults;
  openWindow(defaults, this);
}

void Win_SetPrgDefaultsYN::onClosing() {
  writeSetDefaultsYN(globals());
}

void Win_SetPrgDefaultsYN::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(rect(), resourcePicture("background.svg", size()));
}

}  // namespace vm
