// The export command as a process: the real program run in a fresh folder, its standard
// output, standard error and exit status compared whole with what the viewer's list and
// export formats say they must be.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/expected_export.h"
#include "cli/export_fixture.h"

namespace noemie::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// A rejection (900) from the MSA with a message that HTML must escape.
std::string rejection_file() {
  return ReturnFileBuilder()
      .header({.destinataire = "CP00000002131000      ", .ref = "900", .devise = "FR"})
      .add(lot_08x(0, 2, "020424", 15))
      .add(facture_102({.level = 3,
                        .num_facture = 1310,
                        .num_lot = 15,
                        .date_lot = "020424",
                        .type_facture = 'F',
                        .date_acte = "280324",
                        .traitement_amc = ' ',
                        .nature_assurance = "10"}))
      .add(assure_11x(
          {.level = 4, .immatriculation = "2900469000404", .nom = "BERNARD", .prenom = "SOPHIE"}))
      .add(message_29x(1, 5, "TAUX > 100 & CODE <X>"))
      .add(cloture_99x({.level = 5, .valeur_fin = 1}))
      .bytes();
}

const CellRow kPaymentRow = {"",
                             "12  (18/03/24)",
                             "(531)",
                             "15/03/2024",
                             "R\xE9gime g\xE9n\xE9ral (CPAM) 01 751 001",
                             "DUPONT JEAN (1800175000101)",
                             "DUPONT MARIE",
                             "12",
                             "1201",
                             "12/03/2024",
                             "G",
                             "26.50\x80",
                             "70%",
                             "18.55\x80",
                             "30%",
                             "7.95\x80",
                             ""};

const CellRow kRejectionRow = {"",
                               "13  (04/04/24)",
                               "(900)",
                               "",
                               "R\xE9gime agricole (MSA) 02 131 000",
                               "BERNARD SOPHIE (2900469000404)",
                               " ",
                               "15",
                               "1310",
                               "28/03/2024",
                               "",
                               "",
                               "",
                               "",
                               "",
                               "",
                               "TAUX > 100 & CODE <X>"};

class ExportCommandTest : public ExportFixture {
 protected:
  void write_two_files() const {
    write_return("00000013.RSP", rejection_file(), noon(2024y / April / 4));
    write_return("00000012.RSP", payment_file(), noon(2024y / March / 18));
  }
};

TEST_F(ExportCommandTest, EachFormatWritesTheWholeListAsTheViewerExportsIt) {
  write_two_files();
  const std::vector<CellRow> rows = {kPaymentRow, kRejectionRow};
  const struct {
    std::vector<std::string> format;
    std::string expected;
  } cases[] = {
      {{}, text_export(rows, kDefaultWidths[0])},  // text is the default
      {{"--format", "text"}, text_export(rows, kDefaultWidths[0])},
      {{"--format", "excel"}, excel_export(rows)},
      {{"--format", "html"}, html_export(rows)},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.format;
    args.push_back(returns().string());
    const ProgramResult r = run_export(args);
    const std::string shown = c.format.empty() ? "default" : c.format[1];
    EXPECT_EQ(r.exit_code, 0) << shown << ": " << r.err;
    EXPECT_EQ(r.err, "") << shown;
    EXPECT_EQ(r.out, c.expected) << shown;
  }
}

TEST_F(ExportCommandTest, OutputFileHoldsExactlyWhatStandardOutputGets) {
  write_two_files();
  const std::string expected = html_export({kPaymentRow, kRejectionRow});
  // An existing file of that name is replaced; a name without extension keeps none.
  const fs::path old_file = work() / "liste";
  {
    std::FILE* f = std::fopen(old_file.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("previous export, much longer than nothing at all", f);
    std::fclose(f);
  }
  const struct {
    std::string output;  // as given on the command line (relative to the working folder)
    fs::path file;       // where the bytes must land; empty for standard output
  } cases[] = {
      {"-", ""},
      {"liste", old_file},
      {"export.HTM", work() / "export.HTM"},
      {(work() / "abs.txt").string(), work() / "abs.txt"},
  };
  for (const auto& c : cases) {
    const ProgramResult r =
        run_export({"--format", "html", "--output", c.output, returns().string()});
    EXPECT_EQ(r.exit_code, 0) << c.output << ": " << r.err;
    EXPECT_EQ(r.err, "") << c.output;
    if (c.file.empty()) {
      EXPECT_EQ(r.out, expected);
    } else {
      EXPECT_EQ(r.out, "") << c.output;
      EXPECT_EQ(read_file(c.file), expected) << c.output;
    }
  }
  // No extension was ever appended.
  EXPECT_FALSE(fs::exists(work() / "liste.html"));
  EXPECT_FALSE(fs::exists(work() / "export.HTM.html"));
}

TEST_F(ExportCommandTest, KindFilterKeepsItsReferencesAndUsesItsStoredWidths) {
  write_return("00000021.RSP", payment_file("531"), noon(2024y / March / 1));
  write_return("00000022.RSP", payment_file("900"), noon(2024y / March / 2));
  write_return("00000023.DAT", payment_file("534"), noon(2024y / March / 3));
  write_return("00000024.ARL", payment_file("930"), noon(2024y / March / 4));
  write_return("00000025", payment_file("575"), noon(2024y / March / 5));
  const struct {
    const char* kind;
    std::vector<std::string> files;
  } cases[] = {
      {"0", {"21", "22", "23", "24", "25"}},
      {"1", {"21"}},
      {"2", {"22"}},
      {"3", {"23", "25"}},
  };
  for (const auto& c : cases) {
    const ProgramResult r = run_export({"--format", "excel", "--kind", c.kind, returns().string()});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(listed_files(r.out), c.files) << "--kind " << c.kind;

    // The header of the text export shows the widths of that filter.
    const ProgramResult text = run_export({"--kind", c.kind, returns().string()});
    const int kind = c.kind[0] - '0';
    const std::string header = text_export({}, kDefaultWidths[static_cast<std::size_t>(kind)]);
    EXPECT_EQ(text.out.substr(0, header.size()), header) << "--kind " << c.kind;
  }
}

TEST_F(ExportCommandTest, AgeFilterMeasuresFileTimesFromNow) {
  const auto now = floor<seconds>(system_clock::now());
  write_return("00000031.RSP", payment_file(), now - hours{1});
  write_return("00000032.RSP", payment_file(), now - days{3});
  write_return("00000033.RSP", payment_file(), now - days{20});
  write_return("00000034.RSP", payment_file(), now - days{60});
  const struct {
    const char* age;
    std::vector<std::string> files;
  } cases[] = {
      {"0", {"31", "32", "33", "34"}},
      {"1", {"31", "32", "33"}},
      {"2", {"31", "32"}},
      {"3", {"31"}},
  };
  for (const auto& c : cases) {
    const ProgramResult r = run_export({"--format", "excel", "--age", c.age, returns().string()});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(listed_files(r.out), c.files) << "--age " << c.age;
  }
  // Both filters at once.
  const ProgramResult r = run_export({"--format=excel", "--kind=2", "--age=1", returns().string()});
  EXPECT_EQ(listed_files(r.out), std::vector<std::string>{});
}

TEST_F(ExportCommandTest, KindMaskSelectsFamiliesOverTheStoredSetting) {
  const char* names[] = {"00000041.RSP", "00000042.RSX", "00000043.RSZ", "00000044.ARL",
                         "00000045.ARX", "00000046.ARZ", "00000047.DAT", "00000048"};
  for (const char* name : names) write_return(name, payment_file(), noon(2024y / May / 2));
  const std::vector<std::string> all = {"41", "42", "43", "44", "45", "46", "47", "48"};
  const std::vector<std::string> rsp = {"41", "42", "43", "47", "48"};
  const std::vector<std::string> arl = {"44", "45", "46", "47", "48"};
  const std::vector<std::string> always = {"47", "48"};
  const struct {
    std::vector<std::string> settings;
    std::vector<std::string> mask;
    std::vector<std::string> files;
  } cases[] = {
      {{}, {}, all},  // the default setting is 5
      {{}, {"--mask", "0"}, always},
      {{}, {"--mask", "1"}, rsp},
      {{}, {"--mask", "4"}, arl},
      {{}, {"--mask", "2"}, always},
      {{}, {"--mask", "8"}, always},
      {{}, {"--mask", "255"}, all},
      {{"\"noemie rsp aff\"=hex:04"}, {}, arl},
      {{"\"noemie rsp aff\"=hex:04"}, {"--mask", "1"}, rsp},
      {{"\"noemie rsp aff\"=hex:00"}, {}, always},
  };
  for (const auto& c : cases) {
    if (c.settings.empty()) {
      fs::remove(settings_file());
    } else {
      write_settings({c.settings[0]});
    }
    std::vector<std::string> args = c.mask;
    args.insert(args.end(), {"--format", "excel", returns().string()});
    const ProgramResult r = run_export(args);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(listed_files(r.out), c.files)
        << (c.settings.empty() ? "" : c.settings[0]) << " " << (c.mask.empty() ? "" : c.mask[1]);
  }
}

TEST_F(ExportCommandTest, AbregeMergesDetailLinesOverTheStoredSetting) {
  const std::string two_lines =
      ReturnFileBuilder()
          .add(facture_102({.num_facture = 77}))
          .add(ligne_21x({.taux_amo = 70, .montant_amo = 1000, .acte = "C"}))
          .add(ligne_21x({.third = 1, .taux_amo = 70, .montant_amo = 500, .acte = "K"}))
          .add(cloture_99x({.montant_total = 1500}))
          .bytes();
  write_return("00000051.RSP", two_lines, noon(2024y / June / 3));
  const std::vector<std::string> merged = {"C+K"};
  const std::vector<std::string> apart = {"C", "K"};
  const struct {
    const char* setting;  // "" for no settings file
    std::vector<std::string> option;
    std::vector<std::string> actes;
  } cases[] = {
      {"", {}, apart},  // "Abrégé" is off by default
      {"", {"--abrege"}, merged},
      {"", {"--no-abrege"}, apart},
      {"\"noemie abrege\"=hex:01", {}, merged},
      {"\"noemie abrege\"=hex:01", {"--no-abrege"}, apart},
      {"\"noemie abrege\"=hex:00", {"--no-abrege", "--abrege"}, merged},
  };
  for (const auto& c : cases) {
    if (*c.setting == '\0') {
      fs::remove(settings_file());
    } else {
      write_settings({c.setting});
    }
    std::vector<std::string> args = c.option;
    args.insert(args.end(), {"--format", "excel", returns().string()});
    const ProgramResult r = run_export(args);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(excel_column(r.out, 10), c.actes) << c.setting;
  }
}

TEST_F(ExportCommandTest, SortsApplyInOrderAndKeepTiesInTheirPreviousOrder) {
  write_return("00000061.RSP", payment_file("531", "MARTIN"), noon(2024y / July / 1));
  write_return("00000062.RSP", payment_file("900", "DUPONT"), noon(2024y / July / 2));
  write_return("00000063.RSP", payment_file("531", "BERNARD"), noon(2024y / July / 3));
  write_return("00000064.RSP", payment_file("900", "AUBERT"), noon(2024y / July / 4));
  const struct {
    std::vector<std::string> sorts;
    std::vector<std::string> files;
  } cases[] = {
      {{}, {"61", "62", "63", "64"}},
      {{"--sort", "5"}, {"64", "63", "62", "61"}},
      {{"--sort", "2"}, {"61", "63", "62", "64"}},
      {{"--sort", "5", "--sort", "2"}, {"63", "61", "64", "62"}},
      {{"--sort", "5", "--sort", "1"}, {"61", "62", "63", "64"}},
      {{"--sort", "5", "--sort", "0"}, {"64", "63", "62", "61"}},  // no text: nothing moves
      {{"--sort", "5", "--sort", "16", "--sort", "2"}, {"63", "61", "64", "62"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.sorts;
    args.insert(args.end(), {"--format", "excel", returns().string()});
    const ProgramResult r = run_export(args);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    std::string shown;
    for (const auto& s : c.sorts) shown += s + " ";
    EXPECT_EQ(listed_files(r.out), c.files) << shown;
  }
}

TEST_F(ExportCommandTest, ColumnWidthsComeFromTheStoredTableOfTheKindFilter) {
  std::vector<int> table(360, 0);
  for (int c = 0; c < 17; ++c) {
    table[static_cast<std::size_t>(3 * 20 + c)] = 14;  // "Toutes": 2 characters a column
    table[static_cast<std::size_t>(4 * 20 + c)] = 70;  // "Paiements": 10 characters
  }
  write_settings({"\"info_result\"=" + widths_hex(table)});
  Widths narrow;
  Widths wide;
  narrow.fill(14);
  wide.fill(70);
  const ProgramResult toutes = run_export({returns().string()});
  EXPECT_EQ(toutes.out, text_export({}, narrow)) << toutes.err;
  const ProgramResult paiements = run_export({"--kind", "1", returns().string()});
  EXPECT_EQ(paiements.out, text_export({}, wide)) << paiements.err;
}

}  // namespace
}  // namespace noemie::testing
