#pragma once
// Where the desktop viewer keeps its settings: a settings file (SettingsFile) or the system's
// registry (RegistrySettings, on Windows). Either way, saves are held until the user has
// chosen a folder, so that a cancelled start writes nothing; what could not be read or
// written is told in French, for a message box.

#include <memory>
#include <string>
#include <string_view>

#include "core/store/held_registry.h"
#include "core/store/registry.h"

namespace noemie::app {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  virtual store::Registry& registry() = 0;

  // While held, changes stay in memory and are dropped if the program ends before the hold
  // is lifted. Lifting the hold does not save by itself. Saves start held.
  virtual void hold_saves(bool held) = 0;

  // What went wrong while loading, for a message box (Windows-1252); "" when all went well.
  virtual const std::string& load_problem() const = 0;

  // Writes every pending change now. "" when the store holds them all, otherwise a message
  // for a message box (Windows-1252) saying where the settings could not be saved.
  virtual std::string flush() = 0;

  // The message for a save the settings record itself found incomplete (a key that could not
  // be created, a value not written); "" when nothing can be said.
  virtual std::string save_failure_message() const = 0;
};

// The keys of the system's registry that the program reads and writes (program, legacy and
// suite keys), copied when the store is made; changes reach the registry value by value.
class RegistrySettings final : public SettingsStore {
 public:
  // `system` must outlive the store.
  explicit RegistrySettings(store::Registry& system);

  store::Registry& registry() override { return held_; }
  void hold_saves(bool held) override { held_.hold_saves(held); }
  const std::string& load_problem() const override { return no_problem_; }
  std::string flush() override;
  std::string save_failure_message() const override;

 private:
  store::HeldRegistry held_;
  std::string no_problem_;
};

// The message shown when the settings could not be saved: "Les réglages (...) n'ont pas pu
// être enregistrés " followed by `place`, which says where and what was kept (Windows-1252).
std::string settings_not_saved_message(std::string_view place);

}  // namespace noemie::app
