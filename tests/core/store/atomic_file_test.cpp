#include "core/store/atomic_file.h"

#include <gtest/gtest.h>

#include "support/posix_only.h"
#if NOEMIE_POSIX_ONLY  // permission bits, named pipes, fork, signals and file size limits
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::TempDir;

// Names in `folder`, so that a test can see that no temporary file was left behind.
std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

#if NOEMIE_POSIX_ONLY  // permission bits and symbolic links
TEST(AtomicFile, ReplacesTheFileAndKeepsItsPermissions) {
  TempDir dir;
  const auto file = dir.write("settings.reg", "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(write_file_atomically(file, "new contents"), "");
  EXPECT_EQ(read_file(file), "new contents");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"settings.reg"});
}

TEST(AtomicFile, ReplacesWhatALinkPointsToAndKeepsTheLink) {
  TempDir dir;
  const auto real = dir.write("real.reg", "old");
  fs::create_symlink("real.reg", dir.path() / "link.reg");
  EXPECT_EQ(write_file_atomically(dir.path() / "link.reg", "new"), "");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.reg"));
  EXPECT_EQ(read_file(real), "new");
}
#endif

TEST(AtomicFile, CreatesTheFolderOnlyWhenAsked) {
  TempDir dir;
  const auto file = dir.path() / "a" / "b" / "settings.reg";
  const std::string error = write_file_atomically(file, "x");
  EXPECT_NE(error.find(file.parent_path().string()), std::string::npos) << error;
  EXPECT_EQ(write_file_atomically(file, "x", {.create_folder = true}), "");
  EXPECT_EQ(read_file(file), "x");
}

TEST(AtomicFile, AFailureLeavesTheOldFileAndNoTemporaryFile) {
  struct Case {
    const char* what;
    fs::path target;  // relative to the temporary folder
    std::function<void(const TempDir&)> prepare;
  };
  const Case cases[] = {
      {"the folder is a file", "plain/settings.reg",
       [](const TempDir& d) { d.write("plain", "not a folder"); }},
      {"the target is a folder", "settings.reg",
       [](const TempDir& d) { fs::create_directories(d.path() / "settings.reg" / "inside"); }},
  };
  for (const auto& c : cases) {
    TempDir dir;
    c.prepare(dir);
    const auto before = names_in(dir.path());
    const std::string error = write_file_atomically(dir.path() / c.target, "new");
    EXPECT_NE(error, "") << c.what;
    EXPECT_EQ(names_in(dir.path()), before) << c.what;
  }
}

#if NOEMIE_POSIX_ONLY  // named pipes; a full disk and a kill played with fork and signals
// Runs in a child process: a file size limit makes write() fail as a full disk would, and it
// must not limit anything else of the test run. Exit status 0 when the save failed cleanly.
int save_on_a_full_disk(const fs::path& file) {
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  limit.rlim_cur = limit.rlim_max = 4096;
  setrlimit(RLIMIT_FSIZE, &limit);
  const std::string error = write_file_atomically(file, std::string(100000, 'n'));
  const bool intact = read_file(file) == "old states" && names_in(file.parent_path()).size() == 1;
  return !error.empty() && intact ? 0 : 1;
}

TEST(AtomicFile, NeverReplacesWhatIsNotARegularFile) {
  noemie::testing::TempDir dir;
  const auto pipe = dir.path() / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const auto link = dir.path() / "link";
  std::filesystem::create_symlink(pipe, link);
  for (const auto& target : {pipe, link}) {
    EXPECT_NE(write_file_atomically(target, "bytes"), "") << target;
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
  }
  // Nothing but the pipe and its link is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(AtomicFile, AFullDiskLeavesTheOldFile) {
  TempDir dir;
  const auto file = dir.write("RSPstate.dat", "old states");
  EXPECT_EXIT(_exit(save_on_a_full_disk(file)), ::testing::ExitedWithCode(0), "");
}

TEST(AtomicFile, AKilledWriterLeavesTheOldOrTheNewFile) {
  TempDir dir;
  const auto file = dir.path() / "settings.reg";
  // Large enough that a kill lands in the middle of a save most of the time.
  const std::string a(3 << 20, 'a');
  const std::string b(2 << 20, 'b');
  ASSERT_EQ(write_file_atomically(file, a), "");
  for (int round = 0; round < 5; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) write_file_atomically(file, i % 2 ? a : b);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + 15 * round));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const std::string now = read_file(file);
    EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
  }
}
#endif

}  // namespace
}  // namespace noemie::store
