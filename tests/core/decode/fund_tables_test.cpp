#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "core/decode/cell_format.h"
#include "core/decode/fund_directory.h"
#include "core/decode/regime_table.h"
#include "support/temp_dir.h"

namespace noemie::decode {
namespace {

using testing::TempDir;

// "B (A)" of a regime, or "-" when the table has no entry for it.
std::string names(const RegimeTable& table, int regime) {
  const auto entry = table.entry(regime);
  return entry ? std::string(entry->text_b) + " (" + std::string(entry->text_a) + ")" : "-";
}

TEST(RegimeTable, ReadsTheEntriesOfTheSection) {
  const struct {
    std::string file;
    int regime;
    std::string names;
  } cases[] = {
      {"=09 OUT;Side\r\n[\r\n=01 CPAM;General\r\n]\r\n=02 MSA;Agri\r\n", 1, "General (CPAM)"},
      {"=09 OUT;Side\r\n[\r\n=01 CPAM;General\r\n]\r\n=02 MSA;Agri\r\n", 2, "-"},
      {"=09 OUT;Side\r\n[\r\n=01 CPAM;General\r\n]\r\n=02 MSA;Agri\r\n", 9, "-"},
      {"[=01 A;First\r\nnoise =01 B;Later\r\n]", 1, "Later (B)"},  // the later entry wins
      {"[=01 A;First\r\n=02 X;Y\r\n=01 B;Later\r\n]", 2, "Y (X)"},
      {"[=00 Z;Zero\r\n]", 0, "-"},  // read but never found
      {"[=00 Z;Zero\r\n=03 C;Three\r\n]", 3, "Three (C)"},
      {"[=1x C;Odd\r\n]", 82, "Odd (C)"},  // no digit check: 10 * 1 + ('x' - '0')
      {"[\r\n=05;RATP;Transports\r\n]", 5, "Transports (RATP)"},  // any one separator
      {"[=06 NO SEMICOLON\r\n=07 A;B\r\n]", 6, "B (NO SEMICOLON\r\n=07 A)"},
      {"[=04 SNCF;Cheminots\r\n", 4, "Cheminots (SNCF)"},  // no "]": runs to the end
      {"[=04 SNCF;Cheminots", 4, "Cheminots (SNCF)"},
      {"[=04 SNCF", 4, " (SNCF)"},
      {"[=04", 4, " ()"},
      {"[=0", 0, "-"},
      {"=01 CPAM;General\r\n", 1, "-"},                         // no section at all
      {std::string("[=01 A;B\r\n\0=02 C;D\r\n]", 21), 2, "-"},  // the text ends at a NUL
  };
  for (const auto& c : cases) {
    EXPECT_EQ(names(RegimeTable::from_text(c.file), c.regime), c.names) << c.file;
  }
  EXPECT_EQ(names(RegimeTable::from_text("[=01 A;B\r\n]"), 100), "-");
}

TEST(RegimeTable, OnlyTheFirst100000BytesAreRead) {
  const std::string padding(kRegimeFileReadBytes - 9, ' ');
  const RegimeTable table = RegimeTable::from_text("[" + padding + "=01 A;Cut\r\n=02 B;Late\r\n]");
  EXPECT_EQ(names(table, 1), "Cu (A)");
  EXPECT_EQ(names(table, 2), "-");
}

TEST(RegimeTable, LoadsOnceAndCreatesAMissingFileOnlyWhenAllowed) {
  TempDir dir;
  const auto missing = dir.path() / "caisses.qvc";
  RegimeTable headless;
  headless.init_liste_caisses(missing, false);
  EXPECT_TRUE(headless.loaded());
  EXPECT_FALSE(std::filesystem::exists(missing));

  RegimeTable table;
  table.init_liste_caisses(missing, true);
  EXPECT_TRUE(std::filesystem::exists(missing));
  EXPECT_EQ(std::filesystem::file_size(missing), 0u);
  dir.write("caisses.qvc", "[=01 A;B\r\n]");
  table.init_liste_caisses(missing, true);  // a second call does nothing
  EXPECT_EQ(names(table, 1), "-");

  RegimeTable from_file;
  from_file.init_liste_caisses(missing, true);
  EXPECT_EQ(names(from_file, 1), "B (A)");

  RegimeTable folder;
  folder.init_liste_caisses(dir.path(), true);  // a folder is no table and is left alone
  EXPECT_TRUE(folder.loaded());
  EXPECT_EQ(names(folder, 1), "-");
}

TEST(FundDirectory, FindsWholeNumbersAtTheStartOfALine) {
  TempDir dir;
  const auto path = dir.write("caisses.dat",
                              "1 751 0 CPAM DE PARIS 75948\r\n"
                              "1 751 12 CPAM PARIS DOUZE 75012\r\n"
                              "1 751 1 CPAM PARIS CENTRE 75001 CEDEX\r\n"
                              "note: 1 931 0 IN THE MIDDLE 93000\n"
                              "1 931 0 CPAM BOBIGNY\n"
                              "1 931 1 CPAM BOBIGNY NORD 93001\n"
                              "2 131 0 MSA  PROVENCE 13000\n"
                              "1 691 0  CPAM DU RHONE 69907\n"
                              "8 831 0 75948 CNMSS\n"
                              "4 751 0 SNCF\r\n"
                              "91 751 0 MGEN SECTION DE PARIS");
  const struct {
    int regime, caisse, centre;
    std::string name;
  } cases[] = {
      {1, 751, 0, "CPAM DE PARIS "},      // first line of the file; digits-only word ends it
      {1, 751, 1, "CPAM PARIS CENTRE "},  // not the line of centre 12
      {1, 751, 12, "CPAM PARIS DOUZE "},
      {1, 931, 0, "CPAM BOBIGNY"},  // the end of its line ends the name
      {2, 131, 0, "MSA "},          // an empty word ends it
      {1, 691, 0, ""},
      {8, 831, 0, ""},
      {4, 751, 0, "SNCF"},                    // the CR is part of the line break
      {91, 751, 0, "MGEN SECTION DE PARIS"},  // last line, no line break
      {1, 75, 0, ""},
      {3, 751, 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(get_nom_caisse(path, c.regime, c.caisse, c.centre, true), c.name)
        << c.regime << " " << c.caisse << " " << c.centre;
  }
}

TEST(FundDirectory, FileIsReadAgainAtEveryLookup) {
  TempDir dir;
  const auto path = dir.path() / "caisses.dat";
  EXPECT_EQ(get_nom_caisse(path, 1, 751, 0, false), "");
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(get_nom_caisse(path, 1, 751, 0, true), "");
  EXPECT_TRUE(std::filesystem::exists(path));

  dir.write("caisses.dat", "1 751 0 " + std::string(300, 'N') + " 75948\n");
  EXPECT_EQ(get_nom_caisse(path, 1, 751, 0, true), std::string(kFundNameMaxChars, 'N'));
  dir.write("caisses.dat", std::string("2 1 0 A\0\n1 751 0 HIDDEN 1\n", 26));
  EXPECT_EQ(get_nom_caisse(path, 1, 751, 0, true), "");        // the text ends at its NUL
  EXPECT_EQ(get_nom_caisse(dir.path(), 1, 751, 0, true), "");  // a folder
}

TEST(SampleTables, NameTheFundsOfTheSampleFolder) {
  const char* source = std::getenv("NOEMIE_SOURCE_DIR");
  if (source == nullptr) GTEST_SKIP() << "NOEMIE_SOURCE_DIR is not set";
  const std::filesystem::path samples = std::filesystem::path(source) / "samples";
  RegimeTable regimes;
  regimes.init_liste_caisses(samples / "caisses.qvc", false);
  EXPECT_EQ(format_destinataire("SM00000001751000      ", regimes),
            "R\xE9gime g\xE9n\xE9ral (CPAM) 01 751 000");
  EXPECT_EQ(names(regimes, 91),
            "Mutuelle g\xE9n\xE9rale de l'\xC9"
            "ducation nationale (MGEN)");
  const auto dat = samples / "fund-directory" / "caisses.dat";
  EXPECT_EQ(get_nom_caisse(dat, 1, 751, 0, false), "CPAM DE PARIS ");
  EXPECT_EQ(get_nom_caisse(dat, 1, 751, 1, false), "CPAM DE PARIS CENTRE DE PAIEMENT ");
  EXPECT_EQ(get_nom_caisse(dat, 1, 691, 0, false), "CPAM DU RH\xD4NE ");
  for (const auto& [regime, caisse] : {std::pair{1, 931}, {2, 131}, {91, 751}}) {
    EXPECT_NE(get_nom_caisse(dat, regime, caisse, 0, false), "") << regime << " " << caisse;
  }
}

}  // namespace
}  // namespace noemie::decode
