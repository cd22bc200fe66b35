#include "platform/browse/FieldText.h"

#include "base/Picture.h"

namespace vm {

std::string formatField(const FieldValue& v, std::string_view picture) {
  const Picture p = Picture::parse(picture);
  const std::string plain = fieldValueText(v);
  const auto* i = std::get_if<std::int64_t>(&v);
  switch (p.kind) {
    case Picture::Kind::Text:
      return formatText(plain, picture);
    case Picture::Kind::Number:
      if (auto* d = std::get_if<Decimal>(&v)) return formatNumber(*d, picture);
      if (auto* r = std::get_if<double>(&v)) return formatNumber(*r, picture);
      if (i) return formatNumber(Decimal(static_cast<long long>(*i)), picture);
      return plain;
    case Picture::Kind::Date:
      return i ? formatDate(static_cast<DayNumber>(*i), picture) : plain;
    case Picture::Kind::Time:
      return i ? formatTime(static_cast<int>(*i), picture) : plain;
    case Picture::Kind::Pattern:
      return i ? formatPattern(*i, picture) : plain;
    case Picture::Kind::Invalid:
      break;
  }
  return plain;
}

std::optional<FieldValue> parseField(std::string_view text, std::string_view picture,
                                     const FieldDef& def) {
  const Picture p = Picture::parse(picture);
  FieldValue raw;
  switch (p.kind) {
    case Picture::Kind::Number: {
      auto n = parseNumber(text, picture);
      if (!n) return std::nullopt;
      raw = *n;
      break;
    }
    case Picture::Kind::Date: {
      auto d = parseDate(text, picture);
      if (!d) return std::nullopt;
      raw = std::int64_t{*d};
      break;
    }
    case Picture::Kind::Pattern: {
      auto n = parsePattern(text, picture);
      if (!n) return std::nullopt;
      raw = std::int64_t{*n};
      break;
    }
    default:
      raw = std::string(text);
      break;
  }
  return coerceToField(def, raw);
}

}  // namespace vm
