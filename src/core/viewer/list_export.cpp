#include "core/viewer/list_export.h"

#include <algorithm>
#include <cctype>

namespace noemie::viewer {
namespace {

// The list never gives more than this many characters of a cell or a title.
constexpr std::size_t kMaxCellChars = 4999;
// Widths are noted for at most this many columns.
constexpr int kMaxColumns = 50;
// A text-mode cell takes one character per this many pixels of its column.
constexpr int kPixelsPerChar = 7;

char lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool contains_ignoring_case(std::string_view text, std::string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

void end_line(std::string& out, ExportMode mode) {
  out += mode == ExportMode::Html ? "</tr>" : "\r\n";
}

}  // namespace

std::vector<platform::FileFilter> export_filters(ExportMode mode) {
  switch (mode) {
    case ExportMode::Excel:
      return {{"Fichiers Excel", "*.XLS"}, {"Tous les fichiers", "*.*"}};
    case ExportMode::Html:
      return {{"Fichiers HTML", "*.HTML"}, {"Tous les fichiers", "*.*"}};
    case ExportMode::Text:
      break;
  }
  return {{"Fichiers Texte", "*.TXT"}, {"Tous les fichiers", "*.*"}};
}

std::string_view export_extension(ExportMode mode) {
  switch (mode) {
    case ExportMode::Excel:
      return ".xls";
    case ExportMode::Html:
      return ".html";
    case ExportMode::Text:
      break;
  }
  return ".txt";
}

std::string with_export_extension(std::string_view name, ExportMode mode) {
  std::string result(name);
  const std::string_view ext = export_extension(mode);
  if (!contains_ignoring_case(name, ext)) result += ext;
  return result;
}

std::string html_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void sav_write_data(std::string& out, std::string_view cell, int width, ExportMode mode) {
  cell = text::first_chars(text::c_text(cell), kMaxCellChars);
  switch (mode) {
    case ExportMode::Text: {
      const auto w = static_cast<std::size_t>(std::max(width, 0) / kPixelsPerChar);
      const std::string_view cut = text::first_chars(cell, w);
      out += cut;
      out.append(w - cut.size(), ' ');
      out += '|';
      break;
    }
    case ExportMode::Excel:
      out += cell;
      out += '\t';
      break;
    case ExportMode::Html:
      out += "<td>";
      out += html_escape(cell);
      out += "</td>";
      break;
  }
}

std::string export_list(const ListControl& list, ExportMode mode, std::string_view window_title) {
  std::string out;
  if (mode == ExportMode::Html) {
    out += "<html><head><title>";
    out += html_escape(window_title);
    out += "</title>";
    out += "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1252\">";
    out += "</head><body bgcolor=\"#E0FFFF\" text=\"#000000\" link=\"#000080\">";
    out += "<table border=\"1\" cellpadding=\"1\" cellspacing=\"0\"><tr>";
  }
  // Header: the widths are noted once, as the titles are written.
  std::vector<int> widths;
  for (int c = 0; list.column(c) != nullptr; ++c) {
    const int width = list.column_width(c);
    if (c < kMaxColumns) widths.push_back(width);
    sav_write_data(out, list.column(c)->title, width, mode);
  }
  end_line(out, mode);
  const int columns = static_cast<int>(widths.size());
  for (int r = 0; r < list.row_count(); ++r) {
    if (mode == ExportMode::Html) out += "<tr>";
    for (int c = 0; c < columns; ++c) {
      sav_write_data(out, list.cell(r, c), widths[static_cast<std::size_t>(c)], mode);
    }
    end_line(out, mode);
  }
  if (mode == ExportMode::Html) out += "</table>";
  return out;
}

}  // namespace noemie::viewer
