#include "core/viewer/list_export.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "core/viewer/ordered_work.h"

namespace noemie::viewer {
namespace {

// Rows written at a time.
constexpr std::size_t kRowsPerPiece = 4096;
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

namespace {

// Appends `text` with "&", "<" and ">" written as entities, the runs between them whole.
void append_escaped(std::string& out, std::string_view text) {
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '&' && c != '<' && c != '>') continue;
    out.append(text.data() + run, i - run);
    out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
}

// Appends one cell whose text holds no NUL (a cell as the list holds it) in the form of the
// mode.
void append_cell(std::string& out, std::string_view cell, int width, ExportMode mode) {
  cell = text::first_chars(cell, kMaxCellChars);
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
      append_escaped(out, cell);
      out += "</td>";
      break;
  }
}

using Texts = std::array<std::string_view, kColumnCount>;

// Cell `column` of a row's texts; empty past the list's columns (a list may have more columns
// than rows have cells).
std::string_view cell_of(const Texts& texts, std::size_t column) {
  return column < texts.size() ? texts[column] : std::string_view();
}

// Copies the `n` bytes at `from` to `to`. Cells are mostly short: up to 16 bytes take two
// overlapping loads and stores, without a call.
inline void copy_cell(char* to, const char* from, std::size_t n) {
  if (n >= 8 && n <= 16) {
    std::uint64_t head, tail;
    std::memcpy(&head, from, 8);
    std::memcpy(&tail, from + n - 8, 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + n - 8, &tail, 8);
  } else if (n >= 4 && n < 8) {
    std::uint32_t head, tail;
    std::memcpy(&head, from, 4);
    std::memcpy(&tail, from + n - 4, 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + n - 4, &tail, 4);
  } else if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
  } else {
    std::memcpy(to, from, n);
  }
}

// The rows in text form, in place of what `out` held: every cell cut or padded to its
// column's characters, then "|". The lines all have the same length: each is laid out blank,
// then its cells are copied into place, while the line is in the cache. (`out` keeps its size
// from piece to piece: it is not emptied and filled with blanks again for each.)
template <typename Rows>
void write_text_rows(std::string& out, const Rows& list, const std::vector<int>& widths, int first,
                     int last) {
  // Each column's characters, and the most of a cell it shows.
  std::vector<std::size_t> chars, shown;
  std::string blank;
  for (const int w : widths) {
    chars.push_back(static_cast<std::size_t>(std::max(w, 0) / kPixelsPerChar));
    shown.push_back(std::min(chars.back(), kMaxCellChars));
    blank.append(chars.back(), ' ');
    blank += '|';
  }
  blank += "\r\n";
  const std::size_t line = blank.size();
  out.resize(static_cast<std::size_t>(last - first) * line);
  // Held in locals: the bytes written could, for all the compiler knows, change whatever a
  // pointer reaches, which would otherwise be read again for every cell.
  const std::size_t columns = chars.size();
  const std::size_t* const column_chars = chars.data();
  const std::size_t* const column_shown = shown.data();
  const char* const blank_line = blank.data();
  char* p = out.data();
  Texts texts;
  for (int r = first; r < last; ++r) {
    std::memcpy(p, blank_line, line);
    list.row_cells(r, texts);
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string_view cell = text::first_chars(cell_of(texts, c), column_shown[c]);
      copy_cell(p, cell.data(), cell.size());
      p += column_chars[c] + 1;
    }
    p += 2;
  }
}

// The rows in Excel form: each cell and a tab, a line end after each row; sized first, then
// copied.
template <typename Rows>
void write_excel_rows(std::string& out, const Rows& list, std::size_t columns, int first,
                      int last) {
  std::size_t size = 0;
  Texts texts;
  for (int r = first; r < last; ++r) {
    list.row_cells(r, texts);
    size += 2;
    for (std::size_t c = 0; c < columns; ++c) {
      size += std::min(cell_of(texts, c).size(), kMaxCellChars) + 1;
    }
  }
  const std::size_t start = out.size();
  out.resize(start + size);
  char* p = out.data() + start;
  for (int r = first; r < last; ++r) {
    list.row_cells(r, texts);
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string_view cell = text::first_chars(cell_of(texts, c), kMaxCellChars);
      if (!cell.empty()) std::memcpy(p, cell.data(), cell.size());
      p += cell.size();
      *p++ = '\t';
    }
    *p++ = '\r';
    *p++ = '\n';
  }
}

// Characters "&", "<" and ">" add to a text when they are written as entities.
std::size_t escape_growth(std::string_view text) {
  std::size_t growth = 0;
  for (const char c : text) growth += c == '&' ? 4 : (c == '<' || c == '>') ? 3 : 0;
  return growth;
}

// Writes `text` escaped at `p`; returns the position after it.
char* put_escaped(char* p, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        std::memcpy(p, "&amp;", 5);
        p += 5;
        break;
      case '<':
        std::memcpy(p, "&lt;", 4);
        p += 4;
        break;
      case '>':
        std::memcpy(p, "&gt;", 4);
        p += 4;
        break;
      default:
        *p++ = c;
    }
  }
  return p;
}

char* put(char* p, std::string_view text) {
  std::memcpy(p, text.data(), text.size());
  return p + text.size();
}

// The rows in HTML form: sized first (escapes included), then written into place.
template <typename Rows>
void write_html_rows(std::string& out, const Rows& list, std::size_t columns, int first, int last) {
  constexpr std::string_view kRowStart = "<tr>", kRowEnd = "</tr>";
  constexpr std::string_view kCellStart = "<td>", kCellEnd = "</td>";
  std::size_t size = 0;
  Texts texts;
  for (int r = first; r < last; ++r) {
    list.row_cells(r, texts);
    size += kRowStart.size() + kRowEnd.size();
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string_view cell = text::first_chars(cell_of(texts, c), kMaxCellChars);
      size += kCellStart.size() + kCellEnd.size() + cell.size() + escape_growth(cell);
    }
  }
  const std::size_t start = out.size();
  out.resize(start + size);
  char* p = out.data() + start;
  for (int r = first; r < last; ++r) {
    list.row_cells(r, texts);
    p = put(p, kRowStart);
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string_view cell = text::first_chars(cell_of(texts, c), kMaxCellChars);
      p = put(p, kCellStart);
      p = put_escaped(p, cell);
      p = put(p, kCellEnd);
    }
    p = put(p, kRowEnd);
  }
}

// The rows [first, last) of `rows` (a ListControl, or BlockRows) in the form of `mode`, in place
// of what `out` held.
template <typename Rows>
void write_rows(std::string& out, const Rows& rows, ExportMode mode, const std::vector<int>& widths,
                int first, int last) {
  switch (mode) {
    case ExportMode::Text:
      write_text_rows(out, rows, widths, first, last);
      break;
    case ExportMode::Excel:
      out.clear();
      write_excel_rows(out, rows, widths.size(), first, last);
      break;
    case ExportMode::Html:
      out.clear();
      write_html_rows(out, rows, widths.size(), first, last);
      break;
  }
}

// The rows of a block, as the export reads a list's.
struct BlockRows {
  const RowBlock& block;
  void row_cells(int row, Texts& out) const { block.cells(static_cast<std::size_t>(row), out); }
};

}  // namespace

std::string html_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  append_escaped(out, text);
  return out;
}

std::string html_export_head(std::string_view window_title) {
  std::string head = "<html><head><title>";
  head += html_escape(window_title);
  head += "</title>";
  head += "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1252\">";
  head += "</head><body bgcolor=\"#E0FFFF\" text=\"#000000\" link=\"#000080\">";
  head += "<table border=\"1\" cellpadding=\"1\" cellspacing=\"0\"><tr>";
  return head;
}

void end_export_line(std::string& out, ExportMode mode) {
  out += mode == ExportMode::Html ? "</tr>" : "\r\n";
}

void sav_write_data(std::string& out, std::string_view cell, int width, ExportMode mode) {
  append_cell(out, text::c_text(cell), width, mode);
}

ExportLayout export_layout(const ListControl& list) {
  ExportLayout layout;
  for (int c = 0; list.column(c) != nullptr && c < kMaxColumns; ++c) {
    layout.widths.push_back(list.column_width(c));
  }
  return layout;
}

std::string export_head(const ListControl& list, ExportMode mode, std::string_view window_title) {
  std::string head = mode == ExportMode::Html ? html_export_head(window_title) : std::string();
  for (int c = 0; list.column(c) != nullptr; ++c) {
    sav_write_data(head, list.column(c)->title, list.column_width(c), mode);
  }
  end_export_line(head, mode);
  return head;
}

std::string_view export_tail(ExportMode mode) {
  return mode == ExportMode::Html ? "</table>" : "";
}

void write_block_rows(std::string& out, const RowBlock& block, ExportMode mode,
                      const ExportLayout& layout) {
  write_rows(out, BlockRows{block}, mode, layout.widths, 0, static_cast<int>(block.row_count()));
}

bool write_list(const ListControl& list, ExportMode mode, std::string_view window_title,
                const ExportSink& sink, unsigned threads) {
  // The widths of the moment, noted once for the whole file.
  const ExportLayout layout = export_layout(list);
  if (!sink(export_head(list, mode, window_title))) return false;

  // The rows go in pieces, made on every thread and written in order; a few pieces wait at a
  // time, so that the export never stands whole in memory.
  const int rows = list.row_count();
  const std::size_t pieces = (static_cast<std::size_t>(rows) + kRowsPerPiece - 1) / kRowsPerPiece;
  const std::size_t window = 2 * std::max(threads, 1u);
  std::vector<std::string> made(window);
  bool written = true;
  run_in_order(
      pieces, threads,
      [&](std::size_t i, unsigned) {
        const int first = static_cast<int>(i * kRowsPerPiece);
        const int last = std::min(rows, first + static_cast<int>(kRowsPerPiece));
        write_rows(made[i % window], list, mode, layout.widths, first, last);
      },
      [&](std::size_t i) {
        if (written) written = sink(made[i % window]);
      },
      window);
  if (!written) return false;
  const std::string_view tail = export_tail(mode);
  return tail.empty() || sink(tail);
}

std::string export_list(const ListControl& list, ExportMode mode, std::string_view window_title) {
  std::string out;
  write_list(list, mode, window_title, [&out](std::string_view bytes) {
    out += bytes;
    return true;
  });
  return out;
}

}  // namespace noemie::viewer
