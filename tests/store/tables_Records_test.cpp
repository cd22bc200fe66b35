// Record layouts, generic field access, field checks and the standard
// message texts: everything that needs no file.
#include <gtest/gtest.h>

#include "store/Records.h"
#include "store/StoreMessages.h"
#include "store/Tables.h"
#include "tables_TestSupport.h"

namespace vm {
namespace {

using test::ScriptedMessages;

TEST(RecordLayout, FieldsAreNumberedInRecordOrderAndFoundByName) {
  const TableDef& d = BrewRecord::definition();
  ASSERT_EQ(d.fields.size(), 59u);
  for (size_t i = 0; i < d.fields.size(); ++i) EXPECT_EQ(d.fields[i].number, int(i) + 1);
  struct Case {
    const char* name;
    int number;
    FieldType type;
    int size;
  };
  const Case cases[] = {
      {"ALE:RECORDNUMBER", 1, FieldType::Long, 0},
      {"ALE:BATCHNUMBER", 2, FieldType::Short, 0},
      {"ALE:BrewKit", 3, FieldType::String, 45},
      {"ALE:PrimerSugarKG", 9, FieldType::Decimal, 7},
      {"ALE:ADDITIVE5", 14, FieldType::String, 35},
      {"ale:datedown", 15, FieldType::Date, 0},
      {"ALE:BREWPERIOD2", 21, FieldType::Byte, 0},
      {"ALE:TASTE", 27, FieldType::Real, 0},
      {"ALE:OVERALL", 28, FieldType::Short, 0},
      {"ALE:BREWCOST", 30, FieldType::Decimal, 7},
      {"ALE:SPARELONG1", 37, FieldType::Long, 0},
      {"ALE:SPAREBYTE1", 43, FieldType::Byte, 0},
      {"ALE:SPARESTRG5", 52, FieldType::String, 60},
      {"ALE:SPAREFIELD4", 56, FieldType::String, 20},
      {"ALE:StockOnHand", 57, FieldType::String, 25},
      {"ALE:NOTES", 58, FieldType::Memo, 1000},
      {"ALE:NOTESBIG", 59, FieldType::Memo, 18000},
  };
  for (const Case& c : cases) {
    const FieldDef* f = findField(d.fields, c.name);
    ASSERT_NE(f, nullptr) << c.name;
    EXPECT_EQ(f->number, c.number) << c.name;
    EXPECT_EQ(f->type, c.type) << c.name;
    EXPECT_EQ(f->size, c.size) << c.name;
  }
  EXPECT_EQ(findField(d.fields, "ALE:NOSUCHFIELD"), nullptr);
  EXPECT_EQ(BrewExportRecord::definition().fields.size(), 34u);
  EXPECT_EQ(findField(BrewExportRecord::definition().fields, "CSV:PRIMERSUGARKG")->number, 19);
  EXPECT_EQ(findField(BrewExportRecord::definition().fields, "CSV:STOCKONHAND")->number, 12);
}

TEST(RecordLayout, KeysAreSpelledAndOrderedAsTheMessagesShowThem) {
  auto names = [](const TableDef& d) {
    std::vector<std::string> n;
    for (const KeyDef& k : d.keys) n.push_back(k.name);
    return n;
  };
  EXPECT_EQ(names(BrewRecord::definition()),
            (std::vector<std::string>{"ALE:KeyRecord", "ALE:KeyBrewNumber", "ALE:ByDateKey",
                                      "ALE:ByBrewKey", "ALE:QualityKey", "ALE:CostKey"}));
  EXPECT_EQ(names(BrandRecord::definition()),
            (std::vector<std::string>{"BRW:RecordKey", "BRW:BrewKey"}));
  EXPECT_EQ(names(WebLinkRecord::definition()),
            (std::vector<std::string>{"WEB:KeyRecordNumber", "WEB:KeyWeb", "WEB:KeyName"}));
  EXPECT_EQ(names(ShoppingRecord::definition()), (std::vector<std::string>{"SHO:KeyRecordNumber"}));
  EXPECT_EQ(keyIndex(BrewRecord::definition(), "ale:qualitykey"), brew::kQualityKey);
  EXPECT_EQ(std::string(BrewRecord::definition().fileName), "BREWSV3.TPS");
  EXPECT_EQ(std::string(WebLinkRecord::definition().fileName), "W_LINK.TPS");
}

TEST(FieldAccess, GenericGetAndSetReachTheStructMembers) {
  BrewRecord r;
  EXPECT_TRUE(setField(r, "ALE:BATCHNUMBER", std::int64_t{42}));
  EXPECT_EQ(r.batchNumber, 42);
  EXPECT_TRUE(setField(r, brew::kBrewCost, Decimal::parse("12.345").value()));
  EXPECT_EQ(r.brewCost, Decimal::parse("12.35").value());  // rounded half away from zero
  EXPECT_TRUE(setField(r, "ALE:TASTE", std::string("31.5")));
  EXPECT_DOUBLE_EQ(r.taste, 31.5);
  EXPECT_TRUE(setField(r, "ALE:BREWPERIOD", std::int64_t{300}));
  EXPECT_EQ(r.brewPeriod, 44);  // a BYTE wraps as an assignment would
  EXPECT_TRUE(setField(r, "ALE:OVERALL", 37.9));
  EXPECT_EQ(r.overall, 37);
  EXPECT_TRUE(setField(r, "ALE:BREWKIT", std::string(50, 'x') + "  "));
  EXPECT_EQ(r.brewKit, std::string(45, 'x'));
  EXPECT_TRUE(setField(r, "ALE:STOCKONHAND", std::int64_t{1}));
  EXPECT_EQ(r.stockOnHand, "1");
  EXPECT_FALSE(setField(r, 60, std::int64_t{1}));
  EXPECT_FALSE(setField(r, "ALE:NOPE", std::int64_t{1}));

  r.dateDown = 77000;
  EXPECT_EQ(std::get<std::int64_t>(*getField(r, "ALE:DATEDOWN")), 77000);
  EXPECT_EQ(std::get<Decimal>(*getField(r, brew::kBrewCost)).toFixed(2), "12.35");
  EXPECT_EQ(std::get<std::string>(*getField(r, 3)), std::string(45, 'x'));
  EXPECT_FALSE(getField(r, 0).has_value());

  ShoppingRecord s;
  EXPECT_TRUE(setField(s, "SHO:QTY", 2.5));
  EXPECT_EQ(s.qty.toFixed(2), "2.50");
  BrandRecord b;
  EXPECT_TRUE(setField(b, 1, std::int64_t{7}));
  EXPECT_DOUBLE_EQ(b.recordNumber, 7.0);
}

TEST(FieldAccess, TextIsClippedByCharactersNotBytes) {
  // "é" is two bytes in UTF-8; a cut must never split it.
  std::string accented;
  for (int i = 0; i < 30; ++i) accented += "\xC3\xA9";
  EXPECT_EQ(clipText(accented, 25).size(), 50u);
  EXPECT_EQ(clipText("Lager   ", 25), "Lager");
  EXPECT_EQ(clipText("  Lager", 25), "  Lager");  // leading blanks are text
  EXPECT_EQ(clipText("abcdef", 3), "abc");
  EXPECT_EQ(clipText("ab   cd", 4), "ab");
}

TEST(FieldChecks, PrimingSugarMustLieBetweenZeroAndHundred) {
  ScriptedMessages m;
  setStoreMessages(&m);
  struct Case {
    const char* value;
    bool accepted;
  };
  const Case cases[] = {{"0", true},
                        {"100.00", true},
                        {"55.5", true},
                        {"100.01", false},
                        {"-0.01", false},
                        {"250", false},
                        // the field keeps two places: these are stored as 100.00 and 0.00
                        {"100.004", true},
                        {"-0.004", true}};
  for (const Case& c : cases) {
    BrewRecord r;
    r.stockOnHand = "1";
    r.primerSugarKg = Decimal::parse(c.value).value();
    EXPECT_EQ(checkField(r, brew::kPrimerSugarKg, false).accepted, c.accepted) << c.value;
    EXPECT_EQ(checkRecord(r, false).accepted, c.accepted) << c.value;
  }
  EXPECT_TRUE(m.shown.empty());  // without the flag nothing is shown

  BrewRecord r;
  r.primerSugarKg = Decimal(101);
  CheckResult res = checkField(r, brew::kPrimerSugarKg, true);
  EXPECT_FALSE(res.accepted);
  EXPECT_EQ(res.field, 9);
  ASSERT_EQ(m.shown.size(), 1u);
  EXPECT_EQ(m.shown[0].title, "Range Error");
  EXPECT_EQ(m.shown[0].text, "The value of ALE:PrimerSugarKG must be in range 0 .. 100.");
  EXPECT_EQ(m.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(m.shown[0].buttons, "");
  setStoreMessages(nullptr);
}

TEST(FieldChecks, StockFlagMustBeExactlyOneOrZero) {
  ScriptedMessages m;
  setStoreMessages(&m);
  struct Case {
    const char* value;
    bool accepted;
  };
  const Case cases[] = {{"1", true},   {"0", true},     {"1    ", true}, {"0 ", true},
                        {"", false},   {"   ", false},  {" 1", false},   {"Yes", false},
                        {"10", false}, {"1[]0", false}, {"][", false},   {"01", false}};
  for (const Case& c : cases) {
    BrewRecord r;
    r.stockOnHand = c.value;
    EXPECT_EQ(checkField(r, brew::kStockOnHand, false).accepted, c.accepted)
        << '"' << c.value << '"';
  }
  BrewRecord r;
  r.stockOnHand = "Have Stock";
  EXPECT_FALSE(checkField(r, brew::kStockOnHand, true).accepted);
  ASSERT_EQ(m.shown.size(), 1u);
  EXPECT_EQ(m.shown[0].title, "Value Error");
  EXPECT_EQ(m.shown[0].text,
            "The value of ALE:StockOnHand must be in the list : 'Have Stock','Consumed'.");
  setStoreMessages(nullptr);
}

TEST(FieldChecks, RecordCheckStopsAtTheFirstRefusalInFieldOrder) {
  ScriptedMessages m;
  setStoreMessages(&m);
  BrewRecord r;
  r.primerSugarKg = Decimal(-1);
  r.stockOnHand = "x";
  CheckResult res = checkRecord(r, true);
  EXPECT_FALSE(res.accepted);
  EXPECT_EQ(res.field, brew::kPrimerSugarKg);
  EXPECT_EQ(m.titles(), (std::vector<std::string>{"Range Error"}));

  r.primerSugarKg = Decimal(1);
  res = checkRecord(r, true);
  EXPECT_EQ(res.field, brew::kStockOnHand);
  r.stockOnHand = "0";
  EXPECT_TRUE(checkRecord(r, true).accepted);

  // The export layout carries the same checks under its own names.
  BrewExportRecord e;
  e.primerSugarKg = Decimal(150);
  e.stockOnHand = "1";
  m.shown.clear();
  res = checkRecord(e, true);
  EXPECT_EQ(res.field, 19);
  e.primerSugarKg = Decimal(100);
  e.stockOnHand = "Yes";
  EXPECT_EQ(checkRecord(e, true).field, 12);
  ASSERT_EQ(m.shown.size(), 2u);
  EXPECT_EQ(m.shown[0].text, "The value of CSV:PrimerSugarKG must be in range 0 .. 100.");
  EXPECT_EQ(m.shown[1].text,
            "The value of CSV:StockOnHand must be in the list : 'Have Stock','Consumed'.");

  // Tables without checks accept everything.
  ShoppingRecord s;
  s.qty = Decimal(-5);
  EXPECT_TRUE(checkRecord(s, true).accepted);
  EXPECT_TRUE(checkField(BrandRecord{}, 2, true).accepted);
  setStoreMessages(nullptr);
}

TEST(StandardMessages, TextsAreFilledInExactly) {
  Message a = autoIncrementMessage("BREWSV3", "ALE:KeyRecord", "database is locked");
  EXPECT_EQ(a.title, "Auto Increment Error");
  EXPECT_EQ(a.text,
            "Attempts to automatically number this record have failed.|File: BREWSV3|Key: "
            "ALE:KeyRecord|Error: database is locked.|Try Again?");
  EXPECT_EQ(a.buttons, "&Yes|&No");

  Message f = fileAccessMessage("BRANDS4", "the file is empty");
  EXPECT_EQ(f.title, "File Access Error");
  EXPECT_EQ(f.text,
            "File BRANDS4 could not be opened.  Error: the file is empty.  Press OK to end this "
            "application");
  EXPECT_EQ(fileAccessMessage("X", "e", false).text, "File X could not be opened.  Error: e.");

  EXPECT_EQ(duplicateKeyMessage("BRW:BrewKey").text,
            "Adding this record creates a duplicate entry for the key: BRW:BrewKey");
  EXPECT_EQ(recordInsertMessage("W_LINK", "disk I/O error").text,
            "An error was experienced during the creation of a record.|File: W_LINK|Error: disk "
            "I/O error.");
  Message s = saveRecordMessage();
  EXPECT_EQ(s.buttons, "&Yes|&No|&Cancel");
  EXPECT_EQ(s.defaultButton, 3);
  EXPECT_EQ(addNewRecordMessage().defaultButton, 1);
  EXPECT_EQ(noRecordsMessage().text, "There are no records available to process.");
  EXPECT_EQ(confirmDeleteMessage().title, "Confirm Delete");

  // A replacement text is not searched again for placeholders.
  EXPECT_EQ(substitute("%File and %Key", {{"%File", "%Key"}, {"%Key", "K"}}), "%Key and K");
}

TEST(StandardMessages, WithoutAServiceTheLastButtonAnswers) {
  setStoreMessages(nullptr);
  EXPECT_EQ(storeMessages().show(autoIncrementMessage("F", "K", "E")), 2);  // No
  EXPECT_EQ(storeMessages().show(noRecordsMessage()), 1);
}

}  // namespace
}  // namespace vm
