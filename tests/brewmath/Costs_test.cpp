#include "brewmath/Costs.h"

#include <gtest/gtest.h>

#include "store/Globals.h"
#include "tests/brewmath/TestSupport.h"

namespace vm::brewmath {
namespace {

// The calculator's "Example" figures.
CostFigures example() {
  CostFigures f;
  f.kitCost = D("12.95");
  f.sugarCost = D("2.09");
  f.bottleCost = D("7.65");
  f.sundry[0] = D("4.50");
  f.sundry[1] = D("0.85");
  f.totalVolume = D("22.5");
  f.unitSize = D("0.200");
  return f;
}

TEST(CalcCostTotals, ExampleFigures) {
  const CostTotals t = CalcCostTotals(example());
  EXPECT_EQ(t.totalCost, D("28.04"));
  EXPECT_EQ(t.numberOfUnits, D("112.50"));
  EXPECT_EQ(t.costPerUnit, D("0.25"));  // 0.24924...
}

struct TotalsCase {
  const char* volume;
  const char* unitSize;
  const char* kit;
  const char* units;
  const char* perUnit;
};

TEST(CalcCostTotals, RoundsHalfUpAtTwoPlacesAndDividesByZeroToZero) {
  const TotalsCase cases[] = {
      {"22.5", "0.375", "10.00", "59.21", "0.17"},  // unit size held as 0.38
      {"22.5", "0.365", "10.00", "60.81", "0.16"},  // 0.37, not the binary 0.36499...
      {"8", "1", "1.00", "8.00", "0.13"},           // 0.125 rounds up
      {"8", "1", "0.01", "8.00", "0.00"},           // 0.00125
      {"20", "0", "10.00", "0.00", "0.00"},         // zero unit size
      {"20", "0.004", "10.00", "0.00", "0.00"},     // held as 0.00
      {"20", "0.005", "10.00", "2000.00", "0.01"},  // held as 0.01; 0.005 rounds up
      {"0", "0.5", "10.00", "0.00", "0.00"},
  };
  for (const TotalsCase& c : cases) {
    SCOPED_TRACE(std::string(c.volume) + " / " + c.unitSize);
    CostFigures f;
    f.kitCost = D(c.kit);
    f.totalVolume = D(c.volume);
    f.unitSize = D(c.unitSize);
    const CostTotals t = CalcCostTotals(f);
    EXPECT_EQ(t.totalCost, D(c.kit));
    EXPECT_EQ(t.numberOfUnits, D(c.units));
    EXPECT_EQ(t.costPerUnit, D(c.perUnit));
  }
  EXPECT_EQ(heldUnitSize(D("0.375")), D("0.38"));
}

// The calculator recomputes only what an event touches: a cost item changes
// the total (and the cost per unit only once units exist); volume and unit
// size change the units and then the cost per unit.
TEST(CostRecalculation, WhatEachEventRecomputes) {
  CostFigures f = example();
  recalcAfterCostItem(f);  // no volume event yet: no units, cost per unit untouched
  EXPECT_EQ(f.totalCost, D("28.04"));
  EXPECT_EQ(f.numberOfUnits, D("0"));
  EXPECT_EQ(f.costPerUnit, D("0"));

  recalcAfterVolumeOrUnitSize(f);
  EXPECT_EQ(f.numberOfUnits, D("112.50"));
  EXPECT_EQ(f.costPerUnit, D("0.25"));

  f.kitCost = D("40.00");
  f.unitSize = D("0.5");  // changed, but only a cost event follows
  recalcAfterCostItem(f);
  EXPECT_EQ(f.totalCost, D("55.09"));
  EXPECT_EQ(f.numberOfUnits, D("112.50"));  // not recomputed by a cost item
  EXPECT_EQ(f.costPerUnit, D("0.49"));      // 55.09 / 112.50 = 0.4897

  f.unitSize = D("0.375");
  recalcAfterVolumeOrUnitSize(f);
  EXPECT_EQ(f.unitSize, D("0.38"));
  EXPECT_EQ(f.numberOfUnits, D("59.21"));
  EXPECT_EQ(f.costPerUnit, D("0.93"));  // 55.09 / 59.21 = 0.9304

  f.unitSize = D("0");
  recalcAfterVolumeOrUnitSize(f);
  EXPECT_EQ(f.numberOfUnits, D("0"));
  EXPECT_EQ(f.costPerUnit, D("0"));

  // With no units a cost item leaves the cost per unit as it stands.
  f.costPerUnit = D("0.93");
  f.sugarCost = D("5.00");
  recalcAfterCostItem(f);
  EXPECT_EQ(f.totalCost, D("58.00"));
  EXPECT_EQ(f.costPerUnit, D("0.93"));

  // Units left over but the volume cleared: likewise.
  f.totalVolume = D("0");
  f.numberOfUnits = D("10");
  recalcAfterCostItem(f);
  EXPECT_EQ(f.costPerUnit, D("0.93"));
}

TEST(CostSummaryText, TwoLinesWithCrLfOnlyWithCostAndCostPerUnit) {
  CostFigures f = example();
  recalcAfterCostItem(f);
  EXPECT_FALSE(CostSummaryText(f));  // no cost per unit yet
  recalcAfterVolumeOrUnitSize(f);
  EXPECT_EQ(CostSummaryText(f),
            "Total Cost: 28.04  Final Volumn: 22.5  Unit Size: 0.2\r\n"
            "Total Units: 112.5  Cost Per Unit: 0.25\r\n");

  CostFigures noCost = f;
  noCost.totalCost = D("0");
  EXPECT_FALSE(CostSummaryText(noCost));

  EXPECT_EQ(costCopyMessage(true).title, "Copied to the Windows Clipboard...");
  EXPECT_EQ(costCopyMessage(false),
            (Message{"Nothing to copy?", "Require Total cost and Cost per unit.",
                     MessageIcon::Question, ""}));
}

TEST(CostFigures, ReadAndWrittenThroughTheGlobals) {
  Globals g;
  CostFigures f = example();
  recalcAfterVolumeOrUnitSize(f);
  recalcAfterCostItem(f);
  storeCostFigures(f, g);
  EXPECT_EQ(g.totalCost, D("28.04"));
  EXPECT_EQ(g.sundry[1], D("0.85"));
  EXPECT_EQ(g.costPerUnit, D("0.25"));
  const CostFigures back = costFiguresFrom(g);
  EXPECT_EQ(CostSummaryText(back), CostSummaryText(f));
}

}  // namespace
}  // namespace vm::brewmath
