// Double-click boxes, the processed-state step and the tooltip texts of a row's cells.

#include "core/viewer/row_detail.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/tree_registry.h"
#include "core/viewer/column_hit.h"
#include "core/viewer/flag_list_fixture.h"
#include "core/viewer/list_fixture.h"
#include "support/temp_dir.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

using platform::MessageIcon;
using testing::add_row;

// Writes `text` into a terminated text field.
template <std::size_t M>
void put(std::array<char, M>& field, std::string_view text) {
  field.fill('\0');
  std::memcpy(field.data(), text.data(), std::min(text.size(), M - 1));
}

struct DetailFixture {
  testing::TempDir dir;
  FundDirectory funds{dir.path() / "caisses.dat", false};
  ListControl list;

  DetailFixture() { dir.write("caisses.dat", testing::kFundDirectory); }
};

TEST(CaisseNumbers, ReadFromTheEndOfTheCell) {
  struct Case {
    std::string cell;
    FundNumbers numbers;
  } cases[] = {
      {"R\xE9gime g\xE9n\xE9ral (CPAM) 01 751 001", {1, 751, 1}},
      {"X (Y) 12 345 678", {12, 345, 678}},
      {"CP00000001751001      ", {10, 1, 0}},  // a raw zone: its last ten characters
      {"12345", {0, 1, 345}},                  // short: nothing before the start
      {"", {0, 0, 0}},
      {"A (B) 01 751 -05", {1, 751, -5}},
      {std::string(300, 'x') + " 02 931 002", {0, 0, 0}},  // read up to 259 characters
  };
  for (const auto& c : cases) EXPECT_EQ(caisse_cell_numbers(c.cell), c.numbers) << c.cell;
}

TEST(DetailBox, EachColumnShowsItsBox) {
  DetailFixture f;
  add_row(f.list, {{kColRef, "(930)"},
                   {kColCaisse, "R\xE9gime g\xE9n\xE9ral (CPAM) 01 751 000"},
                   {kColTotal, "100.00F"},
                   {kColAmo, "1.00\x80"},
                   {kColDetail, "LOT EN DOUBLE"},
                   {kColAssure, "DUPONT JEAN"}});
  add_row(f.list, {{kColCaisse, "CP00000001751001      "}});
  struct Case {
    int row;
    int column;
    std::optional<DetailBox> box;
  } cases[] = {
      {0, kColRef,
       DetailBox{"R\xE9"
                 "f\xE9rence 930\nr\xE9"
                 "f\xE9rence ARL",
                 "Info r\xE9"
                 "f\xE9rence",
                 MessageIcon::None}},
      {1, kColRef, std::nullopt},
      {0, kColCaisse,
       DetailBox{"CPAM DE PARIS ", "Informations sur la caisse", MessageIcon::Information}},
      {1, kColCaisse, DetailBox{"", "Informations sur la caisse", MessageIcon::Information}},
      {0, kColTotal,
       DetailBox{"Montant en Francs :        100.00 F\nMontant en Euro :             15.24 \x80",
                 "Conversion F/\x80", MessageIcon::Information}},
      {0, kColAmo,
       DetailBox{"Montant en Francs :          6.55 F\nMontant en Euro :              1.00 \x80",
                 "Conversion F/\x80", MessageIcon::Information}},
      {0, kColAmc, std::nullopt},
      {0, kColAssure, std::nullopt},
      {0, kColFichier, std::nullopt},
      {2, kColRef, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto box = detail_box(f.list, c.row, c.column, f.funds);
    ASSERT_EQ(box.has_value(), c.box.has_value()) << c.row << "/" << c.column;
    if (!box) continue;
    EXPECT_EQ(box->text, c.box->text) << c.column;
    EXPECT_EQ(box->caption, c.box->caption) << c.column;
    EXPECT_EQ(box->icon, c.box->icon) << c.column;
  }
  const auto message = detail_box(f.list, 0, kColDetail, f.funds);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->caption, "Message");
  EXPECT_NE(message->text.find("Lot re\xE7u 2 fois par la caisse."), std::string::npos);
  EXPECT_TRUE(message->text.ends_with(
      "aucune erreur de la part des caisses sur ce message (\xE0 ce jour)"));
  // An empty message cell is explained too.
  EXPECT_TRUE(detail_box(f.list, 1, kColDetail, f.funds));
}

struct StepFixture : testing::FlagListFixture {
  StepFixture() {
    add_row(list, {{kColFichier, "42  (01/01/24)"}, {kColRef, "(531)"}}, 6);
    add_row(list, {{kColFichier, "42  (01/01/24)"}, {kColRef, "x(534)"}}, 12);
    add_row(list, {{kColFichier, "43  (01/01/24)"}, {kColRef, "(531)"}}, 6);
    add_row(list, {{kColFichier, "42  (02/01/24)"}, {kColRef, "(930)"}}, 9);
    add_row(list, {{kColFichier, "42abc  (02/01/24)"}, {kColRef, "(575)"}}, 6);
  }
  std::vector<int> icons() const {
    std::vector<int> out;
    for (int r = 0; r < list.row_count(); ++r) out.push_back(list.icon(r, kColTraite));
    return out;
  }
};

TEST(ProcessedStep, CyclesEveryRowOfTheFileNumber) {
  StepFixture f;
  ASSERT_TRUE(step_processed_state(f.list, f.flags, 0));
  EXPECT_EQ(f.icons(), (std::vector<int>{7, 7, 6, 7, 7}));
  step_processed_state(f.list, f.flags, 0);
  EXPECT_EQ(f.icons(), (std::vector<int>{8, 8, 6, 8, 8}));
  step_processed_state(f.list, f.flags, 0);
  step_processed_state(f.list, f.flags, 0);
  EXPECT_EQ(f.icons(), (std::vector<int>{6, 6, 6, 6, 6}));
  EXPECT_EQ(f.flags.info_traite().at(42), 0);
  step_processed_state(f.list, f.flags, 2);
  EXPECT_EQ(f.flags.info_traite().at(43), 1);
}

TEST(ProcessedStep, OnlyKindRWithAStateIcon) {
  struct Case {
    int row;
    const char* why;
  } cases[] = {
      {1, "archived file icon 12"},
      {3, "acknowledgement, kind A"},
      {4, "unknown reference, kind I"},
      {-1, "no row"},
      {99, "no row"},
  };
  for (const auto& c : cases) {
    StepFixture f;
    EXPECT_FALSE(step_processed_state(f.list, f.flags, c.row)) << c.why;
    EXPECT_EQ(f.icons(), (std::vector<int>{6, 12, 6, 9, 6})) << c.why;
  }
}

TEST(Tooltip, EachColumnExplainsItsCell) {
  DetailFixture f;
  ReturnEntry e;
  e.type_retour = 1;
  put(e.texte_retour, "PAIEMENT");
  put(e.ref_virement1, "VIR 1");
  put(e.ref_virement3, "R3");
  put(e.date_lot, "000000");
  e.type_facture = 'F';
  e.traitement_amc = 'E';
  put(e.nature_assurance, "10");
  add_row(f.list,
          {{kColRef, "(531)"},
           {kColCaisse, "X (Y) 01 751 001"},
           {kColTotal, "100.00F"},
           {kColAmo, "3.00F"},
           {kColAmc, ""},
           {kColDetail, "Ayant-droit inconnu"}},
          6, 1, details_of(e));
  ReturnEntry e2;
  put(e2.date_lot, "140324");
  add_row(f.list, {{kColRef, ""}, {kColAmo, "1.00\x80"}}, 6, 1, details_of(e2));
  struct Case {
    int row;
    int column;
    std::string text;
  } cases[] = {
      {0, kColRef,
       "R\xE9"
       "f\xE9rence 531 \r\nactes + mouvements financiers\r\n(tous professionnels de "
       "sant\xE9)\r\nRETOURS SUR PRESTATIONS TRANSMISES EN FLUX ELECTRONIQUES\r\nPAIEMENT"},
      {1, kColRef, ""},
      {0, kColDateComptable, "-REF Virement-\r\nVIR 1\r\n\r\nR3"},
      {1, kColDateComptable, ""},
      {0, kColCaisse, "CPAM PAIEMENT "},
      {1, kColCaisse, ""},
      {0, kColLot, "\r\nFSE"},
      {1, kColLot, "14/03/2024"},
      {0, kColTotal, "100.00 F <--> 15.24 \x80"},
      {0, kColAmc, ""},
      {0, kColAmo,
       "3.00 F <--> 0.46 \x80\r\nTraitement de la part AMC par l'AMO:\r\nECLATEMENT SUR LE "
       "POSTE\r\nNature d'assurance:10"},
      {1, kColAmo, "6.55 F <--> 1.00 \x80"},
      {0, kColTraite, ""},
      {0, kColFichier, ""},
      {0, kColActe, ""},
      {2, kColRef, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tooltip_text(f.list, c.row, c.column, f.funds), c.text) << c.row << "/" << c.column;
  }
  const std::string detail = tooltip_text(f.list, 0, kColDetail, f.funds);
  EXPECT_NE(detail.find("Patient inconnu de la caisse."), std::string::npos);
  EXPECT_LE(detail.size(), kTooltipMaxChars);
}

TEST(ViewerDetail, DoubleClickFindsTheColumnByWidths) {
  testing::ViewerFixture f;
  f.put("00042.RSP", testing::return_file("531"));
  f.put("00043.ARL", testing::return_file("930"));
  Viewer& v = f.open();
  ASSERT_EQ(v.list().row_count(), 2);
  // Column 0 is 20 pixels wide: x = 1..20 hits it.
  v.list_click(0, 20);
  EXPECT_EQ(v.list().icon(0, kColTraite), 7);
  v.list_click(0, 0);
  v.list_click(5, 10);
  EXPECT_EQ(v.list().icon(0, kColTraite), 7);
  EXPECT_TRUE(f.dialogs.boxes.empty());
  const int ref_x = column_left(v.list(), kColRef) + 1;
  v.list_click(1, ref_x);
  ASSERT_EQ(f.dialogs.boxes.size(), 1u);
  EXPECT_EQ(f.dialogs.boxes[0].text,
            "R\xE9"
            "f\xE9rence 930\nr\xE9"
            "f\xE9rence ARL");
  // Hidden columns are never hit; right of the last column nothing is.
  v.list_click(0, column_left(v.list(), kColumnCount) + 5);
  EXPECT_EQ(f.dialogs.boxes.size(), 1u);
  // The builder's invoices carry the treatment code "0", which the table does not know.
  EXPECT_EQ(v.listage_tooltip(0, column_left(v.list(), kColAmo) + 1),
            "108.23 F <--> 16.50 \x80\r\nTraitement de la part AMC par l'AMO:\r\n???\r\n"
            "Nature d'assurance:10");
  EXPECT_EQ(v.listage_tooltip(0, 0), "");
}

}  // namespace
}  // namespace noemie::viewer
