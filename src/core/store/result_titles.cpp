#include "core/store/result_titles.h"

namespace noemie::store {
namespace {

// One row per list layout of the suite, 20 titles each. Row 3 is the viewer's list; rows 4
// to 6 are that same list under its other kind filters.
constexpr std::string_view kViewerRow =
    "Trait\xE9_Fichier_R\xE9"
    "f_Date Comptable_Caisse_Assur\xE9_Malade_Lot_FSE_Date Acte_Acte_"
    "Total_Tx AMO_AMO_Tx AMC_AMC_D\xE9tail____";

constexpr std::string_view kRows[kTitleRows] = {
    // 0 to 2: archived transmissions, short to full.
    "Fichier_Type__Date_Caisse__Nb FSE_Montant_____________",
    "Fichier_Type__Date_Caisse__Nb FSE_Montant_AMO_AMC___________",
    "Fichier_Type__Date_Caisse__Nb FSE_Montant_AMO_AMC_Pay\xE9_Rejet\xE9_Diff\xE9rence_Lot_"
    "Statut______",
    kViewerRow,
    kViewerRow,
    kViewerRow,
    kViewerRow,
    // 7: care sheets of a batch.
    "__N\xB0 FSE_Lot_Date_Heure_Assur\xE9_Malade_Actes_Total_Part AMO_Part AMC_Part assur\xE9_"
    "Tiers payant_Caisse_Statut_Message____",
    // 8: transmission log.
    "N\xB0_Date_Type_Fichier_Message_Caisse_Lot_Heure_Poste_Utilisateur_Taille_Envoi_"
    "R\xE9"
    "ception_Accus\xE9_Retour_Statut_Remarque____",
    // 9: statistics by fund.
    "Caisse_Nom_R\xE9gime_Centre_Guichet_Nb FSE_Nb actes_C_V_K_KC_Z_AMI_AIS_Autres_Rejets_"
    "Taux_Total AMO_Total AMC_Total g\xE9n\xE9ral_",
    // 10: received files.
    "Fichier_Type_Norme_Version_Date_Heure_Caisse_Lot_Nb FSE_Montant_AMO_AMC_Pay\xE9_Rejet\xE9_"
    "Statut_Message_Remarque____",
    // 11: payments by day.
    "Date_Caisse_Virement_Montant_Nb_Lun_Mar_Mer_Jeu_Ven_Sam_Dim_Total_Moyenne_Ecart______",
    // 12: rejections.
    "_Fichier_Motif_Code_Lot_FSE_Date Acte_Acte_Total_Tx AMO_AMO_Tx AMC_AMC_Action_______",
    // 13: patients.
    "N\xB0 assur\xE9_Nom_Pr\xE9nom_Date naissance_Rang_Caisse_Centre_Mutuelle_____________",
    // 14: funds directory.
    "Code_Centre_R\xE9gime_Nom_T\xE9l\xE9phone________________",
    // 15: practice archive folders.
    "N\xB0_Cabinet_Poste_Dossier_Archive_Derni\xE8re sauvegarde_______________",
    // 16 and 17: quarterly summaries.
    "Caisse_Nom_Ann\xE9"
    "e_T1_T2_T3_T4_Total_____________",
    "Caisse_Nom_Ann\xE9"
    "e_T1_T2_T3_T4_Total_____________",
};

std::string join_rows() {
  std::string text;
  for (const auto row : kRows) text += row;
  return text;
}

}  // namespace

std::string_view result_txt() {
  static const std::string text = join_rows();
  return text;
}

void init_txt_idx_(std::string_view text, std::span<std::int32_t> index, int columns, int rows) {
  std::size_t pos = 0;
  bool reached_end = false;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const auto slot = static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                        static_cast<std::size_t>(c);
      if (slot >= index.size()) return;
      if (reached_end || pos >= kTitleSplitLimit || pos > text.size()) {
        reached_end = true;
        index[slot] = kNoTitle;
        continue;
      }
      index[slot] = static_cast<std::int32_t>(pos);
      const auto sep = text.find('_', pos);
      // A last title without its "_" runs to the end of the text; nothing follows it.
      pos = sep == std::string_view::npos ? text.size() + 1 : sep + 1;
    }
  }
}

void ResultTitles::init_txt_idx() {
  init_txt_idx_(result_txt(), result_txt_idx, kTitleColumns, kTitleRows);
}

std::string_view ResultTitles::title(int row, int column) const {
  if (row < 0 || row >= kTitleRows || column < 0 || column >= kTitleColumns) return {};
  const std::int32_t pos = result_txt_idx[static_cast<std::size_t>(row * kTitleColumns + column)];
  const std::string_view text = result_txt();
  if (pos < 0 || static_cast<std::size_t>(pos) > text.size()) return {};
  const auto start = static_cast<std::size_t>(pos);
  const auto end = text.find('_', start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace noemie::store
