#pragma once
// The desktop viewer's settings store: the settings file in the registry export format (or
// memory alone when no path can be found), its warnings copied to standard error, and the
// French messages that tell the user when the file could not be read or written.
//
// The file is only ever written whole and atomically by the store; a file that could not be
// read is kept aside (".bad") or left as it is, never lost.

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "app/settings_store.h"
#include "core/store/registry.h"

namespace noemie::store {
class RegFileRegistry;
}

namespace noemie::app {

class SettingsFile final : public SettingsStore {
 public:
  // Opens the store on `file` (nullopt: settings in memory for this run only) and loads it.
  // Problems go, one line each, to `warnings` (which must outlive the object) as well as to
  // load_problem(). Saves start held: see hold_saves().
  SettingsFile(std::optional<std::filesystem::path> file, std::ostream& warnings);
  ~SettingsFile() override;

  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  store::Registry& registry() override { return *registry_; }
  const std::optional<std::filesystem::path>& file() const { return file_; }

  void hold_saves(bool held) override;
  const std::string& load_problem() const override { return load_problem_; }
  // "" also when there is no file; a message names the file.
  std::string flush() override;
  std::string save_failure_message() const override;

 private:
  // Copies every character to `out` and keeps a copy of the text.
  class TeeBuffer final : public std::streambuf {
   public:
    explicit TeeBuffer(std::ostream& out) : out_(out) {}
    const std::string& text() const { return text_; }

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

   private:
    std::ostream& out_;
    std::string text_;
  };

  std::optional<std::filesystem::path> file_;
  TeeBuffer tee_;
  std::ostream tee_stream_;
  std::unique_ptr<store::Registry> registry_;
  store::RegFileRegistry* file_store_ = nullptr;
  std::string load_problem_;
};

}  // namespace noemie::app
