// Sorting 100,000 rows by each kind of column (text, number, date, amount). Target: 50 ms.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/text/cp1252.h"
#include "core/viewer/list_control.h"
#include "core/viewer/sort.h"

namespace {

using noemie::viewer::ListControl;
using noemie::viewer::ListRow;

constexpr int kRows = 100000;

// A list whose cells look like the viewer's: names, references, dates, amounts, messages.
void fill(ListControl& list) {
  std::mt19937 rng(42);
  auto num = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* names[] = {"DUPONT JEAN (1234567890123)", "MARTIN ANNE", "Durand Paul",
                         "\xC9TIENNE L\xC9"
                         "A",
                         "BERNARD LUC (2850575123456)"};
  char buf[64];
  for (int r = 0; r < kRows; ++r) {
    ListControl::Cells cells;
    std::snprintf(buf, sizeof buf, "%d  (%02d/%02d/%02d)", num(1, 99999), num(1, 28), num(1, 12),
                  num(0, 99));
    cells[1] = buf;
    cells[2] = num(0, 1) ? "(531)" : "x(534)";
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", num(1, 28), num(1, 12), num(1995, 2025));
    cells[3] = cells[9] = buf;
    cells[5] = names[num(0, 4)];
    cells[6] = names[num(0, 4)];
    std::snprintf(buf, sizeof buf, "%d", num(1, 998));
    cells[7] = buf;
    std::snprintf(buf, sizeof buf, "%d.%02d%c", num(0, 9999), num(0, 99),
                  num(0, 1) ? 'F' : noemie::text::kEuro);
    cells[11] = cells[13] = cells[15] = buf;
    cells[16] = "LOT EN DOUBLE *****  message " + std::to_string(num(0, 1000));
    auto data = std::make_unique<ListRow>();
    data->row_index = r;
    list.add_row(std::move(data), cells, 6, 1);
  }
}

void BM_Sort(benchmark::State& state) {
  ListControl list;
  fill(list);
  const int column = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    noemie::viewer::sort_colonne(list, 1);  // a fresh, different order each time
    state.ResumeTiming();
    noemie::viewer::sort_colonne(list, column);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

// 5: text (names), 7: number, 9: date, 13: amount, 16: long text.
BENCHMARK(BM_Sort)->Arg(5)->Arg(7)->Arg(9)->Arg(13)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
