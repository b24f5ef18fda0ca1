#pragma once
// The record layouts of a NOEMIE message: which layout a record type selects, where the
// layout says the record ends, and the reading of the layouts that only copy fields into the
// current entry (detail lines, messages and closing records have their own files).

#include <cstdint>

#include "core/noemie/record_view.h"
#include "core/noemie/return_record.h"

namespace noemie::parsing {

// One layout per row of the format's table. The comments give the types that select it.
enum class Layout : std::uint8_t {
  kSansChamp20,    // 02x, 04x: no field
  kComptable,      // 07x other than 071: accounting date
  kVirement,       // 071: accounting date and bank-transfer reference
  kLot,            // 08x other than 081: batch date and number
  kRetour,         // 081: return type and its text
  kFacture,        // 10x other than 102 and 103: invoice number
  kFacture102,     // 102: invoice, batch, invoice type, date of the act, insurance codes
  kIdentite103,    // 103: insured person and patient
  kAssure,         // 11x: insured person
  kMalade,         // 12x: patient
  kSansChamp7,     // 15x: no field
  kZone16,         // 16x: zone_16
  kSansChamp19x,   // 190 to 197: no field
  kMontantAmo198,  // 198: AMO amount
  kMontantAmc199,  // 199: AMC amount
  kLigne21,        // 21x: detail line
  kLigne22,        // 22x: detail line
  kMessage,        // 29x other than 290: message text at 15
  kMessage290,     // 290: message text at 17
  kCloture,        // 990 to 998: closing record
  kAutre,          // any other type: no field
};

// Where a layout ends (offset from the first type digit) and whether that end is fixed.
// Only a layout with a fixed end may stand first or appear in the space-separated form.
struct LayoutEnd {
  std::uint8_t end;
  bool fixed;
};

// The layout of a record of family `family` (the value of its first two type characters)
// whose third type character is `third`. The family decides first; within it, a type that the
// format names by its full number (071, 081, 102, 103, 198, 199, 290, 990 to 998) is
// recognised only when `third` is that very digit, any other character taking the family's
// general layout, or kAutre when the family has none. A third character "9" ends the message
// before any layout is chosen (199 aside); this function does not deal with it.
Layout layout_of(int family, unsigned char third);

// The end of a layout.
LayoutEnd layout_end(Layout layout);

// True for the layouts that only copy fields (everything but kLigne21, kLigne22, kMessage,
// kMessage290 and kCloture).
bool is_plain_layout(Layout layout);

// Reads the fields of a plain layout from `r` into `entry`. Each field is written only when
// it lies wholly inside the window.
void read_plain_layout(Layout layout, const RecordView& r, ReturnEntry& entry);

}  // namespace noemie::parsing
