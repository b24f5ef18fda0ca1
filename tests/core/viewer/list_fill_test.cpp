// Filling the list from a folder: patterns, order, icons, filters, cells, faults, widths.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/text/cp1252.h"
#include "core/viewer/row_cells.h"
#include "support/posix_only.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

namespace fs = std::filesystem;
using testing::kDay;
using testing::kNow;
using testing::return_file;
using testing::ViewerFixture;

// The "Fichier" cells of the list, in order.
std::vector<std::string> fichier_cells(const ListControl& list) {
  std::vector<std::string> out;
  for (int r = 0; r < list.row_count(); ++r) out.emplace_back(list.cell(r, kColFichier));
  return out;
}

// The file numbers listed, as a set.
std::set<std::string> listed_numbers(const ListControl& list) {
  std::set<std::string> out;
  for (const auto& cell : fichier_cells(list)) out.insert(cell.substr(0, cell.find(' ')));
  return out;
}

TEST(ListFill, KindMaskSelectsTheFamiliesDatAndExtensionlessAlways) {
  const char* names[] = {"1.RSP", "2.RSX", "3.RSZ", "4.ARL",  "5.ARX",  "6.ARZ",
                         "7.DAT", "8",     "9.TXT", "10.rsp", ".11.RSP"};
  struct Case {
    int mask;
    std::set<std::string> numbers;
  } cases[] = {
      {5, {"1", "2", "3", "4", "5", "6", "7", "8", "10"}},
      {0, {"7", "8"}},
      {1, {"1", "2", "3", "7", "8", "10"}},
      {4, {"4", "5", "6", "7", "8"}},
      {2 | 8, {"7", "8"}},
      {-1, {"1", "2", "3", "4", "5", "6", "7", "8", "10"}},
  };
  ViewerFixture f;
  for (const char* name : names) f.put(name, return_file("531"));
  Viewer& v = f.open();
  for (const auto& c : cases) {
    v.choose_kind_mask(c.mask);
    EXPECT_EQ(listed_numbers(v.list()), c.numbers) << "mask " << c.mask;
    EXPECT_EQ(v.nb_lig(), v.list().row_count());
  }
  EXPECT_TRUE(f.reporter.reports.empty());
}

TEST(ListFill, FichierCellIsNumberAndUtcDate) {
  ViewerFixture f;
  // 27 November 2023, 23:30 UTC.
  f.put("00012345.RSP", return_file("531"), testing::file_time_of_unix(1701127800));
  f.put("000", return_file("531"), kNow);
  Viewer& v = f.open();
  ASSERT_EQ(v.list().row_count(), 2);
  EXPECT_EQ(f.cell(0, kColFichier), "  (20/03/24)");
  EXPECT_EQ(f.cell(1, kColFichier), "12345  (27/11/23)");
}

TEST(ListFill, EndsSortedByFichierWithEqualCellsInPatternThenNameOrder) {
  ViewerFixture f;
  // Same number and date: the cells tie, so the order is the order in which rows were added:
  // by pattern (RSP, RSX, ..., DAT, none), then by name within a pattern ("05" before "5").
  f.put("5", return_file("575"));
  f.put("5.DAT", return_file("534"));
  f.put("5.ARL", return_file("930"));
  f.put("5.RSP", return_file("900"));
  f.put("05.RSP", return_file("531"));
  f.put("4.RSP", return_file("580"));
  Viewer& v = f.open();
  std::vector<std::string> refs;
  for (int r = 0; r < v.list().row_count(); ++r) {
    refs.emplace_back(v.list().cell(r, kColRef));
    EXPECT_EQ(v.list().row_data(r).row_index, r);
  }
  EXPECT_EQ(refs,
            (std::vector<std::string>{"(580)", "(531)", "(900)", "(930)", "x(534)", "(575)"}));
}

TEST(ListFill, StateIconFollowsFileKindReferenceAndStoredState) {
  struct Case {
    const char* name;
    const char* ref;
    int icon;
  } cases[] = {
      {"1.RSP", "531", 8},                         // stored state 2
      {"2.RSX", "531", 12},                        // archived: whatever the state
      {"3.RSZ", "531", 13}, {"4.ARZ", "930", 13},  // the kind icon replaces the 930 icon too
      {"5.ARX", "531", 6},                         // ARX shows its state
      {"6.ARX", "930", 9},  {"7.ARL", "930", 9},
      {"8.rsx", "531", 12},                        // lower case keeps the pattern's value
      {"9.rsp", "531", 6},  {"10RSX", "531", 12},  // no extension: last character X after S
      {"11ABX", "531", 6},  {"12Z", "531", 13},
      {"13.DAT", "900", 6},
  };
  ViewerFixture f;
  for (const auto& c : cases) f.put(c.name, return_file(c.ref));
  f.make();
  f.flags.lit_info_traite(f.settings.config);
  f.flags.rsp_traite_set_(1, 2);
  f.viewer->init_aff();
  f.viewer->remplit_aff();
  const ListControl& list = f.viewer->list();
  ASSERT_EQ(list.row_count(), static_cast<int>(std::size(cases)));
  for (int r = 0; r < list.row_count(); ++r) {
    const std::string fichier(list.cell(r, kColFichier));
    for (const auto& c : cases) {
      const std::string name = c.name;
      if (fichier.substr(0, fichier.find(' ')) == name.substr(0, name.find('.'))) {
        EXPECT_EQ(list.icon(r, kColTraite), c.icon) << c.name;
      }
    }
  }
}

TEST(ListFill, FileKindIconRule) {
  struct Case {
    const char* name;
    int pattern_icon;
    int icon;
  } cases[] = {
      {"a.RSP", 12, 0}, {"a.RSX", 0, 12},  {"a.ARX", 12, 0}, {"X", 5, 0}, {"SX", 0, 12},
      {"a.RSZ", 0, 13}, {"a.arz", 13, 13}, {"a.rsx", 0, 0},  {"", 7, 7},  {"a.DAT", 0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(file_kind_icon(c.name, c.pattern_icon), c.icon) << c.name;
}

TEST(ListFill, KindAndAgeFiltersDropWholeFiles) {
  ViewerFixture f;
  f.put("1.RSP", return_file("531"), kNow);              // payment, today
  f.put("2.RSP", return_file("900"), kNow - 3 * kDay);   // rejection
  f.put("3.RSP", return_file("575"), kNow - 7 * kDay);   // other, exactly 7 days
  f.put("4.RSP", return_file("534"), kNow - 20 * kDay);  // other
  f.put("5.ARL", return_file("930"), kNow - 40 * kDay);  // acknowledgement
  f.put("6.RSP", return_file("531"), kNow + 5 * kDay);   // in the future
  struct Case {
    int kind;
    int age;
    std::set<std::string> numbers;
  } cases[] = {
      {0, 0, {"1", "2", "3", "4", "5", "6"}},
      {1, 0, {"1", "6"}},
      {2, 0, {"2"}},
      {3, 0, {"3", "4"}},
      {0, 1, {"1", "2", "3", "4", "6"}},
      {0, 2, {"1", "2", "3", "6"}},
      {0, 3, {"1", "6"}},
      {3, 2, {"3"}},
      {4, 0, {}},
  };
  Viewer& v = f.open();
  for (const auto& c : cases) {
    v.choose_kind_filter(c.kind);
    v.choose_age_filter(c.age);
    EXPECT_EQ(listed_numbers(v.list()), c.numbers) << c.kind << "/" << c.age;
  }
}

TEST(ListFill, ReferenceInstantIsTakenAtEveryFill) {
  ViewerFixture f;
  f.put("1.RSP", return_file("531"), kNow - 2 * kDay);
  Viewer& v = f.open();
  v.choose_age_filter(2);
  EXPECT_EQ(v.now(), kNow);
  EXPECT_EQ(v.list().row_count(), 1);
  f.clock.set(kNow + 6 * kDay);
  v.choose_age_filter(2);
  EXPECT_EQ(v.now(), kNow + 6 * kDay);
  EXPECT_EQ(v.list().row_count(), 0);
}

TEST(ListFill, EveryCellOfAnEntry) {
  ViewerFixture f;
  testing::ReturnFileBuilder b;
  b.header({.destinataire = "CP00000001751001      ", .ref = "531", .devise = "NU"})
      .add(testing::virement_071({}))
      .add(testing::facture_102({.num_facture = 42,
                                 .num_lot = 12,
                                 .date_lot = "140324",
                                 .type_facture = 'F',
                                 .date_acte = "110324",
                                 .traitement_amc = 'E',
                                 .nature_assurance = "10"}))
      .add(testing::identite_103({}))
      .add(testing::ligne_21x(
          {.taux_amo = 70, .montant_amo = 1650, .acte = "C", .taux_amc = 30, .montant_amc = 700}))
      .add(testing::cloture_99x({.montant_total = 2350}));
  f.put("00042.RSP", b.bytes(), kNow);
  Viewer& v = f.open();
  ASSERT_EQ(v.list().row_count(), 1);
  const std::string expected[kColumnCount] = {
      "",
      "42  (20/03/24)",
      "(531)",
      "15/03/2024",
      "R\xE9gime g\xE9n\xE9ral (CPAM) 01 751 001",
      "DUPONT JEAN (1700175123456)",
      "DUPONT MARIE",
      "12",
      "42",
      "12/03/2024",
      "C",
      "23.50\x80",
      "70%",
      "16.50\x80",
      "30%",
      "7.00\x80",
      "",
  };
  for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(f.cell(0, c), expected[c]) << "column " << c;
  EXPECT_EQ(v.list().icon(0, kColRef), 1);
  EXPECT_EQ(v.list().icon(0, kColTraite), 6);
  EXPECT_EQ(v.list().details(0).ref_virement1, "VIR SEPA 0001" + std::string(19, ' '));
}

TEST(ListFill, CellConditions) {
  struct Case {
    std::string actual;
    std::string expected;
  } cases[] = {
      {lot_cell(0), "-"},
      {lot_cell(999), "-"},
      {lot_cell(12), "12"},
      {lot_cell(-3), "-3"},
      {fse_cell(1), ""},
      {fse_cell(999999999), ""},
      {fse_cell(2), "2"},
      {fse_cell(0), ""},
      {rate_cell(0), ""},
      {rate_cell(65), "65%"},
      {amount_cell(0, 'F'), ""},
      {amount_cell(5, 'F'), "0.05F"},
      {amount_cell(12345, 'F'), "123.45F"},
      {amount_cell(-1755, 'F'), "-17.55F"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(ListFill, FrancFileAndUnknownRegimeShowRawZone) {
  ViewerFixture f;
  testing::ReturnFileBuilder b;
  b.header({.destinataire = "CP00000009123456      ", .ref = "900", .devise = "  "})
      .add(testing::comptable_07x())
      .add(testing::ligne_21x({.montant_amo = 800}))
      .add(testing::message_29x(1, 5, "LOT EN DOUBLE"))
      .add(testing::cloture_99x({.montant_total = 0}));
  f.put("7.RSP", b.bytes());
  Viewer& v = f.open();
  ASSERT_EQ(v.list().row_count(), 2);
  EXPECT_EQ(f.cell(0, kColCaisse), "CP00000009123456      ");
  EXPECT_EQ(f.cell(0, kColAmo), "8.00F");
  EXPECT_EQ(f.cell(0, kColTotal), "");
  EXPECT_EQ(f.cell(1, kColDetail), "LOT EN DOUBLE");
  EXPECT_EQ(f.cell(1, kColAssure), " ");
  EXPECT_EQ(v.list().icon(0, kColRef), 2);
}

TEST(ListFill, AbregeMergesDetailLinesAndIsSaved) {
  ViewerFixture f;
  f.put("1.RSP", return_file("531", "NU", {1000, 500}, 1500));
  Viewer& v = f.open();
  EXPECT_EQ(v.list().row_count(), 2);
  v.choose_abrege(true);
  ASSERT_EQ(v.list().row_count(), 1);
  EXPECT_EQ(f.cell(0, kColAmo), "15.00\x80");
  EXPECT_EQ(f.cell(0, kColActe), "C+C");
  store::Settings reread(f.registry, f.dialogs, "x");
  reread.lit_config();
  EXPECT_EQ(reread.config.noemie_abrege, 1);
  v.choose_abrege(false);
  EXPECT_EQ(v.list().row_count(), 2);
}

TEST(ListFill, UnreadableFilesAreReportedAndSkipped) {
  ViewerFixture f;
  f.put("1.RSP", return_file("531"));
  f.put("2.RSP", std::string(200, 'x'));  // no header: code 11
  f.put("3.RSP", "");                     // empty: silent
  f.put("4.RSP", "short");                // below 128 bytes: silent
#if NOEMIE_POSIX_ONLY  // symbolic links
  fs::create_symlink(f.folder() / "nowhere", f.folder() / "5.RSP");
#endif
  fs::create_directory(f.folder() / "6.RSP");
  Viewer& v = f.open();
  EXPECT_EQ(v.list().row_count(), 1);
  ASSERT_EQ(f.reporter.reports.size(), NOEMIE_POSIX_ONLY ? 2u : 1u);
  EXPECT_EQ(f.reporter.reports[0].code, 11);
  EXPECT_EQ(f.reporter.reports[0].path, f.folder() / "2.RSP");
#if NOEMIE_POSIX_ONLY
  EXPECT_EQ(f.reporter.reports[1].code, 0);
  EXPECT_EQ(f.reporter.reports[1].path, f.folder() / "5.RSP");
#endif
  EXPECT_TRUE(v.folder_error().empty());
  EXPECT_TRUE(f.dialogs.boxes.empty());
}

TEST(ListFill, UnreadableFolderIsSaidOncePerFill) {
  ViewerFixture f;
  struct Case {
    fs::path folder;
    const char* reason;
  } cases[] = {
      {f.dir.path() / "gone", "il n'existe pas"},
      {f.dir.path() / "caisses.dat", "ce n'est pas un dossier"},
  };
  for (const auto& c : cases) {
    auto o = f.options();
    o.folder = c.folder;
    Viewer& v = f.make(o);
    f.dialogs.boxes.clear();
    v.open();
    EXPECT_EQ(v.list().row_count(), 0);
    EXPECT_EQ(v.folder_error(),
              "Impossible de lire le dossier " + c.folder.string() + " : " + c.reason + ".");
    ASSERT_EQ(f.dialogs.boxes.size(), 1u);
    EXPECT_EQ(f.dialogs.boxes[0].text, v.folder_error());
    EXPECT_EQ(f.dialogs.boxes[0].caption, kViewerWarningCaption);
  }
  // A folder that can be read again clears the error.
  fs::create_directory(f.dir.path() / "gone");
  auto o = f.options();
  o.folder = f.dir.path() / "gone";
  Viewer& v = f.make(o);
  v.open();
  EXPECT_TRUE(v.folder_error().empty());
}

TEST(ListFill, ColumnsTitlesAlignmentsAndClampedCreationWidths) {
  ViewerFixture f;
  auto& widths = f.settings.config.info_result;
  widths[3 * 20 + 1] = 5000;
  widths[3 * 20 + 2] = -5;
  widths[3 * 20 + 3] = 65540;
  Viewer& v = f.make();
  v.init_aff();
  v.init_aff();  // columns are made once
  const ListControl& list = v.list();
  ASSERT_EQ(list.column_count(), kColumnCount);
  EXPECT_EQ(list.column(0)->title, "Trait\xE9");
  EXPECT_EQ(list.column(16)->title, "D\xE9tail");
  for (int c = 0; c < kColumnCount; ++c) {
    const bool left = (c >= 1 && c <= 6) || c == 16;
    EXPECT_EQ(list.column(c)->align, left ? Align::Left : Align::Right) << c;
  }
  EXPECT_EQ(list.column_width(1), 1000);
  EXPECT_EQ(list.column_width(2), 10);
  EXPECT_EQ(list.column_width(3), 1000);
  EXPECT_EQ(list.column_width(16), 300);
  // The fill then applies the low 16 bits of the stored values, without any limit.
  v.remplit_aff();
  EXPECT_EQ(list.column_width(1), 5000);
  EXPECT_EQ(list.column_width(2), 65531);
  EXPECT_EQ(list.column_width(3), 4);
}

TEST(ListFill, WidthsAreKeptPerKindFilter) {
  ViewerFixture f;
  Viewer& v = f.open();
  ListControl& list = v.list();
  EXPECT_EQ(list.column_width(9), 70);
  list.note_column_width(5, 123);
  v.choose_kind_filter(2);  // "Rejets": "Date Acte" to "AMC" hidden
  for (int c = 9; c <= 15; ++c) EXPECT_EQ(list.column_width(c), 0) << c;
  EXPECT_EQ(list.column_width(5), 60);
  v.choose_kind_filter(0);
  EXPECT_EQ(list.column_width(5), 123);
  EXPECT_EQ(list.column_width(9), 70);
  // An age filter or kind mask change puts the stored widths back.
  list.note_column_width(5, 77);
  v.choose_age_filter(1);
  EXPECT_EQ(list.column_width(5), 123);
  list.note_column_width(5, 77);
  v.choose_kind_mask(1);
  EXPECT_EQ(list.column_width(5), 123);
  // Stored and saved with the filter that was shown.
  store::Settings reread(f.registry, f.dialogs, "x");
  reread.lit_config();
  EXPECT_EQ(reread.config.info_result[3 * 20 + 5], 123);
  EXPECT_EQ(reread.config.info_result[5 * 20 + 9], 0);
}

TEST(ListFill, RowsKeepTheirDetailsAndRowIndexAfterSorts) {
  ViewerFixture f;
  f.put("2.RSP", return_file("531", "NU", {300, 100, 200}, 600));
  f.put("1.RSP", return_file("900", "  ", {50}, 50));
  Viewer& v = f.open();
  ASSERT_EQ(v.list().row_count(), 4);
  v.sort_colonne(kColAmo);
  std::vector<std::string> amounts, batch_dates;
  for (int r = 0; r < v.list().row_count(); ++r) {
    amounts.emplace_back(v.list().cell(r, kColAmo));
    // What the tooltips read of the row's entry travels with it: the invoice's batch date
    // belongs to the first entry of each file only.
    batch_dates.emplace_back(v.list().details(r).date_lot);
    EXPECT_EQ(v.list().row_data(r).row_index, r);
  }
  EXPECT_EQ(amounts, (std::vector<std::string>{"0.50F", "1.00\x80", "2.00\x80", "3.00\x80"}));
  EXPECT_EQ(batch_dates, (std::vector<std::string>{"140324", "", "", "140324"}));
}

}  // namespace
}  // namespace noemie::viewer
