#pragma once
// The NOEMIE reference table: what a three-digit reference number of a return file's header
// means (return category, kind letter, explanatory text), and the list filter that decides
// from it and from the file's age whether a return file is listed.

#include <cstdint>
#include <string>
#include <string_view>

namespace noemie::decode {

// Return categories of a reference; the kind filter selects them by number.
enum ReturnCategory : int {
  kCategoryPayment = 1,
  kCategoryRejection = 2,
  kCategoryOther = 3,
  kCategoryAcknowledgement = 4,
};

// Marker icons of the "Réf" cell (indexes into the list's image strip).
inline constexpr int kIconUnclassified = 0;     // question mark; also 534
inline constexpr int kIconPayment = 1;          // banknote: every category-1 reference
inline constexpr int kIconRejection = 2;        // warning triangle: 900
inline constexpr int kIconAcknowledgement = 5;  // ticked page: 930

// The value of a three-character reference: 100 * first + 10 * second + third, each
// character taken as its Windows-1252 code (0 to 255) minus '0' without any digit check.
// Only the first three characters are read; a
// shorter text counts its missing characters as 0.
int reference_number(std::string_view three_chars);

// Return category (1 to 4) of a reference number; 3 for every number the table does not list.
int reference_category(int number);

// Kind letter of a reference number: 'R' for the payment and rejection references, 'A' for
// 930, 'I' for every number the table does not list.
char reference_kind(int number);

// Explanatory text of a reference number (Windows-1252, "\r" and "\n" as written); for a
// number the table does not list, the unknown-reference text with the number in it.
std::string reference_text(int number);

// Marker icon of the "Réf" cell for a reference number (kIcon... above).
int reference_icon(int number);

// The viewer's filter selections and the instant the current fill started.
struct FilterState {
  int type_liste = 0;    // kind: 0 all, 1 payments, 2 rejections, 3 others; else nothing
  int type_date = 0;     // age: 0 always, 1 at most 31 days, 2 at most 7 days, 3 at most 1 day
  std::int64_t now = 0;  // file time (100-ns units since 1601, UTC) of the fill's start
};

// Age limits of the age filter, in file-time units (100 ns).
inline constexpr std::int64_t kFileTimeUnitsPerDay = 24LL * 3600 * 10'000'000;

// True when a return file with header reference `ref3` and creation time `file_time` (file
// time units) passes the age filter and then the kind filter of `filter`. An age exactly equal
// to the limit passes; a file time after `now` (negative age) always passes the age test.
bool traite_ref(std::string_view ref3, std::int64_t file_time, const FilterState& filter);

}  // namespace noemie::decode
