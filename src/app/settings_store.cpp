#include "app/settings_store.h"

#include "core/store/key_paths.h"

namespace noemie::app {
namespace {

constexpr std::string_view kProgramKeys[] = {store::kProgramKey, store::kLegacyKey,
                                             store::kSuiteKey};

}  // namespace

RegistrySettings::RegistrySettings(store::Registry& system) : held_(system, kProgramKeys) {}

std::string RegistrySettings::flush() {
  return held_.flush() ? std::string() : save_failure_message();
}

std::string RegistrySettings::save_failure_message() const {
  return settings_not_saved_message("dans le registre, sous la cl\xE9 HKEY_CURRENT_USER\\" +
                                    std::string(store::kProgramKey) + ".");
}

std::string settings_not_saved_message(std::string_view place) {
  return "Les r\xE9glages (dossier affich\xE9, largeurs des colonnes, position de la fen\xEAtre) "
         "n'ont pas pu \xEAtre enregistr\xE9s " +
         std::string(place);
}

}  // namespace noemie::app
