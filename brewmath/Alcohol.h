// Alcohol from hydrometer readings: the gravity-drop formula, abv and abw,
// the bottle-conditioning allowance, the calculator's reading checks and the
// fixed sugar table.  All of it is exact decimal arithmetic; each result is
// rounded only where it is stored, and the next step uses the stored value.
// The two alcohol formulas below differ only in where they round, and both
// are wanted: the calculator shows one, the brew record keeps the other.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Decimal.h"
#include "brewmath/Message.h"

namespace vm::brewmath {

// GLO:ALCBASEDON: 1 = by volume, 0 = by weight.
enum class AlcoholBasis { ByWeight = 0, ByVolume = 1 };
// The setting byte as a basis.  Only 0 means by weight; any other value reads
// as by volume, the same reading the reports give a hand-edited setting.
AlcoholBasis alcoholBasisFromSetting(int setting);

// "(abv)" / "(abw)".
std::string alcoholShortLabel(AlcoholBasis basis);
// "by volume" / "by weight".
std::string alcoholLongLabel(AlcoholBasis basis);
// "% Alcohol (abv)" / "% Alcohol (abw)" (brew browser).
std::string alcoholBrowseLabel(AlcoholBasis basis);
// "% abv" / "% abw" (reports).
std::string alcoholReportLabel(AlcoholBasis basis);

// Hydrometer range and the step of one "+" / "-" press, decimal form.
Decimal hydrometerMinimum();  // 0.900
Decimal hydrometerMaximum();  // 1.200
Decimal gravityStep();        // 0.001

// Decimal form of a whole-form gravity (1046 -> 1.046).
Decimal gravityFromWhole(int whole);

// ---------------------------------------------------------------------------
// Calculator form.

struct AlcoholResult {
  Decimal drop;              // og - fg, 3 places
  Decimal abv;               // 2 places
  Decimal abw;               // from the rounded abv, 2 places
  Decimal abvWithAllowance;  // abv + 0.5
  Decimal abwWithAllowance;  // abw + 0.4
};

// og and fg in decimal form; each is held at 3 places like the calculator's
// entries.  1.035 / 1.005 give 0.030, 4.00, 3.20, 4.50, 3.60.
AlcoholResult CalcAlcohol(const Decimal& og, const Decimal& fg);

// ---------------------------------------------------------------------------
// Brew-form form, the value stored in ALE:ESTIMATEDALC.
//
// The form works in three steps because its message boxes answer later:
//   1. StoredAlcoholQuestion: no question means nothing is computed at all
//      (the final gravity is not below the original);
//   2. CalcStoredAlcohol with the answer;
//   3. AlcoholUpdateMessage with the value held before and the new one.

enum class AllowanceAnswer { Yes, No, Dismissed };
// The 1-based button answer of the question ("&Yes|&No"); anything else,
// such as a closed box, is Dismissed.
AllowanceAnswer allowanceAnswerFromButton(int button);

// The allowance question for the basis, or none when fgWhole is not below
// ogWhole.
std::optional<Message> StoredAlcoholQuestion(int ogWhole, int fgWhole, AlcoholBasis basis);

// The brew form's checks before it computes, in this order: original
// gravity entered, final gravity entered, final below original.  The first
// that fails gives its message ("Can not calculate!", warning icon) and the
// reading the focus goes to; the form then sets the stored alcohol to 0.
enum class GravityField { Original, Final };
struct AlcoholPrecheck {
  Message message;
  GravityField focus;
};
std::optional<AlcoholPrecheck> checkBeforeStoredAlcohol(int ogWhole, int fgWhole);

// q = (og - fg) / 7.5 at 4 places; abv: q (+ 0.5); abw: q x 0.8 (+ 0.4);
// rounded to 2 places.  No value when fgWhole is not below ogWhole or the
// question was dismissed: the stored value then stays as it was.
std::optional<Decimal> CalcStoredAlcohol(int ogWhole, int fgWhole, AlcoholBasis basis,
                                         AllowanceAnswer answer);

// "Done..." / "Updating alcohol % from 5.3 to 5.83" when the old value is
// above zero and differs from the new one; otherwise none.
std::optional<Message> AlcoholUpdateMessage(const Decimal& oldValue, const Decimal& newValue);

// ---------------------------------------------------------------------------
// Reading checks of the calculator.

struct GravityCheck {
  Decimal reading;                // the corrected reading, 3 places
  std::vector<Message> messages;  // "Out of Range...", in the order shown
};

// One press of "+" (direction > 0) or "-" (direction < 0); the checks run
// on the result.
Decimal StepGravity(const Decimal& reading, int direction);

// After the original gravity changed: og not below fg, then the hydrometer
// range, each on the value left by the one before.  The first check is not
// repeated after the range corrections.
GravityCheck CheckOriginalGravity(const Decimal& og, const Decimal& fg);
// After the final gravity changed: fg not above og, then the range.
GravityCheck CheckFinalGravity(const Decimal& og, const Decimal& fg);

// ---------------------------------------------------------------------------
// Alcohol by weight of sugar, for brewers without a hydrometer.  A fixed
// table, not a formula; each window holds its own copy so that the allowance
// is applied at most once per opening.

struct SugarAlcoholRow {
  Decimal kg;      // 3 places
  Decimal lbs;     // 3 places
  Decimal alcVol;  // % alc/vol, 1 place
  Decimal alcWgt;  // % alc/wgt, 1 place
};

class SugarAlcoholTable {
 public:
  SugarAlcoholTable();  // the values without the allowance

  const std::array<SugarAlcoholRow, 4>& rows() const { return rows_; }
  bool allowanceApplied() const;

  // Adds 0.5 to every volume value and 0.4 to every weight value, but only
  // while the first volume value is still the table's 5.2.  Otherwise nothing
  // changes and the "already been applied" message is returned.
  std::optional<Message> applyAllowance();

 private:
  std::array<SugarAlcoholRow, 4> rows_;
};

// The line above the table: "Excludes the 0.5% for Bottle Conditioning" on
// opening, "Includes the 0.5% (abv) for Bottle Conditioning" once the button
// was pressed (by weight: 0.4% and "(abw)").
std::string sugarTableInformText(AlcoholBasis basis, bool includesAllowance);

}  // namespace vm::brewmath
