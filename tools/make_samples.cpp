// Writes the bundled sample folder: synthetic NOEMIE return files, made with the test record
// builder, that show every kind of row the viewer lists. Every name, registration number and
// amount is invented.
//
//   make_samples FOLDER
//
// Writes the return files into FOLDER (created when missing) and sets each file's
// modification time to a fixed instant, so that a listing of the folder is the same on every
// machine. Other files in FOLDER (the regime table and fund directory) are left alone.

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/return_file_builder.h"

namespace {

namespace fs = std::filesystem;
namespace t = noemie::testing;
using namespace std::chrono;

struct SampleFile {
  const char* name;
  std::string bytes;
  sys_seconds modified;  // UTC
};

// Noon UTC of a day, so that the date the list shows never depends on a time zone.
sys_seconds noon(year_month_day day) {
  return sys_days{day} + hours{12};
}

// The destinataire zone of a fund: regime, caisse and centre at characters 8 to 15.
std::string destinataire(const char* regime, const char* caisse, const char* centre) {
  return std::string("CP000000") + regime + caisse + centre;
}

// 531 in euros from the CPAM of Paris: a bank transfer, a return type, two invoices (an FSE
// whose AMC share is split on the practice's computer, and a degraded-mode one paid in
// coordination), names in the 103 form and in the 11x / 12x form, several detail lines.
std::string paiement_531_euros() {
  return t::ReturnFileBuilder()
      .header({.destinataire = destinataire("01", "751", "001"), .ref = "531", .devise = "NU"})
      .add(t::virement_071({.level = 1,
                            .date_comptable = "150324",
                            .ref1 = "VIR SEPA CPAM PARIS 20240315",
                            .ref2 = "CPAM DE PARIS CENTRE PAIEMENT",
                            .ref3 = "RV00004201"}))
      .add(t::retour_081(2, 1, "PAIEMENT FSE"))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1201,
                           .num_lot = 12,
                           .date_lot = "140324",
                           .type_facture = 'F',
                           .date_acte = "120324",
                           .traitement_amc = 'E',
                           .nature_assurance = "10"}))
      .add(t::identite_103({.level = 4,
                            .immatriculation = "1800175000101",
                            .nom_assure = "DUPONT",
                            .prenom_assure = "JEAN",
                            .nom_malade = "DUPONT",
                            .prenom_malade = "MARIE"}))
      .add(t::ligne_21x({.level = 5,
                         .date_acte = "120324",
                         .taux_amo = 70,
                         .montant_amo = 1855,
                         .acte = "G",
                         .taux_amc = 30,
                         .montant_amc = 795}))
      .add(t::ligne_21x({.third = 1,
                         .level = 5,
                         .date_acte = "120324",
                         .taux_amo = 70,
                         .montant_amo = 350,
                         .acte = "MCG",
                         .taux_amc = 30,
                         .montant_amc = 150}))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 2, .montant_total = 3150}))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1202,
                           .num_lot = 12,
                           .date_lot = "140324",
                           .type_facture = 'B',
                           .date_acte = "130324",
                           .traitement_amc = 'C',
                           .nature_assurance = "13"}))
      .add(t::assure_11x(
          {.level = 4, .immatriculation = "2850369000202", .nom = "MARTIN", .prenom = "CLAIRE"}))
      .add(t::malade_12x({.level = 4, .nom = "MARTIN", .prenom = "LUC"}))
      .add(t::ligne_22x({.level = 5,
                         .date_acte = "130324",
                         .taux_amo = 100,
                         .montant_amo = 2650,
                         .acte = "G",
                         .taux_amc = 0,
                         .montant_amc = 0}))
      .add(t::ligne_22x({.third = 2,
                         .level = 5,
                         .date_acte = "130324",
                         .taux_amo = 100,
                         .montant_amo = 450,
                         .acte = "IK",
                         .taux_amc = 0,
                         .montant_amc = 0}))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 2, .montant_total = 3100}))
      .add(t::cloture_99x({.third = 3, .level = 3, .valeur_fin = 2, .montant_total = 6250}))
      .add(t::Record("999", 1, 5))
      .bytes();
}

// The same file number archived as RSX: an older 580 in francs from Seine-Saint-Denis.
std::string paiement_580_francs() {
  return t::ReturnFileBuilder()
      .header({.destinataire = destinataire("01", "931", "000"), .ref = "580", .devise = "FR"})
      .add(t::virement_071({.level = 1,
                            .date_comptable = "050201",
                            .ref1 = "VIREMENT CPAM BOBIGNY",
                            .ref2 = "REGLEMENT PRESTATIONS",
                            .ref3 = "RV00004299"}))
      .add(t::retour_081(2, 3, "FORFAIT"))
      .add(t::facture_102({.level = 3,
                           .num_facture = 815,
                           .num_lot = 999,
                           .date_lot = "020201",
                           .type_facture = 'P',
                           .date_acte = "310101",
                           .traitement_amc = ' ',
                           .nature_assurance = "10"}))
      .add(t::identite_103({.level = 4,
                            .immatriculation = "1620593000303",
                            .nom_assure = "LEROY",
                            .prenom_assure = "PAUL",
                            .nom_malade = "LEROY",
                            .prenom_malade = "PAUL"}))
      .add(t::ligne_21x({.level = 5,
                         .date_acte = "310101",
                         .taux_amo = 70,
                         .montant_amo = 8750,
                         .acte = "V",
                         .taux_amc = std::nullopt,
                         .montant_amc = 0}))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 1, .montant_total = 8750}))
      .add(t::Record("999", 1, 5))
      .bytes();
}

// A rejection from the CPAM of the Rhone, with the three kinds of message the viewer
// explains: a batch received twice, an unknown beneficiary, a missing justification (the
// last one after a detail line, so that "Abrege" joins them).
std::string rejet_900() {
  return t::ReturnFileBuilder()
      .header({.destinataire = destinataire("01", "691", "000"), .ref = "900", .devise = "NU"})
      .add(t::lot_08x(0, 2, "020424", 15))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1310,
                           .num_lot = 15,
                           .date_lot = "020424",
                           .type_facture = 'F',
                           .date_acte = "280324",
                           .traitement_amc = ' ',
                           .nature_assurance = "10"}))
      .add(t::identite_103({.level = 4,
                            .immatriculation = "2900469000404",
                            .nom_assure = "BERNARD",
                            .prenom_assure = "SOPHIE",
                            .nom_malade = "BERNARD",
                            .prenom_malade = "SOPHIE"}))
      .add(t::message_29x(1, 5, "LOT EN DOUBLE - LOT 015 DEJA RECU LE 28/03/2024"))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 1}))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1311,
                           .num_lot = 15,
                           .date_lot = "020424",
                           .type_facture = 'F',
                           .date_acte = "290324",
                           .traitement_amc = ' ',
                           .nature_assurance = "10"}))
      .add(t::identite_103({.level = 4,
                            .immatriculation = "1780669000505",
                            .nom_assure = "PETIT",
                            .prenom_assure = "THOMAS",
                            .nom_malade = "PETIT",
                            .prenom_malade = "LEA"}))
      .add(t::message_29x(1, 5, "Ayant-droit inconnu de la caisse"))
      .add(t::message_29x(2, 5, "VERIFIER LA CARTE VITALE DU PATIENT"))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 1}))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1312,
                           .num_lot = 15,
                           .date_lot = "020424",
                           .type_facture = 'F',
                           .date_acte = "300324",
                           .traitement_amc = 'A',
                           .nature_assurance = "41"}))
      .add(t::assure_11x(
          {.level = 4, .immatriculation = "2710169000606", .nom = "ROUX", .prenom = "ANNE"}))
      .add(t::ligne_21x({.level = 5,
                         .date_acte = "300324",
                         .taux_amo = 100,
                         .montant_amo = 2650,
                         .acte = "G",
                         .taux_amc = std::nullopt,
                         .montant_amc = 0}))
      .add(t::message_29x(3, 5, "JUSTIF. QUALITE BENEFICIAIRE ABSENT"))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 1}))
      .add(t::Record("999", 1, 5))
      .bytes();
}

// An acknowledgement (930) of one batch, from an agricultural fund or a general one.
std::string accuse_930(const std::string& dest, const char* date, int lot, const char* text) {
  return t::ReturnFileBuilder()
      .header({.destinataire = dest, .ref = "930", .devise = "NU"})
      .add(t::lot_08x(0, 1, date, lot))
      .add(t::message_29x(1, 2, text))
      .add(t::cloture_99x({.level = 2, .valeur_fin = 1}))
      .bytes();
}

// A 580 in euros from the MGEN, archived as RSZ.
std::string paiement_580_euros() {
  return t::ReturnFileBuilder()
      .header({.destinataire = destinataire("91", "751", "000"), .ref = "580", .devise = "NU"})
      .add(t::comptable_07x(0, 1, "070623"))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1105,
                           .num_lot = 5,
                           .date_lot = "010623",
                           .type_facture = 'F',
                           .date_acte = "300523",
                           .traitement_amc = 'V',
                           .nature_assurance = "10"}))
      .add(t::identite_103({.level = 4,
                            .immatriculation = "2661275000707",
                            .nom_assure = "GARNIER",
                            .prenom_assure = "HELENE",
                            .nom_malade = "GARNIER",
                            .prenom_malade = "HUGO"}))
      .add(t::ligne_21x({.level = 5,
                         .date_acte = "300523",
                         .taux_amo = 70,
                         .montant_amo = 1750,
                         .acte = "G",
                         .taux_amc = 30,
                         .montant_amc = 750}))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 1, .montant_total = 2500}))
      .bytes();
}

// A return of another kind (534) kept under DAT.
std::string autre_534() {
  return t::ReturnFileBuilder()
      .header({.destinataire = destinataire("01", "751", "001"), .ref = "534", .devise = "NU"})
      .add(t::comptable_07x(0, 1, "120124"))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1150,
                           .num_lot = 3,
                           .date_lot = "080124",
                           .type_facture = 'F',
                           .date_acte = "050124",
                           .traitement_amc = 'N',
                           .nature_assurance = "30"}))
      .add(t::assure_11x(
          {.level = 4, .immatriculation = "1550875000808", .nom = "FAURE", .prenom = "MICHEL"}))
      .add(t::ligne_21x({.level = 5,
                         .date_acte = "050124",
                         .taux_amo = 100,
                         .montant_amo = 2650,
                         .acte = "G",
                         .taux_amc = std::nullopt,
                         .montant_amc = 0}))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 1, .montant_total = 2650}))
      .bytes();
}

// A 531 in francs with three acts on one invoice, kept without an extension.
std::string paiement_531_francs() {
  return t::ReturnFileBuilder()
      .header({.destinataire = destinataire("01", "751", "000"), .ref = "531", .devise = "FR"})
      .add(t::comptable_07x(0, 1, "190301"))
      .add(t::retour_081(2, 2, "PAPIER"))
      .add(t::facture_102({.level = 3,
                           .num_facture = 1999,
                           .num_lot = 0,
                           .date_lot = "000000",
                           .type_facture = 'P',
                           .date_acte = "120301",
                           .traitement_amc = 'F',
                           .nature_assurance = "10"}))
      .add(t::identite_103({.level = 4,
                            .immatriculation = "1450275000909",
                            .nom_assure = "MOREAU",
                            .prenom_assure = "ANDRE",
                            .nom_malade = "MOREAU",
                            .prenom_malade = "JULIE"}))
      .add(t::ligne_21x({.level = 5,
                         .date_acte = "120301",
                         .taux_amo = 70,
                         .montant_amo = 8400,
                         .acte = "C",
                         .taux_amc = 30,
                         .montant_amc = 3600}))
      .add(t::ligne_21x({.third = 1,
                         .level = 5,
                         .date_acte = "120301",
                         .taux_amo = 70,
                         .montant_amo = 1260,
                         .acte = "K",
                         .taux_amc = 30,
                         .montant_amc = 540}))
      .add(t::ligne_21x({.third = 2,
                         .level = 5,
                         .date_acte = "120301",
                         .taux_amo = 65,
                         .montant_amo = 3900,
                         .acte = "PHN",
                         .taux_amc = 35,
                         .montant_amc = 2100}))
      .add(t::cloture_99x({.level = 5, .valeur_fin = 3, .montant_total = 19800}))
      .add(t::Record("999", 1, 5))
      .bytes();
}

// The one faulty file: a closing record for level 7, which nothing opened.
std::string fichier_defectueux() {
  return t::ReturnFileBuilder()
      .header({.destinataire = destinataire("01", "751", "001"), .ref = "531", .devise = "NU"})
      .add(t::facture_102({.level = 3, .num_facture = 1400, .num_lot = 20, .date_lot = "250924"}))
      .add(t::identite_103({.level = 4,
                            .immatriculation = "2991075001010",
                            .nom_assure = "SIMON",
                            .prenom_assure = "EMMA",
                            .nom_malade = "SIMON",
                            .prenom_malade = "EMMA"}))
      .add(t::ligne_21x({.level = 5, .date_acte = "240924", .montant_amo = 1855, .acte = "G"}))
      .add(t::cloture_99x({.level = 7, .valeur_fin = 1, .montant_total = 1855}))
      .bytes();
}

std::vector<SampleFile> sample_files() {
  return {
      {"00000042.RSP", paiement_531_euros(), noon(2024y / March / 18)},
      {"00000042.RSX", paiement_580_francs(), noon(2023y / February / 10)},
      {"00000043.RSP", rejet_900(), noon(2024y / April / 4)},
      {"00000044.ARL", accuse_930(destinataire("02", "131", "000"), "201123", 7, "LOT ACCEPTE"),
       noon(2023y / November / 20)},
      {"00000045.RSZ", paiement_580_euros(), noon(2023y / June / 9)},
      {"00000046.ARX", accuse_930(destinataire("01", "751", "000"), "211123", 8, "LOT ACCEPTE"),
       noon(2023y / November / 22)},
      {"00000047.DAT", autre_534(), noon(2024y / January / 15)},
      {"00000048", paiement_531_francs(), noon(2024y / July / 8)},
      {"00000049.RSP", fichier_defectueux(), noon(2024y / September / 30)},
  };
}

void write_sample(const fs::path& folder, const SampleFile& file) {
  const fs::path path = folder / file.name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  fs::last_write_time(path, file_clock::from_sys(file.modified));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("Usage: make_samples FOLDER\n", stderr);
    return 2;
  }
  try {
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    for (const SampleFile& file : sample_files()) write_sample(folder, file);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_samples: %s\n", e.what());
    return 1;
  }
  return 0;
}
