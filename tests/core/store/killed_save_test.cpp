// A program killed at any moment while it saves its flags and its settings: each file is
// always the old one or the new one, never torn, the lock dies with its holder, and the next
// program starts on them and cleans what the killed saves left.

#include <gtest/gtest.h>

#include "support/posix_only.h"
#if NOEMIE_POSIX_ONLY  // fork and SIGKILL
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/reg_file_registry.h"
#include "core/store/settings.h"
#include "core/store/tree_registry.h"
#include "support/temp_dir.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::TempDir;

// Every save marks the first and the last kEnds of kFileNumbers file numbers: a flag file
// large enough that kills land inside writes, whose two ends must always agree.
constexpr std::uint64_t kFileNumbers = 200'000;
constexpr std::uint64_t kEnds = 1'000;
constexpr int kKills = 200;

// The settings of save number `round`: two values that must always agree.
std::string export_folder(int round) {
  return "/exports/" + std::to_string(round) + "/" +
         std::string(static_cast<std::size_t>(round % 97), 'e');
}

// A program on the folder: its flags and its settings, loaded as a viewer loads them.
struct ViewerRun {
  MemoryRegistry suite;
  platform::RecordingDialogs dialogs;
  std::ostringstream warnings;
  RegFileRegistry registry;
  Settings settings{registry, dialogs, "/opt/noemie/bin/noemie-viewer"};
  FlagStore flags{suite, dialogs};

  explicit ViewerRun(const fs::path& dir) : registry(dir / "settings.reg", warnings) {
    settings.lit_config();
    settings.config.path_arch = dir.string() + "/";
    flags.lit_info_traite(settings.config);
  }

  // Marks both ends with one state, changes two settings, and saves both as a closing viewer
  // does.
  void save(int round) {
    for (std::uint64_t n = 0; n < kEnds; ++n) {
      flags.rsp_traite_set_(n, round % 4);
      flags.rsp_traite_set_(kFileNumbers - 1 - n, round % 4);
    }
    flags.ecrit_info_traite(settings.config);
    settings.config.noemie_pos_x = round;
    settings.config.path_result = export_folder(round);
    settings.ecrit_config();
    registry.flush();
  }
};

// The child: loads once, then saves again and again, a byte to `started` before the first.
[[noreturn]] void save_until_killed(const fs::path& dir, int first_round, int started) {
  try {
    ViewerRun run(dir);
    if (write(started, "r", 1) != 1) _exit(3);
    for (int round = first_round;; ++round) run.save(round);
  } catch (...) {
    _exit(3);
  }
}

// "" when the flag file is one whole save; else what is wrong.
std::string torn_flags(const fs::path& file) {
  const std::string bytes = read_file(file);
  if (bytes.size() != kFileNumbers)
    return "flag file of " + std::to_string(bytes.size()) + " bytes";
  const std::string ends(kEnds, bytes[0]);
  const std::string middle = bytes.substr(kEnds, kFileNumbers - 2 * kEnds);
  if (bytes.substr(0, kEnds) != ends || bytes.substr(kFileNumbers - kEnds) != ends ||
      middle.find_first_not_of('\0') != std::string::npos) {
    return "flag file of two saves";
  }
  return {};
}

// "" when the settings file is one whole save; else what is wrong.
std::string torn_settings(const fs::path& file) {
  std::ostringstream warnings;
  RegFileRegistry registry(file, warnings, RegFileRegistry::Mode::ReadOnly);
  platform::RecordingDialogs dialogs;
  Settings settings(registry, dialogs, "x");
  settings.lit_config();
  if (!warnings.str().empty()) return warnings.str();
  if (settings.config.path_result != export_folder(settings.config.noemie_pos_x)) {
    return "settings of two saves";
  }
  return {};
}

std::size_t leftovers(const fs::path& dir) {
  std::size_t n = 0;
  for (const auto& e : fs::directory_iterator(dir)) {
    n += e.path().filename().string().find(".tmp") != std::string::npos;
  }
  return n;
}

// In memory where the machine has such a folder: a kill leaves the same files there as on a
// disk, and the runs are not slowed by waits for the disk.
TempDir kill_folder() {
  std::error_code ec;
  return fs::is_directory("/dev/shm", ec) ? TempDir("/dev/shm") : TempDir();
}

TEST(KilledSave, EachFileIsTheOldOrTheNewOneAndTheNextRunStarts) {
  const TempDir dir = kill_folder();
  // Kills fall anywhere in the child's first saves: the window is twice the slowest of a few
  // saves made here (measured, never asserted).
  auto window = std::chrono::steady_clock::duration::zero();
  {
    ViewerRun first(dir.path());
    for (int round = 0; round < 3; ++round) {
      const auto start = std::chrono::steady_clock::now();
      first.save(round);
      window = std::max(window, 2 * (std::chrono::steady_clock::now() - start));
    }
  }
  std::mt19937 rng(20240320);
  std::uniform_int_distribution<std::int64_t> moment(0, window.count());
  int torn = 0;
  int inside_writes = 0;  // kills that left a temporary file: they cut a write short
  for (int kill_round = 1; kill_round <= kKills; ++kill_round) {
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(started[0]);
      save_until_killed(dir.path(), kill_round * 1000, started[1]);
    }
    close(started[1]);
    char byte = 0;
    ASSERT_EQ(read(started[0], &byte, 1), 1);
    std::this_thread::sleep_for(std::chrono::steady_clock::duration(moment(rng)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(started[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";
    for (const std::string& problem :
         {torn_flags(dir.path() / "RSPstate.dat"), torn_settings(dir.path() / "settings.reg")}) {
      if (!problem.empty()) ++torn;
      EXPECT_EQ(problem, "") << "kill " << kill_round;
    }
    inside_writes += leftovers(dir.path()) > 0;
  }
  // The next run takes the lock that the killed ones held, starts without a warning, cleans
  // what they left, and saves.
  ViewerRun next(dir.path());
  EXPECT_EQ(next.warnings.str(), "");
  next.save(1);
  EXPECT_EQ(torn_flags(dir.path() / "RSPstate.dat"), "");
  EXPECT_EQ(torn_settings(dir.path() / "settings.reg"), "");
  EXPECT_EQ(read_file(dir.path() / "RSPstate.dat")[0], 1);
  EXPECT_EQ(leftovers(dir.path()), 0u);
  EXPECT_EQ(torn, 0);
  std::printf(
      "%d kills while saving flags and settings (%d of them inside a write): %d torn "
      "files\n",
      kKills, inside_writes, torn);
}

}  // namespace
}  // namespace noemie::store

#endif  // NOEMIE_POSIX_ONLY
