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

#include "core/store/registry.h"

namespace noemie::store {
class RegFileRegistry;
}

namespace noemie::gui {

class SettingsFile {
 public:
  // Opens the store on `file` (nullopt: settings in memory for this run only) and loads it.
  // Problems go, one line each, to `warnings` (which must outlive the object) as well as to
  // load_problem(). Saves start held: see hold_saves().
  SettingsFile(std::optional<std::filesystem::path> file, std::ostream& warnings);
  ~SettingsFile();

  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  store::Registry& registry() { return *registry_; }
  const std::optional<std::filesystem::path>& file() const { return file_; }

  // While held, changes stay in memory and are dropped if the program ends before the hold
  // is lifted (a cancelled start writes nothing). Lifting the hold does not save by itself.
  void hold_saves(bool held);

  // What went wrong while loading, for a message box (Windows-1252); "" when all went well.
  const std::string& load_problem() const { return load_problem_; }

  // Writes every pending change now. "" when the file holds them all (or there is no file),
  // otherwise a message for a message box (Windows-1252) naming the file.
  std::string flush();

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

// The message shown when the settings could not be saved to `file` (Windows-1252).
std::string settings_save_failure_message(const std::filesystem::path& file);

}  // namespace noemie::gui
