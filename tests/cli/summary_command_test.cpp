// The summary command and the export's --find, run as the real program; the export to a
// terminal.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "cli/export_fixture.h"
#include "support/posix_only.h"

namespace noemie::testing {
namespace {

using namespace std::chrono;

class SummaryCommandTest : public ExportFixture {
 protected:
  // One entry each (26.50 €, AMO 18.55 €, AMC 7.95 €): a payment, a rejection, an
  // acknowledgement and another reference; the rejection's patient has accents.
  void write_four_files() const {
    write_return("00000012.RSP", payment_file("531", "DUPONT"), noon(2024y / March / 18));
    write_return("00000013.RSP", payment_file("900", "H\xC9L\xC8NE"), noon(2024y / March / 19));
    write_return("00000014.ARL", payment_file("930", "MARTIN"), noon(2024y / March / 20));
    write_return("00000015.RSP", payment_file("534", "DURAND"), noon(2024y / March / 21));
  }
};

TEST_F(SummaryCommandTest, PrintsTheEightLinesOfTheRowsChosen) {
  write_four_files();
  const struct {
    std::vector<std::string> options;
    std::string expected;
  } cases[] = {
      {{},
       "lignes 4\nfichiers 4\npaiements 1\nrejets 1\nautres 1\ntotal 106.00\namo 74.20\n"
       "amc 31.80\n"},
      {{"--kind", "2"},
       "lignes 1\nfichiers 1\npaiements 0\nrejets 1\nautres 0\ntotal 26.50\namo 18.55\n"
       "amc 7.95\n"},
      // Typed in UTF-8, in lower case and without accents, or with them.
      {{"--find", "helene"},
       "lignes 1\nfichiers 1\npaiements 0\nrejets 1\nautres 0\ntotal 26.50\namo 18.55\n"
       "amc 7.95\n"},
      {{"--find", "h\xC3\xA9l\xC3\xA8ne"},
       "lignes 1\nfichiers 1\npaiements 0\nrejets 1\nautres 0\ntotal 26.50\namo 18.55\n"
       "amc 7.95\n"},
      {{"--find", "nobody"},
       "lignes 0\nfichiers 0\npaiements 0\nrejets 0\nautres 0\ntotal 0.00\namo 0.00\namc 0.00\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"summary"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(returns().string());
    const ProgramResult r = run_viewer(args);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, c.expected) << (c.options.empty() ? "" : c.options.back());
  }
}

TEST_F(SummaryCommandTest, FaultsAndErrorsAreTheExportOnes) {
  write_four_files();
  write_return(
      "00000016.RSP",
      "not a return file at all, but long enough to be read as one " + std::string(100, '9'),
      noon(2024y / March / 22));
  const ProgramResult summary = run_viewer({"summary", returns().string()});
  const ProgramResult exported = run_export({returns().string()});
  EXPECT_EQ(summary.exit_code, 0);
  EXPECT_NE(summary.err, "");
  EXPECT_EQ(summary.err, exported.err);
  const ProgramResult missing = run_viewer({"summary", (returns() / "none").string()});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(run_viewer({"summary", "--format", "html", returns().string()}).exit_code, 2);
}

TEST_F(SummaryCommandTest, ExportFindKeepsTheRowsFoundOnly) {
  write_four_files();
  const ProgramResult r = run_export({"--format", "excel", "--find", "DUR", returns().string()});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(listed_files(r.out), std::vector<std::string>{"15"});
}

// Pages of a PDF file, as its page objects say.
int pdf_pages(const std::string& pdf) {
  int pages = 0;
  for (std::size_t at = 0; (at = pdf.find("/Type /Page ", at)) != std::string::npos; ++at) ++pages;
  return pages;
}

// What a poppler tool says of `file`, or nullopt where the tool is not installed (the
// Windows build's PDF is read by the tools in tests/windows).
std::optional<std::string> poppler(const std::string& tool, const std::filesystem::path& file) {
#ifdef _WIN32
  if (!tool.empty()) return std::nullopt;
#endif
  const std::filesystem::path program = "/usr/bin/" + tool;
  if (!std::filesystem::exists(program)) return std::nullopt;
  ProgramRun run;
  run.program = program;
  run.args = {file.string()};
  if (tool == "pdftotext") run.args.push_back("-");
  return run_program(run).out;
}

TEST_F(SummaryCommandTest, PdfExportIsAWholeA4LandscapeFileOfAsManyPagesAsTheRowsNeed) {
  write_four_files();
  const ProgramResult few = run_export({"--format", "pdf", returns().string()});
  EXPECT_EQ(few.exit_code, 0);
  EXPECT_EQ(few.err, "");
  EXPECT_EQ(few.out.rfind("%PDF-1.4\n", 0), 0u);
  EXPECT_EQ(pdf_pages(few.out), 1);
  EXPECT_NE(few.out.find("/MediaBox [0 0 842 595 ]"), std::string::npos);
  EXPECT_NE(few.out.find("(page 1 / 1) Tj"), std::string::npos);
  for (int i = 0; i < 60; ++i) {
    write_return(std::to_string(100 + i) + ".RSP", payment_file("531", "DUPONT"),
                 noon(2024y / March / 18));
  }
  const std::filesystem::path target = work() / "liste.pdf";
  const ProgramResult many =
      run_export({"--format", "pdf", "--output", target.string(), returns().string()});
  EXPECT_EQ(many.exit_code, 0) << many.err;
  const int pages = pdf_pages(read_file(target));
  EXPECT_GT(pages, 1);
  if (const auto text = poppler("pdftotext", target)) {
    EXPECT_NE(text->find("page 1 / " + std::to_string(pages)), std::string::npos) << *text;
    EXPECT_NE(text->find("DUPONT"), std::string::npos);
  }
  if (const auto info = poppler("pdfinfo", target)) {
    EXPECT_NE(info->find("Page size:       842 x 595 pts (A4)"), std::string::npos) << *info;
  }
}

#if NOEMIE_POSIX_ONLY  // a pseudo-terminal through script(1)
TEST_F(SummaryCommandTest, ExportToATerminalIsUtf8AndToAPipeWindows1252) {
  write_four_files();
  ProgramRun run = viewer_run({});
  const std::string command = viewer_program().string() + " export " + returns().string();
  run.program = "/usr/bin/script";
  run.args = {"-qec", command, "/dev/null"};
  const ProgramResult terminal = run_program(run);
  EXPECT_NE(terminal.out.find("R\xC3\xA9"
                              "f"),
            std::string::npos);
  EXPECT_NE(terminal.out.find("26.50\xE2\x82\xAC"), std::string::npos);
  const ProgramResult pipe = run_export({returns().string()});
  EXPECT_NE(pipe.out.find("R\xE9"
                          "f"),
            std::string::npos);
}
#endif

}  // namespace
}  // namespace noemie::testing
