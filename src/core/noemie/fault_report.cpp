#include "core/noemie/fault_report.h"

#include <array>

namespace noemie {
namespace {

// The messages of codes 0 to 12, Windows-1252.
constexpr std::array<std::string_view, 13> kMessages = {
    "Fichier non trouv\xE9",
    "Allocation m\xE9moire",
    "En t\xEAte du retour No\xE9mie inconnu par ce programme",
    "Fichier corrompu ou trop compliqu\xE9 pour \xEAtre trait\xE9 par ce programme",
    "Fin de niveau ne correspondant \xE0 rien pour ce programme",
    "Fin de niveau manquante pour ce programme",
    "Fin de niveau inconnue pour ce programme",
    "D\xE9sol\xE9, ce programme n'est pas en mesure de traiter ce fichier",
    "D\xE9sol\xE9, ce programme n'est pas en mesure de traiter ce fichier(zone non connue)",
    "D\xE9sol\xE9, ce fichier ne fait m\xEAme pas 128 octets, il n'y a pas grand chose \xE0 en "
    "tirer",
    "Ce fichier fait exactement 0 octet, il n'y a rien \xE0 en tirer !!!!",
    "Impossible de d\xE9terminer le d\xE9"
    "but du message NOEMIE",
    "Le contenu de ce message NOEMIE porte \xE0 confusion sur le nom/prenom du malade et/ou de "
    "l'assur\xE9, ces donn\xE9"
    "es peuvent \xEAtre incorrectes pour ce fichier",
};

}  // namespace

std::string_view fault_message(int code) {
  if (code < 0 || code >= static_cast<int>(kMessages.size())) return {};
  return kMessages[static_cast<std::size_t>(code)];
}

void erreur_traitement(int code, std::int64_t position, const std::filesystem::path& path,
                       std::int64_t debut_detecte, FaultReporter& reporter) {
  if (is_silent_fault(code)) return;
  FaultReport fault;
  fault.code = code;
  fault.description = std::string(fault_message(code)) + "\r\n";
  fault.path = path;
  fault.position = position;
  fault.start = debut_detecte;
  reporter.report(fault);
}

}  // namespace noemie
