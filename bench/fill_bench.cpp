// A whole fill and export of a folder of 5,000 generated return files (about 100,000 rows),
// against the time to read the same files from the page cache; sorting the filled list by
// each kind of column; the memory the list holds per row. The same on an archive of 5,000
// long payment returns (about 500,000 rows), where argument 1 says so.
// Targets: fill + export <= 3 x read time (long returns: 5 x); sort <= 50 ms; <= 600 bytes a
// row. One keystroke of the find: <= 50 ms.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>

#include "core/platform/clock.h"
#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/store/tree_registry.h"
#include "core/viewer/random_returns.h"
#include "core/viewer/viewer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using noemie::viewer::ExportMode;
using noemie::viewer::Viewer;

constexpr int kFiles = 5000;
constexpr std::int64_t kNow = 1710936000LL * 10'000'000 + noemie::platform::kFileTimeUnixEpoch;

// A generated folder, made once for every benchmark of the run.
struct Folder {
  noemie::testing::TempDir dir;
  std::vector<fs::path> files;
  std::size_t bytes = 0;

  explicit Folder(const noemie::testing::RandomReturnShape& shape) {
    std::mt19937 rng(2024);
    fs::create_directories(dir.path() / "returns");
    for (int i = 0; i < kFiles; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%08d.RSP", i + 1);
      const std::string content = noemie::testing::random_return_file(rng, shape);
      files.push_back(dir.write(fs::path("returns") / name, content));
      bytes += content.size();
    }
    dir.write("caisses.qvc",
              "[\r\n=01 CPAM;R\xE9gime g\xE9n\xE9ral\r\n=02 MSA;R\xE9gime agricole\r\n]");
  }
};

// The folder of short returns, or of long payment returns when `long_returns`.
const Folder& folder(bool long_returns = false) {
  if (long_returns) {
    static const Folder archive(noemie::testing::long_payment_shape());
    return archive;
  }
  static const Folder f(noemie::testing::short_return_shape());
  return f;
}

class NoFaults final : public noemie::FaultReporter {
 public:
  void report(const noemie::FaultReport&) override {}
};

// A viewer over the generated folder that writes nothing.
struct Session {
  noemie::store::MemoryRegistry registry;
  noemie::platform::RecordingDialogs dialogs;
  noemie::store::Settings settings{registry, dialogs, "/nonexistent/noemie-viewer"};
  noemie::store::FlagStore flags{registry, dialogs};
  noemie::store::ResultTitles titles;
  NoFaults faults;
  noemie::platform::FixedClock clock{kNow};
  std::unique_ptr<Viewer> viewer;

  explicit Session(bool long_returns = false) {
    const Folder& files = folder(long_returns);
    settings.lit_config();
    settings.config.path_arch = "/nonexistent/";
    titles.init_txt_idx();
    noemie::viewer::ViewerOptions options;
    options.folder = files.dir.path() / "returns";
    options.regime_table = files.dir.path() / "caisses.qvc";
    options.fund_directory = "/nonexistent/caisses.dat";
    options.may_write = false;
    viewer = std::make_unique<Viewer>(settings, flags, titles, faults, dialogs, clock, options);
    viewer->open();
  }
};

// A plain read of every file whole from the page cache: open, read into a buffer, close.
std::size_t read_all_files(bool long_returns = false) {
  static std::vector<char> buffer(1 << 20);
  std::size_t total = 0;
  for (const fs::path& path : folder(long_returns).files) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) continue;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0;) total += n;
    std::fclose(file);
  }
  return total;
}

void BM_ReadFiles(benchmark::State& state) {
  const bool long_returns = state.range(0) != 0;
  folder(long_returns);  // made before the clock runs
  for (auto _ : state) benchmark::DoNotOptimize(read_all_files(long_returns));
  state.counters["MB"] = static_cast<double>(folder(long_returns).bytes) / 1e6;
}
BENCHMARK(BM_ReadFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The target itself: a fill and a text export against a plain read of the same files, timed
// one after the other in every iteration so that a busy machine slows both alike.
void BM_FillExportVsRead(benchmark::State& state) {
  const bool long_returns = state.range(0) != 0;
  Session s(long_returns);
  using Clock = std::chrono::steady_clock;
  Clock::duration read{}, fill{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(read_all_files(long_returns));
    const auto t1 = Clock::now();
    s.viewer->remplit_aff();
    const std::string bytes = s.viewer->export_bytes(ExportMode::Text);
    benchmark::DoNotOptimize(bytes.data());
    const auto t2 = Clock::now();
    read += t1 - t0;
    fill += t2 - t1;
  }
  const auto ms = [&](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["read_ms"] = ms(read);
  state.counters["fill_export_ms"] = ms(fill);
  state.counters["ratio"] = ms(fill) / ms(read);
  const int rows = s.viewer->list().row_count();
  state.counters["rows"] = rows;
  state.counters["list_bytes_per_row"] =
      rows ? static_cast<double>(s.viewer->list().memory_bytes()) / rows : 0.0;
}
BENCHMARK(BM_FillExportVsRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3);

// A whole fill (scan, parse, filter, cells, final sort) and the export bytes of one mode.
void BM_FillAndExport(benchmark::State& state) {
  Session s;
  const auto mode = static_cast<ExportMode>(state.range(0));
  std::size_t size = 0;
  for (auto _ : state) {
    s.viewer->remplit_aff();
    const std::string bytes = s.viewer->export_bytes(mode);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  const int rows = s.viewer->list().row_count();
  state.counters["rows"] = rows;
  state.counters["export_MB"] = static_cast<double>(size) / 1e6;
  state.counters["list_bytes_per_row"] =
      rows ? static_cast<double>(s.viewer->list().memory_bytes()) / rows : 0.0;
}
BENCHMARK(BM_FillAndExport)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The export alone, of the filled list.
void BM_Export(benchmark::State& state) {
  Session s;
  const auto mode = static_cast<ExportMode>(state.range(0));
  for (auto _ : state) {
    const std::string bytes = s.viewer->export_bytes(mode);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The fill alone, to see what the export adds.
void BM_Fill(benchmark::State& state) {
  Session s;
  for (auto _ : state) s.viewer->remplit_aff();
  state.counters["rows"] = s.viewer->list().row_count();
}
BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);

// The text export written to a file as the export menu writes it (temporary file, flush to
// the disk, rename).
void BM_WriteExportFile(benchmark::State& state) {
  Session s;
  const fs::path target = folder().dir.path() / "export.txt";
  for (auto _ : state) {
    const std::string error = s.viewer->write_export(target, ExportMode::Text);
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_WriteExportFile)->Unit(benchmark::kMillisecond);

// Sorting the filled list: text ("Fichier", "Assuré"), number ("Réf", "Lot"), date, amount.
void BM_SortFilled(benchmark::State& state) {
  Session s;
  const int column = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    s.viewer->sort_colonne(noemie::viewer::kColDetail);  // a different order every time
    state.ResumeTiming();
    s.viewer->sort_colonne(column);
  }
  state.counters["rows"] = s.viewer->list().row_count();
}
BENCHMARK(BM_SortFilled)
    ->Arg(1)
    ->Arg(5)
    ->Arg(2)
    ->Arg(7)
    ->Arg(9)
    ->Arg(13)
    ->Unit(benchmark::kMillisecond);

}  // namespace

// One keystroke in the find field over the filled list (about 100,000 rows): from `from` to
// `to`. A first letter and a text no row holds look at every cell of every row; a letter added
// to a text looks at the rows it kept. The summary of the status line follows each keystroke.
// Target: 50 ms.
void BM_FindKeystroke(benchmark::State& state) {
  static const std::pair<std::string, std::string> keys[] = {
      {"", "e"}, {"", "zzq"}, {"dupo", "dupon"}, {"dupon", "dupo"}};
  const auto& [from, to] = keys[state.range(0)];
  Session s;
  for (auto _ : state) {
    state.PauseTiming();
    s.viewer->set_find_text(from);
    state.ResumeTiming();
    s.viewer->set_find_text(to);
    benchmark::DoNotOptimize(s.viewer->summary());
  }
  state.counters["rows"] = s.viewer->list().all_row_count();
  state.counters["found"] = s.viewer->list().row_count();
}
BENCHMARK(BM_FindKeystroke)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
