// Fields: the vocabulary every record layout is written in.  A field has a
// number (its place in the record, counted from 1, memos after the fixed
// fields), a name with its table's prefix ("ALE:BATCHNUMBER"), a storage type
// and a size.  Browse columns, reports and the CSV export reach fields by
// number or by name through FieldValue, so they need not know the record
// structs; forms use the structs directly.
//
// Text rule: a STRING(n) holds at most n characters (UTF-8 code points) and
// its trailing blanks carry no meaning, so they are cut when a value is
// stored and every comparison ignores them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "base/Date.h"
#include "base/Decimal.h"

namespace vm {

enum class FieldType {
  Byte,     // unsigned 8-bit
  Short,    // signed 16-bit
  Long,     // signed 32-bit
  Date,     // LONG day number, 0 = no date
  Real,     // 64-bit binary floating point
  Decimal,  // DECIMAL(n,2), kept on disk as integer hundredths
  String,   // STRING(n)
  Memo,     // MEMO(n), variable text of at most n characters
};

// A field's value as generic code sees it: every integer type (dates
// included) as int64, REAL as double, DECIMAL as Decimal, STRING and MEMO as
// text.
using FieldValue = std::variant<std::int64_t, double, Decimal, std::string>;

// The check a record store applies to a field before it is written.
struct FieldCheck {
  enum class Kind { None, Range, List };
  Kind kind = Kind::None;
  int low = 0, high = 0;            // Range: both included
  const char* choices = nullptr;    // List: allowed values as "]1[]0["
  const char* shownName = nullptr;  // %Field of the refusal ("ALE:PrimerSugarKG")
  const char* shownList = nullptr;  // %Message of the refusal ("0 .. 100")
};

struct FieldDef {
  int number;        // 1-based position in the record
  const char* name;  // "ALE:BATCHNUMBER"
  FieldType type;
  int size;            // characters for STRING/MEMO, digits for DECIMAL, else 0
  const char* column;  // column name in the table file ("batchnumber")
  FieldCheck check{};
};

// Text as a STRING(size) or MEMO(size) keeps it: cut to `size` code points
// (never inside a UTF-8 sequence), trailing blanks removed.  size <= 0 keeps
// the length.
std::string clipText(std::string_view text, int size);
// `text` without its trailing blanks.
std::string_view trimRight(std::string_view text);

// The field of `fields` named `name` (prefix included, case ignored), or
// nullptr.
const FieldDef* findField(std::span<const FieldDef> fields, std::string_view name);
// The field numbered `number`, or nullptr.
const FieldDef* fieldByNumber(std::span<const FieldDef> fields, int number);

// `value` converted to what a field of type `def` can hold: integers wrap to
// the field's width as an assignment in the record would, doubles are cut
// towards zero for integer fields, decimals rounded to 2 places, text clipped;
// text is read as a number for numeric fields (unreadable text gives 0).
FieldValue coerceToField(const FieldDef& def, const FieldValue& value);

// Plain-text form of a value for messages and debugging (decimals with their
// two places, doubles in shortest form).
std::string fieldValueText(const FieldValue& value);

}  // namespace vm
