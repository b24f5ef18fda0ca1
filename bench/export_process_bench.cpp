// The headless export as a user runs it, on an archive of long payment returns: the whole
// `noemie-viewer export --format text --output /dev/null FOLDER` process (start, fill, export,
// exit) against reading the same files from the page cache, and the process's peak memory.
// Targets: <= 3 x the read time; peak resident memory <= 600 bytes per row.
//
//   export_process_bench [FILES] [RUNS]      (default: 5000 files, 7 runs; medians printed)
//
// NOEMIE_BENCH_FOLDER=DIR measures the return files of DIR; when DIR does not exist, the
// generated folder is written there and kept for the next runs. NOEMIE_BENCH_PROGRAM=PATH
// measures another build of the program (an older commit's, to compare).

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/viewer/random_returns.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Every file of the folder read whole, as a plain program reads them: open, read, close.
std::size_t read_all(const std::vector<fs::path>& files) {
  static std::vector<char> buffer(1 << 20);
  std::size_t total = 0;
  for (const fs::path& path : files) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;) {
      total += static_cast<std::size_t>(n);
    }
    ::close(fd);
  }
  return total;
}

struct ProcessRun {
  double ms = 0;
  long max_rss_kb = 0;
  int status = -1;
};

// Runs the program with `args` in `cwd`, its standard output to `out` (a path), standard error
// to /dev/null.
ProcessRun run_process(const std::vector<std::string>& args, const fs::path& cwd,
                       const fs::path& out) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const fs::path here = fs::current_path();
  fs::current_path(cwd);
  ProcessRun run;
  const auto t0 = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  fs::current_path(here);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  struct rusage usage {};
  int status = 0;
  ::wait4(pid, &status, 0, &usage);
  run.ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  run.max_rss_kb = usage.ru_maxrss;
  run.status = status;
  return run;
}

std::size_t count_lines(const fs::path& file) {
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return 0;
  std::size_t lines = 0;
  for (int c; (c = std::fgetc(f)) != EOF;) lines += c == '\n';
  std::fclose(f);
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 7);
  noemie::testing::TempDir dir;
  fs::path folder = dir.path() / "returns";
  if (const char* given = std::getenv("NOEMIE_BENCH_FOLDER")) folder = given;
  if (!fs::exists(folder)) {
    fs::create_directories(folder);
    std::mt19937 rng(2024);
    const noemie::testing::RandomReturnShape shape = noemie::testing::long_payment_shape();
    for (int i = 0; i < files; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%08d.RSP", i + 1);
      dir.write(folder / name, noemie::testing::random_return_file(rng, shape));
    }
  }
  dir.write("caisses.qvc",
            "[\r\n=01 CPAM;R\xE9gime g\xE9n\xE9ral\r\n=02 MSA;R\xE9gime agricole\r\n]");
  // No settings of the user's: the stored defaults.
  ::setenv("NOEMIE_VIEWER_SETTINGS", (dir.path() / "settings.reg").c_str(), 1);

  std::vector<fs::path> paths;
  std::uintmax_t bytes = 0;
  for (const auto& e : fs::directory_iterator(folder)) {
    if (!e.is_regular_file()) continue;
    paths.push_back(e.path());
    bytes += e.file_size();
  }
  std::sort(paths.begin(), paths.end());

  const char* other_program = std::getenv("NOEMIE_BENCH_PROGRAM");
  const std::string program = other_program ? other_program : NOEMIE_VIEWER_PROGRAM;
  const std::vector<std::string> args = {program,    "export",    "--format",     "text",
                                         "--output", "/dev/null", folder.string()};
  // Once for the rows and to warm the page cache.
  const fs::path listing = dir.path() / "export.txt";
  std::vector<std::string> to_file = args;
  to_file[5] = listing.string();
  if (run_process(to_file, dir.path(), "/dev/null").status != 0) {
    std::fprintf(stderr, "the export failed\n");
    return 1;
  }
  const std::size_t rows = count_lines(listing) - 1;
  fs::remove(listing);

  std::vector<double> read_ms, process_ms, rss_kb;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    read_all(paths);
    read_ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    const ProcessRun run = run_process(args, dir.path(), "/dev/null");
    process_ms.push_back(run.ms);
    rss_kb.push_back(static_cast<double>(run.max_rss_kb));
  }
  const double read = median(read_ms), process = median(process_ms), rss = median(rss_kb);
  std::printf("files: %zu (%.1f MB), rows: %zu\n", paths.size(), static_cast<double>(bytes) / 1e6,
              rows);
  std::printf("read from the page cache:   %8.1f ms (median of %d)\n", read, runs);
  std::printf("export process, whole:      %8.1f ms (median of %d)\n", process, runs);
  std::printf("ratio:                      %8.2f x\n", process / read);
  std::printf("peak resident memory:       %8.1f MB, %.0f bytes per row\n", rss / 1024,
              rows ? rss * 1024 / static_cast<double>(rows) : 0.0);
  return 0;
}
