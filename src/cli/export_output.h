#pragma once
// Where the export command writes its bytes: standard output, a device or pipe named by
// --output (written in place: /dev/null, /dev/stdout, a named pipe), or a regular file
// (replaced atomically by the viewer's own export, so a failure leaves a previous file as it
// was).

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace noemie::cli {

// What an --output name designates.
enum class OutputKind {
  StandardOutput,  // "-"
  Folder,          // an existing folder: never written
  Special,         // an existing file that is not a regular file (device, pipe, socket)
  RegularFile,     // a regular file, existing or not (or a name that cannot be examined)
};

// The kind of `output`, following symbolic links.
OutputKind output_kind(const std::string& output);

// Makes the bytes to write and hands them to the sink it is given, piece by piece; false when
// the sink refused a piece.
using ByteMaker = std::function<bool(const std::function<bool(std::string_view)>& sink)>;

// Writes the bytes of `make` to `out` as they come and flushes it. "" on success, else a
// one-line description.
std::string write_to_stream(std::FILE* out, const ByteMaker& make, std::string_view what);

// Writes the Windows-1252 bytes of `make` to the terminal `out` as UTF-8 text (a Windows
// console as UTF-16), so that accents and the euro sign read right. "" or a one-line
// description.
std::string write_to_terminal(std::FILE* out, const ByteMaker& make);

// Writes the bytes of `make` where --output `output` says: standard output (as UTF-8 text to a
// terminal when `text`), an existing device or pipe in place, never a folder; a regular file
// through `to_file`, which replaces it whole or not at all. "" or a one-line error (UTF-8).
std::string write_output(const std::string& output, const ByteMaker& make, bool text,
                         const std::function<std::string(const std::filesystem::path&)>& to_file);

// Writes the bytes of `make`, as they come, into the existing non-regular file `target`, opened
// for writing in place (never created, never replaced). "" on success, else a one-line
// description.
std::string write_in_place(const std::filesystem::path& target, const ByteMaker& make);

}  // namespace noemie::cli
