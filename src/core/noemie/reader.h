#pragma once
// The reader of NOEMIE return files: loads a file, finds its message, and walks its records
// into a ReturnRecord. Faults go to a FaultReporter as a code and a position.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/noemie/fault_report.h"
#include "core/noemie/file_loading.h"
#include "core/noemie/return_record.h"
#include "core/platform/file_stamp.h"

namespace noemie {

// A fault met by the last read, silent ones (9, 10) included.
struct ParseFault {
  int code = 0;
  std::int64_t position = 0;
};

class NoemieReader {
 public:
  // Faults are reported to `reporter`, which must outlive the reader.
  explicit NoemieReader(FaultReporter& reporter) : reporter_(reporter) {}

  // Reads the whole file at `path` and parses it with lit_mem_noemie. Remembers `path` for
  // the fault reports. A file that cannot be opened (missing, a dangling link, no
  // permission, not a regular file) is code 0 at position 0, with start -1; no memory for
  // its content is code 1 at 0. Only the bytes actually read are parsed.
  // `abrege` is the `noemie abrege` setting: consecutive detail lines merge into one entry.
  void lit_fichier_noemie(const std::filesystem::path& path, ReturnRecord& rec, bool abrege);
  // The same for a file whose stamp a folder listing just gave as `listed` (see load_file).
  void lit_fichier_noemie(const std::filesystem::path& path, const platform::FileStamp* listed,
                          ReturnRecord& rec, bool abrege);

  // Parses `size` bytes at `data` into `rec`, which is emptied first (`entete` and `euro`
  // keep their values until a header is found). The outcome is `rec.valide`; faults are
  // reported with the remembered path. Never reads outside the `size` bytes, and keeps no
  // reference to them.
  void lit_mem_noemie(const unsigned char* data, std::size_t size, ReturnRecord& rec, bool abrege);

  // Where the message starts in the data of the last read, -1 when it was not found.
  std::int64_t debut_detecte() const { return debut_detecte_; }

  // The path of the last file read (empty before any lit_fichier_noemie).
  const std::filesystem::path& chemin() const { return chemin_; }

  // The last modification of the last file read, as a file time (100-ns units since 1601,
  // UTC); 0 when it could not be opened.
  std::int64_t file_time() const { return file_time_; }
  // The stamp of the last file read as it was before its bytes were read; nothing when it
  // could not be opened, or changed while it was read.
  const std::optional<platform::FileStamp>& stamp() const { return stamp_; }

  // The fault that ended the last read (the silent ones included), if any.
  const std::optional<ParseFault>& derniere_erreur() const { return derniere_erreur_; }

 private:
  void start_read(ReturnRecord& rec);
  void erreur(int code, std::int64_t position);

  FaultReporter& reporter_;
  std::int64_t debut_detecte_ = -1;
  std::int64_t file_time_ = 0;
  std::optional<platform::FileStamp> stamp_;
  std::filesystem::path chemin_;
  std::optional<ParseFault> derniere_erreur_;
  // The bytes of the file being read; its room serves the next file.
  FileBuffer buffer_;
};

}  // namespace noemie
