// Alcohol from gravities.  Every intermediate is rounded where it is stored
// and not before: that is what makes the calculator's abw (from abv rounded
// to 2 places) and the brew record's abw (from the 4-place quotient) differ,
// and both are what users have always seen in those two places.
#include "brewmath/Alcohol.h"

#include "base/NumberText.h"

namespace vm::brewmath {

namespace {

// The constants are made where they are used rather than held in globals,
// so that no other file's static initialisation can meet them unbuilt.

// Gravity points (whole form) per 1 % abv.
Decimal dropDivisor() {
  return Decimal::fromUnits(75, 1);
}
// abw = abv x 0.8.
Decimal weightFactor() {
  return Decimal::fromUnits(8, 1);
}
// The second fermentation in the bottle, by volume and by weight.
Decimal allowanceAbv() {
  return Decimal::fromUnits(5, 1);
}
Decimal allowanceAbw() {
  return Decimal::fromUnits(4, 1);
}

const char* const kOutOfRange = "Out of Range...";
const char* const kRangeText = "The Hydrometer Range is 0.900 to 1.200";

Message rangeMessage(const char* text) {
  return Message{kOutOfRange, text, MessageIcon::Information, ""};
}

// The hydrometer range checks shared by both readings.
void checkRange(GravityCheck& check) {
  if (check.reading < hydrometerMinimum()) {
    check.messages.push_back(rangeMessage(kRangeText));
    check.reading = hydrometerMinimum();
  }
  if (check.reading > hydrometerMaximum()) {
    check.messages.push_back(rangeMessage(kRangeText));
    check.reading = hydrometerMaximum();
  }
}

}  // namespace

AlcoholBasis alcoholBasisFromSetting(int setting) {
  return setting == 0 ? AlcoholBasis::ByWeight : AlcoholBasis::ByVolume;
}

std::string alcoholShortLabel(AlcoholBasis basis) {
  return basis == AlcoholBasis::ByVolume ? "(abv)" : "(abw)";
}

std::string alcoholLongLabel(AlcoholBasis basis) {
  return basis == AlcoholBasis::ByVolume ? "by volume" : "by weight";
}

std::string alcoholBrowseLabel(AlcoholBasis basis) {
  return basis == AlcoholBasis::ByVolume ? "% Alcohol (abv)" : "% Alcohol (abw)";
}

std::string alcoholReportLabel(AlcoholBasis basis) {
  return basis == AlcoholBasis::ByVolume ? "% abv" : "% abw";
}

Decimal hydrometerMinimum() {
  return Decimal::fromUnits(900, 3);
}
Decimal hydrometerMaximum() {
  return Decimal::fromUnits(1200, 3);
}
Decimal gravityStep() {
  return Decimal::fromUnits(1, 3);
}

Decimal gravityFromWhole(int whole) {
  return (Decimal(whole) / Decimal(1000)).stored(3);
}

AlcoholResult CalcAlcohol(const Decimal& og, const Decimal& fg) {
  AlcoholResult r;
  r.drop = (og.stored(3) - fg.stored(3)).stored(3);
  r.abv = (r.drop * Decimal(1000) / dropDivisor()).stored(2);
  r.abw = (r.abv * weightFactor()).stored(2);
  r.abvWithAllowance = (r.abv + allowanceAbv()).stored(2);
  r.abwWithAllowance = (r.abw + allowanceAbw()).stored(2);
  return r;
}

AllowanceAnswer allowanceAnswerFromButton(int button) {
  switch (button) {
    case 1:
      return AllowanceAnswer::Yes;
    case 2:
      return AllowanceAnswer::No;
    default:
      return AllowanceAnswer::Dismissed;
  }
}

std::optional<Message> StoredAlcoholQuestion(int ogWhole, int fgWhole, AlcoholBasis basis) {
  if (!(fgWhole < ogWhole)) return std::nullopt;
  if (basis == AlcoholBasis::ByVolume) {
    return Message{"% Alcohol by Volume (abv)",
                   "Bottle fermentation.||Do you wish to add 0.5% |for the second fermentation?",
                   MessageIcon::Question, "&Yes|&No"};
  }
  return Message{"% Alcohol by Weight (abw)",
                 "Bottle fermentation.||Do you wish to add 0.4% |for the second fermentation ?",
                 MessageIcon::Question, "&Yes|&No"};
}

std::optional<AlcoholPrecheck> checkBeforeStoredAlcohol(int ogWhole, int fgWhole) {
  auto refuse = [](std::string text, GravityField focus) {
    return AlcoholPrecheck{
        Message{"Can not calculate!", std::move(text), MessageIcon::Exclamation, ""}, focus};
  };
  if (ogWhole == 0) return refuse("Need Start S.G. (Original Gravity)", GravityField::Original);
  if (fgWhole == 0) return refuse("Need Final S.G. (Final Gravity)", GravityField::Final);
  if (!(fgWhole < ogWhole)) {
    return refuse("The Final Gravity must be less than the Original.||Final Gravity:     " +
                      std::to_string(fgWhole) + "|Original Gravity: " + std::to_string(ogWhole),
                  GravityField::Final);
  }
  return std::nullopt;
}

std::optional<Decimal> CalcStoredAlcohol(int ogWhole, int fgWhole, AlcoholBasis basis,
                                         AllowanceAnswer answer) {
  if (!(fgWhole < ogWhole)) return std::nullopt;
  if (answer == AllowanceAnswer::Dismissed) return std::nullopt;
  const bool withAllowance = answer == AllowanceAnswer::Yes;
  const Decimal q = (Decimal(ogWhole - fgWhole) / dropDivisor()).stored(4);
  if (basis == AlcoholBasis::ByVolume) {
    return (withAllowance ? q + allowanceAbv() : q).stored(2);
  }
  const Decimal abw = q * weightFactor();
  return (withAllowance ? abw + allowanceAbw() : abw).stored(2);
}

std::optional<Message> AlcoholUpdateMessage(const Decimal& oldValue, const Decimal& newValue) {
  if (!(oldValue > Decimal(0)) || oldValue == newValue) return std::nullopt;
  return Message{
      "Done...",
      "Updating alcohol % from " + shortestText(oldValue) + " to " + shortestText(newValue),
      MessageIcon::Information, ""};
}

Decimal StepGravity(const Decimal& reading, int direction) {
  if (direction > 0) return (reading + gravityStep()).stored(3);
  if (direction < 0) return (reading - gravityStep()).stored(3);
  return reading.stored(3);
}

GravityCheck CheckOriginalGravity(const Decimal& og, const Decimal& fg) {
  GravityCheck check{og.stored(3), {}};
  const Decimal fgHeld = fg.stored(3);
  if (check.reading < fgHeld) {
    check.messages.push_back(rangeMessage("The Original Gravity can not be less than the Final."));
    check.reading = fgHeld;
  }
  checkRange(check);
  return check;
}

GravityCheck CheckFinalGravity(const Decimal& og, const Decimal& fg) {
  GravityCheck check{fg.stored(3), {}};
  const Decimal original = og.stored(3);
  if (check.reading > original) {
    check.messages.push_back(rangeMessage("The Final Gravity can not exceed the Original."));
    check.reading = original;
  }
  checkRange(check);
  return check;
}

SugarAlcoholTable::SugarAlcoholTable()
    : rows_{{
          {Decimal::fromUnits(1000, 3), Decimal::fromUnits(2200, 3), Decimal::fromUnits(52, 1),
           Decimal::fromUnits(42, 1)},
          {Decimal::fromUnits(750, 3), Decimal::fromUnits(1650, 3), Decimal::fromUnits(46, 1),
           Decimal::fromUnits(37, 1)},
          {Decimal::fromUnits(500, 3), Decimal::fromUnits(1100, 3), Decimal::fromUnits(40, 1),
           Decimal::fromUnits(32, 1)},
          {Decimal::fromUnits(250, 3), Decimal::fromUnits(550, 3), Decimal::fromUnits(34, 1),
           Decimal::fromUnits(27, 1)},
      }} {}

bool SugarAlcoholTable::allowanceApplied() const {
  return !(rows_[0].alcVol == Decimal::fromUnits(52, 1));
}

std::optional<Message> SugarAlcoholTable::applyAllowance() {
  if (allowanceApplied()) {
    return Message{"Done...", "Extra % for bottle conditioning has already been applied.",
                   MessageIcon::Question, ""};
  }
  for (SugarAlcoholRow& row : rows_) {
    row.alcVol = (row.alcVol + allowanceAbv()).stored(1);
    row.alcWgt = (row.alcWgt + allowanceAbw()).stored(1);
  }
  return std::nullopt;
}

std::string sugarTableInformText(AlcoholBasis basis, bool includesAllowance) {
  const bool byVolume = basis == AlcoholBasis::ByVolume;
  if (!includesAllowance) {
    return byVolume ? "Excludes the 0.5% for Bottle Conditioning"
                    : "Excludes the 0.4% for Bottle Conditioning";
  }
  return byVolume ? "Includes the 0.5% (abv) for Bottle Conditioning"
                  : "Includes the 0.4% (abw) for Bottle Conditioning";
}

}  // namespace vm::brewmath
