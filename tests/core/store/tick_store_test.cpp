// The tick file of bank transfers: its format, two programs ticking on one folder, a file that
// cannot be read, and a program killed while it saves.

#include <gtest/gtest.h>

#include "core/store/tick_store.h"
#include "support/posix_only.h"
#include "support/temp_dir.h"

#if NOEMIE_POSIX_ONLY
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#endif

namespace noemie::store {
namespace {

using testing::read_file;
using testing::TempDir;

TickKey key(std::uint64_t file, std::int32_t position, std::string reference = "VIR A") {
  return {file, position, "15/03/2024", std::move(reference)};
}

TEST(TickFile, RoundTripsAnyReferenceAndRefusesWhatItDoesNotKnow) {
  const std::set<TickKey> ticks = {
      key(12, 0), key(12, 1, "TAB\tCR\rLF\n 100% \x80"), {7, 3, "", ""}, key(99'999'999'999, 2)};
  const std::string bytes = tick_file_bytes(ticks);
  EXPECT_EQ(bytes.substr(0, 19), "NOEMIE-POINTAGE 1\r\n");
  EXPECT_NE(bytes.find("12\t2\t15/03/2024\tTAB%09CR%0DLF%0A 100%25 \x80\r\n"), std::string::npos);
  std::string error;
  EXPECT_EQ(parse_tick_file(bytes, error), ticks);

  const struct {
    std::string bytes;
    std::string error;  // "" when it reads
  } cases[] = {
      {"", ""},
      {"NOEMIE-POINTAGE 1\n12\t1\t\tX\n\n", ""},  // LF alone, an empty line
      {"NOEMIE-POINTAGE 2\r\n", "ligne 1"},
      {"NOEMIE-POINTAGE 1\r\n12\t0\t\tX\r\n", "ligne 2"},  // ranks start at 1
      {"NOEMIE-POINTAGE 1\r\n12\t1\t\r\n", "ligne 2"},
      {"NOEMIE-POINTAGE 1\r\n12\t1\t\tX%4\r\n", "ligne 2"},
      {"NOEMIE-POINTAGE 1\r\n1\t1\t\t\r\nx\t1\t\t\r\n", "ligne 3"},
  };
  for (const auto& c : cases) {
    std::string why;
    const bool read = parse_tick_file(c.bytes, why).has_value();
    EXPECT_EQ(read, c.error.empty()) << c.bytes;
    EXPECT_EQ(why.substr(0, c.error.size()), c.error) << c.bytes;
  }
}

TEST(TickStore, TwoProgramsKeepEachOthersTicksAndAChangeOfNothingWritesNothing) {
  TempDir dir;
  const auto file = tick_file_path(dir.path().string() + "/");
  EXPECT_EQ(file, dir.path() / "RSPpointage.dat");
  TickStore first(file), second(file);
  EXPECT_EQ(first.load(), "");
  EXPECT_EQ(second.load(), "");
  EXPECT_EQ(first.save(), "");
  EXPECT_FALSE(std::filesystem::exists(file));  // nothing changed, nothing written

  EXPECT_EQ(first.set_ticked(key(1, 0), true), "");
  EXPECT_EQ(second.set_ticked(key(2, 0), true), "");
  EXPECT_TRUE(second.ticked(key(1, 0)));  // saving read the other's tick
  EXPECT_EQ(first.set_ticked(key(1, 0), false), "");
  TickStore third(file);
  EXPECT_EQ(third.load(), "");
  EXPECT_FALSE(third.ticked(key(1, 0)));
  EXPECT_TRUE(third.ticked(key(2, 0)));
  // A rewritten file, whose second transfer has another reference, is not ticked.
  EXPECT_FALSE(third.ticked(key(2, 0, "VIR B")));
}

TEST(TickStore, AFileThatCannotBeReadIsSaidAndNeverReplaced) {
  TempDir dir;
  const auto file = dir.write("RSPpointage.dat", "written by hand\r\n");
  TickStore store(file);
  const std::string loaded = store.load();
  EXPECT_NE(loaded.find("RSPpointage.dat"), std::string::npos);
  EXPECT_NE(loaded.find("ligne 1"), std::string::npos);
  const std::string saved = store.set_ticked(key(1, 0), true);
  EXPECT_NE(saved.find("laiss\xE9 tel quel"), std::string::npos);
  EXPECT_TRUE(store.has_changes());  // kept for a later save
  EXPECT_EQ(read_file(file), "written by hand\r\n");
  // Once the file is mended, the next save puts the tick in.
  dir.write("RSPpointage.dat", "");
  EXPECT_EQ(store.save(), "");
  EXPECT_EQ(read_file(file), "NOEMIE-POINTAGE 1\r\n1\t1\t15/03/2024\tVIR A\r\n");
}

#if NOEMIE_POSIX_ONLY
TEST(TickStore, AProgramKilledWhileItSavesLeavesAWholeFile) {
  TempDir dir;
  const auto file = dir.path() / "RSPpointage.dat";
  for (int kill = 0; kill < 40; ++kill) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Each save ticks one more transfer of a long file: the file grows save by save.
      TickStore store(file);
      if (!store.load().empty()) _exit(3);
      for (std::int32_t n = 0;; ++n) store.set_ticked(key(5, n, std::string(200, 'R')), true);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + kill % 7));
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    TickStore next(file);
    ASSERT_EQ(next.load(), "") << "after kill " << kill;
  }
  TickStore last(file);
  ASSERT_EQ(last.load(), "");
  EXPECT_EQ(last.set_ticked(key(6, 0), true), "");
}
#endif

}  // namespace
}  // namespace noemie::store
