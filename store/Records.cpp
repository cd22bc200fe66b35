// Records: the field lists, keys and struct access of every layout.  The
// member tables below must follow the field tables one for one; the static
// asserts and the record tests hold them together.
#include "store/Records.h"

#include <sqlite3.h>

#include <cassert>
#include <variant>

namespace vm {

namespace {

template <class R>
using Member = std::variant<std::uint8_t R::*, std::int16_t R::*, std::int32_t R::*, double R::*,
                            Decimal R::*, std::string R::*>;

constexpr FieldCheck kPrimerCheckAle{FieldCheck::Kind::Range, 0,         100, nullptr,
                                     "ALE:PrimerSugarKG",     "0 .. 100"};
constexpr FieldCheck kStockCheckAle{FieldCheck::Kind::List,   0, 0, "]1[]0[", "ALE:StockOnHand",
                                    "'Have Stock','Consumed'"};
constexpr FieldCheck kPrimerCheckCsv{FieldCheck::Kind::Range, 0,         100, nullptr,
                                     "CSV:PrimerSugarKG",     "0 .. 100"};
constexpr FieldCheck kStockCheckCsv{FieldCheck::Kind::List,   0, 0, "]1[]0[", "CSV:StockOnHand",
                                    "'Have Stock','Consumed'"};

constexpr FieldDef kBrewFields[] = {
    {1, "ALE:RECORDNUMBER", FieldType::Long, 0, "recordnumber"},
    {2, "ALE:BATCHNUMBER", FieldType::Short, 0, "batchnumber"},
    {3, "ALE:BREWKIT", FieldType::String, 45, "brewkit"},
    {4, "ALE:WATERVOLUMELTR", FieldType::Decimal, 7, "watervolumeltr"},
    {5, "ALE:YEAST", FieldType::String, 35, "yeast"},
    {6, "ALE:BREWSUGARTYPE", FieldType::String, 25, "brewsugartype"},
    {7, "ALE:BREWSUGARKG", FieldType::Decimal, 7, "brewsugarkg"},
    {8, "ALE:PRIMERSUGARTYPE", FieldType::String, 25, "primersugartype"},
    {9, "ALE:PRIMERSUGARKG", FieldType::Decimal, 7, "primersugarkg", kPrimerCheckAle},
    {10, "ALE:ADDITIVE1", FieldType::String, 35, "additive1"},
    {11, "ALE:ADDITIVE2", FieldType::String, 35, "additive2"},
    {12, "ALE:ADDITIVE3", FieldType::String, 35, "additive3"},
    {13, "ALE:ADDITIVE4", FieldType::String, 35, "additive4"},
    {14, "ALE:ADDITIVE5", FieldType::String, 35, "additive5"},
    {15, "ALE:DATEDOWN", FieldType::Date, 0, "datedown"},
    {16, "ALE:ORIGINALGRAVITY", FieldType::Short, 0, "originalgravity"},
    {17, "ALE:DATEBOTTLED", FieldType::Date, 0, "datebottled"},
    {18, "ALE:BREWTEMP", FieldType::Short, 0, "brewtemp"},
    {19, "ALE:FINALGRAVITY", FieldType::Short, 0, "finalgravity"},
    {20, "ALE:BREWPERIOD", FieldType::Byte, 0, "brewperiod"},
    {21, "ALE:BREWPERIOD2", FieldType::Byte, 0, "brewperiod2"},
    {22, "ALE:MINUSE", FieldType::Date, 0, "minuse"},
    {23, "ALE:MAXUSE", FieldType::Date, 0, "maxuse"},
    {24, "ALE:ESTIMATEDALC", FieldType::Decimal, 7, "estimatedalc"},
    {25, "ALE:APPEARANCE", FieldType::Real, 0, "appearance"},
    {26, "ALE:AROMA", FieldType::Real, 0, "aroma"},
    {27, "ALE:TASTE", FieldType::Real, 0, "taste"},
    {28, "ALE:OVERALL", FieldType::Short, 0, "overall"},
    {29, "ALE:BREWBATCHNAME", FieldType::String, 25, "brewbatchname"},
    {30, "ALE:BREWCOST", FieldType::Decimal, 7, "brewcost"},
    {31, "ALE:SPAREDEC1", FieldType::Decimal, 7, "sparedec1"},
    {32, "ALE:SPAREDEC2", FieldType::Decimal, 7, "sparedec2"},
    {33, "ALE:SPAREDEC3", FieldType::Decimal, 7, "sparedec3"},
    {34, "ALE:SPAREREAL1", FieldType::Real, 0, "sparereal1"},
    {35, "ALE:SPAREREAL2", FieldType::Real, 0, "sparereal2"},
    {36, "ALE:SPAREREAL3", FieldType::Real, 0, "sparereal3"},
    {37, "ALE:SPARELONG1", FieldType::Long, 0, "sparelong1"},
    {38, "ALE:SPARESHORT1", FieldType::Short, 0, "spareshort1"},
    {39, "ALE:SPARESHORT2", FieldType::Short, 0, "spareshort2"},
    {40, "ALE:SPARESHORT3", FieldType::Short, 0, "spareshort3"},
    {41, "ALE:SPARELONG2", FieldType::Long, 0, "sparelong2"},
    {42, "ALE:SPARELONG3", FieldType::Long, 0, "sparelong3"},
    {43, "ALE:SPAREBYTE1", FieldType::Byte, 0, "sparebyte1"},
    {44, "ALE:SPAREBYTE2", FieldType::Byte, 0, "sparebyte2"},
    {45, "ALE:SPAREBYTE3", FieldType::Byte, 0, "sparebyte3"},
    {46, "ALE:SPAREBYTE4", FieldType::Byte, 0, "sparebyte4"},
    {47, "ALE:SPAREBYTE5", FieldType::Byte, 0, "sparebyte5"},
    {48, "ALE:SPARESTRG1", FieldType::String, 10, "sparestrg1"},
    {49, "ALE:SPARESTRG2", FieldType::String, 15, "sparestrg2"},
    {50, "ALE:SPARESTRG3", FieldType::String, 35, "sparestrg3"},
    {51, "ALE:SPARESTRG4", FieldType::String, 45, "sparestrg4"},
    {52, "ALE:SPARESTRG5", FieldType::String, 60, "sparestrg5"},
    {53, "ALE:SPAREFIELD1", FieldType::String, 25, "sparefield1"},
    {54, "ALE:SPAREFIELD2", FieldType::String, 25, "sparefield2"},
    {55, "ALE:SPAREFIELD3", FieldType::String, 25, "sparefield3"},
    {56, "ALE:SPAREFIELD4", FieldType::String, 20, "sparefield4"},
    {57, "ALE:STOCKONHAND", FieldType::String, 25, "stockonhand", kStockCheckAle},
    {58, "ALE:NOTES", FieldType::Memo, 1000, "notes"},
    {59, "ALE:NOTESBIG", FieldType::Memo, 18000, "notesbig"},
};
const Member<BrewRecord> kBrewMembers[] = {
    &BrewRecord::recordNumber,    &BrewRecord::batchNumber,     &BrewRecord::brewKit,
    &BrewRecord::waterVolumeLtr,  &BrewRecord::yeast,           &BrewRecord::brewSugarType,
    &BrewRecord::brewSugarKg,     &BrewRecord::primerSugarType, &BrewRecord::primerSugarKg,
    &BrewRecord::additive1,       &BrewRecord::additive2,       &BrewRecord::additive3,
    &BrewRecord::additive4,       &BrewRecord::additive5,       &BrewRecord::dateDown,
    &BrewRecord::originalGravity, &BrewRecord::dateBottled,     &BrewRecord::brewTemp,
    &BrewRecord::finalGravity,    &BrewRecord::brewPeriod,      &BrewRecord::brewPeriod2,
    &BrewRecord::minUse,          &BrewRecord::maxUse,          &BrewRecord::estimatedAlc,
    &BrewRecord::appearance,      &BrewRecord::aroma,           &BrewRecord::taste,
    &BrewRecord::overall,         &BrewRecord::brewBatchName,   &BrewRecord::brewCost,
    &BrewRecord::spareDec1,       &BrewRecord::spareDec2,       &BrewRecord::spareDec3,
    &BrewRecord::spareReal1,      &BrewRecord::spareReal2,      &BrewRecord::spareReal3,
    &BrewRecord::spareLong1,      &BrewRecord::spareShort1,     &BrewRecord::spareShort2,
    &BrewRecord::spareShort3,     &BrewRecord::spareLong2,      &BrewRecord::spareLong3,
    &BrewRecord::spareByte1,      &BrewRecord::spareByte2,      &BrewRecord::spareByte3,
    &BrewRecord::spareByte4,      &BrewRecord::spareByte5,      &BrewRecord::spareStrg1,
    &BrewRecord::spareStrg2,      &BrewRecord::spareStrg3,      &BrewRecord::spareStrg4,
    &BrewRecord::spareStrg5,      &BrewRecord::spareField1,     &BrewRecord::spareField2,
    &BrewRecord::spareField3,     &BrewRecord::spareField4,     &BrewRecord::stockOnHand,
    &BrewRecord::notes,           &BrewRecord::notesBig,
};
constexpr FieldDef kExportFields[] = {
    {1, "CSV:LINENUMBER", FieldType::Long, 0, "linenumber"},
    {2, "CSV:BATCHNUMBER", FieldType::Short, 0, "batchnumber"},
    {3, "CSV:BREWKIT", FieldType::String, 45, "brewkit"},
    {4, "CSV:BREWBATCHNAME", FieldType::String, 25, "brewbatchname"},
    {5, "CSV:BREWSUGARTYPE", FieldType::String, 25, "brewsugartype"},
    {6, "CSV:BREWSUGARKG", FieldType::Decimal, 7, "brewsugarkg"},
    {7, "CSV:WATERVOLUMELTR", FieldType::Decimal, 7, "watervolumeltr"},
    {8, "CSV:YEAST", FieldType::String, 35, "yeast"},
    {9, "CSV:DATEDOWN", FieldType::String, 10, "datedown"},
    {10, "CSV:ORIGINALGRAVITY", FieldType::Short, 0, "originalgravity"},
    {11, "CSV:SPAREFIELD1", FieldType::String, 25, "sparefield1"},
    {12, "CSV:STOCKONHAND", FieldType::String, 25, "stockonhand", kStockCheckCsv},
    {13, "CSV:ADDITIVE1", FieldType::String, 35, "additive1"},
    {14, "CSV:ADDITIVE2", FieldType::String, 35, "additive2"},
    {15, "CSV:ADDITIVE3", FieldType::String, 35, "additive3"},
    {16, "CSV:ADDITIVE4", FieldType::String, 35, "additive4"},
    {17, "CSV:ADDITIVE5", FieldType::String, 35, "additive5"},
    {18, "CSV:PRIMERSUGARTYPE", FieldType::String, 25, "primersugartype"},
    {19, "CSV:PRIMERSUGARKG", FieldType::Decimal, 7, "primersugarkg", kPrimerCheckCsv},
    {20, "CSV:BREWTEMP", FieldType::Short, 0, "brewtemp"},
    {21, "CSV:DATEBOTTLED", FieldType::String, 10, "datebottled"},
    {22, "CSV:MINUSE", FieldType::String, 12, "minuse"},
    {23, "CSV:MAXUSE", FieldType::String, 12, "maxuse"},
    {24, "CSV:BREWPERIOD", FieldType::Byte, 0, "brewperiod"},
    {25, "CSV:BREWPERIOD2", FieldType::Byte, 0, "brewperiod2"},
    {26, "CSV:FINALGRAVITY", FieldType::Short, 0, "finalgravity"},
    {27, "CSV:SPAREFIELD2", FieldType::String, 25, "sparefield2"},
    {28, "CSV:ESTIMATEDALC", FieldType::Decimal, 7, "estimatedalc"},
    {29, "CSV:APPEARANCE", FieldType::Short, 0, "appearance"},
    {30, "CSV:AROMA", FieldType::Short, 0, "aroma"},
    {31, "CSV:TASTE", FieldType::Short, 0, "taste"},
    {32, "CSV:OVERALL", FieldType::Short, 0, "overall"},
    {33, "CSV:SPAREFIELD4", FieldType::String, 20, "sparefield4"},
    {34, "CSV:BREWCOST", FieldType::Decimal, 7, "brewcost"},
};
const Member<BrewExportRecord> kExportMembers[] = {
    &BrewExportRecord::lineNumber,     &BrewExportRecord::batchNumber,
    &BrewExportRecord::brewKit,        &BrewExportRecord::brewBatchName,
    &BrewExportRecord::brewSugarType,  &BrewExportRecord::brewSugarKg,
    &BrewExportRecord::waterVolumeLtr, &BrewExportRecord::yeast,
    &BrewExportRecord::dateDown,       &BrewExportRecord::originalGravity,
    &BrewExportRecord::spareField1,    &BrewExportRecord::stockOnHand,
    &BrewExportRecord::additive1,      &BrewExportRecord::additive2,
    &BrewExportRecord::additive3,      &BrewExportRecord::additive4,
    &BrewExportRecord::additive5,      &BrewExportRecord::primerSugarType,
    &BrewExportRecord::primerSugarKg,  &BrewExportRecord::brewTemp,
    &BrewExportRecord::dateBottled,    &BrewExportRecord::minUse,
    &BrewExportRecord::maxUse,         &BrewExportRecord::brewPeriod,
    &BrewExportRecord::brewPeriod2,    &BrewExportRecord::finalGravity,
    &BrewExportRecord::spareField2,    &BrewExportRecord::estimatedAlc,
    &BrewExportRecord::appearance,     &BrewExportRecord::aroma,
    &BrewExportRecord::taste,          &BrewExportRecord::overall,
    &BrewExportRecord::spareField4,    &BrewExportRecord::brewCost,
};

constexpr FieldDef kBrandFields[] = {
    {1, "BRW:RECORDNUMBER", FieldType::Real, 0, "recordnumber"},
    {2, "BRW:NAMEOFBREW", FieldType::String, 45, "nameofbrew"},
};
const Member<BrandRecord> kBrandMembers[] = {&BrandRecord::recordNumber, &BrandRecord::nameOfBrew};

constexpr FieldDef kWebLinkFields[] = {
    {1, "WEB:RECORDNUMBER", FieldType::Long, 0, "recordnumber"},
    {2, "WEB:WEBADDRESS", FieldType::String, 80, "webaddress"},
    {3, "WEB:NAMECOMMENT", FieldType::String, 45, "namecomment"},
};
const Member<WebLinkRecord> kWebLinkMembers[] = {
    &WebLinkRecord::recordNumber, &WebLinkRecord::webAddress, &WebLinkRecord::nameComment};

constexpr FieldDef kShoppingFields[] = {
    {1, "SHO:RECORDNUMBER", FieldType::Long, 0, "recordnumber"},
    {2, "SHO:ITEM", FieldType::String, 45, "item"},
    {3, "SHO:SIZE", FieldType::String, 25, "size"},
    {4, "SHO:QTY", FieldType::Decimal, 5, "qty"},
    {5, "SHO:PRICE", FieldType::Decimal, 7, "price"},
    {6, "SHO:AMOUNT", FieldType::Decimal, 7, "amount"},
};
const Member<ShoppingRecord> kShoppingMembers[] = {
    &ShoppingRecord::recordNumber, &ShoppingRecord::item,  &ShoppingRecord::size,
    &ShoppingRecord::qty,          &ShoppingRecord::price, &ShoppingRecord::amount};

static_assert(std::size(kBrewFields) == 59);
static_assert(std::size(kExportFields) == 34);

//                      name                 field desc   unique auto   primary
constexpr KeyDef kBrewKeys[] = {
    {"ALE:KeyRecord", 1, false, true, true, true},
    {"ALE:KeyBrewNumber", 2, true, true, true, false},
    {"ALE:ByDateKey", 15, true, false, false, false},
    {"ALE:ByBrewKey", 3, false, false, false, false},
    {"ALE:QualityKey", 28, true, false, false, false},
    {"ALE:CostKey", 30, false, false, false, false},
};
constexpr KeyDef kBrandKeys[] = {
    {"BRW:RecordKey", 1, false, true, true, true},
    {"BRW:BrewKey", 2, false, true, false, false},
};
constexpr KeyDef kWebLinkKeys[] = {
    {"WEB:KeyRecordNumber", 1, false, true, true, false},
    {"WEB:KeyWeb", 2, false, false, false, false},
    {"WEB:KeyName", 3, false, false, false, false},
};
constexpr KeyDef kShoppingKeys[] = {
    {"SHO:KeyRecordNumber", 1, false, true, true, false},
};

// Text bound to a statement is the stored form (clipped, trailing blanks
// cut) without copying: only its length changes.
size_t storedLength(const std::string& text, int size) {
  size_t n = text.size();
  if (size > 0 && n > static_cast<size_t>(size)) {
    int points = 0;
    size_t i = 0;
    for (; i < n; ++i) {
      if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
        if (points == size) break;
        ++points;
      }
    }
    n = i;
  }
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

void readColumn(std::uint8_t& m, sqlite3_stmt* s, int c) {
  m = static_cast<std::uint8_t>(sqlite3_column_int64(s, c));
}
void readColumn(std::int16_t& m, sqlite3_stmt* s, int c) {
  m = static_cast<std::int16_t>(sqlite3_column_int64(s, c));
}
void readColumn(std::int32_t& m, sqlite3_stmt* s, int c) {
  m = static_cast<std::int32_t>(sqlite3_column_int64(s, c));
}
void readColumn(double& m, sqlite3_stmt* s, int c) {
  m = sqlite3_column_double(s, c);
}
void readColumn(Decimal& m, sqlite3_stmt* s, int c) {
  sqlite3_int64 units = sqlite3_column_int64(s, c);
  m = units == 0 ? Decimal() : Decimal::fromUnits(units, 2);
}
void readColumn(std::string& m, sqlite3_stmt* s, int c) {
  const unsigned char* text = sqlite3_column_text(s, c);
  int bytes = sqlite3_column_bytes(s, c);
  if (text)
    m.assign(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes));
  else
    m.clear();
}

void bindColumn(std::uint8_t m, const FieldDef&, sqlite3_stmt* s, int i) {
  sqlite3_bind_int64(s, i, m);
}
void bindColumn(std::int16_t m, const FieldDef&, sqlite3_stmt* s, int i) {
  sqlite3_bind_int64(s, i, m);
}
void bindColumn(std::int32_t m, const FieldDef&, sqlite3_stmt* s, int i) {
  sqlite3_bind_int64(s, i, m);
}
void bindColumn(double m, const FieldDef&, sqlite3_stmt* s, int i) {
  sqlite3_bind_double(s, i, m);
}
void bindColumn(const Decimal& m, const FieldDef&, sqlite3_stmt* s, int i) {
  sqlite3_bind_int64(s, i, m.toUnits(2));
}
void bindColumn(const std::string& m, const FieldDef& f, sqlite3_stmt* s, int i) {
  sqlite3_bind_text(s, i, m.data(), static_cast<int>(storedLength(m, f.size)), SQLITE_STATIC);
}

FieldValue toValue(std::uint8_t v) {
  return std::int64_t{v};
}
FieldValue toValue(std::int16_t v) {
  return std::int64_t{v};
}
FieldValue toValue(std::int32_t v) {
  return std::int64_t{v};
}
FieldValue toValue(double v) {
  return v;
}
FieldValue toValue(const Decimal& v) {
  return v;
}
FieldValue toValue(const std::string& v) {
  return v;
}

template <class T>
void fromValue(T& m, const FieldValue& v) {
  if constexpr (std::is_same_v<T, double>)
    m = std::get<double>(v);
  else if constexpr (std::is_same_v<T, Decimal>)
    m = std::get<Decimal>(v);
  else if constexpr (std::is_same_v<T, std::string>)
    m = std::get<std::string>(v);
  else
    m = static_cast<T>(std::get<std::int64_t>(v));
}

template <class R, const auto& Fields, const auto& Members>
struct Codec {
  static_assert(std::size(Fields) == std::size(Members));
  static FieldValue get(const void* record, int index) {
    const R& r = *static_cast<const R*>(record);
    return std::visit([&](auto m) { return toValue(r.*m); }, Members[index]);
  }
  static void set(void* record, int index, const FieldValue& value) {
    R& r = *static_cast<R*>(record);
    std::visit([&](auto m) { fromValue(r.*m, value); }, Members[index]);
  }
  static void readRow(void* record, sqlite3_stmt* s, int first) {
    R& r = *static_cast<R*>(record);
    for (size_t i = 0; i < std::size(Members); ++i)
      std::visit([&](auto m) { readColumn(r.*m, s, first + static_cast<int>(i)); }, Members[i]);
  }
  static void bindRow(const void* record, sqlite3_stmt* s, int first) {
    const R& r = *static_cast<const R*>(record);
    for (size_t i = 0; i < std::size(Members); ++i)
      std::visit([&](auto m) { bindColumn(r.*m, Fields[i], s, first + static_cast<int>(i)); },
                 Members[i]);
  }
  static TableDef make(const char* name, const char* file, const char* prefix,
                       std::span<const KeyDef> keys, int recordKey) {
    return TableDef{name, file, prefix, Fields, keys, recordKey, &get, &set, &readRow, &bindRow};
  }
};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

const TableDef& BrewRecord::definition() {
  static const TableDef def = Codec<BrewRecord, kBrewFields, kBrewMembers>::make(
      "BREWSV3", "BREWSV3.TPS", "ALE", kBrewKeys, 0);
  return def;
}

const TableDef& BrandRecord::definition() {
  static const TableDef def = Codec<BrandRecord, kBrandFields, kBrandMembers>::make(
      "BRANDS4", "BRANDS4.TPS", "BRW", kBrandKeys, 0);
  return def;
}

const TableDef& WebLinkRecord::definition() {
  static const TableDef def = Codec<WebLinkRecord, kWebLinkFields, kWebLinkMembers>::make(
      "W_LINK", "W_LINK.TPS", "WEB", kWebLinkKeys, 0);
  return def;
}

const TableDef& ShoppingRecord::definition() {
  static const TableDef def = Codec<ShoppingRecord, kShoppingFields, kShoppingMembers>::make(
      "SHOPPING", "SHOPPING.TPS", "SHO", kShoppingKeys, 0);
  return def;
}

const TableDef& BrewExportRecord::definition() {
  static const TableDef def = Codec<BrewExportRecord, kExportFields, kExportMembers>::make(
      "BREWSEXP", "Brewsexp.csv", "CSV", {}, -1);
  return def;
}

int keyIndex(const TableDef& def, std::string_view name) {
  for (size_t i = 0; i < def.keys.size(); ++i)
    if (sameIgnoringCase(def.keys[i].name, name)) return static_cast<int>(i);
  return -1;
}

std::optional<FieldValue> getField(const TableDef& def, const void* record, int number) {
  if (!fieldByNumber(def.fields, number)) return std::nullopt;
  return def.get(record, number - 1);
}

bool setField(const TableDef& def, void* record, int number, const FieldValue& value) {
  const FieldDef* f = fieldByNumber(def.fields, number);
  if (!f) return false;
  def.set(record, number - 1, coerceToField(*f, value));
  return true;
}

}  // namespace vm
