#pragma once
// What the OFX and CSV readers of bank statements share: dates, amounts, text encodings,
// names compared without case or accents, and the wording of their faults.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace noemie::bank {

// A calendar date as days since 1 January 1970 and as "DD/MM/YYYY".
struct StatementDate {
  std::int32_t day = 0;
  std::string text;
};

// A date written "DD/MM/YYYY", "DD/MM/YY" (20YY), "DD-MM-YYYY", "DD.MM.YYYY", "YYYY-MM-DD" or
// "YYYYMMDD", possibly followed by a time (after a blank, a "T", or directly after YYYYMMDD as
// OFX writes it); nothing for anything else or a day the calendar does not have.
std::optional<StatementDate> parse_statement_date(std::string_view text);

// An amount in cents: an optional sign, digits with blanks or dots between thousands, a decimal
// comma (or a decimal point when no comma is written) and at most two decimals (further zeros
// allowed), an optional euro sign or "EUR". Nothing for anything else, an empty text included,
// or an amount of more than 15 digits.
std::optional<std::int64_t> parse_statement_amount(std::string_view text);

// `bytes` as Windows-1252 text: UTF-8 (its byte order mark dropped, no-break and thin spaces
// made blanks) when `utf8` is true, or when it is unknown and the bytes are valid UTF-8 with a
// character beyond ASCII; the bytes as they are otherwise.
std::string statement_text(std::string_view bytes, std::optional<bool> utf8);

// Letter case, accents and the blanks at either end dropped: "  Libellé " gives "libelle".
std::string folded_name(std::string_view text);

// Blanks (spaces, tabs, no-break spaces, line ends) at either end dropped.
std::string_view trim_blanks(std::string_view text);

// A text quoted for a fault: « text » (Windows-1252 guillemets), cut to 40 characters.
std::string quoted_text(std::string_view text);

// "ligne N : what".
std::string line_fault(int line, std::string_view what);

}  // namespace noemie::bank
