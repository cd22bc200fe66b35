// Browse list paging on a kits table of 100,000 entries: what the user waits
// for when the kits browser opens, jumps to the end, pages back and types a
// letter.  The list reads only the page it shows, so none of these may
// depend on the size of the table.
//
// The table is generated once in a fresh temporary folder (or $VM_BENCH_DIR)
// through the record store and removed at the end.  Runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "lists/BrowseKitsRecipes.h"
#include "platform/MessageBox.h"
#include "platform/browse/BrowseList.h"
#include "store/Tables.h"

namespace {

constexpr int kKits = 100000;

// Descriptions spread over the alphabet like real kit names, all distinct.
void generateKits() {
  static const char* const makers[] = {"Brewferm",  "Coopers",        "Festival",    "Geordie",
                                       "Muntons",   "Youngs",         "St Peters",   "Wilko",
                                       "Bulldog",   "Mangrove Jacks", "Better Brew", "Tom Caxton",
                                       "John Bull", "Edme",           "Ritchies"};
  static const char* const styles[] = {"Lager",  "Bitter",     "Stout", "IPA",   "Pilsner",
                                       "Porter", "Golden Ale", "Mild",  "Wheat", "Brown Ale"};
  std::mt19937 rng(42);
  std::vector<vm::BrandRecord> kits(kKits);
  for (int i = 0; i < kKits; ++i) {
    const char* maker = makers[rng() % std::size(makers)];
    const char* style = styles[rng() % std::size(styles)];
    kits[static_cast<std::size_t>(i)].nameOfBrew = std::string(maker) + " " + style + " " +
                                                   std::to_string(1 + rng() % 40) + " pints #" +
                                                   std::to_string(i);
  }
  vm::BrandTable t;
  t.open();
  t.insertAll(kits);
}

// A list the size of the kits browser's (about 20 rows).
struct Fixture {
  Fixture() {
    table.open();
    kits = list.setTable(table, vm::View{vm::brand::kBrewKey, {}});
    list.setFormat("180L(2)@s45@", {vm::brand::kNameOfBrew});
    list.resize(300, 600);
    list.show();
    QApplication::processEvents();
    list.first();
  }
  vm::BrandTable table;
  vm::BrowseList list;
  vm::TablePageSource<vm::BrandRecord>* kits = nullptr;
};

Fixture* fixture = nullptr;

void BM_OpenKitsBrowser(benchmark::State& state) {
  for (auto _ : state) {
    auto* b = new vm::BrowseKitsRecipes;
    b->show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(b->list()->rowCount());
    state.PauseTiming();
    b->close();
    delete b;
    state.ResumeTiming();
  }
}

void BM_First(benchmark::State& state) {
  for (auto _ : state) fixture->list.first();
  std::int64_t n = 0;
  fixture->table.count(n);
  state.counters["kits"] = static_cast<double>(n);
  state.counters["rows"] = fixture->list.rowCount();
}

void BM_Last(benchmark::State& state) {
  for (auto _ : state) fixture->list.last();
  state.counters["rows"] = fixture->list.rowCount();
}

void BM_PageBackFromLast(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    fixture->list.last();
    state.ResumeTiming();
    if (fixture->list.pageBack() != vm::Status::Ok) state.SkipWithError("read failed");
  }
}

void BM_PageForwardFromFirst(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    fixture->list.first();
    state.ResumeTiming();
    fixture->list.pageForward();
  }
}

void BM_CharacterSearch(benchmark::State& state) {
  const QString letters = "bcfgmyswtejr";
  int i = 0;
  for (auto _ : state) fixture->list.locateText(letters.mid(i++ % letters.size(), 1));
}

void BM_ShowWrittenRecord(benchmark::State& state) {
  const vm::FieldValue number = vm::FieldValue{double(kKits / 2)};
  for (auto _ : state) fixture->list.showRecord(number);
}

BENCHMARK(BM_OpenKitsBrowser)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_First)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Last)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageBackFromLast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageForwardFromFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CharacterSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowWrittenRecord)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString base = qEnvironmentVariable("VM_BENCH_DIR", QDir::tempPath());
  QTemporaryDir dir(base + "/vm_browse_bench_XXXXXX");
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir.path());
  vm::MessageScript quiet;  // a failure is recorded, never waited for
  generateKits();
  {
    Fixture f;
    fixture = &f;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    fixture = nullptr;
  }
  benchmark::Shutdown();
  QDir::setCurrent(previous);
  return quiet.shown().empty() ? 0 : 1;
}
