#include "core/store/flag_store.h"

#include <gtest/gtest.h>

#include "support/posix_only.h"
#if NOEMIE_POSIX_ONLY  // named pipes
#include <sys/stat.h>
#endif

#include <filesystem>
#include <limits>
#include <string>

#include "core/platform/recording_dialogs.h"
#include "core/store/tree_registry.h"
#include "support/temp_dir.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;
using platform::RecordingDialogs;
using testing::read_file;
using testing::TempDir;

std::string bytes_of(std::initializer_list<int> values) {
  std::string out;
  for (const int v : values) out += static_cast<char>(v);
  return out;
}

// A flag store over a temporary archive folder and an in-memory registry.
struct Fixture {
  TempDir dir;
  MemoryRegistry reg;
  RecordingDialogs dialogs;
  FlagStore store{reg, dialogs};
  Config config = default_config();

  Fixture() { config.path_arch = dir.path().string() + "/"; }
  fs::path flag_file() const { return dir.path() / "RSPstate.dat"; }
  void write_flags(std::string_view bytes) const { dir.write("RSPstate.dat", bytes); }
  KeyNode& suite_key() { return *reg.edit_tree().child("software")->child("Velmora"); }
  std::string states() const {
    return std::string(store.info_traite().begin(), store.info_traite().end());
  }
};

TEST(FileNumber, IsTheLeadingDecimalNumber) {
  const std::pair<const char*, std::uint64_t> cases[] = {
      {"00012345.RSP", 12345},
      {"00012345.RSX", 12345},
      {"7", 7},
      {"12a34.RSP", 12},
      {"-5.RSP", 0},
      {"abc.RSP", 0},
      {"", 0},
      {"123456789.RSP", 123456789},
      {"99999999999999999999999.RSP", std::numeric_limits<std::uint64_t>::max()},
  };
  for (const auto& [name, number] : cases) EXPECT_EQ(file_number(name), number) << name;
}

TEST(FlagStore, WithoutFileOrBitmapEveryRowIsNotProcessedAndMarksAreSaved) {
  Fixture f;
  f.store.lit_info_traite(f.config);
  EXPECT_EQ(f.store.lg_info_traite(), 1);
  EXPECT_TRUE(fs::exists(f.flag_file())) << "a first run creates the flag file";
  EXPECT_EQ(read_file(f.flag_file()), "");
  EXPECT_EQ(f.store.rsp_traite("00000002.RSP"), 6);
  EXPECT_EQ(f.store.rsp_traite("00000005.RSX"), 6);
  EXPECT_EQ(f.store.rsp_traite_set_(5, 1), 1);

  const FlagSaveResult saved = f.store.ecrit_info_traite(f.config);
  EXPECT_TRUE(saved.saved) << saved.error;
  EXPECT_EQ(read_file(f.flag_file()), bytes_of({0, 0, 0, 0, 0, 1}));
  EXPECT_TRUE(f.dialogs.boxes.empty());
}

TEST(FlagStore, TheHeadlessLoadCreatesNoFile) {
  Fixture f;
  f.store.lit_info_traite(f.config, false);
  EXPECT_EQ(f.store.lg_info_traite(), 1);
  EXPECT_FALSE(fs::exists(f.flag_file()));
}

TEST(FlagStore, AFileOfAtMostOneByteIsReplacedByTheRegistryBitmap) {
  for (const std::string& file : {std::string(), std::string("\x01")}) {
    Fixture f;
    f.write_flags(file);
    f.suite_key().set_value("RSP_traite", kRegBinary, "\x05\x80\xFF");
    f.store.lit_info_traite(f.config);
    EXPECT_EQ(f.store.lg_info_traite(), 16) << file.size() << "-byte file";
    EXPECT_EQ(f.states(), bytes_of({1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    ASSERT_EQ(f.dialogs.boxes.size(), 1u);
    EXPECT_EQ(f.dialogs.boxes[0].text,
              "Conversion automatique(VL v < 1.55) des indicateurs des fichiers RSP");
    EXPECT_EQ(f.dialogs.boxes[0].caption, "Info");
    EXPECT_TRUE(f.store.ecrit_info_traite(f.config).saved);
    EXPECT_EQ(read_file(f.flag_file()), f.states());
  }
}

TEST(FlagStore, TheBitmapComesFromTheSuiteProfileAndSetsConfigMulti) {
  Fixture f;
  f.suite_key().set_value("config_multi", kRegBinary, "\x02");
  f.suite_key().set_value("RSP_traite", kRegBinary, bytes_of({0xFF, 0}));
  f.suite_key().child("config2")->set_value("RSP_traite", kRegBinary, bytes_of({2, 0}));
  f.store.lit_info_traite(f.config);
  EXPECT_EQ(f.config.config_multi, 2);
  EXPECT_EQ(f.states(), bytes_of({0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(FlagStore, NoBitmapGivesOneStateAndNoMessage) {
  struct Case {
    const char* what;
    std::string bitmap;  // "" : no value at all
  };
  const Case cases[] = {{"no value", ""}, {"one byte", "\xFF"}};
  for (const auto& c : cases) {
    Fixture f;
    if (!c.bitmap.empty()) f.suite_key().set_value("RSP_traite", kRegBinary, c.bitmap);
    f.store.lit_info_traite(f.config);
    EXPECT_EQ(f.states(), bytes_of({0})) << c.what;
    EXPECT_TRUE(f.dialogs.boxes.empty()) << c.what;
  }
}

TEST(FlagStore, LookingUpANumberGrowsTheStatesWithZeros) {
  Fixture f;
  f.write_flags(bytes_of({1, 2, 3}));
  f.store.lit_info_traite(f.config);
  ASSERT_EQ(f.store.lg_info_traite(), 3);
  const std::string name = "00000007.RSP";
  EXPECT_EQ(f.store.rsp_traite(name), 6);
  EXPECT_EQ(name, "00000007.RSP");
  EXPECT_EQ(f.states(), bytes_of({1, 2, 3, 0, 0, 0, 0, 0}));
  EXPECT_EQ(f.store.rsp_traite("2.RSZ"), 9);
  EXPECT_TRUE(f.dialogs.boxes.empty());
}

TEST(FlagStore, StoredBytesOutsideZeroToThreeAreRepairedWhenLookedUp) {
  Fixture f;
  f.write_flags(bytes_of({1, 4, 0xFF, 2}));
  f.store.lit_info_traite(f.config);
  EXPECT_EQ(f.store.rsp_traite("1.RSP"), 6);
  EXPECT_EQ(f.states(), bytes_of({1, 0, 0xFF, 2}));
  EXPECT_EQ(f.store.rsp_traite_set(2), 0);  // stepping a bad state also gives a good one
  ASSERT_TRUE(f.store.ecrit_info_traite(f.config).saved);
  // A repair is not a change: the file keeps the byte, which every reading takes as 0.
  EXPECT_EQ(read_file(f.flag_file()), bytes_of({1, 4, 0, 2}));
}

TEST(FlagStore, SteppingCyclesThroughTheFourStates) {
  Fixture f;
  f.store.lit_info_traite(f.config);
  const int expected[] = {1, 2, 3, 0, 1};
  for (const int state : expected) EXPECT_EQ(f.store.rsp_traite_set(4), state);
  EXPECT_EQ(f.store.lg_info_traite(), 5);
  EXPECT_EQ(f.store.rsp_traite("4.RSP"), 7);
}

TEST(FlagStore, NumbersAboveTheLimitChangeForThisRunOnly) {
  Fixture f;
  f.write_flags(bytes_of({0, 1}));
  f.store.lit_info_traite(f.config);
  const std::string big = "123456789.RSP";
  EXPECT_EQ(f.store.rsp_traite(big), 6);
  EXPECT_EQ(f.store.rsp_traite_set_(file_number(big), 1), 1);
  EXPECT_EQ(f.store.rsp_traite(big), 7);
  EXPECT_EQ(f.store.rsp_traite_set(file_number("99999999999999999999999.RSP")), 1);
  EXPECT_EQ(f.store.rsp_traite_set(100'000'000), 1);  // the first number without stored state
  EXPECT_EQ(f.store.lg_info_traite(), 2);

  ASSERT_TRUE(f.store.ecrit_info_traite(f.config).saved);
  EXPECT_EQ(read_file(f.flag_file()), bytes_of({0, 1}));
}

TEST(FlagStore, SavingKeepsWhatAnotherProgramAddedMeanwhile) {
  Fixture f;
  f.write_flags(bytes_of({0, 1, 0}));
  f.store.lit_info_traite(f.config);
  f.store.rsp_traite_set_(0, 1);
  f.write_flags(bytes_of({0, 1, 0, 0, 2, 1}));
  ASSERT_TRUE(f.store.ecrit_info_traite(f.config).saved);
  EXPECT_EQ(read_file(f.flag_file()), bytes_of({1, 1, 0, 0, 2, 1}));
}

TEST(FlagStore, AFailedSaveIsReportedWithTheFileName) {
  Fixture f;
  f.config.path_arch = (f.dir.path() / "no such folder").string() + "/";
  f.store.lit_info_traite(f.config);
  f.store.rsp_traite_set_(3, 1);
  const FlagSaveResult result = f.store.ecrit_info_traite(f.config);
  EXPECT_FALSE(result.saved);
  EXPECT_NE(result.error, "");
  EXPECT_EQ(result.file, f.dir.path() / "no such folder" / "RSPstate.dat");
  const std::string message = flag_save_failure_message(result.file);
  EXPECT_NE(message.find(result.file.string()), std::string::npos) << message;
  EXPECT_FALSE(fs::exists(f.dir.path() / "no such folder"));
}

TEST(FlagStore, AFlagFileThatCannotBeReadIsNeverReplaced) {
  // A folder, and a named pipe, which a read must not wait on.
  for (const bool pipe : {false, NOEMIE_POSIX_ONLY != 0}) {
    Fixture f;
    if (pipe) {
#if NOEMIE_POSIX_ONLY  // named pipes
      ASSERT_EQ(::mkfifo(f.flag_file().c_str(), 0600), 0);
#endif
    } else {
      fs::create_directories(f.flag_file() / "inside");
    }
    f.store.lit_info_traite(f.config);
    EXPECT_EQ(f.store.lg_info_traite(), 1);
    f.store.rsp_traite_set_(0, 1);
    const FlagSaveResult result = f.store.ecrit_info_traite(f.config);
    EXPECT_FALSE(result.saved) << pipe;
    EXPECT_NE(result.error, "") << pipe;
    EXPECT_TRUE(pipe ? fs::is_fifo(f.flag_file()) : fs::is_directory(f.flag_file() / "inside"));
  }
}

TEST(FlagStore, TheFlagFileNameFollowsPathArchDirectly) {
  EXPECT_EQ(flag_file_path("/archive/"), fs::path("/archive/RSPstate.dat"));
  EXPECT_EQ(flag_file_path("/archive"), fs::path("/archiveRSPstate.dat"));
  EXPECT_EQ(flag_file_path(""), fs::path("RSPstate.dat"));
}

}  // namespace
}  // namespace noemie::store
