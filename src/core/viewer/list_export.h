#pragma once
// Writing the list as a text, Excel (tab-separated) or HTML file: every row in the list's
// current order, every column, with the column widths of the moment.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/viewer/list_control.h"

namespace noemie::viewer {

enum class ExportMode : int { Text = 0, Excel = 1, Html = 2 };

// The save dialog's filter list of a mode ("Fichiers Texte", "*.TXT"; "Tous les fichiers",
// "*.*"; ...).
std::vector<platform::FileFilter> export_filters(ExportMode mode);

// The extension ensured on an export file name: ".txt", ".xls" or ".html".
std::string_view export_extension(ExportMode mode);

// The name with the mode's extension appended in lower case, unless the name already contains
// it anywhere, case ignored ("liste" -> "liste.txt", "Liste.TXT" unchanged, "a.html.bak"
// unchanged in HTML mode).
std::string with_export_extension(std::string_view name, ExportMode mode);

// Appends one cell in the form of the mode. Text: cut or padded with blanks to width / 7
// characters, then "|". Excel: the text and a tab. HTML: "<td>", the text escaped, "</td>".
void sav_write_data(std::string& out, std::string_view cell, int width, ExportMode mode);

// "&", "<" and ">" written as entities; nothing else changes.
std::string html_escape(std::string_view text);

// The beginning of an HTML export, up to the "<tr>" of its header line: the head with
// `window_title` as the title, the body and the table.
std::string html_export_head(std::string_view window_title);

// Ends a line of an export: "</tr>" in HTML, a carriage return and a line feed otherwise.
void end_export_line(std::string& out, ExportMode mode);

// Takes an export piece by piece; returns false to stop it (a write failed).
using ExportSink = std::function<bool(std::string_view bytes)>;

// Hands the whole export file to `sink`, Windows-1252 bytes, in pieces of a few thousand rows
// made on `threads` threads (the pieces arrive in order, on the caller's thread). `window_title`
// is the HTML title. False when the sink stopped it.
bool write_list(const ListControl& list, ExportMode mode, std::string_view window_title,
                const ExportSink& sink, unsigned threads = 1);

// The columns an export writes, with their widths, as the list has them at the start of the
// export.
struct ExportLayout {
  std::vector<int> widths;
};
ExportLayout export_layout(const ListControl& list);
// What an export writes before its rows: the HTML head, then the line of column titles.
std::string export_head(const ListControl& list, ExportMode mode, std::string_view window_title);
// What it writes after them ("</table>" in HTML).
std::string_view export_tail(ExportMode mode);
// Every row of `block`, in order, as an export lays out a list's rows, in place of what `out`
// held: an export made file by file writes each file's rows as they are read.
void write_block_rows(std::string& out, const RowBlock& block, ExportMode mode,
                      const ExportLayout& layout);

// The whole export file, Windows-1252 bytes. `window_title` is the HTML title.
std::string export_list(const ListControl& list, ExportMode mode, std::string_view window_title);

}  // namespace noemie::viewer
