#pragma once
// The franc/euro conversion of an amount cell, as the detail box and the tooltips show it.
// It works from the cell text ("123.45F", or the amount followed by the euro sign), with the
// arithmetic of the viewer's conversions: the rate 6.55957 as a single-precision value used in
// double precision, francs to euros rounded on the tenth of a cent, euros to francs truncated.

#include <cstdint>
#include <string>
#include <string_view>

namespace noemie::decode {

// The conversion rate as the viewer's arithmetic uses it: 6.55957 rounded to single precision
// (6.5595698356628...), then used as a double.
inline constexpr double kFrancsPerEuro = static_cast<double>(static_cast<float>(6.55957));

// An amount read back from a cell text.
struct CellAmount {
  std::int64_t cents = 0;  // of the cell's currency; negative for a "-" cell
  bool francs = false;     // the currency character was 'F'; anything else means euros
};

// Reads an amount cell: an optional "-", decimal digits up to ".", at most two digits of
// cents, then the currency character. Parts that are missing count as 0 (a missing currency
// character means euros); the text is never read past its end or its first NUL, and a run of
// digits too long for 64 bits keeps its largest value.
CellAmount read_cell_amount(std::string_view cell_text);

// Euro cents of an amount in francs (centimes): t = integer part of centimes * 10 / rate, in
// tenths of a cent; the cents are t / 10, plus 1 when t's last digit is 5 or more. 10000
// centimes give 1524 cents (t = 15244). A negative amount converts as its magnitude.
std::int64_t francs_to_euros(std::int64_t centimes);

// Centimes of an amount in euro cents: the integer part of cents * rate, truncated. 100 cents
// give 655 centimes. A negative amount converts as its magnitude.
std::int64_t euros_to_francs(std::int64_t cents);

// The conversion text of an amount cell (Windows-1252; the euro sign is byte 0x80), francs
// first: with `short_form` (tooltips) "%d.%02d F <--> %d.%02d €", otherwise (detail box)
// "Montant en Francs : %10d.%02d F\nMontant en Euro :     %10d.%02d €". A negative amount is
// written "-" then its magnitude, the sign inside the 10-character width of the long form.
// An empty cell gives the empty text.
std::string amount_conversion_text(std::string_view cell_text, bool short_form);

}  // namespace noemie::decode
