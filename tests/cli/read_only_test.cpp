// The export command only reads: settings, flags, regime table and return files stay as they
// are, and no file appears anywhere but the export itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/export_fixture.h"

namespace noemie::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// Every file and folder under `root` with its size and time stamp (folders: size 0).
using Snapshot = std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>>;

Snapshot snapshot(const fs::path& root) {
  Snapshot files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    std::error_code ec;
    const bool is_file = e.is_regular_file(ec);
    files[e.path().lexically_relative(root).string()] = {
        is_file ? e.file_size() : 0, e.symlink_status().type() == fs::file_type::symlink
                                         ? fs::file_time_type{}
                                         : e.last_write_time()};
  }
  return files;
}

class ReadOnlyTest : public ExportFixture {
 protected:
  void SetUp() override {
    write_return("00000012.RSP", payment_file(), noon(2024y / March / 18));
    write_return("00000013.RSX", payment_file(), noon(2024y / March / 19));
    const std::string faulty =
        ReturnFileBuilder().add(facture_102({})).add(cloture_99x({.level = 7})).bytes();
    write_return("00000014.RSP", faulty, noon(2024y / March / 20));
    fs::create_directories(work() / "arch");
  }

  // Runs the export and checks that the working folder (returns, home, archive folder, settings
  // file) and the program's folder are exactly as before, but for `created`.
  void expect_nothing_written(const std::vector<std::string>& args,
                              const std::vector<std::string>& created = {}) {
    const Snapshot before = snapshot(work());
    const bool fund_directory_before = fs::exists(viewer_program().parent_path() / "caisses.dat");
    const ProgramResult r = run_export(args);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    Snapshot after = snapshot(work());
    for (const auto& name : created) EXPECT_EQ(after.erase(name), 1u) << name;
    EXPECT_EQ(after, before);
    EXPECT_EQ(fs::exists(viewer_program().parent_path() / "caisses.dat"), fund_directory_before);
  }
};

TEST_F(ReadOnlyTest, NoSettingsFileNoFlagFileNoRegimeTable) {
  fs::remove(work() / "caisses.qvc");
  expect_nothing_written({returns().string()});
  EXPECT_FALSE(fs::exists(settings_file()));
  EXPECT_FALSE(fs::exists(work() / "RSPstate.dat"));
  EXPECT_FALSE(fs::exists(work() / "caisses.qvc"));
  EXPECT_FALSE(fs::exists(work() / "caisses.dat"));
}

TEST_F(ReadOnlyTest, StoredSettingsAndOldFlagsAreReadNotRewritten) {
  // An archive folder without a flag file, and the old flag bitmap of the suite to convert.
  const std::string arch = (work() / "arch").string() + "/";
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\quillon]\r\n\"path_arch\"=\"" + arch +
      "\"\r\n\"cabinet\"=\"cabinet\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\software\\Velmora]\r\n"
      "\"RSP_traite\"=hex:ff,ff,00\r\n";
  {
    std::FILE* f = std::fopen(settings_file().string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  expect_nothing_written({returns().string()});
  expect_nothing_written({"--kind", "1", "--age", "2", "--abrege", "--mask", "255", "--sort", "4",
                          returns().string()});
  EXPECT_FALSE(fs::exists(work() / "arch" / "RSPstate.dat"));
  EXPECT_EQ(read_file(settings_file()), text);
}

TEST_F(ReadOnlyTest, ASettingsFileThatCannotBeReadIsNotKeptAside) {
  const std::string garbage = "this is no registry file\r\n[unclosed\r\n";
  {
    std::FILE* f = std::fopen(settings_file().string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(garbage.data(), 1, garbage.size(), f);
    std::fclose(f);
  }
  const Snapshot before = snapshot(work());
  const ProgramResult r = run_export({"--format", "excel", returns().string()});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(listed_files(r.out), (std::vector<std::string>{"12", "13"}));
  EXPECT_EQ(snapshot(work()), before);
  EXPECT_EQ(read_file(settings_file()), garbage);
  // One warning about the settings, one fault line.
  EXPECT_NE(r.err.find(settings_file().string()), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("error 4 at offset"), std::string::npos) << r.err;
}

TEST_F(ReadOnlyTest, OnlyTheOutputFileAppears) {
  expect_nothing_written({"--format", "html", "--output", "liste.html", returns().string()},
                         {"liste.html"});
}

}  // namespace
}  // namespace noemie::testing
