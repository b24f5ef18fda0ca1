// The bundled sample folder: the committed return files are exactly what the generator
// writes, and the export of the folder shows what the samples are there to show.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/export_fixture.h"

namespace noemie::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// Files of samples/ that the generator does not write.
const std::set<std::string> kNotGenerated = {"caisses.qvc", "fund-directory", ".gitattributes",
                                             "RSPstate.dat"};

std::set<std::string> names_in(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

class SamplesTest : public ExportFixture {
 protected:
  // Runs the generator into a fresh folder and returns that folder.
  fs::path generate() {
    ProgramRun run;
    run.program = MAKE_SAMPLES_EXE;
    run.args = {generated_.path().string()};
    const ProgramResult r = run_program(run);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    return generated_.path();
  }

  TempDir generated_;
};

TEST_F(SamplesTest, CommittedSamplesAreTheGeneratorsOutput) {
  const fs::path generated = generate();
  const fs::path committed = NOEMIE_SAMPLES_DIR;
  std::set<std::string> committed_names = names_in(committed);
  for (const auto& name : kNotGenerated) committed_names.erase(name);
  const std::set<std::string> generated_names = names_in(generated);
  EXPECT_EQ(committed_names, generated_names)
      << "run make_samples on samples/ and commit what it writes";
  for (const auto& name : generated_names) {
    EXPECT_EQ(read_file(committed / name), read_file(generated / name)) << name;
  }
}

TEST_F(SamplesTest, GeneratedFilesCarryFixedTimesIn2023And2024) {
  const fs::path generated = generate();
  for (const auto& e : fs::directory_iterator(generated)) {
    const auto t = floor<days>(file_clock::to_sys(e.last_write_time()));
    const year_month_day day{t};
    EXPECT_TRUE(day.year() == 2023y || day.year() == 2024y) << e.path();
  }
}

TEST_F(SamplesTest, ExportOfTheSamplesShowsEachKindOfReturn) {
  const fs::path generated = generate();
  fs::copy_file(fs::path(NOEMIE_SAMPLES_DIR) / "caisses.qvc", work() / "caisses.qvc",
                fs::copy_options::overwrite_existing);
  const ProgramResult r = run_export({"--format", "excel", generated.string()});
  EXPECT_EQ(r.exit_code, 0);
  // Exactly one faulty file, reported and not listed.
  EXPECT_EQ(r.err.rfind("noemie-viewer: error 4 at offset ", 0), 0u) << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_NE(r.err.find("00000049.RSP"), std::string::npos) << r.err;

  const std::vector<std::string> files = listed_files(r.out);
  EXPECT_EQ(std::set<std::string>(files.begin(), files.end()),
            (std::set<std::string>{"42", "43", "44", "45", "46", "47", "48"}));
  const std::vector<std::string> refs = excel_column(r.out, 2);
  const std::set<std::string> ref_set(refs.begin(), refs.end());
  EXPECT_EQ(ref_set, (std::set<std::string>{"(531)", "(580)", "(900)", "(930)", "x(534)"}));
  // Amounts in francs and in euros.
  bool francs = false;
  bool euros = false;
  for (const auto& amo : excel_column(r.out, 13)) {
    francs = francs || (!amo.empty() && amo.back() == 'F');
    euros = euros || (!amo.empty() && amo.back() == '\x80');
  }
  EXPECT_TRUE(francs);
  EXPECT_TRUE(euros);
  // Every regime of the sample regime table that the samples name is found.
  for (const auto& caisse : excel_column(r.out, 4)) {
    EXPECT_EQ(caisse.rfind("CP", 0), std::string::npos) << caisse;
  }
}

}  // namespace
}  // namespace noemie::testing
