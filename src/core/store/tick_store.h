#pragma once
// The ticks ("Pointé") of bank transfers, kept between runs in "RSPpointage.dat" beside the
// flag file "RSPstate.dat" (in the archive folder of `path_arch`). Saved as the marks are: at
// once when a tick changes, under the file's lock, reading the file as it is now and putting in
// this run's changes only, replacing it whole and atomically. Two viewers on one folder thus
// keep each other's ticks, and a run killed at any moment leaves the old file or the new one.
//
// The file is Windows-1252 text, lines ended by CR LF (a lone LF is read too):
//
//   NOEMIE-POINTAGE 1
//   <file number> TAB <rank> TAB <date> TAB <reference>
//   ...
//
// one line per ticked transfer, in ascending order: the file number of its return file (the
// leading digits of its name, as the marks have it, so that a return and its archived copy
// share their ticks), its rank among that file's transfers (from 1), its accounting date as the
// transfer list shows it ("DD/MM/YYYY", may be empty) and its reference (may be empty). The date
// and the reference make sure that a file rewritten with other transfers does not show the old
// ticks on them. In the last two fields, "%" and the bytes below 0x20 are written "%XX" (two
// upper-case hex digits). An empty file holds no ticks; a file with any other line is not
// read, and never written over, until it is mended.

#include <compare>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/shared_file.h"

namespace noemie::store {

inline constexpr std::string_view kTickFileName = "RSPpointage.dat";
// The first line of a tick file.
inline constexpr std::string_view kTickFileHeading = "NOEMIE-POINTAGE 1";

// The tick file of an archive folder: `path_arch` followed directly by "RSPpointage.dat".
std::filesystem::path tick_file_path(std::string_view path_arch);

// A ticked transfer.
struct TickKey {
  std::uint64_t file_number = 0;
  std::int32_t position = 0;  // its place among its file's transfers, from 0 (rank - 1)
  std::string date;
  std::string reference;
  auto operator<=>(const TickKey&) const = default;
};

// The ticks a file's bytes hold, or nothing with `error` saying which line is wrong (French,
// Windows-1252: "ligne 3 : ...").
std::optional<std::set<TickKey>> parse_tick_file(std::string_view bytes, std::string& error);
// The bytes of a file holding `ticks`.
std::string tick_file_bytes(const std::set<TickKey>& ticks);

class TickStore {
 public:
  explicit TickStore(std::filesystem::path file);

  const std::filesystem::path& file() const { return file_; }

  // Reads the ticks from the file (a missing file holds none) and forgets the changes of an
  // earlier load. "" or the message to show (Windows-1252) when the file cannot be read; no
  // tick is then known from it, and it is left as it is.
  std::string load();

  bool ticked(const TickKey& key) const;

  // Ticks or unticks a transfer and saves at once. "" or the message to show when the change
  // could not be saved: it is kept for the next save, and the file is left as it is.
  std::string set_ticked(const TickKey& key, bool ticked);
  // The same for several transfers, saved together.
  std::string set_ticked(const std::vector<TickKey>& keys, bool ticked);

  // Saves this run's changes (nothing when there are none), as described above; afterwards the
  // store also knows the ticks other programs saved. "" or the message to show.
  std::string save();

  bool has_changes() const { return !changes_.empty(); }

  // How saves lock and write the file (the lock wait; a full disk for tests).
  void set_save_options(const SharedFileOptions& options) { save_options_ = options; }

 private:
  std::filesystem::path file_;
  SharedFileOptions save_options_;
  std::set<TickKey> ticks_;
  // This run's changes not yet saved: ticked (true) or unticked (false).
  std::map<TickKey, bool> changes_;
};

}  // namespace noemie::store
