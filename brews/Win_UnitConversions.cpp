#include "brews/Win_UnitConversions.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "brews/CalcControls.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

namespace vm {

namespace {
using brewmath::UnitInput;

constexpr const char* kVolumeInput = "@N-8.2B";
constexpr const char* kVolumeResult = "@N-9.2B";
constexpr const char* kTemperature = "@N-6.1B";

struct InputDesign {
  UnitInput input;
  const char* name;
  const char* tip;  // nullptr: none
  double low, high;
  const char* firstName;
  const char* firstLabel;
  const char* secondName;  // nullptr: one result
  const char* secondLabel;
};

constexpr InputDesign kDesign[Win_UnitConversions::kInputs] = {
    {UnitInput::Litres, "?LOC:KEYLITRES", "Range .01 to 500 Litres", 0.1, 9999,
     "?LOC:RESULTIMPGALS", "Litres to UK Gals =", "?LOC:RESULTUSGALS", "Litres to US Gals ="},
    {UnitInput::ImpGallons, "?LOC:KEYIMPGALS", "Range .01 to 120 Gals", 0.1, 9999,
     "?LOC:RESULTLITRES", "UK Gals to Litres =", "?LOC:RESULTIMPTOUSGALS", "UK Gals to US gals ="},
    {UnitInput::UsGallons, "?LOC:KEYUSGALS", "Range .01 to 120 Gals", 0.1, 9999,
     "?LOC:RESULTUSLITRES", "US Gals to Litres =", "?LOC:RESULTUSTOIMPGALS",
     "US Gals to UK Gals ="},
    {UnitInput::ImpPints, "?LOC:KEYIMPPINTS", nullptr, 0.1, 9999, "?LOC:RESULTIMPPINTSTOLTR",
     "UK Pints to Litres =", nullptr, nullptr},
    {UnitInput::UsPints, "?LOC:KEYUSPINTS", nullptr, 0.1, 9999, "?LOC:RESULTUSPINTSTOLTR",
     "US Pints to Litres =", nullptr, nullptr},
    {UnitInput::Litres2, "?LOC:KEYLITRES2", nullptr, 0.1, 9999, "?LOC:RESULTLTRTOIMPPINTS",
     "Litres to UK Pints =", "?LOC:RESULTLTRTOUSPINTS", "Litres to US Pints ="},
    {UnitInput::Kilograms, "?LOC:KEYKG", "Range .01 to 100 kg", 0.1, 9999, "?LOC:RESULTPOUNDS",
     "kg to pounds =", nullptr, nullptr},
    {UnitInput::Pounds, "?LOC:KEYPOUNDS", "Range .01 to 200 Pounds", 0.1, 9999, "?LOC:RESULTKG",
     "Pounds to kg =", nullptr, nullptr},
    {UnitInput::Celsius, "?LOC:KEYC", "Range -50 to 100  C", -50, 100, "?LOC:RESULTF",
     "C to F =", nullptr, nullptr},
    {UnitInput::Fahrenheit, "?LOC:KEYF", "Range -60 to 212 F", -60, 212, "?LOC:RESULTC",
     "F to C =", nullptr, nullptr},
};

bool isTemperature(UnitInput input) {
  return input == UnitInput::Celsius || input == UnitInput::Fahrenheit;
}
}  // namespace

Win_UnitConversions::Win_UnitConversions() : Window(kProcedure) {
  setWindowTitle("Units Conversion");
  setFont(programFont("MS Sans Serif", 8));
  setHelp("Unit conversion", kProcedure);

  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  int y = 8;
  for (int i = 0; i < kInputs; ++i) {
    const InputDesign& d = kDesign[i];
    Row& row = rows_[i];
    row.input = d.input;
    const bool temperature = isTemperature(d.input);
    row.inputPicture = temperature ? kTemperature : kVolumeInput;
    row.resultPicture = temperature ? kTemperature : kVolumeResult;
    // A converter input starts blank at 0 although its arrows begin at the
    // range's low end.
    row.spin = new calc::NumberSpin(this, d.name, d.low, d.high, 1, temperature ? 1 : 2, 0);
    if (d.tip) row.spin->setToolTip(d.tip);
    place(row.spin, 8, y, 50, 12);
    place(calc::makeLabel(this, d.firstLabel, nullptr, right), 62, y, 84, 12);
    row.first = calc::makeDisplay(this, d.firstName);
    place(row.first, 150, y, 48, 12);
    if (d.secondName) {
      y += 14;
      row.repeat = calc::makeDisplay(this, (std::string(d.name) + ":2").c_str());
      place(row.repeat, 8, y, 50, 12);
      place(calc::makeLabel(this, d.secondLabel, nullptr, right), 62, y, 84, 12);
      row.second = calc::makeDisplay(this, d.secondName);
      place(row.second, 150, y, 48, 12);
    }
    y += 18;
    watch(row.spin);
  }

  y += 2;
  calculator_ = calc::makeCalculatorButton(this, "?CALBUT");
  place(calculator_, 8, y, 16, 15);
  calculator_->setIconSize(calculator_->size() - QSize(4, 4));
  reset_ = new QPushButton("&Reset", this);
  reset_->setObjectName("?RESETBUT");
  reset_->setToolTip("Clear all fields");
  place(reset_, 40, y, 48, 15);
  close_ = new QPushButton("Cl&ose", this);
  close_->setObjectName("?CLOSE");
  close_->setToolTip("Close this window");
  place(close_, 94, y, 48, 15);
  addHelpButton(182, y, 16, 15);
  setDesignSize(206, y + 22);

  onAccepted(reset_, [this] { reset(); });
  onAccepted(calculator_, [] { StartSumpad(); });
  onAccepted(close_, [this] { finish(); });

  reset();
}

Win_UnitConversions* Win_UnitConversions::makeOnce() {
  if (bringToFront(kProcedure)) return nullptr;
  return new Win_UnitConversions;
}

calc::NumberSpin* Win_UnitConversions::input(UnitInput which) const {
  return rows_[static_cast<int>(which)].spin;
}
QLabel* Win_UnitConversions::firstResult(UnitInput which) const {
  return rows_[static_cast<int>(which)].first;
}
QLabel* Win_UnitConversions::secondResult(UnitInput which) const {
  return rows_[static_cast<int>(which)].second;
}
QLabel* Win_UnitConversions::repeatedInput(UnitInput which) const {
  return rows_[static_cast<int>(which)].repeat;
}

Win_UnitConversions::Row* Win_UnitConversions::rowOf(QWidget* control) {
  for (Row& r : rows_)
    if (r.spin == control) return &r;
  return nullptr;
}

void Win_UnitConversions::onField(QWidget* control, FieldEvent event) {
  if (updating_) return;
  Row* row = rowOf(control);
  if (!row) return;
  if (event == FieldEvent::Change) {
    if (auto text = brewmath::CheckUnitRange(row->input, row->spin->value())) {
      // Keystrokes and focus changes while the box is up are not new events.
      updating_ = true;
      message("Out of Range...", *text, MessageIcon::Information, {}, 0, this);
      updating_ = false;
      select(row->spin);
    }
    convert(*row);
  } else if (event == FieldEvent::Accept) {
    convert(*row);
  }
}

void Win_UnitConversions::convert(Row& row) {
  const double value = row.spin->value();
  const auto r = brewmath::ConvertUnits(row.input, value);
  calc::setDisplay(row.first, r.first, row.resultPicture);
  if (row.second) {
    calc::setDisplay(row.repeat, value, row.inputPicture);
    calc::setDisplay(row.second, r.second, row.resultPicture);
  }
}

void Win_UnitConversions::reset() {
  updating_ = true;
  for (Row& r : rows_) {
    r.spin->setValue(0);
    calc::setDisplay(r.first, 0.0, r.resultPicture);
    if (r.second) {
      calc::setDisplay(r.repeat, 0.0, r.inputPicture);
      calc::setDisplay(r.second, 0.0, r.resultPicture);
    }
  }
  updating_ = false;
}

}  // namespace vm
