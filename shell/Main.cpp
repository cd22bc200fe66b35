#include "shell/Main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "base/Date.h"
#include "base/Picture.h"
#include "platform/HelpService.h"
#include "platform/MessageBox.h"
#include "platform/Printing.h"
#include "platform/ProgramEvents.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "shell/Commands.h"
#include "store/Globals.h"
#include "store/ProgramSettings.h"

namespace vm {

namespace {
constexpr const char* kWeekdays = "Sunday   Monday   Tuesday  WednesdayThursday Friday   Saturday ";

// The frame's designed size, dialog units of its font.
constexpr int kDesignWidth = 520;
constexpr int kDesignHeight = 330;

// The MDI client with the background picture stretched over it.
class BackgroundArea : public QMdiArea {
 public:
  using QMdiArea::QMdiArea;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QMdiArea::resizeEvent(event);
    const QSize s = viewport()->size();
    if (!s.isEmpty() && s != painted_) {
      painted_ = s;
      setBackground(QBrush(resourcePicture("background.svg", s)));
    }
  }

 private:
  QSize painted_;
};

// The toolbar's row of buttons, at fixed places over its own picture.
class ToolPanel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (picture_.size() != size()) picture_ = resourcePicture("toolbar.svg", size());
    p.drawPixmap(0, 0, picture_);
  }

 private:
  QPixmap picture_;
};
}  // namespace

std::string weekdayName(DayNumber day) {
  int index = day % 7;
  if (index < 0) index += 7;
  std::string name(kWeekdays + index * 9, 9);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

Main::Main() {
  setObjectName("Main");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Vatmark - Version 1.44");
  setWindowIcon(programIcon());
  setFont(programFont("MS Sans Serif", 8));
  installProgramEvents();

  mdi_ = new BackgroundArea(this);
  mdi_->setObjectName("mdiArea");
  setCentralWidget(mdi_);
  setMdiArea(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
    if (shown_ && !closing_) refresh();
  });

  buildMenus();
  buildToolBar();
  buildStatusBar();

  clock_ = new QTimer(this);
  // One tick a second (the designed interval of 100 hundredths).
  clock_->setInterval(1000);
  connect(clock_, &QTimer::timeout, this, &Main::updateClock);
}

Main::~Main() {
  if (mdiArea() == mdi_) setMdiArea(nullptr);
}

QAction* Main::addItem(QMenu* menu, const QString& text, const QString& label,
                       const QString& statusTip) {
  QAction* a = menu->addAction(text);
  a->setObjectName(label);
  if (!statusTip.isEmpty()) a->setStatusTip(statusTip);
  return a;
}

void Main::buildMenus() {
  QMenuBar* bar = menuBar();
  auto connectTo = [this](QAction* a, auto fn) { connect(a, &QAction::triggered, this, fn); };

  QMenu* file = bar->addMenu("&File");
  connectTo(addItem(file, "&Print Setup ...", "?PRINTSETUP", "Setup printer"),
            [this] { showPrintSetup(this); });
  file->addSeparator();
  connectTo(addItem(file, "Export all Brew Records to CSV File", "?FILEEXPORTBREWDATATOCSVFILE"),
            [this] { startCommand("MakeCSV"); });
  file->addSeparator();
  connectTo(addItem(file, "E&xit", "?EXITPRG", "Exit this application"), [this] { close(); });

  QMenu* edit = bar->addMenu("&Edit");
  connectTo(addItem(edit, "Cu&t", "?CUT", "Remove item to Windows Clipboard"),
            [this] { editCommand("cut"); });
  connectTo(addItem(edit, "&Copy", "?COPY", "Copy item to Windows Clipboard"),
            [this] { editCommand("copy"); });
  connectTo(addItem(edit, "&Paste", "?PASTE", "Paste contents of Windows Clipboard"),
            [this] { editCommand("paste"); });

  QMenu* browse = bar->addMenu("&Browse");
  connectTo(addItem(browse, "&Browse Brews", "?BROWSEHOMEBREW", "Browse HOMEBREW"),
            [this] { startBrowse("BrowseBrews"); });
  connectTo(addItem(browse, "Br&owse Kits/Recipes", "?BROWSEKITS"),
            [this] { startBrowse("BrowseKitsRecipes"); });
  connectTo(addItem(browse, "Browse &Web Links", "?BROWSEWEBLINKS"),
            [this] { startBrowse("BrowseWebLinks"); });
  connectTo(addItem(browse, "Browse &Shopping List", "?BROWSESHOPPINGLIST"),
            [this] { startBrowse("BrowseShoppingList"); });

  QMenu* reports = bar->addMenu("&Reports");
  reports->menuAction()->setStatusTip("Report data");
  connectTo(addItem(reports, "Brewers Record Sheet", "?REPORTSBREWINGRECORDSHEET"),
            [this] { openCommand("Rpt_BrewingRecordSheet"); });
  reports->addSeparator();
  QMenu* all = reports->addMenu("List &Brews");
  all->menuAction()->setObjectName("?REPORTSALLBREWS");
  struct Item {
    const char* text;
    const char* label;
    const char* procedure;
  };
  auto startItems = [&](QMenu* menu, std::initializer_list<Item> items) {
    for (const Item& i : items) {
      if (!i.text) {
        menu->addSeparator();
        continue;
      }
      const std::string procedure = i.procedure;
      connectTo(addItem(menu, i.text, i.label), [this, procedure] { startCommand(procedure); });
    }
  };
  startItems(all,
             {{"By &Batch number - Descending", "?REPORTSBREWSBYBATCHNO", "Rpt_BrewsByBatchNo"},
              {"By &Record Order - Ascending", "?REPORTSALLBREWSBYRECORD", "Rpt_BrewsByRecordNo"},
              {"By &Kit/Recipe name - Ascending", "?REPORTSBREWSBYKIT", "Rpt_BrewsByKitRecipe"},
              {"By &Date Down - Descending", "?REPORTSBREWSDATEDOWN", "Rpt_BrewsByDateDown"},
              {"By &Cost of Brew - (Brews with no cost excluded)", "?REPORTSLISTBREWSBYCOST",
               "Rpt_BrewsByCost"},
              {nullptr, nullptr, nullptr},
              {"By &Tasting Score - Best to worst", "?REPORTSBREWSBYQUALITY", "Rpt_ByTasteScore"},
              {nullptr, nullptr, nullptr}});
  connectTo(addItem(all, "For a &Selected Batch Range Only", "?REPORTSALLBREWSSELECTRANGE"),
            [this] { openCommand("Win_PrintFromToRange"); });
  QMenu* stock = reports->addMenu("&Stock on Hand Only");
  stock->menuAction()->setObjectName("?REPORTSSTOCKONHANDONLY");
  startItems(
      stock,
      {{"&Brews in Stock by Batch Number", "?REPORTSSTOCKBYBNO", "Rpt_ByBatchNumberInStock"},
       {"Brews in &Stock by Record Order", "?REPORTSBREWSINSTOCKBYRECORDORDER",
        "Rpt_ByRecordNumberInStock"},
       {nullptr, nullptr, nullptr},
       {"Brews in &Stock by Tasting Score", "?REPORTSSTOCKBYTASTING", "Rpt_ByTasteScoreInstock"},
       {nullptr, nullptr, nullptr},
       {"Stock Take Sheet", "?RPTSSTOCKTAKESHEET", "Rpt_BrewStockSheet"}});
  reports->addSeparator();
  startItems(reports, {{"&List Kits\\Recipes", "?REPORTSLISTALLKITS", "Rpt_KitsRecipes"},
                       {"&Shopping List", "?REPORTSHOPLIST", "Rpt_ShoppingList"},
                       {"T&asting score sheet (plain)", "?REPORTSTASTINGSCORESHEET",
                        "Rpt_TastingScoreSheetNoBrew"},
                       {"List &Web Links", "?REPORTSLISTWEBLINKS", "Rpt_WebLinks"}});

  QMenu* prefs = bar->addMenu("&Preferences");
  connectTo(addItem(prefs, "&Program Defaults", "?PREFERENCESPROGRAMDEFAULTS"),
            [this] { openCommand("Win_SetPrgDefaults"); });
  prefs->addSeparator();
  QMenu* display = prefs->addMenu("&Display");
  display->menuAction()->setObjectName("?PREFERENCESDISPLAY");
  connectTo(addItem(display, "&Display Toolbar", "?PREFERENCESUNHIDETOOLBAR"),
            [this] { showToolBar(true, true); });
  connectTo(addItem(display, "&Hide Toolbar", "?PREFERENCESHIDETOOLBAR"),
            [this] { showToolBar(false, true); });

  QMenu* utils = bar->addMenu("&Utilities");
  connectTo(addItem(utils, "&Unit Conversion", "?TOOLSUNITCONVERSION"),
            [this] { openCommand("Win_UnitConversions"); });
  connectTo(addItem(utils, "C&ost Calculator", "?TOOLSITEM47"), [this] {
    if (!commands().has("Win_CalculateCost")) return;
    // The calculator costs a brew only when a browser hands one over.
    globals().getKitName.clear();
    globals().getBatchName.clear();
    globals().getBatchNumber = 0;
    openCommand("Win_CalculateCost");
  });
  connectTo(addItem(utils, "&Alcohol % Calculator", "?UTILALCCAL"),
            [this] { openCommand("Win_AlcCalculator"); });
  connectTo(addItem(utils, "&Gravity Correction", "?UTILITIESGRAVITYCORRECTION"),
            [this] { openCommand("Win_GravityCorrectionUtility"); });
  connectTo(addItem(utils, "&Calculator", "?TOOLSCALCULATOR"), [this] {
    StartSumpad();
    refresh();
  });
  utils->addSeparator();
  connectTo(addItem(utils, "&Backup Data Files", "?MAINTENANCEBACKUPDATAFILES"),
            [this] { openCommand("Win_BackupData"); });

  QMenu* window = bar->addMenu("&Window");
  window->menuAction()->setStatusTip("Create and Arrange windows");
  connectTo(addItem(window, "T&ile", "?TILE", "Make all open windows visible"),
            [this] { mdi_->tileSubWindows(); });
  connectTo(addItem(window, "&Cascade", "?CASCADE", "Stack all open windows"),
            [this] { mdi_->cascadeSubWindows(); });
  connectTo(addItem(window, "&Arrange Icons", "?ARRANGE", "Align all window icons"),
            [this] { arrangeIcons(); });

  QMenu* help = bar->addMenu("&Help");
  help->menuAction()->setStatusTip("Windows Help");
  connectTo(addItem(help, "Help File &Contents", "?MYHELP", "View the contents of the help file"),
            [this] { helpService().showContents(this); });
  help->addSeparator();
  connectTo(addItem(help, "&About Vatmark", "?HELPABOUTVATMARK"),
            [this] { startCommand("Win_About"); });
  help->addSeparator();
  connectTo(addItem(help, "Check for Updates Online", "?HELPCHECKFORUPDATESONLINE"), [this] {
    message("Please note...", "You must be connected to the Internet to use this option.",
            MessageIcon::Information, {}, 0, this);
    OpenShellDocument(kUpdatePage, this);
  });
}

void Main::buildToolBar() {
  toolBar_ = new QToolBar("Toolbar", this);
  toolBar_->setObjectName("?TOOLBAR");
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->toggleViewAction()->setVisible(false);
  toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  toolBar_->setContentsMargins(0, 0, 0, 0);
  toolBar_->layout()->setContentsMargins(0, 0, 0, 0);
  addToolBar(Qt::TopToolBarArea, toolBar_);

  toolPanel_ = new ToolPanel(toolBar_);
  const DialogUnits u = units();
  toolPanel_->setFixedHeight(u.toPixelsY(26));
  toolPanel_->setMinimumWidth(u.toPixelsX(244));
  toolPanel_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  toolBar_->addWidget(toolPanel_);

  struct Button {
    int x;
    const char* tip;
    const char* label;
    const char* icon;
    const char* action;
  };
  const Button buttons[] = {
      {4, "Browse Brews", "?BREWSBUT", "browse_brews.svg", "?BROWSEHOMEBREW"},
      {34, "Browse Kits/Recipes", "?BROWSEKITS:2", "browse_kits.svg", "?BROWSEKITS"},
      {64, "Unit Converion", "?CONVERSIONBUT", "unit_conversion.svg", "?TOOLSUNITCONVERSION"},
      {94, "Shopping List", "?BUTTON9", "shopping_list.svg", "?BROWSESHOPPINGLIST"},
      {124, "Cost Calculator", "?BUTTON7", "cost_calculator.svg", "?TOOLSITEM47"},
      {154, "Web links", "?WEBBUTTON", "web_links.svg", "?BROWSEWEBLINKS"},
      {184, "Calculator", "?CALBUT1", "calculator.svg", "?TOOLSCALCULATOR"},
      {214, " Backup your Vatmark data files.\n (Close all windows to access)", "?BUPBUT",
       "backup.svg", "?MAINTENANCEBACKUPDATAFILES"},
  };
  for (const Button& b : buttons) {
    auto* tb = new QToolButton(toolPanel_);
    tb->setObjectName(b.label);
    tb->setToolTip(b.tip);
    tb->setIcon(resourceIcon(b.icon));
    tb->setAutoRaise(true);
    tb->setFocusPolicy(Qt::NoFocus);
    placeAt(tb, u, b.x, 2, 26, 22);
    tb->setIconSize(QSize(tb->height() - 6, tb->height() - 6));
    QAction* a = action(b.action);
    connect(tb, &QToolButton::clicked, a, &QAction::trigger);
  }
}

void Main::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(true);
  const DialogUnits u = units();
  for (int i = 0; i < 4; ++i) {
    zones_[i] = new QLabel(bar);
    zones_[i]->setObjectName(QString("zone%1").arg(i + 1));
    zones_[i]->setFrameShape(QFrame::Panel);
    zones_[i]->setFrameShadow(QFrame::Sunken);
  }
  bar->addWidget(zones_[0], 1);
  zones_[1]->setMinimumWidth(u.toPixelsX(40));
  zones_[2]->setMinimumWidth(u.toPixelsX(100));
  zones_[3]->setMinimumWidth(u.toPixelsX(34));
  zones_[2]->setAlignment(Qt::AlignCenter);
  zones_[3]->setAlignment(Qt::AlignCenter);
  for (int i = 1; i < 4; ++i) bar->addPermanentWidget(zones_[i]);
}

QAction* Main::action(const QString& label) const {
  return findChild<QAction*>(label);
}
QToolButton* Main::toolButton(const QString& label) const {
  return findChild<QToolButton*>(label);
}
QLabel* Main::zone(int n) const {
  return n >= 1 && n <= 4 ? zones_[n - 1] : nullptr;
}

void Main::open() {
  // Step 2: placement, as designed unless "Main" holds one.
  const DialogUnits u = units();
  resize(u.toPixels(QSize(kDesignWidth, kDesignHeight)));
  if (QScreen* s = QGuiApplication::primaryScreen())
    move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  restorePlacement(this, "Main", u, true);

  // Step 3: the toolbar, then the program defaults.
  if (readDisplaySetting() == DisplaySetting::Hide) showToolBar(false, false);
  readFrameSettings(globals());

  // Step 4: the clock.
  updateClock();
  clock_->start();

  refresh();
  show();
  // The splash had the focus; the frame takes it over.
  raise();
  activateWindow();
}

void Main::afterShown() {
  // Step 5: the defaults prompt while the defaults were never saved; the
  // rest goes on when it has closed.
  auto rest = [this](int) {
    // The frame closed while the prompt was up: nothing more to open.
    if (closing_) return;
    globals().thisDay = today();
    // Step 6.
    if (globals().openAtBrowse == 1) startBrowse("BrowseBrews");
    emit opened();
  };
  if (globals().setDefaultsYN == 0 && commands().run("Win_SetPrgDefaultsYN", this, rest)) return;
  rest(0);
}

void Main::refresh() {
  const bool browsing = globals().browseOpen == 1;
  if (QToolButton* b = toolButton("?BUPBUT")) b->setVisible(!browsing);
  if (QAction* a = action("?FILEEXPORTBREWDATATOCSVFILE")) a->setEnabled(!browsing);
  if (QAction* a = action("?MAINTENANCEBACKUPDATAFILES")) a->setEnabled(!browsing);
}

void Main::updateClock() {
  const DayNumber day = today();
  zones_[2]->setText(QString::fromStdString(weekdayName(day) + ", " + formatDate(day, "@D4")));
  zones_[3]->setText(QString::fromStdString(formatTime(timeOfDay(), "@T3")));
}

void Main::startBrowse(const std::string& procedure) {
  if (!commands().has(procedure)) return;
  globals().browseOpen = 1;
  refresh();
  commands().run(procedure, this);
}

void Main::openCommand(const std::string& procedure) {
  commands().run(procedure, this);
}
void Main::startCommand(const std::string& procedure) {
  commands().run(procedure, this);
}

void Main::showToolBar(bool shown, bool remember) {
  toolBar_->setVisible(shown);
  if (remember) writeDisplaySetting(shown ? DisplaySetting::Unhide : DisplaySetting::Hide);
}

void Main::arrangeIcons() {
  // Minimised windows in a row along the bottom of the client area.
  int x = 0;
  const int bottom = mdi_->viewport()->height();
  for (QMdiSubWindow* s : mdi_->subWindowList()) {
    if (!s->isMinimized()) continue;
    const QSize size = s->size();
    s->move(x, bottom - size.height());
    x += size.width();
  }
}

void Main::editCommand(const char* slot) {
  QWidget* w = QApplication::focusWidget();
  if (!w) return;
  if (auto* c = qobject_cast<QComboBox*>(w)) w = c->lineEdit();
  if (!w) return;
  if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
      qobject_cast<QPlainTextEdit*>(w))
    QMetaObject::invokeMethod(w, slot);
  else if (auto* le = w->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
    QMetaObject::invokeMethod(le, slot);  // the entry inside a spin box
}

void Main::setCalleeOpen(bool open) {
  callees_ += open ? 1 : -1;
  if (callees_ < 0) callees_ = 0;
  menuBar()->setEnabled(callees_ == 0);
  toolBar_->setEnabled(callees_ == 0);
}

bool Main::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::StatusTip:
      // Zone 1 carries the highlighted item's message; the other zones stay.
      zones_[0]->setText(static_cast<QStatusTipEvent*>(e)->tip());
      return true;
    case QEvent::WindowActivate:
      if (shown_ && !closing_) refresh();
      break;
    case QEvent::Show:
      if (!shown_) {
        shown_ = true;
        QTimer::singleShot(0, this, &Main::afterShown);
      }
      break;
    default:
      break;
  }
  return QMainWindow::event(e);
}

void Main::keyPressEvent(QKeyEvent* event) {
  // The help keys reach the frame only when no window of its own took them:
  // a shortcut of the frame would clash with each child window's and, being
  // ambiguous, neither would fire.
  if ((event->key() == Qt::Key_F1 || event->key() == Qt::Key_F12) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    helpService().showContents(this);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void Main::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    // Every window the frame started goes with it, each saving its place.
    closeAllWindows();
    // A window that would not close (a form whose user chose Cancel when
    // asked to save) keeps the program running: going on would destroy it
    // and what was typed in it.
    for (Window* w : openWindows()) {
      if (!w->isClosing()) {
        closing_ = false;
        event->ignore();
        return;
      }
    }
    clock_->stop();
    savePlacement(this, "Main", units(), true);
    emit closed();
  }
  event->accept();
}

}  // namespace vm
