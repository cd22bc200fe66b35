// Checks: the field checks a table applies before a record is written (a
// range on the priming sugar, a list on the stock flag).  Every other rule on
// values belongs to the window that edits the field.
#include <string>

#include "store/StoreMessages.h"
#include "store/Tables.h"

namespace vm {

namespace {

// True when `value` is one of the choices in a "]a[]b[" list.  The choices
// are matched whole: searching for "]" + value + "[" inside the list would
// also accept texts that span two choices ("1[]0"), which the list does not
// name.
bool inChoiceList(std::string_view value, std::string_view list) {
  size_t i = 0;
  while (i < list.size()) {
    if (list[i] != ']') return false;
    size_t end = list.find('[', i + 1);
    if (end == std::string_view::npos) return false;
    if (list.substr(i + 1, end - i - 1) == value) return true;
    i = end + 1;
  }
  return false;
}

bool passes(const FieldCheck& check, const FieldValue& value) {
  switch (check.kind) {
    case FieldCheck::Kind::None:
      return true;
    case FieldCheck::Kind::Range: {
      Decimal v;
      if (auto* d = std::get_if<Decimal>(&value))
        v = *d;
      else if (auto* i = std::get_if<std::int64_t>(&value))
        v = Decimal(static_cast<long long>(*i));
      else if (auto* r = std::get_if<double>(&value))
        v = Decimal::fromDouble(*r);
      else
        v = Decimal::parse(std::get<std::string>(value)).value_or(Decimal());
      return v >= Decimal(check.low) && v <= Decimal(check.high);
    }
    case FieldCheck::Kind::List:
      return inChoiceList(trimRight(fieldValueText(value)), check.choices);
  }
  return true;
}

}  // namespace

CheckResult checkField(const TableDef& def, const void* record, int number, bool showErrors) {
  const FieldDef* f = fieldByNumber(def.fields, number);
  if (!f || f->check.kind == FieldCheck::Kind::None) return {};
  // The check sees the value as the field holds it: a buffer may carry more
  // places than a DECIMAL(n,2) keeps, and 100.004 is written as 100.00.
  if (passes(f->check, coerceToField(*f, def.get(record, number - 1)))) return {};
  if (showErrors) {
    storeMessages().show(f->check.kind == FieldCheck::Kind::Range
                             ? rangeErrorMessage(f->check.shownName, f->check.shownList)
                             : valueErrorMessage(f->check.shownName, f->check.shownList));
  }
  return {false, number};
}

CheckResult checkRecord(const TableDef& def, const void* record, bool showErrors) {
  for (const FieldDef& f : def.fields) {
    CheckResult r = checkField(def, record, f.number, showErrors);
    if (!r.accepted) return r;
  }
  return {};
}

}  // namespace vm
