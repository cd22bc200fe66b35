// Cost per unit.  Every figure is a two-place decimal, as the calculator
// shows and the cost report prints it, so each step rounds where it stores.
#include "brewmath/Costs.h"

#include "base/NumberText.h"
#include "store/Globals.h"

namespace vm::brewmath {

namespace {

Decimal totalOf(const CostFigures& f) {
  Decimal total = f.kitCost + f.sugarCost + f.bottleCost;
  for (const Decimal& s : f.sundry) total += s;
  return total.stored(2);
}

// Decimal division gives 0 for a zero divisor, which is the rule here too.
Decimal quotient(const Decimal& a, const Decimal& b) {
  return (a / b).stored(2);
}

}  // namespace

CostFigures costFiguresFrom(const Globals& g) {
  CostFigures f;
  f.kitCost = g.kitCost;
  f.sugarCost = g.sugarCost;
  f.bottleCost = g.bottleCost;
  f.sundry = g.sundry;
  f.totalCost = g.totalCost;
  f.totalVolume = g.totalVolume;
  f.unitSize = g.unitSize;
  f.numberOfUnits = g.numberOfUnits;
  f.costPerUnit = g.costPerUnit;
  return f;
}

void storeCostFigures(const CostFigures& f, Globals& g) {
  g.kitCost = f.kitCost;
  g.sugarCost = f.sugarCost;
  g.bottleCost = f.bottleCost;
  g.sundry = f.sundry;
  g.totalCost = f.totalCost;
  g.totalVolume = f.totalVolume;
  g.unitSize = f.unitSize;
  g.numberOfUnits = f.numberOfUnits;
  g.costPerUnit = f.costPerUnit;
}

Decimal heldUnitSize(const Decimal& typed) {
  return typed.stored(2);
}

CostTotals CalcCostTotals(const CostFigures& f) {
  CostTotals t;
  t.totalCost = totalOf(f);
  t.numberOfUnits = quotient(f.totalVolume.stored(2), heldUnitSize(f.unitSize));
  t.costPerUnit = quotient(t.totalCost, t.numberOfUnits);
  return t;
}

void recalcAfterCostItem(CostFigures& f) {
  f.totalCost = totalOf(f);
  if (f.totalVolume > Decimal(0) && f.numberOfUnits > Decimal(0)) {
    f.costPerUnit = quotient(f.totalCost, f.numberOfUnits);
  }
}

void recalcAfterVolumeOrUnitSize(CostFigures& f) {
  f.totalVolume = f.totalVolume.stored(2);
  f.unitSize = heldUnitSize(f.unitSize);
  f.numberOfUnits = quotient(f.totalVolume, f.unitSize);
  f.costPerUnit = quotient(f.totalCost, f.numberOfUnits);
}

std::optional<std::string> CostSummaryText(const CostFigures& f) {
  if (!(f.totalCost > Decimal(0) && f.costPerUnit > Decimal(0))) return std::nullopt;
  return "Total Cost: " + shortestText(f.totalCost) +
         "  Final Volumn: " + shortestText(f.totalVolume) +
         "  Unit Size: " + shortestText(f.unitSize) + "\r\n" +
         "Total Units: " + shortestText(f.numberOfUnits) +
         "  Cost Per Unit: " + shortestText(f.costPerUnit) + "\r\n";
}

Message costCopyMessage(bool copied) {
  if (copied) {
    return Message{"Copied to the Windows Clipboard...",
                   "You can Paste these totals into the brews notes.||To do this Close this "
                   "window, go to 'Browse Brews' > 'Edit Brew' |and select the 'Notes' tab then "
                   "select 'Edit' and 'Paste'. (or Ctrl+V)",
                   MessageIcon::Information, ""};
  }
  return Message{"Nothing to copy?", "Require Total cost and Cost per unit.", MessageIcon::Question,
                 ""};
}

}  // namespace vm::brewmath
