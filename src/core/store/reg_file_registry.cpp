#include "core/store/reg_file_registry.h"

#include <cstdlib>

#include "core/store/atomic_file.h"
#include "core/store/reg_format.h"

namespace noemie::store {

namespace fs = std::filesystem;

RegFileRegistry::RegFileRegistry(fs::path file, std::ostream& warnings, Mode mode)
    : file_(std::move(file)), warnings_(warnings), mode_(mode) {
  load();
}

RegFileRegistry::~RegFileRegistry() {
  if (mode_ == Mode::ReadWrite && !saves_held_ && changed() && !save()) {
    warn("settings not saved: " + last_error_);
  }
}

fs::path RegFileRegistry::bad_copy_path() const {
  fs::path bad = file_;
  bad += ".bad";
  return bad;
}

void RegFileRegistry::warn(std::string_view line) {
  warnings_ << "noemie-viewer: " << line << '\n';
  warnings_.flush();
}

void RegFileRegistry::set_save_options(const SharedFileOptions& options) {
  save_options_ = options;
  // The settings folder is made by the first save.
  save_options_.write.create_folder = true;
}

KeyNode RegFileRegistry::read_tree(const std::string& bytes, std::string& blocked) {
  RegParseResult parsed = parse_reg_text(bytes);
  if (!parsed.ok()) {
    std::string line = "the settings file " + file_.string() + " could not be read completely (" +
                       std::to_string(parsed.bad_lines) + " bad line(s), the first is line " +
                       std::to_string(parsed.first_bad_line) + ")";
    if (mode_ == Mode::ReadWrite) {
      // Keep the user's file before anything can replace it.
      const std::string error = write_file_atomically(bad_copy_path(), bytes);
      if (error.empty()) {
        line += "; kept as " + bad_copy_path().string();
      } else {
        blocked = "the settings file " + file_.string() +
                  " could not be kept aside and is left as it is (" + error + ")";
        line += "; " + error + "; it will not be replaced";
      }
    }
    warn(line + "; going on with what could be read");
  }
  return std::move(parsed.current_user);
}

void RegFileRegistry::load() {
  save_options_.write.create_folder = true;
  const FileRead read = read_whole_file(file_);
  if (read.missing) return;
  if (!read.bytes) {
    save_blocked_ =
        "the settings file " + file_.string() + " could not be read and is left as it is";
    warn(save_blocked_ + "; going on with default settings");
    return;
  }
  root() = read_tree(*read.bytes, save_blocked_);
  on_disk_ = tree().copy();
  disk_bytes_ = read.bytes;
}

bool RegFileRegistry::save() {
  if (mode_ == Mode::ReadOnly) return true;
  if (!save_blocked_.empty()) {
    last_error_ = save_blocked_;
    return false;
  }
  if (tree().same_tree(on_disk_)) {
    // Nothing of this store's own to write.
    mark_saved();
    last_error_.clear();
    return true;
  }
  std::string text;
  const SharedFileUpdate update = update_shared_file(
      file_, save_options_,
      [&](const std::optional<std::string>& current,
          std::string& error) -> std::optional<std::string> {
        if (current != disk_bytes_) {
          // Another program saved the file since this store read it: keep its values.
          const KeyNode theirs =
              current ? read_tree(*current, error) : KeyNode(std::string(kCurrentUserRoot));
          if (!error.empty()) return std::nullopt;
          take_their_changes(root(), on_disk_, theirs);
          disk_bytes_ = current;
        }
        text = to_reg_text(tree());
        return text;
      });
  if (update.error.empty()) {
    on_disk_ = tree().copy();
    disk_bytes_ = std::move(text);
    mark_saved();
    last_error_.clear();
    return true;
  }
  // One line when saving starts to fail, not one at every key closed afterwards.
  if (last_error_.empty()) warn("settings not saved: " + update.error);
  last_error_ = update.error;
  return false;
}

bool RegFileRegistry::flush() {
  return !changed() || save();
}

bool RegFileRegistry::keep_changes() {
  // Held changes stay pending: the first save after the hold writes them with the rest.
  if (saves_held_) return true;
  return save();
}

std::optional<fs::path> settings_file_path(const EnvironmentLookup& env) {
  const auto get = [&](std::string_view name) -> std::optional<std::string> {
    auto v = env(name);
    if (v && v->empty()) v.reset();
    return v;
  };
  if (const auto p = get("NOEMIE_VIEWER_SETTINGS")) return fs::path(*p);
  if (const auto xdg = get("XDG_CONFIG_HOME"); xdg && fs::path(*xdg).is_absolute()) {
    return fs::path(*xdg) / "noemie-viewer" / "settings.reg";
  }
  if (const auto home = get("HOME"))
    return fs::path(*home) / ".config" / "noemie-viewer" / "settings.reg";
  return std::nullopt;
}

std::optional<fs::path> settings_file_path() {
  return settings_file_path([](std::string_view name) -> std::optional<std::string> {
    const char* v = std::getenv(std::string(name).c_str());
    return v ? std::optional<std::string>(v) : std::nullopt;
  });
}

}  // namespace noemie::store
