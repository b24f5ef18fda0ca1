#include "core/decode/reference_table.h"

#include <array>
#include <cstdio>
#include <limits>

namespace noemie::decode {
namespace {

struct ReferenceRow {
  int number;
  int category;
  char kind;
  std::string_view text;  // Windows-1252
};

constexpr std::string_view kText572 =
    "R\xE9"
    "f\xE9rence 572 - 573\r\n(cliniques et m\xE9"
    "decins ayant\n une activit\xE9 mixte "
    "ambulatoire - clinique priv\xE9"
    "e)";
constexpr std::string_view kText576 =
    "R\xE9"
    "f\xE9rence 576 - 577\r\n(cliniques et m\xE9"
    "decins ayant une activit\xE9 mixte "
    "ambulatoire\n - clinique priv\xE9"
    "e avec informations des organismes compl\xE9mentaires)";

constexpr std::array<ReferenceRow, 12> kReferences{{
    {531, kCategoryPayment, 'R',
     "R\xE9"
     "f\xE9rence 531 \r\nactes + mouvements financiers\r\n(tous professionnels de "
     "sant\xE9)"},
    {534, kCategoryOther, 'R',
     "R\xE9"
     "f\xE9rence 534 \npas de d\xE9tails des prestations\r\n(tous professionnels de "
     "sant\xE9)"},
    {536, kCategoryPayment, 'R',
     "R\xE9"
     "f\xE9rence 536 \nactes + mouvements financiers +\ninformations sur organismes "
     "compl\xE9mentaires\r\n(tous professionnels de sant\xE9)"},
    {572, kCategoryPayment, 'R', kText572},
    {573, kCategoryPayment, 'R', kText572},
    {576, kCategoryPayment, 'R', kText576},
    {577, kCategoryPayment, 'R', kText576},
    {580, kCategoryPayment, 'R',
     "R\xE9"
     "f\xE9rence 580\r\n(avec r\xE9"
     "f\xE9rence de virement et adressant directement "
     "des FSEs)"},
    {603, kCategoryPayment, 'R',
     "R\xE9"
     "f\xE9rence 603\r\n(pour dispensaires et centres de sant\xE9)"},
    {613, kCategoryPayment, 'R',
     "R\xE9"
     "f\xE9rence 613\r\n(pour dispensaires et centres de sant\xE9\n avec informations "
     "des organismes compl\xE9mentaires)"},
    {900, kCategoryRejection, 'R',
     "R\xE9"
     "f\xE9rence 900\nr\xE9"
     "f\xE9rence rejet"},
    {930, kCategoryAcknowledgement, 'A',
     "R\xE9"
     "f\xE9rence 930\nr\xE9"
     "f\xE9rence ARL"},
}};

// The row of a listed number, or nullptr.
const ReferenceRow* find_reference(int number) {
  for (const ReferenceRow& row : kReferences) {
    if (row.number == number) return &row;
  }
  return nullptr;
}

// The age limit of an age filter value, or -1 for no limit.
std::int64_t age_limit(int type_date) {
  switch (type_date) {
    case 1:
      return 31 * kFileTimeUnitsPerDay;
    case 2:
      return 7 * kFileTimeUnitsPerDay;
    case 3:
      return kFileTimeUnitsPerDay;
    default:
      return -1;
  }
}

}  // namespace

int reference_number(std::string_view three_chars) {
  int value = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    // Each character counts as its Windows-1252 code (0 to 255) minus the code of '0'.
    const int digit =
        i < three_chars.size() ? static_cast<unsigned char>(three_chars[i]) - '0' : 0;
    value = value * 10 + digit;
  }
  return value;
}

int reference_category(int number) {
  const ReferenceRow* row = find_reference(number);
  return row != nullptr ? row->category : kCategoryOther;
}

char reference_kind(int number) {
  const ReferenceRow* row = find_reference(number);
  return row != nullptr ? row->kind : 'I';
}

std::string reference_text(int number) {
  if (const ReferenceRow* row = find_reference(number)) return std::string(row->text);
  char text[64];
  std::snprintf(text, sizeof text,
                "R\xE9"
                "f\xE9rence inconnue !!!!\r\n-> %d",
                number);
  return text;
}

int reference_icon(int number) {
  switch (reference_category(number)) {
    case kCategoryPayment:
      return kIconPayment;
    case kCategoryRejection:
      return kIconRejection;
    case kCategoryAcknowledgement:
      return kIconAcknowledgement;
    default:
      return kIconUnclassified;
  }
}

bool traite_ref(std::string_view ref3, std::int64_t file_time, const FilterState& filter) {
  const std::int64_t limit = age_limit(filter.type_date);
  if (limit >= 0) {
    // Times from a damaged file system can be anywhere in the 64-bit range: an age that does
    // not fit is as old (or as new) as can be, never an overflow.
    std::int64_t age = 0;
    if (__builtin_sub_overflow(filter.now, file_time, &age)) {
      age = filter.now > file_time ? std::numeric_limits<std::int64_t>::max()
                                   : std::numeric_limits<std::int64_t>::min();
    }
    if (age > limit) return false;
  }
  const int category = reference_category(reference_number(ref3));
  switch (filter.type_liste) {
    case 0:
      return true;
    case 1:
    case 2:
    case 3:
      return category == filter.type_liste;
    default:
      return false;
  }
}

}  // namespace noemie::decode
