#include "app/settings_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/store/reg_file_registry.h"
#include "core/store/tree_registry.h"
#include "core/viewer/folder_scan.h"

namespace noemie::app {

namespace fs = std::filesystem;

namespace {

// True when both files can be read and hold the same bytes.
bool same_bytes(const fs::path& a, const fs::path& b) {
  std::ifstream in_a(a, std::ios::binary);
  std::ifstream in_b(b, std::ios::binary);
  if (!in_a || !in_b) return false;
  return std::equal(std::istreambuf_iterator<char>(in_a), std::istreambuf_iterator<char>(),
                    std::istreambuf_iterator<char>(in_b), std::istreambuf_iterator<char>());
}

}  // namespace

SettingsFile::TeeBuffer::int_type SettingsFile::TeeBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  out_.put(ch);
  text_ += ch;
  return c;
}

std::streamsize SettingsFile::TeeBuffer::xsputn(const char* s, std::streamsize n) {
  out_.write(s, n);
  text_.append(s, static_cast<std::size_t>(n));
  return n;
}

int SettingsFile::TeeBuffer::sync() {
  out_.flush();
  return 0;
}

SettingsFile::SettingsFile(std::optional<fs::path> file, std::ostream& warnings)
    : file_(std::move(file)), tee_(warnings), tee_stream_(&tee_) {
  if (!file_) {
    warnings << "noemie-viewer: no settings file path (neither NOEMIE_VIEWER_SETTINGS, "
                "XDG_CONFIG_HOME nor HOME is set); settings are kept for this run only\n";
    registry_ = std::make_unique<store::MemoryRegistry>();
    return;
  }
  auto store = std::make_unique<store::RegFileRegistry>(*file_, tee_stream_);
  store->hold_saves(true);
  file_store_ = store.get();
  registry_ = std::move(store);
  if (tee_.text().empty()) return;

  // The store has already said what happened on standard error; the user is told in French
  // whether a copy of the file was kept (it could be parsed only in part) or the file was left
  // as it is (it could not be read at all, or not be copied).
  const fs::path bad = file_store_->bad_copy_path();
  const bool kept_aside = same_bytes(bad, *file_);
  const std::string name = viewer::display_name(*file_);
  if (kept_aside) {
    load_problem_ = "Le fichier des r\xE9glages " + name +
                    " n'a pas pu \xEAtre lu enti\xE8rement.\r\n"
                    "Le programme continue avec ce qui a pu en \xEAtre lu ; le fichier tel qu'il "
                    "\xE9tait est conserv\xE9 sous " +
                    viewer::display_name(bad) + ".";
  } else {
    load_problem_ = "Le fichier des r\xE9glages " + name +
                    " n'a pas pu \xEAtre lu.\r\n"
                    "Le programme continue avec les r\xE9glages par d\xE9"
                    "faut ; ce fichier est laiss\xE9 tel quel et ne sera pas remplac\xE9.";
  }
}

SettingsFile::~SettingsFile() = default;

void SettingsFile::hold_saves(bool held) {
  if (file_store_) file_store_->hold_saves(held);
}

std::string SettingsFile::flush() {
  if (!file_store_ || file_store_->flush()) return {};
  return save_failure_message();
}

std::string SettingsFile::save_failure_message() const {
  if (!file_) return {};
  return settings_not_saved_message("dans le fichier " + viewer::display_name(*file_) +
                                    ".\r\nLe fichier pr\xE9"
                                    "c\xE9"
                                    "dent est laiss\xE9 tel quel.");
}

}  // namespace noemie::app
