// Fields: text clipping, field lookup and the conversions generic code
// relies on when it sets a field from a value of another kind.
#include "store/Fields.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/NumberText.h"

namespace vm {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// Whole part of a double, kept inside int64 so the casts below are defined.
std::int64_t wholePart(double v) {
  if (std::isnan(v)) return 0;
  v = std::trunc(v);
  if (v >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
  if (v <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
}

Decimal textAsDecimal(std::string_view text) {
  if (auto d = Decimal::parse(text)) return *d;
  return Decimal();
}

std::int64_t asInteger(const FieldValue& value) {
  if (auto* i = std::get_if<std::int64_t>(&value)) return *i;
  if (auto* d = std::get_if<double>(&value)) return wholePart(*d);
  if (auto* x = std::get_if<Decimal>(&value)) return x->toInteger();
  return textAsDecimal(std::get<std::string>(value)).toInteger();
}

}  // namespace

std::string_view trimRight(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

std::string clipText(std::string_view text, int size) {
  if (size > 0 && text.size() > static_cast<size_t>(size)) {
    // Count code points: a byte that is not a continuation byte starts one.
    int points = 0;
    size_t i = 0;
    for (; i < text.size(); ++i) {
      if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
        if (points == size) break;
        ++points;
      }
    }
    text = text.substr(0, i);
  }
  return std::string(trimRight(text));
}

const FieldDef* findField(std::span<const FieldDef> fields, std::string_view name) {
  name = trimRight(name);
  for (const FieldDef& f : fields)
    if (equalsIgnoringCase(f.name, name)) return &f;
  return nullptr;
}

const FieldDef* fieldByNumber(std::span<const FieldDef> fields, int number) {
  if (number < 1 || number > static_cast<int>(fields.size())) return nullptr;
  return &fields[number - 1];
}

FieldValue coerceToField(const FieldDef& def, const FieldValue& value) {
  switch (def.type) {
    case FieldType::Byte:
      return static_cast<std::int64_t>(static_cast<std::uint8_t>(asInteger(value)));
    case FieldType::Short:
      return static_cast<std::int64_t>(static_cast<std::int16_t>(asInteger(value)));
    case FieldType::Long:
    case FieldType::Date:
      return static_cast<std::int64_t>(static_cast<std::int32_t>(asInteger(value)));
    case FieldType::Real:
      if (auto* i = std::get_if<std::int64_t>(&value)) return static_cast<double>(*i);
      if (auto* d = std::get_if<double>(&value)) return *d;
      if (auto* x = std::get_if<Decimal>(&value)) return x->toDouble();
      return textAsDecimal(std::get<std::string>(value)).toDouble();
    case FieldType::Decimal:
      if (auto* i = std::get_if<std::int64_t>(&value)) return Decimal(static_cast<long long>(*i));
      if (auto* d = std::get_if<double>(&value)) return Decimal::fromDouble(*d, 2);
      if (auto* x = std::get_if<Decimal>(&value)) return x->stored(2);
      return textAsDecimal(std::get<std::string>(value)).stored(2);
    case FieldType::String:
    case FieldType::Memo:
      if (auto* s = std::get_if<std::string>(&value)) return clipText(*s, def.size);
      return clipText(fieldValueText(value), def.size);
  }
  return value;
}

std::string fieldValueText(const FieldValue& value) {
  if (auto* i = std::get_if<std::int64_t>(&value)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&value)) return shortestText(*d);
  if (auto* x = std::get_if<Decimal>(&value)) return x->toFixed(2);
  return std::get<std::string>(value);
}

}  // namespace vm
