#pragma once
// The OFX reader of bank statements (see bank_statement.h).

#include <string_view>

#include "core/bank/bank_statement.h"

namespace noemie::bank {

// True when `bytes` begin with an OFX header or hold an <OFX> element near their start.
bool looks_like_ofx(std::string_view bytes);

// The credits of an OFX statement: each STMTTRN whose TRNAMT is above zero, dated by its
// DTPOSTED, its text its NAME and MEMO. A transaction without a readable date or amount stops
// the reading, naming the line of its STMTTRN.
Statement read_ofx(std::string_view bytes);

}  // namespace noemie::bank
