// Reading the export command's arguments: every option, its values, and the usage errors
// with their one-line messages.

#include "cli/export_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace noemie::cli {
namespace {

using Outcome = ParsedArguments::Outcome;
using viewer::ExportMode;

ParsedArguments parse(const std::vector<std::string>& args) {
  return parse_export_arguments(args);
}

TEST(ExportOptionsTest, DefaultsWithOnlyAFolder) {
  const ParsedArguments p = parse({"returns"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.error;
  EXPECT_EQ(p.options.mode, ExportMode::Text);
  EXPECT_EQ(p.options.output, "-");
  EXPECT_EQ(p.options.type_liste, 0);
  EXPECT_EQ(p.options.type_date, 0);
  EXPECT_FALSE(p.options.kind_mask.has_value());
  EXPECT_FALSE(p.options.abrege.has_value());
  EXPECT_TRUE(p.options.sorts.empty());
  EXPECT_EQ(p.options.folder, "returns");
}

TEST(ExportOptionsTest, EveryOptionIsRead) {
  const ParsedArguments p =
      parse({"--format", "html", "--output", "out.htm", "--kind", "2", "--age", "3", "--mask",
             "255", "--no-abrege", "--sort", "5", "--sort", "11", "/data/returns"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.error;
  EXPECT_EQ(p.options.mode, ExportMode::Html);
  EXPECT_EQ(p.options.output, "out.htm");
  EXPECT_EQ(p.options.type_liste, 2);
  EXPECT_EQ(p.options.type_date, 3);
  EXPECT_EQ(p.options.kind_mask, 255);
  EXPECT_EQ(p.options.abrege, false);
  EXPECT_EQ(p.options.sorts, (std::vector<int>{5, 11}));
  EXPECT_EQ(p.options.folder, "/data/returns");
}

TEST(ExportOptionsTest, ValuesAfterAnEqualSignAndOptionsAfterTheFolder) {
  const ParsedArguments p = parse({"returns", "--format=excel", "--sort=0", "--abrege"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.error;
  EXPECT_EQ(p.options.mode, ExportMode::Excel);
  EXPECT_EQ(p.options.sorts, std::vector<int>{0});
  EXPECT_EQ(p.options.abrege, true);
  EXPECT_EQ(p.options.folder, "returns");
}

TEST(ExportOptionsTest, LaterValuesWin) {
  const ParsedArguments p = parse({"--abrege", "--no-abrege", "--kind", "1", "--kind", "3",
                                   "--output", "a", "--output", "-", "f"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.error;
  EXPECT_EQ(p.options.abrege, false);
  EXPECT_EQ(p.options.type_liste, 3);
  EXPECT_EQ(p.options.output, "-");
}

TEST(ExportOptionsTest, DoubleDashLetsAFolderBeginWithADash) {
  const ParsedArguments p = parse({"--format", "text", "--", "-returns"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.error;
  EXPECT_EQ(p.options.folder, "-returns");
}

TEST(ExportOptionsTest, OutputTakesAnyNameEvenOneLikeAnOption) {
  const ParsedArguments p = parse({"--output", "--kind", "f"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.error;
  EXPECT_EQ(p.options.output, "--kind");
  EXPECT_EQ(p.options.type_liste, 0);
}

TEST(ExportOptionsTest, EveryFormatName) {
  const struct {
    const char* name;
    ExportMode mode;
  } cases[] = {
      {"text", ExportMode::Text}, {"excel", ExportMode::Excel}, {"html", ExportMode::Html}};
  for (const auto& c : cases) {
    const ParsedArguments p = parse({"--format", c.name, "f"});
    ASSERT_EQ(p.outcome, Outcome::Run) << c.name;
    EXPECT_EQ(p.options.mode, c.mode) << c.name;
  }
}

TEST(ExportOptionsTest, HelpWinsOverWhatFollows) {
  EXPECT_EQ(parse({"--help"}).outcome, Outcome::Help);
  EXPECT_EQ(parse({"-h"}).outcome, Outcome::Help);
  EXPECT_EQ(parse({"--kind", "1", "--help", "--bogus"}).outcome, Outcome::Help);
  EXPECT_EQ(parse({"f", "--help"}).outcome, Outcome::Help);
}

TEST(ExportOptionsTest, UsageErrorsSayWhatIsWrongInOneLine) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{}, "missing FOLDER"},
      {{"--format", "html"}, "missing FOLDER"},
      {{"a", "b"}, "only one FOLDER may be given, not also 'b'"},
      {{"--format", "csv", "f"}, "--format takes text, excel, html or pdf, not 'csv'"},
      {{"--format", "HTML", "f"}, "--format takes text, excel, html or pdf, not 'HTML'"},
      {{"--format=", "f"}, "--format takes text, excel, html or pdf, not ''"},
      {{"--kind", "4", "f"}, "--kind takes 0, 1, 2 or 3, not '4'"},
      {{"--kind", "-1", "f"}, "--kind takes 0, 1, 2 or 3, not '-1'"},
      {{"--age", "1x", "f"}, "--age takes 0, 1, 2 or 3, not '1x'"},
      {{"--age", " 1", "f"}, "--age takes 0, 1, 2 or 3, not ' 1'"},
      {{"--mask", "256", "f"}, "--mask takes a number from 0 to 255, not '256'"},
      {{"--mask", "+5", "f"}, "--mask takes a number from 0 to 255, not '+5'"},
      {{"--mask", "99999999999", "f"}, "--mask takes a number from 0 to 255, not '99999999999'"},
      {{"--sort", "17", "f"}, "--sort takes a column number from 0 to 16, not '17'"},
      {{"--sort", "Fichier", "f"}, "--sort takes a column number from 0 to 16, not 'Fichier'"},
      {{"--bogus", "f"}, "unknown option '--bogus'"},
      {{"-x", "f"}, "unknown option '-x'"},
      {{"--abrege=1", "f"}, "unknown option '--abrege=1'"},
      {{"f", "--kind"}, "option '--kind' needs a value"},
      {{"f", "--output"}, "option '--output' needs a value"},
  };
  for (const auto& c : cases) {
    const ParsedArguments p = parse(c.args);
    std::string shown;
    for (const auto& a : c.args) shown += "[" + a + "] ";
    ASSERT_EQ(p.outcome, Outcome::UsageError) << shown;
    EXPECT_EQ(p.error, c.error + " (see noemie-viewer export --help)") << shown;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << shown;
  }
}

TEST(ExportOptionsTest, ReadingTwiceGivesTheSameResult) {
  // The option reader keeps state between calls; each call must start afresh.
  const std::vector<std::string> args = {"--kind", "2", "--sort", "3", "f"};
  const ParsedArguments first = parse(args);
  const ParsedArguments second = parse(args);
  ASSERT_EQ(second.outcome, Outcome::Run) << second.error;
  EXPECT_EQ(second.options.type_liste, first.options.type_liste);
  EXPECT_EQ(second.options.sorts, first.options.sorts);
  EXPECT_EQ(second.options.folder, "f");
}

}  // namespace
}  // namespace noemie::cli
