#include "brews/Win_CalculateCost.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "base/Picture.h"
#include "brews/CalcControls.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "store/Globals.h"

namespace vm {

namespace {
constexpr const char* kMoneyPicture = "@N10.2B";
constexpr const char* kBatchNumberPicture = "@N4B";
constexpr int kKitNameLength = 45;
constexpr int kBatchNameLength = 25;

std::function<void()>& printReport() {
  static std::function<void()> start;
  return start;
}

// Item 0..7: kit, sugar, bottles/caps, sundry 1 .. 5.
Decimal& costItem(brewmath::CostFigures& f, int item) {
  switch (item) {
    case 0:
      return f.kitCost;
    case 1:
      return f.sugarCost;
    case 2:
      return f.bottleCost;
    default:
      return f.sundry[item - 3];
  }
}
const Decimal& costItem(const brewmath::CostFigures& f, int item) {
  return costItem(const_cast<brewmath::CostFigures&>(f), item);
}

// Every figure but the total: what Close leaves behind for the caller.
void clearAllButTotal(brewmath::CostFigures& f) {
  const Decimal total = f.totalCost;
  f = brewmath::CostFigures{};
  f.totalCost = total;
}
}  // namespace

Win_CalculateCost::Win_CalculateCost() : Window(kProcedure) {
  setWindowTitle("Calculate a Unit Cost...");
  setFont(programFont("MS Sans Serif", 8));
  setDesignSize(318, 222);
  setHelp("Unit cost", kProcedure);

  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  const char* brewTip = "Brew details (Optional)";

  // Brew details.
  kitName_ = new QLineEdit(this);
  kitName_->setObjectName("?GLO:GETKITNAME");
  kitName_->setMaxLength(kKitNameLength);
  place(calc::makeLabel(this, "&Kit/Recipe:", kitName_, right), 6, 8, 50, 12);
  place(kitName_, 60, 8, 164, 12);
  place(calc::makeLabel(this, "(brew details optional)"), 228, 8, 86, 12);
  batchName_ = new QLineEdit(this);
  batchName_->setObjectName("?GLO:GETBATCHNAME");
  batchName_->setMaxLength(kBatchNameLength);
  batchName_->setToolTip(brewTip);
  place(calc::makeLabel(this, "B&atch Name:", batchName_, right), 6, 24, 50, 12);
  place(batchName_, 60, 24, 110, 12);
  batchNumber_ = new QLineEdit(this);
  batchNumber_->setObjectName("?GLO:GETBATCHNUMBER");
  batchNumber_->setMaxLength(4);
  batchNumber_->setAlignment(right);
  batchNumber_->setToolTip(brewTip);
  place(calc::makeLabel(this, "&No.", batchNumber_, right), 174, 24, 18, 12);
  place(batchNumber_, 196, 24, 28, 12);

  // Cost of Brew, with its total under it.
  place(new QGroupBox("Cost of Brew", this), 6, 42, 138, 148);
  const char* names[] = {"?GLO:KITCOST", "?GLO:SUGARCOST", "?GLO:BOTTLECOST", "?GLO:SUNDRY1",
                         "?GLO:SUNDRY2", "?GLO:SUNDRY3",   "?GLO:SUNDRY4",    "?GLO:SUNDRY5"};
  const char* prompts[] = {"&Brew Kit:", "&Sugar:", "Bottles/&Caps:", "Sundry &1", "&2", "&3",
                           "&4",         "&5"};
  for (int i = 0; i < 8; ++i) {
    const int y = 56 + i * 14;
    costs_[i] = new calc::NumberSpin(this, names[i], 0, 1000, 0.05, 2, 0);
    costs_[i]->setToolTip(" If keying press Tab");
    place(calc::makeLabel(this, prompts[i], costs_[i], right), 12, y, 60, 12);
    place(costs_[i], 76, y, 60, 12);
    watch(costs_[i]);
  }
  totalCost_ = calc::makeDisplay(this, "?GLO:TOTALCOST");
  place(calc::makeLabel(this, "Total Cost:", nullptr, right), 12, 172, 60, 12);
  place(totalCost_, 76, 172, 60, 12);

  // Brew Volume and Unit Size, with the results.
  place(new QGroupBox("Brew Volume and Unit Size", this), 150, 42, 162, 148);
  totalVolume_ = new calc::NumberSpin(this, "?GLO:TOTALVOLUME", 0, 1000, 0.1, 2, 0);
  totalVolume_->setToolTip("Total volume of the bottled brew.");
  place(calc::makeLabel(this, "&Final volume of brew...", totalVolume_, right), 154, 58, 96, 12);
  place(totalVolume_, 252, 58, 54, 12);
  unitSize_ = new calc::NumberSpin(this, "?GLO:UNITSIZE", 0, 1000, 0.05, 3, 0);
  unitSize_->setToolTip("ie Bottle or Glass size.");
  place(calc::makeLabel(this, "divided by a &Unit Size of:", unitSize_, right), 154, 76, 96, 12);
  place(unitSize_, 252, 76, 54, 12);
  numberOfUnits_ = calc::makeDisplay(this, "?GLO:NUMBEROFUNITS");
  place(calc::makeLabel(this, "...equals Total Units:", nullptr, right), 154, 96, 96, 12);
  place(numberOfUnits_, 252, 96, 54, 12);
  costPerUnit_ = calc::makeDisplay(this, "?GLO:COSTPERUNIT");
  place(calc::makeLabel(this, "Cost Per Unit:", nullptr, right), 154, 116, 96, 12);
  place(costPerUnit_, 252, 116, 54, 12);
  place(calc::makeLabel(this, "Total Cost / Total Units = Cost Per Unit", nullptr, Qt::AlignCenter),
        154, 132, 154, 10);
  watch(totalVolume_);
  watch(unitSize_);

  // Buttons.
  const int by = 200;
  print_ = new QPushButton(" &Print", this);
  print_->setObjectName("?PRINTBUT");
  print_->setToolTip("Print information");
  place(print_, 6, by, 46, 15);
  copy_ = new QToolButton(this);
  copy_->setObjectName("?COPYBUTTON");
  copy_->setIcon(calc::copyIcon());
  copy_->setToolTip("Copy totals to the Windows Clipboard");
  place(copy_, 56, by, 18, 15);
  copy_->setIconSize(copy_->size() - QSize(4, 4));
  example_ = new QPushButton("&Example", this);
  example_->setObjectName("?BUTTON6");
  example_->setToolTip("Demonstration");
  place(example_, 80, by, 46, 15);
  reset_ = new QPushButton("&Reset", this);
  reset_->setObjectName("?RESETBUT");
  reset_->setToolTip("Clear all entry fields");
  place(reset_, 130, by, 46, 15);
  calculator_ = calc::makeCalculatorButton(this, "?CALBUT3");
  place(calculator_, 186, by, 18, 15);
  calculator_->setIconSize(calculator_->size() - QSize(4, 4));
  close_ = new QPushButton("Cl&ose", this);
  close_->setObjectName("?CLOSE");
  place(close_, 240, by, 50, 15);
  addHelpButton(296, by, 16, 15);

  watch(kitName_);
  watch(batchName_);
  watch(batchNumber_);
  watch(print_);
  onAccepted(print_, [this] {
    printed_ = true;
    // The report prints the brew details from the globals; a frame request
    // may have cleared them while this window stayed open showing its own.
    storeBrewDetails();
    if (printReport()) printReport()();
  });
  onAccepted(copy_, [this] { copyTotals(); });
  onAccepted(example_, [this] { showExample(); });
  onAccepted(reset_, [this] { resetCosts(); });
  onAccepted(calculator_, [] { StartSumpad(); });
  onAccepted(close_, [this] { finish(); });

  // A brew that already has a cost starts again from nothing: the items are
  // entered afresh.
  globals().totalCost = Decimal();
  kitName_->setText(QString::fromStdString(formatText(globals().getKitName, "@s45")));
  batchName_->setText(QString::fromStdString(formatText(globals().getBatchName, "@s25")));
  batchNumber_->setText(
      QString::fromStdString(formatNumber(Decimal(globals().getBatchNumber), kBatchNumberPicture)));
  redisplay();
}

Win_CalculateCost* Win_CalculateCost::makeOnce() {
  if (bringToFront(kProcedure)) return nullptr;
  return new Win_CalculateCost;
}

Win_CalculateCost* Win_CalculateCost::makeOnceWithoutBrew() {
  if (bringToFront(kProcedure)) return nullptr;
  globals().getKitName.clear();
  globals().getBatchName.clear();
  globals().getBatchNumber = 0;
  return new Win_CalculateCost;
}

void Win_CalculateCost::setPrintReport(std::function<void()> start) {
  printReport() = std::move(start);
}

void Win_CalculateCost::onField(QWidget* control, FieldEvent event) {
  if (updating_) return;
  if (control == kitName_ || control == batchName_ || control == batchNumber_) {
    if (event != FieldEvent::Focus) storeBrewDetails();
    if (event == FieldEvent::Accept && control == batchNumber_) redisplay();
    return;
  }
  if (control == print_) {
    if (event == FieldEvent::Focus && globals().costPerUnit.isZero()) {
      message("Incomplete...", " The 'Cost Per Unit' is zero, nothing to print ?",
              MessageIcon::Error, {}, 0, this);
      select(totalVolume_);
    }
    return;
  }
  brewmath::CostFigures f = brewmath::costFiguresFrom(globals());
  bool known = false;
  for (int i = 0; i < 8; ++i) {
    if (control != costs_[i]) continue;
    costItem(f, i) = costs_[i]->decimal();
    brewmath::recalcAfterCostItem(f);
    known = true;
  }
  if (control == totalVolume_ || control == unitSize_) {
    if (control == totalVolume_)
      f.totalVolume = totalVolume_->decimal();
    else
      f.unitSize = unitSize_->decimal();
    brewmath::recalcAfterVolumeOrUnitSize(f);
    known = true;
  }
  if (!known) return;
  brewmath::storeCostFigures(f, globals());
  redisplay(event == FieldEvent::Change ? control : nullptr);
}

void Win_CalculateCost::storeBrewDetails() {
  globals().getKitName = kitName_->text().toStdString();
  globals().getBatchName = batchName_->text().toStdString();
  if (auto n = parseNumber(batchNumber_->text().toStdString(), kBatchNumberPicture))
    globals().getBatchNumber = static_cast<std::int16_t>(n->toInteger());
}

void Win_CalculateCost::redisplay(QWidget* editing) {
  updating_ = true;
  const brewmath::CostFigures f = brewmath::costFiguresFrom(globals());
  for (int i = 0; i < 8; ++i)
    if (costs_[i] != editing) costs_[i]->setDecimal(costItem(f, i));
  if (totalVolume_ != editing) totalVolume_->setDecimal(f.totalVolume);
  if (unitSize_ != editing) unitSize_->setDecimal(f.unitSize);
  calc::setDisplay(numberOfUnits_, f.numberOfUnits, kMoneyPicture);
  calc::setDisplay(costPerUnit_, f.costPerUnit, kMoneyPicture);
  calc::setDisplay(totalCost_, f.totalCost, kMoneyPicture);
  if (batchNumber_ != editing)
    batchNumber_->setText(QString::fromStdString(
        formatNumber(Decimal(globals().getBatchNumber), kBatchNumberPicture)));
  updating_ = false;
}

void Win_CalculateCost::copyTotals() {
  const auto text = brewmath::CostSummaryText(brewmath::costFiguresFrom(globals()));
  if (text) QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
  calc::show(brewmath::costCopyMessage(text.has_value()), this);
  if (!text) select(costs_[0]);
}

void Win_CalculateCost::showExample() {
  message("Example...", kExampleText, MessageIcon::Information, {}, 0, this);
  brewmath::CostFigures f;
  f.kitCost = Decimal::fromUnits(1295, 2);
  f.sugarCost = Decimal::fromUnits(209, 2);
  f.bottleCost = Decimal::fromUnits(765, 2);
  f.sundry[0] = Decimal::fromUnits(450, 2);
  f.sundry[1] = Decimal::fromUnits(85, 2);
  f.totalVolume = Decimal::fromUnits(225, 1);
  f.unitSize = Decimal::fromUnits(200, 3);
  const auto totals = brewmath::CalcCostTotals(f);
  f.unitSize = brewmath::heldUnitSize(f.unitSize);
  f.totalCost = totals.totalCost;
  f.numberOfUnits = totals.numberOfUnits;
  f.costPerUnit = totals.costPerUnit;
  brewmath::storeCostFigures(f, globals());
  redisplay();
  select(reset_);
}

void Win_CalculateCost::resetCosts() {
  brewmath::storeCostFigures(brewmath::CostFigures{}, globals());
  redisplay();
}

bool Win_CalculateCost::canClose() {
  if (printed_ || !(globals().totalCost > Decimal(0))) return true;
  const int answer = message("Print?",
                             "Do you want to print a detailed report?||(To print select 'Yes' "
                             "then the 'Print' buttton)",
                             MessageIcon::Question, "&Yes|&No", 0, this);
  if (answer != 1) return true;
  select(print_);
  return false;
}

void Win_CalculateCost::onClosing() {
  brewmath::CostFigures f = brewmath::costFiguresFrom(globals());
  clearAllButTotal(f);
  brewmath::storeCostFigures(f, globals());
}

}  // namespace vm
