// Saves a picture of each calculator window (after a few figures are
// entered, so every display shows something) for people to look at:
//   xvfb-run -a -s "-screen 0 1280x1024x24" brews_screenshots [folder]
// writes calc_<procedure>.png into the folder (default /tmp).  The windows
// are opened in a temporary folder so no settings file is touched.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

#include "brews/CalcControls.h"
#include "brews/Win_AlcCalculator.h"
#include "brews/Win_CalculateCost.h"
#include "brews/Win_GravityCorrectionUtility.h"
#include "brews/Win_SugarAlc.h"
#include "brews/Win_UnitConversions.h"
#include "platform/MessageBox.h"
#include "store/Globals.h"

namespace {

void settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool save(vm::Window* w, const QString& folder, const QString& suffix = {}) {
  vm::startWindow(w);
  w->activateWindow();
  settle();
  const QString file =
      QDir(folder).filePath("calc_" + QString::fromStdString(w->procedure()) + suffix + ".png");
  const bool ok = w->grab().save(file);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
  QTemporaryDir work;
  QDir::setCurrent(work.path());
  vm::MessageScript quiet;  // the example's message box is answered at once
  bool ok = true;

  ok &= save(new vm::Win_AlcCalculator, folder);

  auto* sugar = new vm::Win_SugarAlc;
  ok &= save(sugar, folder);

  vm::globals().tempPrompt = 1;
  ok &= save(new vm::Win_GravityCorrectionUtility, folder);
  // Fahrenheit, in the cold band whose correction is negative.
  vm::globals().tempPrompt = 0;
  auto* cold = new vm::Win_GravityCorrectionUtility;
  vm::startWindow(cold);
  cold->activateWindow();
  settle();
  cold->fahrenheitSpin()->setFocus();
  settle();
  cold->fahrenheitSpin()->setValue(52);
  ok &= save(cold, folder, "_F");

  auto* units = new vm::Win_UnitConversions;
  using vm::brewmath::UnitInput;
  for (int i = 0; i < vm::Win_UnitConversions::kInputs; ++i) {
    auto* s = units->input(static_cast<UnitInput>(i));
    s->setValue(i < 8 ? 23 : 20);
    units->dispatch(s, vm::FieldEvent::Accept);
  }
  ok &= save(units, folder);

  vm::globals().getKitName = "Coopers Real Ale";
  vm::globals().getBatchName = "Winter warmer";
  vm::globals().getBatchNumber = 118;
  auto* cost = new vm::Win_CalculateCost;
  cost->exampleButton()->click();
  ok &= save(cost, folder);

  return ok ? 0 : 1;
}
