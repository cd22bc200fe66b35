#include "shell/Win_SetPrgDefaults.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <iterator>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/ProgramEvents.h"
#include "store/Globals.h"
#include "store/ProgramSettings.h"

namespace vm {

namespace {

QFont narrowFont() {
  QFont f = programFont("Arial", 8);
  f.setFamilies({"Arial Narrow", "Liberation Sans Narrow", "Nimbus Sans Narrow",
                 "DejaVu Sans Condensed", "Liberation Sans"});
  return f;
}

// Shows `value` in an option group: the radio of that value, or none at all
// for a value that has no radio (a hand-edited settings file).
void showChoice(QButtonGroup* group, std::uint8_t value) {
  if (QAbstractButton* b = group->button(value)) {
    b->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(false);
  group->setExclusive(true);
}

}  // namespace

Win_SetPrgDefaults::Win_SetPrgDefaults() : Window("Win_SetPrgDefaults") {
  setWindowTitle("Program defaults...");
  setFont(programFont("Arial", 8));
  setDesignSize(272, 175);
  setHelp("Program defaults", "Win_SetPrgDefaults");

  Globals& g = globals();
  if (g.setDefaultsYN == 1) {
    guarded_ = true;
    openedUnits_ = g.unitsPrompt;
    openedTemp_ = g.tempPrompt;
    openedAlc_ = g.alcBasedOn;
  } else if (g.setDefaultsYN == 0) {
    // Never saved: start from the recommended choices.  A hand-edited
    // SetYN of another number is neither, and keeps the values read.
    g.openAtBrowse = 1;
    g.openAtStockOnly = 1;
    g.overrideFermentation = 0;
    g.tipFlag = 1;
    g.unitsPrompt = 1;
    g.tempPrompt = 1;
    g.alcBasedOn = 1;
  }
  brewsOpen_ = brews_.open() == Status::Ok;

  std::vector<QFrame*> panels;
  auto panel = [&](int x, int y, int w, int h) {
    auto* f = new QFrame(this);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Sunken);
    place(f, x, y, w, h);
    panels.push_back(f);
  };
  auto text = [&](const char* t, int x, int y, int w, int h, bool narrow) {
    auto* l = new QLabel(t, this);
    if (narrow) l->setFont(narrowFont());
    place(l, x, y, w, h);
    // Where no narrow face is installed the notes would be cut off; a
    // smaller size keeps the whole sentence in its designed width.
    QFont f = l->font();
    while (narrow && f.pointSize() > 6 &&
           QFontMetrics(f).horizontalAdvance(l->text()) > l->width()) {
      f.setPointSize(f.pointSize() - 1);
      l->setFont(f);
    }
    return l;
  };
  const char* measureTip = "Once initially set should not be changed.";
  auto group = [&](const char* title, int x, int y, int w, int h, const char* one, const char* zero,
                   QRadioButton*& oneOut, QRadioButton*& zeroOut) {
    auto* box = new QGroupBox(title, this);
    place(box, x, y, w, h);
    oneOut = new QRadioButton(one, box);
    zeroOut = new QRadioButton(zero, box);
    oneOut->setToolTip(measureTip);
    zeroOut->setToolTip(measureTip);
    placeAt(oneOut, units(), 5, 12);
    placeAt(zeroOut, units(), 5, 24);
    auto* bg = new QButtonGroup(this);
    bg->addButton(oneOut, 1);
    bg->addButton(zeroOut, 0);
    return bg;
  };

  // Declaration order, which is also the tab order.
  openAtBrowse_ = new QCheckBox(
      " &Always open at the 'Browse Brews' window when the program is first run.", this);
  openAtBrowse_->setObjectName("?GLO:OPENATBROWSE");
  openAtBrowse_->setToolTip("Can be changed anytime.");
  place(openAtBrowse_, 11, 76);
  panel(5, 123, 262, 28);
  override_ = new QCheckBox(
      " Override the primary 'Fermentation' calculation (found in Edit Brews).", this);
  override_->setObjectName("?GLO:OVERRIDEFERMENTATION");
  place(override_, 9, 125);
  text(
      "The program will calculate the primary fermentation period based on the Date Down and "
      "Date Bottled.",
      20, 133, 243, 8, true);
  text(
      "If you wish to always enter your own value here then tick to disallow auto calculation "
      "by the program.",
      21, 140, 244, 8, true);
  toolTips_ = new QCheckBox(" Display &ToolTips.", this);
  toolTips_->setObjectName("?GLO:TIPFLAG");
  toolTips_->setToolTip("This is a Tooltip  (Popup help message)");
  place(toolTips_, 11, 100, 73, 10);
  text("Measurements", 8, 8, 58, 8, false);
  text("Preferences", 11, 66, 67, 8, false);
  panel(5, 64, 262, 56);
  panel(5, 6, 262, 55);
  alcGroup_ = group("% Alc based on...", 155, 20, 109, 37, " abv  (% alcohol by &Volume)",
                    " abw  (% alcohol by &Weight)", abv_, abw_);
  text("These options can be changed at any time.", 79, 67, 182, 10, true);
  text("Important - This should be done first!", 79, 8, 182, 10, true);
  unitsGroup_ = group("Units", 9, 20, 59, 37, " &Metric", " Imperial/&US", metric_, imperial_);
  text("For more details please select the 'Help' button   >", 15, 158, 151, 10, false);
  tempGroup_ = group("Temperature (C or F)", 72, 20, 79, 37, " &Celsius", " &Fahrenheit", celsius_,
                     fahrenheit_);
  text(
      "What's a ToolTip?   Its a popup message that appears when you hover the mouse pointer "
      "over a control.",
      15, 111, 250, 8, true);
  text("Recommended until you are familiar with all the programs controls.", 84, 102, 177, 8, true);
  text("(UN-Tick for in stock only)", 200, 89, 66, 8, true);
  displayAll_ = new QCheckBox(" &Display All Brews when the Browse Brews is opened.", this);
  displayAll_->setObjectName("?GLO:OPENATSTOCKONLY");
  place(displayAll_, 11, 88, 191, 10);
  ok_ = new QPushButton("&OK", this);
  ok_->setObjectName("?OK");
  ok_->setToolTip("Save Defaults");
  place(ok_, 199, 156, 47, 14);
  help_ = addHelpButton(249, 156, 17, 14);

  for (QFrame* f : panels) f->lower();
  QWidget* order[] = {openAtBrowse_, override_, toolTips_,   abv_,        abw_, metric_,
                      imperial_,     celsius_,  fahrenheit_, displayAll_, ok_,  help_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Clicks change the globals at once.
  auto bindTick = [](QCheckBox* box, std::uint8_t Globals::*member) {
    connect(box, &QCheckBox::clicked, box, [member](bool on) { globals().*member = on ? 1 : 0; });
  };
  bindTick(openAtBrowse_, &Globals::openAtBrowse);
  bindTick(override_, &Globals::overrideFermentation);
  bindTick(toolTips_, &Globals::tipFlag);
  bindTick(displayAll_, &Globals::openAtStockOnly);
  auto bindChoice = [](QButtonGroup* bg, std::uint8_t Globals::*member) {
    connect(bg, &QButtonGroup::idClicked, bg,
            [member](int id) { globals().*member = static_cast<std::uint8_t>(id); });
  };
  bindChoice(alcGroup_, &Globals::alcBasedOn);
  bindChoice(unitsGroup_, &Globals::unitsPrompt);
  bindChoice(tempGroup_, &Globals::tempPrompt);

  watch(ok_);
  onAccepted(ok_, [this] { save(); });
  showGlobals();
}

Win_SetPrgDefaults::~Win_SetPrgDefaults() = default;

void Win_SetPrgDefaults::showGlobals() {
  const Globals& g = globals();
  openAtBrowse_->setChecked(g.openAtBrowse == 1);
  // Written as "1" for any value but 0, so shown ticked the same way.
  override_->setChecked(g.overrideFermentation != 0);
  toolTips_->setChecked(g.tipFlag == 1);
  displayAll_->setChecked(g.openAtStockOnly == 1);
  showChoice(alcGroup_, g.alcBasedOn);
  showChoice(unitsGroup_, g.unitsPrompt);
  showChoice(tempGroup_, g.tempPrompt);
}

bool Win_SetPrgDefaults::holdsBrews() {
  // A brew file that could not be opened has been reported by the store;
  // the settings can still be made.
  if (!brewsOpen_) return false;
  std::int64_t n = 0;
  return brews_.count(n) == Status::Ok && n > 0;
}

void Win_SetPrgDefaults::onField(QWidget* control, FieldEvent event) {
  if (control == ok_ && event == FieldEvent::Focus) askAboutChanges();
}

void Win_SetPrgDefaults::askAboutChanges() {
  Globals& g = globals();
  if (!guarded_ || g.setDefaultsYN != 1) return;
  struct Choice {
    std::uint8_t Globals::*member;
    std::uint8_t opened;
    const char* title;
    const char* text;
    QButtonGroup* group;
  };
  const Choice choices[] = {
      {&Globals::unitsPrompt, openedUnits_, kUnitsTitle, kUnitsText, unitsGroup_},
      {&Globals::tempPrompt, openedTemp_, kTempTitle, kTempText, tempGroup_},
      {&Globals::alcBasedOn, openedAlc_, kAlcTitle, kAlcText, alcGroup_}};
  int brews = -1;  // counted once, when the first changed choice needs it
  for (const Choice& c : choices) {
    if (g.*c.member == c.opened) continue;
    if (brews < 0) brews = holdsBrews() ? 1 : 0;
    if (brews == 0) return;
    if (message(c.title, c.text, MessageIcon::Exclamation, kQuestionButtons, 0, this) == 1) {
      g.*c.member = c.opened;
      showChoice(c.group, c.opened);
    }
  }
}

void Win_SetPrgDefaults::onClosing() {
  brews_.close();
}

void Win_SetPrgDefaults::save() {
  writeProgramDefaults(globals());
  applyTipFlag();
  finish();
}

}  // namespace vm
