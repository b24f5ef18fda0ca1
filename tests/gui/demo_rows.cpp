#include "demo_rows.h"

#include <memory>

#include "core/store/config.h"
#include "core/store/result_titles.h"
#include "core/text/cp1252.h"

namespace noemie::testing {
namespace {

struct Sample {
  int state_icon;
  int marker_icon;
  viewer::ListControl::Cells cells;
};

std::string euros(const char* amount) {
  return std::string(amount) + text::kEuro;
}

std::vector<Sample> samples() {
  return {
      {7, 1,
       demo_cells({"12  (03/05/24)", "(531)", "06/05/2024", "CPAM LE MANS 01 721 000",
                   "MARTIN Paul (184057218102)", "MARTIN Paul ", "12", "1042", "02/05/2024", "C",
                   euros("25.00"), "70%", euros("16.50"), "", "", "PAIEMENT EFFECTUE"})},
      {6, 1,
       demo_cells({"12  (03/05/24)", "(531)", "06/05/2024", "CPAM LE MANS 01 721 000",
                   "BERNARD Lucie (279127218204)", "DURAND Emma ", "12", "1043", "02/05/2024",
                   "C+K", euros("48.30"), "70%", euros("33.81"), "30%", euros("14.49"), ""})},
      {6, 2,
       demo_cells({"15  (10/05/24)", "x(900)", "", "MSA SARTHE 02 721 000",
                   "PETIT Jean (160017218003)", "PETIT Jean ", "-", "1051", "07/05/2024", "V", "",
                   "", "", "", "",
                   "REJET : NUMERO D'IMMATRICULATION INCONNU ***** FACTURE A "
                   "REFAIRE APRES CORRECTION DES DONNEES DE L'ASSURE"})},
      {9, 5,
       demo_cells({"18  (12/05/24)", "(930)", "", "CPAM LE MANS 01 721 000", " ", " ", "14", "", "",
                   "", "", "", "", "", "", "LOT RECU"})},
      {8, 1,
       demo_cells({"21  (14/05/24)", "(532)", "15/05/2024", "CPAM ANGERS 01 491 000",
                   "ROUX Camille (285044912306)", "ROUX Louis ", "15", "1060", "13/05/2024", "G",
                   "25.00F", "100%", "25.00F", "", "", ""})},
      {12, 0,
       demo_cells({"22  (16/05/24)", "(611)", "17/05/2024", "CPAM ANGERS 01 491 000",
                   "FOURNIER Marc (171064912107)", "FOURNIER Marc ", "16", "1071", "15/05/2024",
                   "C", euros("26.50"), "70%", euros("17.55"), "", "",
                   "INFORMATION : TAUX DE REMBOURSEMENT MODIFIE"})},
      {13, 1,
       demo_cells({"7  (02/01/23)", "(531)", "04/01/2023", "MGEN 10 721 000",
                   "GIRARD Anne (268017218105)", "GIRARD Anne ", "3", "988", "30/12/2022", "C",
                   euros("25.00"), "70%", euros("16.50"), "30%", euros("7.50"), ""})},
      {7, 1,
       demo_cells({"24  (20/05/24)", "(531)", "21/05/2024", "CPAM LE MANS 01 721 000",
                   "LEFEVRE Hugo (192037218209)",
                   "L\xC9"
                   "ON Chlo\xE9 ",
                   "17", "1080", "18/05/2024", "K+C", euros("61.20"), "70%", euros("42.84"), "", "",
                   ""})},
  };
}

}  // namespace

void add_list_columns(viewer::ListControl& list) {
  store::ResultTitles titles;
  titles.init_txt_idx();
  constexpr int row = store::kViewerTitleRow;
  for (int c = 0; c < viewer::kColumnCount; ++c) {
    const bool left =
        (c >= viewer::kColFichier && c <= viewer::kColMalade) || c == viewer::kColDetail;
    list.insert_column(
        c, std::string(titles.title(row, c)), left ? viewer::Align::Left : viewer::Align::Right,
        store::pos_result_std[static_cast<std::size_t>(row * store::kInfoResultColumns + c)]);
  }
}

viewer::ListControl::Cells demo_cells(std::initializer_list<std::string> texts) {
  viewer::ListControl::Cells cells;
  std::size_t c = 1;
  for (const std::string& t : texts) {
    if (c >= cells.size()) break;
    cells[c++] = t;
  }
  return cells;
}

void add_demo_rows(viewer::ListControl& list, int count) {
  const std::vector<Sample> all = samples();
  list.begin_reset();
  list.clear();
  for (int i = 0; i < count; ++i) {
    const Sample& s = all[static_cast<std::size_t>(i) % all.size()];
    auto data = std::make_unique<viewer::ListRow>();
    data->row_index = i;
    list.add_row(std::move(data), s.cells, s.state_icon, s.marker_icon);
  }
  list.end_reset();
}

}  // namespace noemie::testing
