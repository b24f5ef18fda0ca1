#pragma once
// Where the export command writes its bytes: standard output, a device or pipe named by
// --output (written in place: /dev/null, /dev/stdout, a named pipe), or a regular file
// (replaced atomically by the viewer's own export, so a failure leaves a previous file as it
// was).

#include <cstdio>
#include <filesystem>
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

// Writes `bytes` to `out` and flushes it. "" on success, else a one-line description.
std::string write_to_stream(std::FILE* out, std::string_view bytes, std::string_view what);

// Writes `bytes` into the existing non-regular file `target`, opened for writing in place
// (never created, never replaced). "" on success, else a one-line description.
std::string write_in_place(const std::filesystem::path& target, std::string_view bytes);

}  // namespace noemie::cli
