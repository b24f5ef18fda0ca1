#pragma once
// What a printout of the list says around its rows: the heading of its first page and the
// summary after its last row, all Windows-1252.

#include <chrono>
#include <string>

namespace noemie::viewer {
class Viewer;
}

namespace noemie::print {

// A local date and time, to the minute.
struct PrintDate {
  int year = 1970;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
};

// `instant` in the system's local time.
PrintDate local_date(std::chrono::system_clock::time_point instant);

struct PrintHeading {
  std::string caption;  // the window's caption
  std::string folder;   // the folder viewed, as the list names files
  std::string filters;  // "Référence : Paiements - Depuis : 1 mois - ..."
  std::string find;     // empty: no find in force
  std::string printed;  // "Imprimé le 09/12/2026 à 14:05"
  std::string summary;  // the summary of the rows shown
};

// "Imprimé le dd/mm/yyyy à HH:MM".
std::string printed_line(const PrintDate& date);

// The heading of what `viewer` shows now, printed at `date`.
PrintHeading heading_of(const viewer::Viewer& viewer, const PrintDate& date);

}  // namespace noemie::print
