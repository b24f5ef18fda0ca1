// The mark command and the program's entry as a process: marks that reach the flag file
// beside every other program's, usage errors, a flag file that cannot be written, and a
// viewer asked for where no display exists.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/export_fixture.h"

namespace noemie::testing {
namespace {

namespace fs = std::filesystem;

class MarkCommandTest : public ExportFixture {
 protected:
  MarkCommandTest() {
    fs::create_directories(arch());
    write_settings({"\"path_arch\"=\"" + arch().string() + "/\""});
  }
  fs::path arch() const { return work() / "arch"; }
  fs::path flags() const { return arch() / "RSPstate.dat"; }
  ProgramResult mark(std::vector<std::string> args) const {
    args.insert(args.begin(), "mark");
    return run_viewer(std::move(args));
  }
};

void write_bytes(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string shown(const std::vector<std::string>& args) {
  std::string out;
  for (const auto& a : args) out += "[" + a + "] ";
  return out;
}

TEST_F(MarkCommandTest, SetsTheStatesAndKeepsEveryOtherMark) {
  write_bytes(flags(), std::string("\0\2\0\0", 4));
  const struct {
    std::vector<std::string> args;
    std::string flags_after;
  } steps[] = {
      {{"3", "6"}, std::string("\0\2\0\1\0\0\1", 7)},
      {{"--state", "0", "6"}, std::string("\0\2\0\1\0\0\0", 7)},
      {{"--state=3", "0003", "1"}, std::string("\0\3\0\3\0\0\0", 7)},
  };
  for (const auto& step : steps) {
    const ProgramResult r = mark(step.args);
    EXPECT_EQ(r.exit_code, 0) << shown(step.args) << r.err;
    EXPECT_EQ(r.out + r.err, "") << shown(step.args);
    EXPECT_EQ(read_file(flags()), step.flags_after) << shown(step.args);
  }
}

TEST_F(MarkCommandTest, UsageErrorsWriteNothing) {
  const std::string see = " (see noemie-viewer mark --help)\n";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{}, "noemie-viewer: missing NUMBER" + see},
      {{"--state", "7", "1"}, "noemie-viewer: --state takes 0, 1, 2 or 3, not '7'" + see},
      {{"12a"}, "noemie-viewer: NUMBER is a file number from 0 to 99999999, not '12a'" + see},
      {{"1", "100000000"},
       "noemie-viewer: NUMBER is a file number from 0 to 99999999, not '100000000'" + see},
      {{"--force", "1"}, "noemie-viewer: unknown option '--force'" + see},
  };
  for (const auto& c : cases) {
    const ProgramResult r = mark(c.args);
    EXPECT_EQ(r.exit_code, 2) << shown(c.args);
    EXPECT_EQ(r.err, c.err) << shown(c.args);
  }
  EXPECT_FALSE(fs::exists(flags()));
  const ProgramResult help = mark({"1", "--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("--state N"), std::string::npos) << help.out;
}

TEST_F(MarkCommandTest, AFlagFileThatCannotBeWrittenExitsWithOne) {
  // The archive folder is gone; without path_arch the current folder is used instead.
  fs::remove_all(arch());
  const ProgramResult r = mark({"5"});
  EXPECT_EQ(r.exit_code, 1);
  // The flag file is named as the archive folder setting gives it.
  const std::string named = arch().string() + "/RSPstate.dat";
  EXPECT_EQ(r.err.rfind("noemie-viewer: the marks were not saved in " + named + ": ", 0), 0u)
      << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_FALSE(fs::exists(arch()));

  write_settings({});
  EXPECT_EQ(mark({"2"}).exit_code, 0);
  EXPECT_EQ(read_file(work() / "RSPstate.dat"), std::string("\0\0\1", 3));
}

TEST_F(MarkCommandTest, TheViewerNeedsADisplayAndTakesOneFolder) {
  const std::string folder = returns().string();
  const std::string see = " (see noemie-viewer --help)\n";
  const std::string no_display =
      "noemie-viewer: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
      "'noemie-viewer export FOLDER' lists a folder without one\n";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
#ifdef __linux__  // elsewhere the system's own windowing is always there
      {{folder}, no_display},
      {{}, no_display},
#endif
      {{"exprot", folder}, "noemie-viewer: unknown command 'exprot'" + see},
      {{folder, folder},
       "noemie-viewer: only one FOLDER may be given, not also '" + folder + "'" + see},
      {{"--verbose", folder}, "noemie-viewer: unknown option '--verbose'" + see},
  };
  for (const auto& c : cases) {
    ProgramRun run = viewer_run(c.args);
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      run.env[variable] = std::nullopt;
    }
    const ProgramResult r = run_program(run);
    EXPECT_EQ(r.exit_code, 2) << shown(c.args);
    EXPECT_EQ(r.err, c.err) << shown(c.args);
    EXPECT_EQ(r.out, "") << shown(c.args);
  }
}

}  // namespace
}  // namespace noemie::testing
