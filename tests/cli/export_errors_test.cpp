// The export command's failures as a process: usage errors, folders it cannot list, outputs
// it cannot write, and the fault lines of return files it cannot read. Every message is one
// line on standard error; the exit status says which case it was.

#include <gtest/gtest.h>

#include "support/posix_only.h"
#if NOEMIE_POSIX_ONLY  // the super-user
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "cli/expected_export.h"
#include "cli/export_fixture.h"

namespace noemie::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

using ExportErrorsTest = ExportFixture;

bool one_line(const std::string& text) {
  return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

TEST_F(ExportErrorsTest, UsageErrorsExitWithTwoAndOneLine) {
  const std::string see = " (see noemie-viewer export --help)\n";
  const std::string folder = returns().string();
  const std::string file = (returns() / "00000001.RSP").string();
  write_return("00000001.RSP", payment_file(), noon(2024y / March / 18));
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{}, "noemie-viewer: missing FOLDER" + see},
      {{"--format", "csv", folder},
       "noemie-viewer: --format takes text, excel, html or pdf, not 'csv'" + see},
      {{"--kind", "5", folder}, "noemie-viewer: --kind takes 0, 1, 2 or 3, not '5'" + see},
      {{"--age", "x", folder}, "noemie-viewer: --age takes 0, 1, 2 or 3, not 'x'" + see},
      {{"--mask", "-1", folder},
       "noemie-viewer: --mask takes a number from 0 to 255, not '-1'" + see},
      {{"--sort", "99", folder},
       "noemie-viewer: --sort takes a column number from 0 to 16, not '99'" + see},
      {{"--verbose", folder}, "noemie-viewer: unknown option '--verbose'" + see},
      {{folder, folder},
       "noemie-viewer: only one FOLDER may be given, not also '" + folder + "'" + see},
      {{folder, "--sort"}, "noemie-viewer: option '--sort' needs a value" + see},
      {{"--output", "out.txt", (work() / "nowhere").string()},
       "noemie-viewer: the folder " + (work() / "nowhere").string() + " does not exist\n"},
      {{"--output", "out.txt", file}, "noemie-viewer: " + file + " is not a folder\n"},
      {{""}, "noemie-viewer: the folder  does not exist\n"},
  };
  for (const auto& c : cases) {
    const ProgramResult r = run_export(c.args);
    std::string shown;
    for (const auto& a : c.args) shown += "[" + a + "] ";
    EXPECT_EQ(r.exit_code, 2) << shown;
    EXPECT_EQ(r.err, c.err) << shown;
    EXPECT_EQ(r.out, "") << shown;
  }
  // Nothing was written for any of them.
  EXPECT_FALSE(fs::exists(work() / "out.txt"));
}

TEST_F(ExportErrorsTest, HelpAndVersion) {
  const ProgramResult version = run_viewer({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "noemie-viewer 1.1.3\n");

  const ProgramResult help = run_viewer({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.out.rfind("Usage: noemie-viewer", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("noemie-viewer export [options] FOLDER"), std::string::npos);

  for (const std::vector<std::string>& args : {std::vector<std::string>{"export", "--help"},
                                               {"export", "-h"},
                                               {"export", returns().string(), "--help"}}) {
    const ProgramResult r = run_viewer(args);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    for (const char* option : {"--format", "--output", "--kind", "--age", "--mask", "--abrege",
                               "--no-abrege", "--sort", "--help"}) {
      EXPECT_NE(r.out.find(option), std::string::npos) << option;
    }
  }
}

TEST_F(ExportErrorsTest, FaultyFilesGetOneLineEachAndTheExportGoesOn) {
  // A closing record for level 7, which nothing opened: code 4 at its position + 4.
  const std::string faulty = ReturnFileBuilder()
                                 .add(facture_102({.num_facture = 5}))
                                 .add(cloture_99x({.level = 7}))
                                 .bytes();
  const std::size_t closing_at = 128 + facture_102({}).bytes().size() + 1;
  // Bytes before the header move the message start.
  const std::string shifted = ReturnFileBuilder()
                                  .before_header("JUNK")
                                  .add(facture_102({.num_facture = 6}))
                                  .add(cloture_99x({.level = 8}))
                                  .bytes();
  write_return("00000070.RSP", payment_file(), noon(2024y / March / 18));
  write_return("00000071.RSP", faulty, noon(2024y / March / 18));
  write_return("00000073.RSX", shifted, noon(2024y / March / 18));
  write_return("00000074.DAT", "", noon(2024y / March / 18));                     // silent: empty
  write_return("00000075.DAT", std::string(100, '0'), noon(2024y / March / 18));  // silent: short

  const std::string dir = (returns() / "").string();
  std::string expected_err =
      "noemie-viewer: error 4 at offset " + std::to_string(closing_at + 4) + " (start 0) in " +
      dir + "00000071.RSP: Fin de niveau ne correspondant \xC3\xA0 rien pour ce programme\n";
#if NOEMIE_POSIX_ONLY  // symbolic links
  // A link that leads nowhere cannot be opened.
  fs::create_symlink("no-such-file", returns() / "00000072.RSP");
  expected_err += "noemie-viewer: error 0 at offset 0 (start -1) in " + dir +
                  "00000072.RSP: Fichier non trouv\xC3\xA9\n";
#endif
  expected_err += "noemie-viewer: error 4 at offset " + std::to_string(closing_at + 4) +
                  " (start 4) in " + dir +
                  "00000073.RSX: Fin de niveau ne correspondant \xC3\xA0 rien pour ce programme\n";

  // Filters that make the viewer fill several times still print each fault once.
  for (const std::vector<std::string>& options : {std::vector<std::string>{},
                                                  {"--kind", "1"},
                                                  {"--age", "1"},
                                                  {"--kind", "1", "--age", "3"},
                                                  {"--sort", "3", "--sort", "5"}}) {
    std::vector<std::string> args = options;
    args.insert(args.end(), {"--format", "excel", returns().string()});
    const ProgramResult r = run_export(args);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, expected_err);
  }
  const ProgramResult r = run_export({"--format", "excel", returns().string()});
  EXPECT_EQ(listed_files(r.out), std::vector<std::string>{"70"});
}

TEST_F(ExportErrorsTest, FaultLinesNameTheFullPathOfARelativeFolder) {
  const std::string faulty =
      ReturnFileBuilder().add(facture_102({})).add(cloture_99x({.level = 9})).bytes();
  write_return("00000080.RSP", faulty, noon(2024y / March / 18));
  const ProgramResult r = run_export({"./returns/../returns"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err.rfind("noemie-viewer: error 4 at offset ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(" in " + (returns() / "00000080.RSP").string() + ": "), std::string::npos)
      << r.err;
}

TEST_F(ExportErrorsTest, AnOutputThatCannotBeWrittenExitsWithOne) {
  write_return("00000090.RSP", payment_file(), noon(2024y / March / 18));
  const fs::path folder_output = work() / "a-folder";
  fs::create_directories(folder_output / "inside");
  struct Case {
    std::string output;
    std::string err_start;
  };
  std::vector<Case> cases = {
      {(work() / "missing" / "out.txt").string(),
       "noemie-viewer: Impossible d'\xC3\xA9"
       "crire le fichier " +
           (work() / "missing" / "out.txt").string()},
      {folder_output.string(),
       "noemie-viewer: cannot write the export to " + folder_output.string() + ": it is a folder"},
  };
#if NOEMIE_POSIX_ONLY  // a device that is always full
  cases.push_back({"/dev/full", "noemie-viewer: cannot write the export to /dev/full: "});
#endif
  for (const auto& c : cases) {
    const ProgramResult r = run_export({"--output", c.output, returns().string()});
    EXPECT_EQ(r.exit_code, 1) << c.output;
    EXPECT_EQ(r.out, "") << c.output;
    EXPECT_TRUE(one_line(r.err)) << r.err;
    EXPECT_EQ(r.err.rfind(c.err_start, 0), 0u) << r.err;
  }
  EXPECT_FALSE(fs::exists(work() / "missing"));
  EXPECT_TRUE(fs::is_directory(folder_output / "inside"));
  // Devices are written in place, never replaced by a file.
  const std::string null_device = NOEMIE_POSIX_ONLY ? "/dev/null" : "NUL";
  const ProgramResult to_null = run_export({"--output", null_device, returns().string()});
  EXPECT_EQ(to_null.exit_code, 0) << to_null.err;
#if NOEMIE_POSIX_ONLY
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
#endif
}

#if NOEMIE_POSIX_ONLY  // a device that is always full; permission bits and the super-user
TEST_F(ExportErrorsTest, AFullStandardOutputExitsWithOne) {
  write_return("00000091.RSP", payment_file(), noon(2024y / March / 18));
  ProgramRun run = viewer_run({"export", returns().string()});
  run.stdout_file = "/dev/full";
  const ProgramResult r = run_program(run);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err,
            "noemie-viewer: cannot write the export to standard output: No space left on device\n");
}

TEST_F(ExportErrorsTest, AFailedWriteLeavesThePreviousFileAsItWas) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into a read-only folder";
  write_return("00000092.RSP", payment_file(), noon(2024y / March / 18));
  const fs::path locked = work() / "locked";
  fs::create_directories(locked);
  const fs::path previous = locked / "export.txt";
  {
    std::FILE* f = std::fopen(previous.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("previous", f);
    std::fclose(f);
  }
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  const ProgramResult r = run_export({"--output", previous.string(), returns().string()});
  fs::permissions(locked, fs::perms::owner_all);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_TRUE(one_line(r.err)) << r.err;
  EXPECT_EQ(read_file(previous), "previous");
  EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}

TEST_F(ExportErrorsTest, AFolderThatCannotBeListedExitsWithTwo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may list any folder";
  write_return("00000093.RSP", payment_file(), noon(2024y / March / 18));
  fs::permissions(returns(), fs::perms::owner_write | fs::perms::owner_exec);
  const ProgramResult r = run_export({returns().string()});
  fs::permissions(returns(), fs::perms::owner_all);
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("noemie-viewer: cannot read the folder " + returns().string() + ": ", 0),
            0u)
      << r.err;
}
#endif

}  // namespace
}  // namespace noemie::testing
