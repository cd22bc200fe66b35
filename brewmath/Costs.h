// The cost of a brew per bottle or other unit.  Exact decimals with two
// places, rounded half up where each figure is stored; a division by zero
// gives 0 (a calculator half filled in is not an error).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "base/Decimal.h"
#include "brewmath/Message.h"

namespace vm {
struct Globals;
}

namespace vm::brewmath {

// The cost calculator's figures (GLO:KITCOST ... GLO:COSTPERUNIT).
struct CostFigures {
  Decimal kitCost, sugarCost, bottleCost;  // cost items
  std::array<Decimal, 5> sundry;           // Sundry 1 .. 5
  Decimal totalCost;                       // sum of the eight items
  Decimal totalVolume;                     // final volume of the brew
  Decimal unitSize;                        // held with 2 places (0.375 -> 0.38)
  Decimal numberOfUnits;                   // total volume / unit size
  Decimal costPerUnit;                     // total cost / number of units
};

// Copies between the figures and the program globals that hold them.
CostFigures costFiguresFrom(const Globals& globals);
void storeCostFigures(const CostFigures& figures, Globals& globals);

struct CostTotals {
  Decimal totalCost;
  Decimal numberOfUnits;
  Decimal costPerUnit;
};

// Unit size as it is held: 2 places, half up (0.375 -> 0.38).
Decimal heldUnitSize(const Decimal& typed);

// Total cost, number of units and cost per unit from the items, the total
// volume and the unit size, each stored at 2 places before the next uses it.
CostTotals CalcCostTotals(const CostFigures& figures);

// The calculator's recalculation after a cost item changed: the total, and
// the cost per unit only while total volume and number of units are both
// above zero (otherwise the cost per unit is left as it was).
void recalcAfterCostItem(CostFigures& figures);
// After the total volume or the unit size changed: the unit size is held at
// 2 places, then the number of units and the cost per unit are recomputed.
void recalcAfterVolumeOrUnitSize(CostFigures& figures);

// The clipboard text, two lines each ending in CR LF:
//   "Total Cost: 28.04  Final Volumn: 22.5  Unit Size: 0.2"
//   "Total Units: 112.5  Cost Per Unit: 0.25"
// None unless total cost and cost per unit are both above zero.
std::optional<std::string> CostSummaryText(const CostFigures& figures);

// The message after Copy: "Copied to the Windows Clipboard..." when there was
// a summary to copy, else "Nothing to copy?" (the focus then goes to the kit
// cost).
Message costCopyMessage(bool copied);

}  // namespace vm::brewmath
