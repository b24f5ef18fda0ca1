#include "app/pdf_save.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>

#include "core/store/atomic_file.h"
#include "core/viewer/folder_scan.h"
#include "core/viewer/viewer.h"
#include "print/list_layout.h"
#include "print/pdf_writer.h"

namespace noemie::app {
namespace {

namespace fs = std::filesystem;

bool has_pdf_extension(const fs::path& file) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".pdf";
}

}  // namespace

bool PdfSave::run(const viewer::Viewer& viewer, platform::Dialogs& dialogs,
                  const print::PrintDate& date) {
  return run([&viewer](const print::PrintDate& d) { return print::list_document(viewer, d); },
             dialogs, date);
}

bool PdfSave::run(const std::function<print::Document(const print::PrintDate&)>& document,
                  platform::Dialogs& dialogs, const print::PrintDate& date) {
  const std::optional<fs::path> chosen = dialogs.choose_save_file(
      "Choisissez un fichier", {{"Fichiers PDF", "*.PDF"}, {"Tous les fichiers", "*.*"}}, folder_);
  if (!chosen) return false;
  fs::path target = *chosen;
  if (!has_pdf_extension(target)) target += ".pdf";
  folder_ = target.parent_path();
  const std::string error = store::write_file_atomically(target, print::pdf_bytes(document(date)));
  if (error.empty()) return true;
  dialogs.message_box(
      "Impossible d'\xE9"
      "crire le fichier " +
          viewer::display_name(target) + ".\r\nAucun fichier existant n'a \xE9t\xE9 modifi\xE9.",
      viewer::kViewerWarningCaption, platform::MessageIcon::Warning);
  return false;
}

bool PdfSave::run(const viewer::Viewer& viewer, platform::Dialogs& dialogs) {
  return run(viewer, dialogs, print::local_date(std::chrono::system_clock::now()));
}

}  // namespace noemie::app
