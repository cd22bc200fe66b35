// Screenshots of the kits browser, its form and the kit pick list dropped
// down, for a person to look at: run under a real display (xvfb-run) and
// find the pictures in /tmp (kits_browser.png, kits_form.png,
// kits_picklist.png).  Not a test; ctest does not run it.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "lists/BrowseKitsRecipes.h"
#include "lists/KitPickList.h"
#include "lists/UpdateKitsRecipes.h"
#include "platform/Window.h"

namespace {
void settle() {
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  QDir::setCurrent(dir.path());
  {
    vm::BrandTable t;
    t.open();
    for (const char* name :
         {"Coopers Lager 1.7kg", "Coopers Real Ale 1.7kg", "Muntons Gold Smugglers Ale 3kg",
          "Youngs Harvest Pilsner 40 pints", "Brewferm Abbey 9 litres", "Geordie Scottish Export",
          "Festival Razorback IPA", "St Peters Ruby Red Ale", "Bulldog Bohemian Pilsner",
          "Mangrove Jacks Craft Series Pink Grapefruit IPA", "Wilko Mexican Cerveza 40 pints",
          "Better Brew Stout", "Tom Caxton Best Bitter", "John Bull Dark Mild"}) {
      vm::BrandRecord r;
      r.nameOfBrew = name;
      t.insert(r);
    }
  }
  QMainWindow frame;
  auto* area = new QMdiArea;
  frame.setCentralWidget(area);
  frame.resize(900, 650);
  frame.show();
  vm::setMdiArea(area);
  settle();

  vm::BrowseKitsRecipes* browser = vm::BrowseKitsRecipes::start();
  browser->subWindow()->move(10, 10);
  settle();
  browser->list()->oneForward();
  settle();
  browser->subWindow()->grab().save("/tmp/kits_browser.png");

  browser->changeButton()->click();
  settle();
  auto* form = qobject_cast<vm::UpdateKitsRecipes*>(vm::findWindow("UpdateKitsRecipes"));
  if (form) {
    form->grab().save("/tmp/kits_form.png");
    form->close();
  }
  settle();

  vm::Window pickWindow("TestPickWindow");
  auto* pick = new vm::KitPickList(&pickWindow);
  pickWindow.place(pick, 6, 6, 190, 12);
  pickWindow.resize(pickWindow.units().toPixels(QSize(210, 140)));
  pickWindow.setWindowTitle("Pick list");
  pickWindow.move(200, 150);
  pickWindow.show();
  settle();
  pick->setFocus();
  pick->lineEdit()->setText("Coopers Real Ale 1.7kg");
  pick->reload();
  pick->showPopup();
  settle();
  QApplication::primaryScreen()
      ->grabWindow(0)
      .copy(190, 100, 520, 420)
      .save("/tmp/kits_picklist.png");
  vm::closeAllWindows();
  settle();
  return 0;
}
