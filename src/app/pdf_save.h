#pragma once
// "Fichier PDF", as both windows do it: asks for a file, writes the printout of the rows shown
// (or of the transfers window's table) there as a PDF file, and says so in a message box when
// it could not.

#include <filesystem>
#include <functional>

#include "core/platform/dialogs.h"
#include "print/document.h"
#include "print/print_heading.h"

namespace noemie::viewer {
class Viewer;
}

namespace noemie::app {

class PdfSave {
 public:
  // Asks for a file ("Choisissez un fichier", PDF files first) in the folder of the last file
  // chosen this run, adds ".pdf" to a name without that extension, and writes the printout of
  // what `viewer` shows, dated `date`, replacing the file whole or not at all. A file that
  // could not be written is said in a message box ("...\r\nAucun fichier existant n'a été
  // modifié.", caption "Velmora-Attention !"). Returns true when a file was written; a
  // cancelled choice writes nothing.
  bool run(const viewer::Viewer& viewer, platform::Dialogs& dialogs, const print::PrintDate& date);
  // The same, dated now.
  bool run(const viewer::Viewer& viewer, platform::Dialogs& dialogs);
  // The same for the printout that `document` makes, once a file is chosen, dated `date`.
  bool run(const std::function<print::Document(const print::PrintDate&)>& document,
           platform::Dialogs& dialogs, const print::PrintDate& date);

  // Where the next choice opens.
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace noemie::app
