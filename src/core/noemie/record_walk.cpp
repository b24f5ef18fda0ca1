#include "core/noemie/record_walk.h"

#include <cstring>
#include <new>

#include "core/noemie/detail_lines.h"

namespace noemie::parsing {
namespace {

constexpr std::size_t kFirstRecord = 128;  // the message follows its 128-character header
constexpr int kFamilyCloture = 99;
constexpr int kFamilyNoEntry = 25;  // records of this family never start an entry
constexpr int kLevelNone = 99;      // a record at this level takes no level slot
// A closing record is read only when this many characters follow its offset 4.
constexpr std::size_t kClotureRoom = 38;

bool is_digit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// The value of the character `c` as a digit, without validation.
int digit_value(unsigned char c) {
  return static_cast<int>(c) - '0';
}

}  // namespace

RecordWalk::RecordWalk(Window window, bool abrege, bool destinataire_sm,
                       std::vector<ReturnEntry>& entries, std::vector<Virement>& virements)
    : window_(window),
      abrege_(abrege),
      destinataire_sm_(destinataire_sm),
      entries_(entries),
      virements_(virements) {}

bool RecordWalk::start_entry(int family) {
  if (family == kFamilyCloture || family == kFamilyNoEntry || state_ == EntryState::kOpen) {
    return true;
  }
  if (state_ == EntryState::kAfterLine && abrege_) {
    merging_ = true;  // the record joins the line's entry
    return true;
  }
  try {
    entries_.emplace_back();
  } catch (const std::bad_alloc&) {
    return false;
  }
  // Until a 07x record is read into it, the entry belongs to the transfer current now.
  entries_.back().virement = current_virement_;
  state_ = EntryState::kOpen;
  merging_ = false;
  return true;
}

bool RecordWalk::start_virement(Layout layout, const RecordView& r, int level) {
  Virement v;
  read_text<6>(r, 5, v.date_comptable);
  if (layout == Layout::kVirement) {
    read_text<32>(r, 11, v.ref_virement1);
    read_text<32>(r, 43, v.ref_virement2);
    read_text<10>(r, 75, v.ref_virement3);
  }
  v.niveau = level;
  try {
    virements_.push_back(v);
  } catch (const std::bad_alloc&) {
    return false;
  }
  current_virement_ = static_cast<std::int32_t>(virements_.size() - 1);
  current().virement = current_virement_;
  return true;
}

void RecordWalk::end_virement(const RecordView& r, int level) {
  if (current_virement_ == kAucunVirement) return;
  Virement& v = virements_[static_cast<std::size_t>(current_virement_)];
  if (level > v.niveau) return;
  if (r.room_from(4) >= kClotureRoom) v.montant_annonce = decimal_value(r.at(31), 10);
  current_virement_ = kAucunVirement;
}

RecordWalk::Next RecordWalk::read_cloture(const RecordView& r, int level) {
  // Levels 50 and above (99 among them) have no slot: no check, nothing touched.
  const bool has_slot = level < static_cast<int>(kLevels);
  const auto slot = static_cast<std::size_t>(level);
  if (state_ == EntryState::kClosed) {
    // A second closing record in a row is passed over, but still closes its level.
    if (has_slot) levels_[slot] = 0;
    end_virement(r, level);
    return Next::kGoOn;
  }
  if (has_slot && levels_[slot] == 0) {
    outcome_ = {0, 4, static_cast<std::int64_t>(r.start()) + 4};
    return Next::kStop;
  }
  if (has_slot) levels_[slot] = 0;
  end_virement(r, level);
  ReturnEntry& e = current();
  if (r.room_from(4) < kClotureRoom) {
    // A cut closing record: no totals, and nothing after it is read.
    e.valeur_fin = 0;
    e.montant_total = 0;
    return Next::kLast;
  }
  e.valeur_fin = low_32(decimal_value(r.at(23), 7));
  e.montant_total = decimal_value(r.at(31), 10);
  state_ = EntryState::kClosed;
  return Next::kGoOn;
}

RecordWalk::Next RecordWalk::read_record(Layout layout, const RecordView& r, int level) {
  switch (layout) {
    case Layout::kLigne21:
      read_ligne_21x(r, {merging_, destinataire_sm_, form_ == Form::kAt}, current());
      state_ = EntryState::kAfterLine;
      return Next::kGoOn;
    case Layout::kLigne22:
      read_ligne_22x(r, current());
      state_ = EntryState::kAfterLine;
      return Next::kGoOn;
    case Layout::kMessage:
      read_message_29x(r, 15, current());
      return Next::kGoOn;
    case Layout::kMessage290:
      read_message_29x(r, 17, current());
      return Next::kGoOn;
    case Layout::kCloture:
      return read_cloture(r, level);
    case Layout::kComptable:
    case Layout::kVirement:
      read_plain_layout(layout, r, current());
      return start_virement(layout, r, level) ? Next::kGoOn : Next::kNoMemory;
    default:
      read_plain_layout(layout, r, current());
      return Next::kGoOn;
  }
}

WalkOutcome RecordWalk::run() {
  const unsigned char* const w = window_.data;
  const std::size_t size = window_.size;
  std::size_t pos = kFirstRecord;
  while (pos < size) {
    // Whatever stands before the next digit is passed over.
    while (pos < size && !is_digit(w[pos])) ++pos;
    if (pos >= size) break;
    const std::size_t p = pos;
    // A record whose type and level are cut by the end of the data is not read.
    if (size - p < 5) break;
    const RecordView r(window_, p);

    const unsigned char third = w[p + 2];
    const int family = digit_value(w[p]) * 10 + digit_value(w[p + 1]);
    // An end type: third digit 9, except 199.
    if (third == '9' && family != 19) break;

    int level = digit_value(w[p + 3]) * 10 + digit_value(w[p + 4]);
    if (level > 99 || level < 0) level = 0;
    if (level != kLevelNone && family != kFamilyCloture) {
      if (level >= static_cast<int>(kLevels)) return {0, 3, static_cast<std::int64_t>(p) + 4};
      // A slot is one byte: it keeps the low 8 bits of the family.
      levels_[static_cast<std::size_t>(level)] = static_cast<std::uint8_t>(family);
    }

    if (!start_entry(family)) return {1, 1, static_cast<std::int64_t>(p)};

    const Layout layout = layout_of(family, third);
    const Next next = read_record(layout, r, level);
    if (next == Next::kStop) return outcome_;
    if (next == Next::kNoMemory) return {1, 1, static_cast<std::int64_t>(p)};
    if (next == Next::kLast) break;

    const LayoutEnd layout_info = layout_end(layout);
    const std::size_t end = p + layout_info.end;
    if (form_ == Form::kUnknown) {
      // The first record sets the separator form with the character at its end. When that
      // end lies at or past the end of the data, the walk has reached its end, with no fault
      // (not even for a type without a fixed end).
      if (end >= size) break;
      if (!layout_info.fixed) return {1, 8, static_cast<std::int64_t>(end)};
      switch (w[end]) {
        case '@':
          form_ = Form::kAt;
          break;
        case ' ':
          form_ = Form::kSpace;
          break;
        case 0xC3:
          form_ = Form::kC3;
          break;
        default:
          return {1, 6, static_cast<std::int64_t>(end)};
      }
    }
    // Blanks stand inside records, so in the space form only a fixed end tells where the
    // record stops.
    if (form_ == Form::kSpace && !layout_info.fixed) {
      return {1, 7, static_cast<std::int64_t>(end)};
    }

    // The next separator, from the record's end itself.
    if (end >= size) break;
    const unsigned char separator = form_ == Form::kAt ? '@' : form_ == Form::kSpace ? ' ' : 0xC3;
    const void* found = std::memchr(w + end, separator, size - end);
    if (found == nullptr) break;
    pos = static_cast<std::size_t>(static_cast<const unsigned char*>(found) - w);
  }
  return {1, -1, 0};
}

}  // namespace noemie::parsing
