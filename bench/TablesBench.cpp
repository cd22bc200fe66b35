// Benchmark of the brew table at a size no home brewer will reach: 100,000
// brews with realistic contents and notes of a few hundred bytes.  It
// measures what the windows feel: a page of the brew browser through each
// key with and without the stock filter, the count of brews in stock, a new
// brew from the form (prime + write), a report's full read, and the size of
// the file.  Not a test: it asserts nothing and is kept out of ctest.
//
// The table is generated once per run in a fresh folder under the system's
// temporary folder (or $VM_BENCH_DIR), and removed at the end unless
// $VM_BENCH_KEEP is set (to look at the file with the sqlite3 shell).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/Date.h"
#include "store/Tables.h"

namespace {

using namespace vm;

constexpr int kBrews = 100000;
// Batch numbers are SHORT: the newest 32,000 brews carry 1 .. 32000, the
// older ones were entered without one (batch 0, outside the batch key).
constexpr int kNumbered = 32000;

const char* const kKits[] = {
    "Coopers Lager",           "Coopers Real Ale",     "Muntons Bitter",
    "Muntons Connoisseurs",    "Brewferm Tripel",      "Youngs Harvest IPA",
    "Woodfordes Wherry",       "St Peters Ruby Red",   "Festival Razorback",
    "Geordie Scottish Export", "Mangrove Jacks Pils",  "Own recipe - Stout",
    "Own recipe - Pale Ale",   "Black Rock Nut Brown", "Tom Caxton Best"};
const char* const kSizes[] = {" 1.7kg", " 1.8kg", " 3kg", " 40 pints", " 23 Ltr"};
const char* const kYeasts[] = {"Safale S-04", "Safale US-05", "Nottingham",  "Kit yeast",
                               "Wyeast 1968", "WLP001",       "Mangrove M44"};
const char* const kSugars[] = {"Brewing sugar", "Spraymalt light", "Dextrose", "Table sugar",
                               "Brew enhancer"};

std::string notesText(std::mt19937& rng, int bytes) {
  static const char* words[] = {"fermented", "clean",  "hoppy", "bottled", "cloudy", "clear",
                                "malty",     "bitter", "nice",  "head",    "sweet",  "dry"};
  std::string body;
  while (static_cast<int>(body.size()) < bytes) {
    body += words[rng() % 12];
    body += ' ';
  }
  return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + body + "\\par}";
}

BrewRecord makeBrew(std::mt19937& rng, int i) {
  BrewRecord r;
  r.recordNumber = i;
  r.batchNumber = i > kBrews - kNumbered ? static_cast<std::int16_t>(i - (kBrews - kNumbered)) : 0;
  r.brewKit = std::string(kKits[rng() % std::size(kKits)]) + kSizes[rng() % std::size(kSizes)];
  r.waterVolumeLtr = Decimal(23);
  r.yeast = kYeasts[rng() % std::size(kYeasts)];
  r.brewSugarType = kSugars[rng() % std::size(kSugars)];
  r.brewSugarKg = Decimal::fromUnits(50 + rng() % 150, 2);
  r.primerSugarType = "Priming sugar";
  r.primerSugarKg = Decimal::fromUnits(rng() % 20, 2);
  r.additive1 = rng() % 3 ? "Hop tea bag" : "";
  r.dateDown = rng() % 20 ? dayNumber(1996, 1, 1) + i / 9 + static_cast<int>(rng() % 5) : 0;
  r.originalGravity = static_cast<std::int16_t>(1035 + rng() % 30);
  r.dateBottled = r.dateDown ? r.dateDown + 7 + static_cast<int>(rng() % 14) : 0;
  r.brewTemp = static_cast<std::int16_t>(18 + rng() % 6);
  r.finalGravity = static_cast<std::int16_t>(1005 + rng() % 10);
  r.brewPeriod = static_cast<std::uint8_t>(5 + rng() % 10);
  r.brewPeriod2 = static_cast<std::uint8_t>(7 + rng() % 21);
  r.minUse = r.dateBottled ? r.dateBottled + 28 : 0;
  r.maxUse = r.dateBottled ? r.dateBottled + 365 : 0;
  r.estimatedAlc = Decimal::fromUnits(350 + rng() % 300, 2);
  bool tasted = rng() % 10 < 6;
  r.appearance = tasted ? 1 + rng() % 7 : 0;
  r.aroma = tasted ? 1 + rng() % 8 : 0;
  r.taste = tasted ? 1 + rng() % 35 : 0;
  r.overall = static_cast<std::int16_t>(tasted ? r.appearance + r.aroma + r.taste : 0);
  r.brewBatchName = rng() % 2 ? "Batch " + std::to_string(i) : "";
  r.brewCost = rng() % 5 ? Decimal::fromUnits(1500 + rng() % 3000, 2) : Decimal();
  r.spareField1 = "20";
  r.spareField2 = "19";
  r.spareField4 = "6 weeks";
  r.stockOnHand = rng() % 100 < 15 ? "1" : "0";  // most brews are long drunk
  r.notes = notesText(rng, 150 + static_cast<int>(rng() % 350));
  r.notesBig = rng() % 4 ? "" : notesText(rng, 500 + static_cast<int>(rng() % 1500));
  return r;
}

struct Fixture {
  std::filesystem::path dir, old;
  BrewTable table;
  Fixture() {
    old = std::filesystem::current_path();
    const char* base = std::getenv("VM_BENCH_DIR");
    dir = std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) /
          ("vm_tables_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    if (table.open() != Status::Ok) std::abort();
    std::mt19937 rng(1801);
    std::vector<BrewRecord> chunk;
    for (int i = 1; i <= kBrews; ++i) {
      chunk.push_back(makeBrew(rng, i));
      if (chunk.size() == 5000 || i == kBrews) {
        if (table.insertAll(chunk) != Status::Ok) std::abort();
        chunk.clear();
      }
    }
  }
  ~Fixture() {
    table.close();
    std::filesystem::current_path(old);
    std::error_code ec;
    if (!std::getenv("VM_BENCH_KEEP")) std::filesystem::remove_all(dir, ec);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

// A page of 20 through key state.range(0), with the stock filter when
// range(1) is 1: the top of the list again and again (range(2) == 0), or
// paging down from the middle of the key, each page continuing after the
// last (range(2) == 1; back to the middle at the end of the key).
void BM_Page20(benchmark::State& state) {
  BrewTable& t = fixture().table;
  View v{static_cast<int>(state.range(0))};
  if (state.range(1)) v.filter.push_back(inStockFilter());
  BrewRecord middle;
  if (state.range(2)) {
    std::int64_t n = 0;
    t.count(v, n);
    // Walk to the middle once, a big page at a time; not measured.
    std::vector<BrewRecord> page;
    t.firstPage(v, 1, page);
    middle = page.front();
    for (std::int64_t seen = 1; seen < n / 2;) {
      t.pageAfter(v, middle, static_cast<int>(std::min<std::int64_t>(5000, n / 2 - seen)), page);
      if (page.empty()) break;
      seen += static_cast<std::int64_t>(page.size());
      middle = page.back();
    }
  }
  BrewRecord anchor = middle;
  std::vector<BrewRecord> rows;
  for (auto _ : state) {
    if (state.range(2)) {
      t.pageAfter(v, anchor, 20, rows);
      anchor = rows.size() == 20 ? rows.back() : middle;
    } else {
      t.firstPage(v, 20, rows);
    }
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetLabel(std::string(BrewRecord::definition().keys[v.key].name) +
                 (state.range(1) ? " in stock" : " all") +
                 (state.range(2) ? " paging down" : " top"));
}
BENCHMARK(BM_Page20)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void BM_CountInStock(benchmark::State& state) {
  BrewTable& t = fixture().table;
  std::int64_t n = 0;
  for (auto _ : state) {
    if (state.range(0) < 0)
      t.count(n, {inStockFilter()});
    else
      t.count(View{static_cast<int>(state.range(0)), {inStockFilter()}}, n);
    benchmark::DoNotOptimize(n);
  }
  state.counters["brews"] = static_cast<double>(n);
  state.SetLabel(state.range(0) < 0 ? "whole table"
                                    : BrewRecord::definition().keys[state.range(0)].name);
}
BENCHMARK(BM_CountInStock)->Arg(-1)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// What the brew form does for a new brew: prime (numbers taken, record
// written), then the filled record written again.  The brew is removed
// afterwards outside the timing so the numbers stay below the SHORT limit.
void BM_NewBrew(benchmark::State& state) {
  BrewTable& t = fixture().table;
  std::mt19937 rng(7);
  for (auto _ : state) {
    BrewRecord r;
    r.stockOnHand = "1";
    t.prime(r);
    BrewRecord filled = makeBrew(rng, r.recordNumber);
    filled.batchNumber = r.batchNumber;
    t.update(filled);
    state.PauseTiming();
    t.cancelInsert(r);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_NewBrew)->Unit(benchmark::kMillisecond)->Iterations(30);

// One write followed by fsync, the unit of cost of every commit on this disk.
void BM_DiskFsync(benchmark::State& state) {
  std::string block(4096, 'x');
  FILE* f = std::fopen("fsync.probe", "wb");
  for (auto _ : state) {
    std::fwrite(block.data(), 1, block.size(), f);
    std::fflush(f);
    fsync(fileno(f));
  }
  std::fclose(f);
  std::remove("fsync.probe");
}
BENCHMARK(BM_DiskFsync)->Unit(benchmark::kMillisecond)->Iterations(50);

// A report's read: every brew in ALE:KeyRecord order, in one scan or in
// slices of 500 as the report run reads between timer ticks.
void BM_FullRead(benchmark::State& state) {
  BrewTable& t = fixture().table;
  const View v{brew::kKeyRecord};
  std::int64_t records = 0;
  for (auto _ : state) {
    std::int64_t n = 0;
    if (state.range(0) == 0) {
      t.scan(v, [&](const BrewRecord& r) {
        benchmark::DoNotOptimize(r.recordNumber);
        ++n;
        return true;
      });
    } else {
      std::vector<BrewRecord> page;
      t.firstPage(v, 500, page);
      while (!page.empty()) {
        n += static_cast<std::int64_t>(page.size());
        BrewRecord last = page.back();
        t.pageAfter(v, last, 500, page);
      }
    }
    records += n;
  }
  state.SetItemsProcessed(records);
  state.SetLabel(state.range(0) ? "slices of 500" : "one scan");
}
BENCHMARK(BM_FullRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FileSize(benchmark::State& state) {
  fixture();
  double bytes = static_cast<double>(std::filesystem::file_size("BREWSV3.TPS"));
  for (auto _ : state) benchmark::DoNotOptimize(bytes);
  state.counters["MB"] = bytes / 1e6;
  state.counters["bytes_per_brew"] = bytes / kBrews;
}
BENCHMARK(BM_FileSize)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
