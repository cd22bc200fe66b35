#include "shell/Win_About.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "platform/MessageBox.h"
#include "platform/Resources.h"

namespace vm {

Win_About::Win_About() : Window("Win_About") {
  setWindowTitle("About Vatmark  -  Version 1.44");
  setFont(programFont("MS Sans Serif", 8));
  setDesignSize(220, 140);
  setDesignPosition(40, 24);

  auto* picture = new QLabel(this);
  picture->setObjectName("picture");
  const QRect pr = duRect(6, 6, 40, 40);
  picture->setPixmap(resourcePicture("vatmark.svg", pr.size()));
  picture->setGeometry(pr);

  auto* name = new QLabel("Vatmark", this);
  name->setFont(programFont("Times New Roman", 20, true));
  name->setStyleSheet("color: rgb(255, 246, 214);");
  place(name, 54, 10, 150, 22);
  auto* version = new QLabel("Version 1.44", this);
  version->setStyleSheet("color: rgb(60, 25, 0);");
  place(version, 56, 34, 150, 10);

  imageButton_ = new QPushButton("&This image", this);
  imageButton_->setObjectName("?ThisImage");
  place(imageButton_, 8, 118, 60, 14);
  closeButton_ = new QPushButton("Cl&ose", this);
  closeButton_->setObjectName("?Close");
  closeButton_->setToolTip("Close Window");
  place(closeButton_, 152, 118, 60, 14);

  onAccepted(imageButton_, [this] {
    message("Image information...", kImageText, MessageIcon::Information, {}, 0, this);
  });
  onAccepted(closeButton_, [this] { finish(); });
}

void Win_About::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(rect(), resourcePicture("background.svg", size()));
}

}  // namespace vm
