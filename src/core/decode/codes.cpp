#include "core/decode/codes.h"

namespace noemie::decode {
namespace {

constexpr std::string_view kUnknownCode = "???";

}  // namespace

std::string_view type_retour_to_str(int code) {
  switch (code) {
    case 1:
      return "RETOURS SUR PRESTATIONS TRANSMISES EN FLUX ELECTRONIQUES";
    case 2:
      return "RETOURS SUR PRESTATIONS EN FACTURATION PAPIER";
    case 3:
      return "PAIEMENTS PONCTUELS OU FORFAITAIRES";
    case 4:
      return "RAPPELS SUR PRESTATIONS";
    case 5:
      return "RETENUES";
    default:
      return kUnknownCode;
  }
}

std::string_view type_facture_to_str(char code) {
  switch (code) {
    case 'A':
      return "FLUX AMC";
    case 'B':
      return "FLUX B2 ou SESAM DEGRADE";
    case 'C':
      return "FACTURE PAPIER AMC";
    case 'D':
      return "DRE";
    case 'E':
      return "RAPPEL SUR PRESTATIONS";
    case 'F':
      return "FSE";
    case 'L':
      return "RESERVE POUR LES ECHANGES INTER-CENTRES DE TRAITEMENT - LIQUIDE";
    case 'P':
      return "FACTURE PAPIER AMO ou AMO+AMC";
    case 'R':
      return "RESERVE POUR LES ECHANGES INTER-CENTRES DE TRAITEMENT - REJETE";
    case 'S':
      return "FACTURATION EN LIGNE (SEFi)";
    default:
      return kUnknownCode;
  }
}

std::string_view part_amo_traitement_to_str(char code) {
  switch (code) {
    case ' ':
      return "PAS DE TRAITEMENT DE LA PART AMC";
    case 'A':
    case 'F':
      return "ECLATEMENT PAR UN OCT";
    case 'C':
      // 0x85 is the Windows-1252 ellipsis.
      return "PAIEMENT COORDONNE (CMU, REFERENT, NOEMIE 3 \x85)";
    case 'E':
      return "ECLATEMENT SUR LE POSTE";
    case 'N':
      return "ENVOI DE L'IMAGE DECOMPTE EN NOEMIE 1 SUITE A TP SUR LA PART AMC";
    case 'V':
      return "ORDRE DE VIREMENT DISTINCT POUR LA PART AMO ET LA PART AMC";
    default:
      return kUnknownCode;
  }
}

}  // namespace noemie::decode
