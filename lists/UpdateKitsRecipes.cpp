#include "lists/UpdateKitsRecipes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabWidget>
#include <QToolButton>

namespace vm {

namespace {
constexpr int kDesignWidth = 236;
constexpr int kDesignHeight = 96;
}  // namespace

UpdateKitsRecipes::UpdateKitsRecipes(Request request, const BrandRecord& selected, QWidget* parent)
    : RecordForm(kProcedure, request, selected, parent) {
  setWindowTitle("Update Kits/Recipes");
  setTitles("Add Kit/Recipe", "Update Kit/Recipe");
  setHelp("Edit a Kit/Recipe", "UpdateBrewName");
  setResizable(true);
  setDesignSize(kDesignWidth, kDesignHeight);
  setMinimumSize(units().toPixels(QSize(kDesignWidth, kDesignHeight)));
  setAskRecordAdded(true);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("CURRENTTAB");
  auto* page = new QWidget;
  page->setObjectName("TAB:1");
  tabs_->addTab(page, "General");

  prompt_ = new QLabel("&Description:", page);
  prompt_->setObjectName("BRW:NAMEOFBREW:PROMPT");
  description_ = new QLineEdit(page);
  description_->setObjectName("BRW:NAMEOFBREW");
  description_->setToolTip("Description of Kit and size.");
  description_->setStatusTip("Description of Kit and size.");
  prompt_->setBuddy(description_);
  hint1_ = new QLabel("Key in a 'Brew Kit' or 'Recipe' description.", page);
  hint1_->setObjectName("STRING2");
  hint2_ = new QLabel("(Used for selection later in Edit Brews)", page);
  hint2_->setObjectName("STRING2:2");

  ok_ = new QPushButton("&OK", this);
  ok_->setObjectName("OK");
  ok_->setToolTip("Save the Brand");
  ok_->setDefault(true);
  cancel_ = new QPushButton("&Cancel", this);
  cancel_->setObjectName("CANCEL");
  cancel_->setToolTip("Cancel without saving.");
  help_ = addHelpButton(0, 0);

  setTabOrder(description_, ok_);
  setTabOrder(ok_, cancel_);
  setTabOrder(cancel_, help_);

  bind(description_, brand::kNameOfBrew, "@s45");
  setButtons(ok_, cancel_);
  resize(units().toPixels(QSize(kDesignWidth, kDesignHeight)));
  layoutControls();
}

void UpdateKitsRecipes::layoutControls() {
  const DialogUnits u = units();
  const int w = std::max(kDesignWidth, u.toUnitsX(width()));
  const int h = std::max(kDesignHeight, u.toUnitsY(height()));
  place(tabs_, 4, 4, w - 8, h - 26);
  // Inside the tab page.
  place(prompt_, 6, 8, 44, 10);
  place(description_, 52, 7, w - 70, 12);
  place(hint1_, 52, 24, w - 70, 10);
  place(hint2_, 52, 34, w - 70, 10);
  const int y = h - 18;
  place(ok_, w - 128, y, 45, 14);
  place(cancel_, w - 80, y, 45, 14);
  place(help_, w - 18, y, 14, 14);
}

void UpdateKitsRecipes::resizeEvent(QResizeEvent* event) {
  RecordForm::resizeEvent(event);
  layoutControls();
}

}  // namespace vm
