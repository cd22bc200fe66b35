#include "brews/Win_SugarAlc.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <string>

#include "brews/CalcControls.h"
#include "store/Globals.h"

namespace vm {

namespace {
constexpr const char* kAlcoholPicture = "@N3.1B";
constexpr const char* kKilograms[] = {"1.000", "0.750", "0.500", "0.250"};
constexpr const char* kPounds[] = {"2.200", "1.650", "1.100", "0.550"};
}  // namespace

Win_SugarAlc::Win_SugarAlc()
    : Window(kProcedure), basis_(brewmath::alcoholBasisFromSetting(globals().alcBasedOn)) {
  setWindowTitle("Fermentation   (Sugar volumn)");
  setFont(programFont("MS Sans Serif", 8));
  setDesignSize(210, 172);
  // No Help button; F1 still opens the window's page.
  setHelp({}, kProcedure);

  inform_ = new QLabel(this);
  inform_->setObjectName("?LOC:INFORMSTRG");
  inform_->setAlignment(Qt::AlignCenter);
  place(inform_, 6, 6, 198, 11);

  const auto centre = Qt::AlignCenter;
  const int columns[] = {14, 60, 106, 152};
  const char* headings[] = {"kg Sugar", "lbs Sugar", "% alc/vol", "% alc/wgt"};
  for (int c = 0; c < 4; ++c)
    place(calc::makeLabel(this, headings[c], nullptr, centre), columns[c], 22, 44, 11);
  auto* rule = new QFrame(this);
  rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  place(rule, 12, 34, 186, 2);

  for (int r = 0; r < 4; ++r) {
    const int y = 38 + r * 13;
    place(calc::makeLabel(this, kKilograms[r], nullptr, centre), columns[0], y, 44, 11);
    place(calc::makeLabel(this, kPounds[r], nullptr, centre), columns[1], y, 44, 11);
    const std::string n = std::to_string(r + 1);
    alcVol_[r] = calc::makeDisplay(this, ("?LOC:ALCVOL" + n).c_str());
    alcWgt_[r] = calc::makeDisplay(this, ("?LOC:ALCWGT" + n).c_str());
    alcVol_[r]->setAlignment(centre);
    alcWgt_[r]->setAlignment(centre);
    place(alcVol_[r], columns[2] + 6, y, 32, 11);
    place(alcWgt_[r], columns[3] + 6, y, 32, 11);
  }

  const char* notes[] = {"% by volume and % by weight",
                         "If you do not have a Hydrometer to measure",
                         "Original and Final gravity the above will give",
                         "you an approximation of alcohol percentage."};
  for (int i = 0; i < 4; ++i)
    place(calc::makeLabel(this, notes[i], nullptr, centre), 6, 94 + i * 10, 198, 10);

  allowance_ = new QPushButton("&Add extra % for Bottle Conditioning", this);
  allowance_->setObjectName("?BUTTON2");
  allowance_->setToolTip("Normally would add.");
  place(allowance_, 6, 150, 144, 15);
  close_ = new QPushButton("Cl&ose", this);
  close_->setObjectName("?CLOSE");
  close_->setToolTip("Close this window");
  place(close_, 156, 150, 48, 15);

  onAccepted(allowance_, [this] { applyAllowance(); });
  onAccepted(close_, [this] { finish(); });

  inform_->setText(QString::fromStdString(brewmath::sugarTableInformText(basis_, false)));
  redisplay();
}

Win_SugarAlc* Win_SugarAlc::makeOnce() {
  if (bringToFront(kProcedure)) return nullptr;
  return new Win_SugarAlc;
}

void Win_SugarAlc::applyAllowance() {
  inform_->setText(QString::fromStdString(brewmath::sugarTableInformText(basis_, true)));
  if (auto refused = table_.applyAllowance()) calc::show(*refused, this);
  redisplay();
}

void Win_SugarAlc::redisplay() {
  for (int r = 0; r < 4; ++r) {
    calc::setDisplay(alcVol_[r], table_.rows()[r].alcVol, kAlcoholPicture);
    calc::setDisplay(alcWgt_[r], table_.rows()[r].alcWgt, kAlcoholPicture);
  }
}

}  // namespace vm
