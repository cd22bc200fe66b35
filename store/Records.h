// Records: the layouts of the program's tables as plain structs, one member
// per field in field order, plus the description of each layout (fields,
// keys, file) that the table machinery and generic code work from.
//
//  BREWSV3   BrewRecord        one record per brew, 57 fields and 2 memos
//  BRANDS4   BrandRecord       kits and recipes
//  W_LINK    WebLinkRecord     web links
//  SHOPPING  ShoppingRecord    shopping-list lines
//  BREWSEXP  BrewExportRecord  one line of the CSV export (a layout only; the
//                              export writes its own file)
//
// Members hold values as the program uses them: DECIMAL(n,2) as Decimal (the
// file keeps integer hundredths, so a value is rounded to 2 places when it is
// written), dates as DayNumber, STRING(n) as std::string, clipped to n and
// trimmed of trailing blanks when written.  Reserved fields keep their places
// so that field numbers stay those of the layout.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Date.h"
#include "base/Decimal.h"
#include "store/Fields.h"

struct sqlite3_stmt;

namespace vm {

// One key of a table: one component, a direction, a uniqueness rule.  Every
// key leaves out records whose component is empty (0, blank text, date 0)
// and compares text without regard to case.
struct KeyDef {
  const char* name;  // "ALE:KeyBrewNumber", also the index name in the file
  int field;         // component, a field number
  bool descending;
  bool unique;
  bool autoNumber;  // numbered by prime (highest + 1)
  bool primary;
};

// Everything the table machinery knows about one layout.  The function
// pointers move values between the record struct (passed as void*) and a
// statement; they are filled by Records.cpp for each struct.
struct TableDef {
  const char* name;      // "BREWSV3"
  const char* fileName;  // "BREWSV3.TPS"
  const char* prefix;    // "ALE"
  std::span<const FieldDef> fields;
  std::span<const KeyDef> keys;  // in the table's key order
  int recordKey;                 // index into keys of the record-number key, -1 if none

  // Generic access by 0-based field index; set expects a coerced value.
  FieldValue (*get)(const void* record, int index);
  void (*set)(void* record, int index, const FieldValue& value);
  // Columns of every field in field order, read from result column `first`
  // on; and bound to parameters first, first+1, ...  Text is bound clipped
  // and trimmed; the record must outlive the statement's next step.
  void (*readRow)(void* record, sqlite3_stmt* statement, int first);
  void (*bindRow)(const void* record, sqlite3_stmt* statement, int first);
};

struct BrewRecord {
  std::int32_t recordNumber = 0;     //  1 ALE:RECORDNUMBER
  std::int16_t batchNumber = 0;      //  2 ALE:BATCHNUMBER
  std::string brewKit;               //  3 ALE:BREWKIT STRING(45)
  Decimal waterVolumeLtr;            //  4 ALE:WATERVOLUMELTR DECIMAL(7,2)
  std::string yeast;                 //  5 ALE:YEAST STRING(35)
  std::string brewSugarType;         //  6 ALE:BREWSUGARTYPE STRING(25)
  Decimal brewSugarKg;               //  7 ALE:BREWSUGARKG
  std::string primerSugarType;       //  8 ALE:PRIMERSUGARTYPE STRING(25)
  Decimal primerSugarKg;             //  9 ALE:PRIMERSUGARKG (checked 0 .. 100)
  std::string additive1;             // 10 ALE:ADDITIVE1 STRING(35)
  std::string additive2;             // 11
  std::string additive3;             // 12
  std::string additive4;             // 13
  std::string additive5;             // 14
  DayNumber dateDown = 0;            // 15 ALE:DATEDOWN
  std::int16_t originalGravity = 0;  // 16 ALE:ORIGINALGRAVITY (x 1000)
  DayNumber dateBottled = 0;         // 17 ALE:DATEBOTTLED
  std::int16_t brewTemp = 0;         // 18 ALE:BREWTEMP
  std::int16_t finalGravity = 0;     // 19 ALE:FINALGRAVITY
  std::uint8_t brewPeriod = 0;       // 20 ALE:BREWPERIOD
  std::uint8_t brewPeriod2 = 0;      // 21 ALE:BREWPERIOD2
  DayNumber minUse = 0;              // 22 ALE:MINUSE
  DayNumber maxUse = 0;              // 23 ALE:MAXUSE
  Decimal estimatedAlc;              // 24 ALE:ESTIMATEDALC
  double appearance = 0;             // 25 ALE:APPEARANCE
  double aroma = 0;                  // 26 ALE:AROMA
  double taste = 0;                  // 27 ALE:TASTE
  std::int16_t overall = 0;          // 28 ALE:OVERALL
  std::string brewBatchName;         // 29 ALE:BREWBATCHNAME STRING(25)
  Decimal brewCost;                  // 30 ALE:BREWCOST
  Decimal spareDec1;                 // 31
  Decimal spareDec2;                 // 32
  Decimal spareDec3;                 // 33
  double spareReal1 = 0;             // 34
  double spareReal2 = 0;             // 35
  double spareReal3 = 0;             // 36
  std::int32_t spareLong1 = 0;       // 37
  std::int16_t spareShort1 = 0;      // 38
  std::int16_t spareShort2 = 0;      // 39
  std::int16_t spareShort3 = 0;      // 40
  std::int32_t spareLong2 = 0;       // 41
  std::int32_t spareLong3 = 0;       // 42
  std::uint8_t spareByte1 = 0;       // 43 highlight mark
  std::uint8_t spareByte2 = 0;       // 44
  std::uint8_t spareByte3 = 0;       // 45
  std::uint8_t spareByte4 = 0;       // 46
  std::uint8_t spareByte5 = 0;       // 47
  std::string spareStrg1;            // 48 STRING(10)
  std::string spareStrg2;            // 49 STRING(15)
  std::string spareStrg3;            // 50 STRING(35)
  std::string spareStrg4;            // 51 STRING(45)
  std::string spareStrg5;            // 52 STRING(60)
  std::string spareField1;           // 53 STRING(25) temperature at the OG reading
  std::string spareField2;           // 54 STRING(25) temperature at the FG reading
  std::string spareField3;           // 55 STRING(25)
  std::string spareField4;           // 56 STRING(20) best maturity period
  std::string stockOnHand;           // 57 ALE:STOCKONHAND STRING(25), "1" / "0"
  std::string notes;                 // 58 ALE:NOTES MEMO(1000)
  std::string notesBig;              // 59 ALE:NOTESBIG MEMO(18000)

  static const TableDef& definition();
};

struct BrandRecord {
  double recordNumber = 0;  // 1 BRW:RECORDNUMBER (REAL)
  std::string nameOfBrew;   // 2 BRW:NAMEOFBREW STRING(45)

  static const TableDef& definition();
};

struct WebLinkRecord {
  std::int32_t recordNumber = 0;  // 1 WEB:RECORDNUMBER
  std::string webAddress;         // 2 WEB:WEBADDRESS STRING(80)
  std::string nameComment;        // 3 WEB:NAMECOMMENT STRING(45)

  static const TableDef& definition();
};

struct ShoppingRecord {
  std::int32_t recordNumber = 0;  // 1 SHO:RECORDNUMBER
  std::string item;               // 2 SHO:ITEM STRING(45)
  std::string size;               // 3 SHO:SIZE STRING(25)
  Decimal qty;                    // 4 SHO:QTY DECIMAL(5,2)
  Decimal price;                  // 5 SHO:PRICE DECIMAL(7,2)
  Decimal amount;                 // 6 SHO:AMOUNT DECIMAL(7,2)

  static const TableDef& definition();
};

struct BrewExportRecord {
  std::int32_t lineNumber = 0;       //  1 CSV:LINENUMBER
  std::int16_t batchNumber = 0;      //  2 CSV:BATCHNUMBER
  std::string brewKit;               //  3 STRING(45)
  std::string brewBatchName;         //  4 STRING(25)
  std::string brewSugarType;         //  5 STRING(25)
  Decimal brewSugarKg;               //  6 DECIMAL(7,2)
  Decimal waterVolumeLtr;            //  7
  std::string yeast;                 //  8 STRING(35)
  std::string dateDown;              //  9 STRING(10), a date text
  std::int16_t originalGravity = 0;  // 10
  std::string spareField1;           // 11 STRING(25)
  std::string stockOnHand;           // 12 STRING(25) (checked "1"/"0")
  std::string additive1;             // 13 STRING(35)
  std::string additive2;             // 14
  std::string additive3;             // 15
  std::string additive4;             // 16
  std::string additive5;             // 17
  std::string primerSugarType;       // 18 STRING(25)
  Decimal primerSugarKg;             // 19 (checked 0 .. 100)
  std::int16_t brewTemp = 0;         // 20
  std::string dateBottled;           // 21 STRING(10)
  std::string minUse;                // 22 STRING(12)
  std::string maxUse;                // 23 STRING(12)
  std::uint8_t brewPeriod = 0;       // 24
  std::uint8_t brewPeriod2 = 0;      // 25
  std::int16_t finalGravity = 0;     // 26
  std::string spareField2;           // 27 STRING(25)
  Decimal estimatedAlc;              // 28
  std::int16_t appearance = 0;       // 29
  std::int16_t aroma = 0;            // 30
  std::int16_t taste = 0;            // 31
  std::int16_t overall = 0;          // 32
  std::string spareField4;           // 33 STRING(20)
  Decimal brewCost;                  // 34

  static const TableDef& definition();
};

// Field numbers of BREWSV3 used by windows, reports and filters.
namespace brew {
inline constexpr int kRecordNumber = 1, kBatchNumber = 2, kBrewKit = 3, kWaterVolumeLtr = 4,
                     kYeast = 5, kBrewSugarType = 6, kBrewSugarKg = 7, kPrimerSugarType = 8,
                     kPrimerSugarKg = 9, kAdditive1 = 10, kDateDown = 15, kOriginalGravity = 16,
                     kDateBottled = 17, kBrewTemp = 18, kFinalGravity = 19, kBrewPeriod = 20,
                     kBrewPeriod2 = 21, kMinUse = 22, kMaxUse = 23, kEstimatedAlc = 24,
                     kAppearance = 25, kAroma = 26, kTaste = 27, kOverall = 28, kBrewBatchName = 29,
                     kBrewCost = 30, kSpareByte1 = 43, kSpareField1 = 53, kSpareField2 = 54,
                     kSpareField4 = 56, kStockOnHand = 57, kNotes = 58, kNotesBig = 59;
// Keys of BREWSV3 in key order (indexes into definition().keys).
inline constexpr int kKeyRecord = 0, kKeyBrewNumber = 1, kByDateKey = 2, kByBrewKey = 3,
                     kQualityKey = 4, kCostKey = 5;
}  // namespace brew
namespace brand {
inline constexpr int kRecordNumber = 1, kNameOfBrew = 2;
inline constexpr int kRecordKey = 0, kBrewKey = 1;
}  // namespace brand
namespace weblink {
inline constexpr int kRecordNumber = 1, kWebAddress = 2, kNameComment = 3;
inline constexpr int kKeyRecordNumber = 0, kKeyWeb = 1, kKeyName = 2;
}  // namespace weblink
namespace shopping {
inline constexpr int kRecordNumber = 1, kItem = 2, kSize = 3, kQty = 4, kPrice = 5, kAmount = 6;
inline constexpr int kKeyRecordNumber = 0;
}  // namespace shopping
namespace brewexport {
inline constexpr int kLineNumber = 1, kStockOnHand = 12, kPrimerSugarKg = 19;
}  // namespace brewexport

// Index of the key named `name` (case ignored) in `def.keys`, or -1.
int keyIndex(const TableDef& def, std::string_view name);

// Generic access by field number (1-based) or field name ("ALE:BATCHNUMBER",
// case ignored).  get gives no value for an unknown field; set converts the
// value as coerceToField does and returns false for an unknown field.
std::optional<FieldValue> getField(const TableDef& def, const void* record, int number);
bool setField(const TableDef& def, void* record, int number, const FieldValue& value);

template <class R>
std::optional<FieldValue> getField(const R& record, int number) {
  return getField(R::definition(), &record, number);
}
template <class R>
std::optional<FieldValue> getField(const R& record, std::string_view name) {
  const FieldDef* f = findField(R::definition().fields, name);
  return f ? getField(R::definition(), &record, f->number) : std::nullopt;
}
template <class R>
bool setField(R& record, int number, const FieldValue& value) {
  return setField(R::definition(), &record, number, value);
}
template <class R>
bool setField(R& record, std::string_view name, const FieldValue& value) {
  const FieldDef* f = findField(R::definition().fields, name);
  return f && setField(R::definition(), &record, f->number, value);
}

}  // namespace vm
