#pragma once
// The walk over the records of a NOEMIE message, once its header has been found: record
// types and levels, the entry each record goes to, the separator form, closing records, the
// bank transfers and the entries that belong to each, and the faults that end the walk.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/noemie/record_layouts.h"
#include "core/noemie/record_view.h"
#include "core/noemie/return_record.h"

namespace noemie::parsing {

// How a walk ended.
struct WalkOutcome {
  // 1 when the walk reached its end or stopped after a fault that keeps the entries.
  std::int8_t valide = 1;
  // The fault to report (1, 3, 4, 6, 7 or 8), or -1 when there is none.
  int code = -1;
  // The fault's position, counted from the window's first character (the header's first).
  std::int64_t position = 0;
};

// One walk. `entries` must hold the first (zero-filled) entry; records are read into its
// last entry, and entries are added one at a time as records start them. Each 07x record adds
// a transfer to `virements` (see Virement), and each entry's `virement` says which it belongs
// to; the transfers change nothing else the walk reads.
class RecordWalk {
 public:
  // `window` starts at the header; the walk starts at window position 128. `abrege` merges
  // consecutive detail lines into one entry. `destinataire_sm` says whether the header's
  // `destinataire` begins with "SM00000005001051" (the date-order rule of 21x lines).
  RecordWalk(Window window, bool abrege, bool destinataire_sm, std::vector<ReturnEntry>& entries,
             std::vector<Virement>& virements);

  // Walks the records and says how it ended. Call once.
  WalkOutcome run();

 private:
  enum class Form : std::uint8_t { kUnknown, kAt, kSpace, kC3 };
  enum class EntryState : std::uint8_t { kOpen, kClosed, kAfterLine };
  // What a record leaves the walk to do (kNoMemory: what it adds could not be kept).
  enum class Next : std::uint8_t { kGoOn, kLast, kStop, kNoMemory };

  static constexpr std::size_t kLevels = 50;

  // Adds an entry when a record does not belong to the current one. False when the array
  // could not grow.
  bool start_entry(int family);
  // Reads the record at `p` by its layout.
  Next read_record(Layout layout, const RecordView& r, int level);
  Next read_cloture(const RecordView& r, int level);
  // A 07x record makes a transfer, the current one, to which the current entry now belongs.
  // False when the list of transfers could not grow.
  bool start_virement(Layout layout, const RecordView& r, int level);
  // A closing record at `level`, not one that stops the walk, ends the current transfer when
  // its level is not above the transfer's.
  void end_virement(const RecordView& r, int level);
  ReturnEntry& current() { return entries_.back(); }

  Window window_;
  bool abrege_;
  bool destinataire_sm_;
  std::vector<ReturnEntry>& entries_;
  std::vector<Virement>& virements_;

  Form form_ = Form::kUnknown;
  EntryState state_ = EntryState::kOpen;
  bool merging_ = false;
  // The family of the last record seen at each level, 0 once the level has been closed.
  std::array<std::uint8_t, kLevels> levels_{};
  // The index of the current transfer in virements_, or kAucunVirement.
  std::int32_t current_virement_ = kAucunVirement;
  WalkOutcome outcome_;
};

}  // namespace noemie::parsing
