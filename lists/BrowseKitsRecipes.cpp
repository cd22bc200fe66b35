#include "lists/BrowseKitsRecipes.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "lists/UpdateKitsRecipes.h"
#include "platform/Resources.h"

namespace vm {

namespace {
constexpr int kDesignWidth = 280;
constexpr int kDesignHeight = 200;
}  // namespace

BrowseKitsRecipes* BrowseKitsRecipes::start() {
  return startOnce<BrowseKitsRecipes>(kProcedure);
}

BrowseKitsRecipes::BrowseKitsRecipes(QWidget* parent) : BrowseWindow(kProcedure, parent) {
  setWindowTitle("Browse Kits/Recipes");
  setHelp("Browse Kits/Recipes", "BrowseBrewName");
  setResizable(true);
  setDesignSize(kDesignWidth, kDesignHeight);
  setMinimumSize(units().toPixels(QSize(kDesignWidth, kDesignHeight)));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("CURRENTTAB");
  auto* page = new QWidget;
  page->setObjectName("TAB:2");
  tabs_->addTab(page, "Brew Kits");
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->setContentsMargins(units().toPixelsX(4), units().toPixelsY(4), units().toPixelsX(4),
                                 units().toPixelsY(4));
  list()->setParent(page);
  pageLayout->addWidget(list());
  list()->setToolTip("Insert all the Brews you use here.");

  panel_ = new QFrame(this);
  panel_->setObjectName("PANEL1");
  panel_->setFrameShape(QFrame::Panel);
  panel_->setFrameShadow(QFrame::Sunken);

  auto button = [this](const char* name, const char* text, const char* tip) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
  };
  insert_ = button("INSERT:2", "&Insert", "Add Kit/Recipe");
  change_ = button("CHANGE:2", "Ch&ange", "Edit Selection");
  delete_ = button("DELETE:2", "&Delete", "Remove Selected");
  print_ = button("PRINT", "  &Print", "Print List");
  print_->setIcon(printerIcon());
  close_ = button("CLOSE", "Cl&ose", "Close this window");
  help_ = addHelpButton(0, 0);

  setTabOrder(tabs_, list());
  setTabOrder(list(), insert_);
  setTabOrder(insert_, change_);
  setTabOrder(change_, delete_);
  setTabOrder(delete_, print_);
  setTabOrder(print_, close_);
  setTabOrder(close_, help_);

  // Descriptions in BRW:BrewKey order, case ignored.
  opened_ = table_.open() == Status::Ok;
  kits_ = list()->setTable(table_, View{brand::kBrewKey, {}});
  list()->setFormat("180L(2)@s45@", {brand::kNameOfBrew});
  bindUpdateButtons(insert_, change_, delete_);
  onAccepted(print_, [this] { printList(); });
  connect(close_, &QPushButton::clicked, this, [this] { finish(); });

  resize(units().toPixels(QSize(kDesignWidth, kDesignHeight)));
  layoutControls();
  if (opened_) list()->first();
}

UpdateForm* BrowseKitsRecipes::makeForm(Request request) {
  const BrandRecord* selected = kits_->current();
  if (request != Request::Insert && !selected) return nullptr;
  return new UpdateKitsRecipes(request, request == Request::Insert ? BrandRecord{} : *selected);
}

void BrowseKitsRecipes::onOpened() {
  // The store has said why the file could not be opened.
  if (!opened_) return finish();
  list()->first();
  list()->setFocus(Qt::OtherFocusReason);
}

void BrowseKitsRecipes::printList() {
  // The kits-and-recipes report comes with the reports; until it exists
  // Print has nothing to run.
}

void BrowseKitsRecipes::layoutControls() {
  const DialogUnits u = units();
  const int w = std::max(kDesignWidth, u.toUnitsX(width()));
  const int h = std::max(kDesignHeight, u.toUnitsY(height()));
  place(tabs_, 4, 4, w - 8, h - 32);
  const int y = h - 24;
  place(panel_, 4, y - 2, 152, 20);
  place(insert_, 8, y + 1, 46, 14);
  place(change_, 56, y + 1, 46, 14);
  place(delete_, 104, y + 1, 48, 14);
  place(print_, w - 110, y + 1, 46, 14);
  place(close_, w - 60, y + 1, 38, 14);
  place(help_, w - 18, y + 1, 14, 14);
}

void BrowseKitsRecipes::resizeEvent(QResizeEvent* event) {
  BrowseWindow::resizeEvent(event);
  layoutControls();
}

void BrowseKitsRecipes::paintEvent(QPaintEvent*) {
  if (background_.size() != size()) background_ = resourcePicture("background.svg", size());
  QPainter p(this);
  p.drawPixmap(0, 0, background_);
}

}  // namespace vm
