#pragma once
// The three export formats written out plainly from rows of cell texts, as the viewer's
// export is described, so that the export command's output can be compared whole.

#include <array>
#include <string>
#include <vector>

#include "support/list_titles.h"

namespace noemie::testing {

using CellRow = std::array<std::string, 17>;
using Widths = std::array<int, 17>;

// Column titles of the list (Windows-1252).
inline const CellRow kColumnTitles = [] {
  CellRow titles;
  for (std::size_t c = 0; c < titles.size(); ++c) titles[c] = kListTitles[c];
  return titles;
}();

// Column widths stored by default for the kind filters "Toutes" (0) to "Autres" (3).
inline const std::array<Widths, 4> kDefaultWidths = {{
    {20, 50, 55, 55, 70, 60, 140, 30, 40, 70, 35, 55, 40, 55, 40, 55, 300},
    {20, 50, 55, 25, 60, 50, 140, 30, 40, 70, 35, 55, 40, 55, 40, 55, 300},
    {20, 50, 55, 55, 70, 60, 140, 30, 40, 0, 0, 0, 0, 0, 0, 0, 300},
    {20, 50, 55, 55, 70, 60, 140, 30, 40, 70, 35, 55, 40, 55, 40, 55, 300},
}};

inline const std::string kCaption = "Affichage NOEMIE (ARL/ARX/RSP) v1.1.3";

// Text: each cell cut or padded with blanks to width / 7 characters, then "|".
inline std::string text_export(const std::vector<CellRow>& rows, const Widths& widths) {
  std::string out;
  const auto line = [&](const CellRow& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
      std::string cell = cells[c].substr(0, static_cast<std::size_t>(widths[c] / 7));
      cell.resize(static_cast<std::size_t>(widths[c] / 7), ' ');
      out += cell + "|";
    }
    out += "\r\n";
  };
  line(kColumnTitles);
  for (const auto& r : rows) line(r);
  return out;
}

// Excel: each cell followed by a tab.
inline std::string excel_export(const std::vector<CellRow>& rows) {
  std::string out;
  const auto line = [&](const CellRow& cells) {
    for (const auto& cell : cells) out += cell + "\t";
    out += "\r\n";
  };
  line(kColumnTitles);
  for (const auto& r : rows) line(r);
  return out;
}

inline std::string html_escaped(const std::string& text) {
  std::string out;
  for (const char ch : text) {
    if (ch == '&') {
      out += "&amp;";
    } else if (ch == '<') {
      out += "&lt;";
    } else if (ch == '>') {
      out += "&gt;";
    } else {
      out += ch;
    }
  }
  return out;
}

// HTML: one line, no closing body or html tag.
inline std::string html_export(const std::vector<CellRow>& rows) {
  std::string out = "<html><head><title>" + html_escaped(kCaption) + "</title>" +
                    "<meta http-equiv=\"content-type\" content=\"text/html; "
                    "charset=windows-1252\">" +
                    "</head><body bgcolor=\"#E0FFFF\" text=\"#000000\" link=\"#000080\">" +
                    "<table border=\"1\" cellpadding=\"1\" cellspacing=\"0\"><tr>";
  for (const auto& title : kColumnTitles) out += "<td>" + html_escaped(title) + "</td>";
  out += "</tr>";
  for (const auto& r : rows) {
    out += "<tr>";
    for (const auto& cell : r) out += "<td>" + html_escaped(cell) + "</td>";
    out += "</tr>";
  }
  out += "</table>";
  return out;
}

}  // namespace noemie::testing
