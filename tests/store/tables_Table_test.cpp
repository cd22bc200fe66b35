// Keyed tables in one process: numbering, keys and their empty values,
// uniqueness, reading through keys with filters, open counting.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "store/Tables.h"
#include "tables_TestSupport.h"

namespace vm {
namespace {

using test::brew;
using Tables = test::TableFolder;

std::vector<int> batches(const std::vector<BrewRecord>& rows) {
  std::vector<int> b;
  for (const BrewRecord& r : rows) b.push_back(r.batchNumber);
  return b;
}

// Adds brews by prime + update, the way the brew form does; a batch number
// other than 0 is typed over the primed one.
void add(BrewTable& t, BrewRecord r) {
  std::int16_t batch = r.batchNumber;
  ASSERT_EQ(t.prime(r), Status::Ok);
  if (batch != 0) r.batchNumber = batch;
  ASSERT_EQ(t.update(r), Status::Ok);
}

TEST_F(Tables, OpeningCreatesEmptyFilesWithTheirRelatedTable) {
  BrewTable brews;
  ASSERT_EQ(brews.open(), Status::Ok);
  std::int64_t n = -1;
  EXPECT_EQ(brews.count(n), Status::Ok);
  EXPECT_EQ(n, 0);
  // Kits and brews are related, so opening one opens (and creates) both; no
  // side files are left beside them.
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"BRANDS4.TPS", "BREWSV3.TPS"}));
  EXPECT_EQ(test::rawQuery("BREWSV3.TPS", "PRAGMA journal_mode"), "delete");
  brews.close();
  for (const char* t : {"W_LINK", "SHOPPING"}) {
    std::string file = std::string(t) + ".TPS";
    if (std::string(t) == "W_LINK") {
      WebLinkTable w;
      ASSERT_EQ(w.open(), Status::Ok);
    } else {
      ShoppingTable s;
      ASSERT_EQ(s.open(), Status::Ok);
    }
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Tables, NumberingTakesHighestPlusOnePerKey) {
  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  BrewRecord first;
  ASSERT_EQ(t.prime(first), Status::Ok);
  EXPECT_EQ(first.recordNumber, 1);
  EXPECT_EQ(first.batchNumber, 1);

  // Batch numbers 3 and 7 (typed over): the next brew is batch 8.
  first.batchNumber = 3;
  ASSERT_EQ(t.update(first), Status::Ok);
  BrewRecord second;
  ASSERT_EQ(t.prime(second), Status::Ok);
  EXPECT_EQ(second.recordNumber, 2);
  EXPECT_EQ(second.batchNumber, 4);
  second.batchNumber = 7;
  ASSERT_EQ(t.update(second), Status::Ok);
  BrewRecord third;
  ASSERT_EQ(t.prime(third), Status::Ok);
  EXPECT_EQ(third.recordNumber, 3);
  EXPECT_EQ(third.batchNumber, 8);

  // Batch 0 leaves the batch key and blocks no other brew with batch 0.
  third.batchNumber = 0;
  ASSERT_EQ(t.update(third), Status::Ok);
  BrewRecord fourth;
  ASSERT_EQ(t.prime(fourth), Status::Ok);
  EXPECT_EQ(fourth.batchNumber, 8);
  fourth.batchNumber = 0;
  EXPECT_EQ(t.update(fourth), Status::Ok);
  std::vector<BrewRecord> rows;
  ASSERT_EQ(t.firstPage({brew::kKeyBrewNumber}, 10, rows), Status::Ok);
  EXPECT_EQ(batches(rows), (std::vector<int>{7, 3}));

  // Abandoning a new brew gives the same numbers to the next one.
  BrewRecord abandoned;
  ASSERT_EQ(t.prime(abandoned), Status::Ok);
  EXPECT_EQ(abandoned.recordNumber, 5);
  EXPECT_EQ(abandoned.batchNumber, 8);
  std::int64_t n = 0;
  t.count(n);
  EXPECT_EQ(n, 5);  // the reservation is a real record until cancelled
  ASSERT_EQ(t.cancelInsert(abandoned), Status::Ok);
  t.count(n);
  EXPECT_EQ(n, 4);
  BrewRecord again;
  ASSERT_EQ(t.prime(again), Status::Ok);
  EXPECT_EQ(again.recordNumber, 5);
  EXPECT_EQ(again.batchNumber, 8);

  // A gap is never filled.
  ASSERT_EQ(t.remove(second), Status::Ok);
  BrewRecord after;
  ASSERT_EQ(t.prime(after), Status::Ok);
  EXPECT_EQ(after.recordNumber, 6);
  EXPECT_EQ(after.batchNumber, 9);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Tables, PrimeKeepsTheOtherFieldsOfACopiedBrew) {
  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  BrewRecord original = brew(0, "Coopers Lager", 80000, 40);
  original.notesBig = std::string(5000, 'n');
  original.brewCost = Decimal::parse("23.10").value();
  add(t, original);
  BrewRecord copy;
  ASSERT_EQ(t.first({brew::kKeyRecord}, copy), Status::Ok);
  ASSERT_EQ(t.prime(copy), Status::Ok);
  BrewRecord stored;
  ASSERT_EQ(t.fetchRecord(std::int64_t{2}, stored), Status::Ok);
  EXPECT_EQ(stored.batchNumber, 2);
  EXPECT_EQ(stored.brewKit, "Coopers Lager");
  EXPECT_EQ(stored.notesBig, original.notesBig);
  EXPECT_EQ(stored.brewCost.toFixed(2), "23.10");
}

TEST_F(Tables, ValuesComeBackAsStored) {
  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  BrewRecord r = brew(5, std::string(50, 'k') + "   ", 81234, 44, "1   ");
  r.brewSugarKg = Decimal::parse("1.005").value();  // hundredths on disk: rounds to 1.01
  r.appearance = 6.5;
  r.brewPeriod = 250;
  r.spareLong3 = -2000000000;
  r.notes = "{\\rtf1 brief}";
  ASSERT_EQ(t.insert(r), Status::Ok);
  EXPECT_EQ(r.recordNumber, 1);  // an empty record number is numbered on insert
  BrewRecord back;
  ASSERT_EQ(t.fetch(brew::kKeyBrewNumber, std::int64_t{5}, back), Status::Ok);
  EXPECT_EQ(back.brewKit, std::string(45, 'k'));
  EXPECT_EQ(back.stockOnHand, "1");
  EXPECT_EQ(back.brewSugarKg.toFixed(2), "1.01");
  EXPECT_DOUBLE_EQ(back.appearance, 6.5);
  EXPECT_EQ(back.brewPeriod, 250);
  EXPECT_EQ(back.spareLong3, -2000000000);
  EXPECT_EQ(back.dateDown, 81234);
  EXPECT_EQ(back.notes, "{\\rtf1 brief}");
  EXPECT_EQ(test::rawQuery("BREWSV3.TPS", "SELECT brewsugarkg FROM BREWSV3"), "101");
}

TEST_F(Tables, TypedBatchNumberOfAnotherBrewIsRefusedAndNothingStored) {
  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  add(t, brew(0, "A"));
  add(t, brew(0, "B"));
  BrewRecord second;
  ASSERT_EQ(t.fetch(brew::kKeyBrewNumber, std::int64_t{2}, second), Status::Ok);
  const std::string before = bytesOf("BREWSV3.TPS");
  second.batchNumber = 1;
  second.brewKit = "changed";
  EXPECT_EQ(t.update(second), Status::DuplicateKey);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Duplicate Key Error");
  EXPECT_EQ(messages.shown[0].text,
            "Adding this record creates a duplicate entry for the key: ALE:KeyBrewNumber");
  EXPECT_EQ(bytesOf("BREWSV3.TPS"), before);
  BrewRecord stored;
  ASSERT_EQ(t.fetchRecord(std::int64_t{2}, stored), Status::Ok);
  EXPECT_EQ(stored.brewKit, "B");

  // The same through a plain insert.
  BrewRecord clash = brew(2, "C");
  EXPECT_EQ(t.insert(clash), Status::DuplicateKey);
  EXPECT_EQ(messages.shown.back().text,
            "Adding this record creates a duplicate entry for the key: ALE:KeyBrewNumber");
  std::int64_t n = 0;
  t.count(n);
  EXPECT_EQ(n, 2);
}

TEST_F(Tables, KeysLeaveOutEmptyValues) {
  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  BrewRecord full = brew(0, "Stout", 80000, 30);
  full.brewCost = Decimal(20);
  add(t, full);
  add(t, brew(0, "   ", 0, 0));  // blank kit, no date, no score, no cost
  add(t, brew(0, "Bitter", 80500, 0));
  struct Case {
    int key;
    std::vector<int> batches;
  };
  const Case cases[] = {
      {brew::kKeyRecord, {1, 2, 3}}, {brew::kKeyBrewNumber, {3, 2, 1}}, {brew::kByDateKey, {3, 1}},
      {brew::kByBrewKey, {3, 1}},    {brew::kQualityKey, {1}},          {brew::kCostKey, {1}},
  };
  for (const Case& c : cases) {
    std::vector<BrewRecord> rows;
    ASSERT_EQ(t.firstPage({c.key}, 10, rows), Status::Ok);
    EXPECT_EQ(batches(rows), c.batches) << BrewRecord::definition().keys[c.key].name;
    std::int64_t n = 0;
    ASSERT_EQ(t.count({c.key}, n), Status::Ok);
    EXPECT_EQ(n, static_cast<std::int64_t>(c.batches.size()));
  }
  BrewRecord r;
  EXPECT_EQ(t.fetch(brew::kKeyBrewNumber, std::int64_t{0}, r), Status::NotFound);
  EXPECT_EQ(t.fetch(brew::kByDateKey, std::int64_t{80000}, r), Status::Refused);
}

TEST_F(Tables, KitNamesAreUniqueWithoutRegardToCaseButBlanksRepeat) {
  BrandTable kits;
  ASSERT_EQ(kits.open(), Status::Ok);
  BrandRecord a;
  a.nameOfBrew = "Coopers Lager 1.7kg";
  ASSERT_EQ(kits.prime(a), Status::Ok);
  EXPECT_DOUBLE_EQ(a.recordNumber, 1.0);
  for (const char* clash : {"COOPERS LAGER 1.7KG", "coopers lager 1.7kg   "}) {
    BrandRecord b;
    ASSERT_EQ(kits.prime(b), Status::Ok);
    b.nameOfBrew = clash;
    EXPECT_EQ(kits.update(b), Status::DuplicateKey) << clash;
    EXPECT_EQ(messages.shown.back().text,
              "Adding this record creates a duplicate entry for the key: BRW:BrewKey");
    ASSERT_EQ(kits.cancelInsert(b), Status::Ok);
  }
  for (int i = 0; i < 3; ++i) {
    BrandRecord blank;
    blank.nameOfBrew = "  ";
    EXPECT_EQ(kits.prime(blank), Status::Ok);
    EXPECT_DOUBLE_EQ(blank.recordNumber, 2.0 + i);
  }
  std::vector<BrandRecord> rows;
  ASSERT_EQ(kits.firstPage({brand::kBrewKey}, 10, rows), Status::Ok);
  ASSERT_EQ(rows.size(), 1u);  // blank descriptions are not in the name key
  // Order and matching ignore case.
  BrandRecord c;
  c.nameOfBrew = "amber ale";
  ASSERT_EQ(kits.insert(c), Status::Ok);
  BrandRecord d;
  d.nameOfBrew = "Brown Ale";
  ASSERT_EQ(kits.insert(d), Status::Ok);
  ASSERT_EQ(kits.firstPage({brand::kBrewKey}, 10, rows), Status::Ok);
  std::vector<std::string> names;
  for (auto& r : rows) names.push_back(r.nameOfBrew);
  EXPECT_EQ(names, (std::vector<std::string>{"amber ale", "Brown Ale", "Coopers Lager 1.7kg"}));
  BrandRecord found;
  EXPECT_EQ(kits.fetch(brand::kBrewKey, std::string("BROWN ALE"), found), Status::Ok);
  EXPECT_EQ(found.nameOfBrew, "Brown Ale");
}

TEST_F(Tables, DeletingAKitLeavesTheBrewsThatNameIt) {
  BrandTable kits;
  BrewTable brews;
  ASSERT_EQ(kits.open(), Status::Ok);
  ASSERT_EQ(brews.open(), Status::Ok);
  BrandRecord kit;
  kit.nameOfBrew = "Muntons Bitter";
  ASSERT_EQ(kits.insert(kit), Status::Ok);
  add(brews, brew(0, "Muntons Bitter"));
  ASSERT_EQ(kits.remove(kit), Status::Ok);
  BrewRecord r;
  ASSERT_EQ(brews.first({brew::kByBrewKey}, r), Status::Ok);
  EXPECT_EQ(r.brewKit, "Muntons Bitter");
  EXPECT_EQ(kits.remove(kit), Status::NotFound);
}

// Forty brews over ten dates, every third in stock, scores on the even ones.
class Paging : public test::TableFolder {
 protected:
  void SetUp() override {
    TableFolder::SetUp();
    ASSERT_EQ(t.open(), Status::Ok);
    std::vector<BrewRecord> all;
    for (int i = 1; i <= 40; ++i) {
      all.push_back(brew(i, i % 2 ? "kit " + std::to_string(i % 7) : "Kit " + std::to_string(i % 7),
                         80000 + i % 10, i % 2 ? 0 : i, i % 3 == 0 ? "1" : "0"));
    }
    ASSERT_EQ(t.insertAll(all), Status::Ok);
    for (int i = 1; i <= 40; ++i) ASSERT_EQ(all[i - 1].recordNumber, i);  // numbered in order
  }
  // Every brew of the view, read forward a page at a time.
  std::vector<int> forward(const View& v, int n) {
    std::vector<int> all;
    std::vector<BrewRecord> page;
    EXPECT_EQ(t.firstPage(v, n, page), Status::Ok);
    while (!page.empty()) {
      for (auto& r : page) all.push_back(r.recordNumber);
      BrewRecord last = page.back();
      EXPECT_EQ(t.pageAfter(v, last, n, page), Status::Ok);
    }
    return all;
  }
  std::vector<int> backward(const View& v, int n) {
    std::vector<int> all;
    std::vector<BrewRecord> page;
    EXPECT_EQ(t.lastPage(v, n, page), Status::Ok);
    while (!page.empty()) {
      for (auto it = page.rbegin(); it != page.rend(); ++it) all.push_back(it->recordNumber);
      BrewRecord first = page.front();
      EXPECT_EQ(t.pageBefore(v, first, n, page), Status::Ok);
    }
    std::reverse(all.begin(), all.end());
    return all;
  }
  // What the view must list, worked out without the store.
  std::vector<int> expected(int key, bool stock, bool scored) {
    std::vector<std::pair<std::vector<std::string>, int>> rows;
    for (int i = 1; i <= 40; ++i) {
      if (stock && i % 3 != 0) continue;
      if (scored && i % 2) continue;
      std::string kit = "kit " + std::to_string(i % 7);
      std::vector<std::string> sortKey;
      char buf[32];
      switch (key) {
        case brew::kByDateKey:  // descending, equal dates newest record first
          snprintf(buf, sizeof buf, "%09d|%09d", 1000000 - (80000 + i % 10), 1000 - i);
          break;
        case brew::kByBrewKey:
          snprintf(buf, sizeof buf, "%s|%09d", kit.c_str(), i);
          break;
        case brew::kQualityKey:
          if (i % 2) continue;
          snprintf(buf, sizeof buf, "%09d|%09d", 1000 - i, 1000 - i);
          break;
        default:  // batch number, descending
          snprintf(buf, sizeof buf, "%09d", 1000 - i);
      }
      rows.push_back({{buf}, i});
    }
    std::sort(rows.begin(), rows.end());
    std::vector<int> out;
    for (auto& r : rows) out.push_back(r.second);
    return out;
  }
  BrewTable t;
};

TEST_F(Paging, PagesThroughEveryKeyBothWaysWithAndWithoutFilters) {
  Condition scored{brew::kOverall, FilterOp::Greater, std::int64_t{0}};
  for (int key : {brew::kKeyBrewNumber, brew::kByDateKey, brew::kByBrewKey, brew::kQualityKey}) {
    for (bool stock : {false, true}) {
      for (bool onlyScored : {false, true}) {
        View v{key, {}};
        if (stock) v.filter.push_back(inStockFilter());
        if (onlyScored) v.filter.push_back(scored);
        std::vector<int> want = expected(key, stock, onlyScored);
        SCOPED_TRACE(::testing::Message()
                     << "key " << key << " stock " << stock << " scored " << onlyScored);
        for (int n : {1, 7, 50}) {
          EXPECT_EQ(forward(v, n), want) << "page " << n;
          EXPECT_EQ(backward(v, n), want) << "page " << n;
        }
        std::int64_t c = -1;
        ASSERT_EQ(t.count(v, c), Status::Ok);
        EXPECT_EQ(c, static_cast<std::int64_t>(want.size()));
      }
    }
  }
}

TEST_F(Paging, SingleStepsAndPositioningAtAValue) {
  View byBatch{brew::kKeyBrewNumber, {}};
  BrewRecord r, n;
  ASSERT_EQ(t.first(byBatch, r), Status::Ok);
  EXPECT_EQ(r.batchNumber, 40);
  ASSERT_EQ(t.next(byBatch, r, n), Status::Ok);
  EXPECT_EQ(n.batchNumber, 39);
  ASSERT_EQ(t.previous(byBatch, n, r), Status::Ok);
  EXPECT_EQ(r.batchNumber, 40);
  EXPECT_EQ(t.previous(byBatch, r, n), Status::NotFound);
  ASSERT_EQ(t.last(byBatch, r), Status::Ok);
  EXPECT_EQ(r.batchNumber, 1);
  EXPECT_EQ(t.next(byBatch, r, n), Status::NotFound);

  // At or after, in key order: a descending key goes down from the value.
  ASSERT_EQ(t.atOrAfter(byBatch, std::int64_t{25}, r), Status::Ok);
  EXPECT_EQ(r.batchNumber, 25);
  ASSERT_EQ(t.atOrAfter({brew::kKeyBrewNumber, {inStockFilter()}}, std::int64_t{25}, r),
            Status::Ok);
  EXPECT_EQ(r.batchNumber, 24);
  std::vector<BrewRecord> page;
  ASSERT_EQ(t.pageFrom({brew::kByBrewKey}, std::string("KIT 3"), 3, page), Status::Ok);
  ASSERT_EQ(page.size(), 3u);
  EXPECT_EQ(page[0].brewKit.substr(4), "3");
  EXPECT_EQ(t.atOrAfter({brew::kByBrewKey}, std::string("zzz"), r), Status::NotFound);
}

TEST_F(Paging, FiltersForRangesScoresStockAndInitialLetters) {
  // Batch range 5 .. 9, highest first.
  View range{brew::kKeyBrewNumber,
             {{brew::kBatchNumber, FilterOp::GreaterOrEqual, std::int64_t{5}},
              {brew::kBatchNumber, FilterOp::LessOrEqual, std::int64_t{9}}}};
  std::vector<BrewRecord> rows;
  ASSERT_EQ(t.firstPage(range, 20, rows), Status::Ok);
  EXPECT_EQ(batches(rows), (std::vector<int>{9, 8, 7, 6, 5}));

  // The stock flag compares as a number: " 1" counts as in stock even
  // though the field check would refuse it.
  BrewRecord odd = brew(41, "odd", 0, 0, " 1");
  ASSERT_EQ(t.insert(odd), Status::Ok);
  std::int64_t inStock = 0;
  ASSERT_EQ(t.count(inStock, {inStockFilter()}), Status::Ok);
  EXPECT_EQ(inStock, 14);

  // Text filters ignore case; an initial letter is matched literally.
  BrewRecord pct = brew(42, "50% wheat");
  ASSERT_EQ(t.insert(pct), Status::Ok);
  std::int64_t n = 0;
  ASSERT_EQ(t.count(n, {{brew::kBrewKit, FilterOp::StartsWith, std::string("KIT 1")}}), Status::Ok);
  EXPECT_EQ(n, 6);  // i % 7 == 1 for i in 1..40
  ASSERT_EQ(t.count(n, {{brew::kBrewKit, FilterOp::StartsWith, std::string("5_")}}), Status::Ok);
  EXPECT_EQ(n, 0);
  ASSERT_EQ(t.count(n, {{brew::kBrewKit, FilterOp::StartsWith, std::string("50%")}}), Status::Ok);
  EXPECT_EQ(n, 1);
  ASSERT_EQ(t.count(n, {{brew::kBrewKit, FilterOp::Equal, std::string("ODD   ")}}), Status::Ok);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(t.count(n, {{99, FilterOp::Equal, std::int64_t{1}}}), Status::Refused);
  // Reading as a number changes nothing for a number field.
  for (bool asNumber : {false, true}) {
    ASSERT_EQ(t.count(n, {{brew::kOverall, FilterOp::Greater, std::int64_t{30}, asNumber}}),
              Status::Ok);
    EXPECT_EQ(n, 5) << asNumber;  // 32, 34, 36, 38, 40
  }
}

TEST_F(Paging, FullScanInRecordOrderStopsWhenAsked) {
  std::vector<int> seen;
  ASSERT_EQ(t.scan({brew::kKeyRecord},
                   [&](const BrewRecord& r) {
                     seen.push_back(r.recordNumber);
                     return true;
                   }),
            Status::Ok);
  ASSERT_EQ(seen.size(), 40u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  int calls = 0;
  ASSERT_EQ(t.scan({brew::kKeyRecord}, [&](const BrewRecord&) { return ++calls < 3; }), Status::Ok);
  EXPECT_EQ(calls, 3);
}

TEST_F(Tables, OpensAreCountedPerOwnerAndTheLastCloseClosesTheFile) {
  BrewTable browser, report;
  ASSERT_EQ(browser.open(), Status::Ok);
  ASSERT_EQ(browser.open(), Status::Ok);
  EXPECT_EQ(browser.openCount(), 2);
  add(browser, brew(0, "kept"));
  ASSERT_EQ(report.open(), Status::Ok);
  browser.close();
  browser.close();
  browser.close();  // one close too many does no harm
  EXPECT_FALSE(browser.isOpen());
  BrewRecord r;
  EXPECT_EQ(browser.first({brew::kKeyRecord}, r), Status::NotOpen);
  EXPECT_EQ(browser.prime(r), Status::NotOpen);

  // A record written through one owner is read through the other.
  ASSERT_EQ(report.first({brew::kKeyRecord}, r), Status::Ok);
  EXPECT_EQ(r.brewKit, "kept");

  // The file stays open while the report holds it...
  std::filesystem::rename("BREWSV3.TPS", "moved.TPS");
  std::int64_t n = 0;
  ASSERT_EQ(report.count(n), Status::Ok);
  EXPECT_EQ(n, 1);
  // ...and is really closed by the last close: the next open finds no file
  // and starts a new empty table.
  report.close();
  ASSERT_EQ(browser.open(), Status::Ok);
  ASSERT_EQ(browser.count(n), Status::Ok);
  EXPECT_EQ(n, 0);
}

TEST_F(Tables, ABatchOfInsertsIsStoredWholeOrNotAtAll) {
  BrewTable t;
  ASSERT_EQ(t.open(), Status::Ok);
  std::vector<BrewRecord> batch = {brew(1, "a"), brew(2, "b"), brew(1, "clash"), brew(4, "d")};
  EXPECT_EQ(t.insertAll(batch), Status::DuplicateKey);
  EXPECT_EQ(messages.shown.back().text,
            "Adding this record creates a duplicate entry for the key: ALE:KeyBrewNumber");
  std::int64_t n = -1;
  ASSERT_EQ(t.count(n), Status::Ok);
  EXPECT_EQ(n, 0);
  batch[2].batchNumber = 3;
  for (auto& r : batch) r.recordNumber = 0;
  EXPECT_EQ(t.insertAll(batch), Status::Ok);
  ASSERT_EQ(t.count(n), Status::Ok);
  EXPECT_EQ(n, 4);
}

TEST_F(Tables, TableFileIsDeletedOnlyWhenNobodyHoldsIt) {
  const TableDef& def = ShoppingRecord::definition();
  EXPECT_EQ(removeTableFile(def), Status::Ok);  // no file yet: nothing to do
  ShoppingTable browse, report;
  ASSERT_EQ(browse.open(), Status::Ok);
  ASSERT_EQ(report.open(), Status::Ok);
  ShoppingRecord s;
  ASSERT_EQ(browse.prime(s), Status::Ok);
  browse.close();
  EXPECT_EQ(removeTableFile(def), Status::Refused);  // the report still reads it
  EXPECT_TRUE(std::filesystem::exists("SHOPPING.TPS"));
  report.close();
  EXPECT_EQ(removeTableFile(def), Status::Ok);
  EXPECT_FALSE(std::filesystem::exists("SHOPPING.TPS"));
  ASSERT_EQ(browse.open(), Status::Ok);
  std::int64_t n = -1;
  ASSERT_EQ(browse.count(n), Status::Ok);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(removeTableFile(BrewExportRecord::definition()), Status::Refused);
}

TEST_F(Tables, UpdateAndDeleteOfAVanishedRecordReportNotFound) {
  WebLinkTable links;
  ASSERT_EQ(links.open(), Status::Ok);
  WebLinkRecord l;
  l.webAddress = "http://www.example.org";
  ASSERT_EQ(links.prime(l), Status::Ok);
  EXPECT_EQ(l.recordNumber, 1);
  ASSERT_EQ(links.remove(l), Status::Ok);
  EXPECT_EQ(links.update(l), Status::NotFound);
  EXPECT_EQ(links.remove(l), Status::NotFound);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Tables, ShoppingLinesKeepTheirDecimals) {
  ShoppingTable shop;
  ASSERT_EQ(shop.open(), Status::Ok);
  for (const char* amount : {"0.10", "0.20", "0.30"}) {
    ShoppingRecord s;
    ASSERT_EQ(shop.prime(s), Status::Ok);
    s.item = "Sugar";
    s.qty = Decimal(1);
    s.amount = Decimal::parse(amount).value();
    ASSERT_EQ(shop.update(s), Status::Ok);
  }
  Decimal total;
  ASSERT_EQ(shop.scan({shopping::kKeyRecordNumber},
                      [&](const ShoppingRecord& s) {
                        total += s.amount;
                        return true;
                      }),
            Status::Ok);
  EXPECT_EQ(total.toFixed(2), "0.60");
}

}  // namespace
}  // namespace vm
