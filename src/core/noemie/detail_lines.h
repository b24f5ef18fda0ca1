#pragma once
// Detail lines (21x, 22x) and messages (29x): the records that add to an entry rather than
// just set its fields. Lines bring a date, rates, amounts and an act code, and may be merged
// into one entry ("Abrégé"); messages are joined into the entry's `detail` text.

#include <cstddef>

#include "core/noemie/record_view.h"
#include "core/noemie/return_record.h"

namespace noemie::parsing {

// What a 21x line needs to know beyond its own bytes.
struct Ligne21Context {
  // The line is merged into an entry that already holds a line: amounts add up and a rate
  // that differs from the entry's becomes 0.
  bool merging = false;
  // The header's `destinataire` begins with "SM00000005001051".
  bool destinataire_sm = false;
  // The file's separator is known to be "@" (the form still unknown counts as not "@").
  bool at_form = false;
};

// Reads a 21x detail line into `e`. With the date-order rule (a `destinataire_sm` header and
// either not the "@" form or the marker "01000" at 5), the date at 21 is YYMMDD and is
// stored as DDMMYY. A blank at 98 means no AMC rate. Sets `ligne_detail` to 1.
void read_ligne_21x(const RecordView& r, const Ligne21Context& context, ReturnEntry& e);

// Reads a 22x detail line into `e`: date, rates and amounts are written outright, merging
// or not. Sets `ligne_detail` to 1.
void read_ligne_22x(const RecordView& r, ReturnEntry& e);

// Appends the act code `code` (up to 5 characters, ending at the first space or NUL) to
// `actes`, after a "+" when `actes` is not empty; `actes` never goes past 19 characters.
void append_acte(ReturnEntry& e, const unsigned char* code);

// Reads a 29x message into `e`: cuts `actes` to 3 characters, clears `ligne_detail`, and
// joins the text (80 characters at `text_offset`, or those of them that lie inside the
// window) to `detail` after " ***** " when `detail` already holds text, never past 400
// characters.
void read_message_29x(const RecordView& r, std::size_t text_offset, ReturnEntry& e);

}  // namespace noemie::parsing
