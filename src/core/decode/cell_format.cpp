#include "core/decode/cell_format.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

#include "core/decode/reference_table.h"
#include "core/decode/regime_table.h"
#include "core/text/c_text.h"

namespace noemie::decode {
namespace {

using noemie::text::c_text;

constexpr std::size_t kDestinataireChars = 22;
constexpr std::size_t kRegimePos = 8;
constexpr std::size_t kCaissePos = 10;
constexpr std::size_t kCentrePos = 13;

bool is_ascii_digit(char c) {
  return c >= '0' && c <= '9';
}

// A character's value as a digit, without a check: its Windows-1252 code (0 to 255) minus
// the code of '0'.
int digit_value(char c) {
  return static_cast<unsigned char>(c) - '0';
}

// Three characters from `pos` converted as a number, without a check.
int three_digit_value(std::string_view s, std::size_t pos) {
  return digit_value(s[pos]) * 100 + digit_value(s[pos + 1]) * 10 + digit_value(s[pos + 2]);
}

// The text of a field up to its first blank or its first NUL, in one pass: names are short,
// and every row of a list has three of them.
std::string_view first_word_of(std::string_view field) {
  std::size_t n = 0;
  while (n < field.size() && field[n] != ' ' && field[n] != '\0') ++n;
  return field.substr(0, n);
}

// Writes `text` at `out`; returns the end.
char* put(char* out, std::string_view text) {
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// Floor division for the calendar arithmetic of negative file times.
std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

RefCell format_noemie_ref(std::string_view ref3) {
  const int number = reference_number(ref3);
  RefCell cell;
  cell.icon = reference_icon(number);
  if (number == 534) cell.text = "x";
  cell.text += '(';
  cell.text += std::to_string(number);
  cell.text += ')';
  return cell;
}

std::string format_destinataire(std::string_view destinataire, const RegimeTable& regimes) {
  const std::string_view zone = noemie::text::first_chars(destinataire, kDestinataireChars);
  // The numbers are read at fixed offsets of the zone, NULs and all, as the header holds them.
  if (zone.size() >= kCentrePos + 3 && is_ascii_digit(zone[kRegimePos]) &&
      is_ascii_digit(zone[kRegimePos + 1])) {
    const int regime = digit_value(zone[kRegimePos]) * 10 + digit_value(zone[kRegimePos + 1]);
    if (const std::optional<RegimeTable::Entry> entry = regimes.entry(regime)) {
      char numbers[48];
      std::snprintf(numbers, sizeof numbers, ") %02d %03d %03d", regime,
                    three_digit_value(zone, kCaissePos), three_digit_value(zone, kCentrePos));
      std::string text;
      text.reserve(entry->text_b.size() + entry->text_a.size() + 16);
      text += entry->text_b;
      text += " (";
      text += entry->text_a;
      text += numbers;
      return text;
    }
  }
  return std::string(c_text(zone));
}

std::string format_nom(std::string_view nom, std::string_view prenom,
                       std::string_view immatriculation) {
  std::string text(nom.size() + prenom.size() + immatriculation.size() + 4, '\0');
  text.resize(
      static_cast<std::size_t>(put_nom(text.data(), nom, prenom, immatriculation) - text.data()));
  return text;
}

char* put_nom(char* out, std::string_view nom, std::string_view prenom,
              std::string_view immatriculation) {
  out = put(out, first_word_of(nom));
  *out++ = ' ';
  out = put(out, first_word_of(prenom));
  if (!immatriculation.empty() && immatriculation[0] != '\0') {
    *out++ = ' ';
    *out++ = '(';
    out = put(out, first_word_of(immatriculation));
    *out++ = ')';
  }
  return out;
}

std::string format_date_noemie(std::string_view date6) {
  char text[kDateMaxChars];
  return std::string(text, put_date_noemie(text, date6));
}

char* put_date_noemie(char* out, std::string_view date6) {
  const std::string_view date = noemie::text::first_chars(c_text(date6), 6);
  if (date.empty() || (date[0] == '0' && date.size() > 1 && date[1] == '0')) return out;
  // The original fills "DD/MM/CCYY" from the field's bytes; a missing byte is the field's
  // terminator, which ends the text there.
  auto at = [&](std::size_t i) { return i < date.size() ? date[i] : '\0'; };
  const char year_first = at(4);
  const char century_second = year_first == '9' ? '9' : '0';
  const char century_first = year_first == '9' ? '1' : '2';
  const char full[] = {at(0),         at(1),          '/',   at(2), at(3), '/',
                       century_first, century_second, at(4), at(5)};
  return put(out, c_text(std::string_view(full, sizeof full)));
}

std::string_view nom_fic_name(std::string_view file_name) {
  std::string_view name = c_text(file_name);
  name.remove_prefix(std::min(name.find_first_not_of('0'), name.size()));
  return name.substr(0, std::min(name.find('.'), name.size()));
}

std::string format_nom_fic(std::string_view file_name, std::int64_t file_time) {
  const std::string_view name = nom_fic_name(file_name);

  using namespace std::chrono;
  constexpr std::int64_t kUnitsPerDay = 24LL * 3600 * 10'000'000;
  // Every 64-bit file time lies within about 29,000 years of 1601, well inside the range of
  // the calendar types.
  const year_month_day date{sys_days{year{1601} / January / 1} +
                            days{floor_div(file_time, kUnitsPerDay)}};
  const int year_2 = ((static_cast<int>(date.year()) % 100) + 100) % 100;
  char stamp[24];
  std::snprintf(stamp, sizeof stamp, "  (%02u/%02u/%02d)", static_cast<unsigned>(date.day()),
                static_cast<unsigned>(date.month()), year_2);
  std::string text(name);
  text += stamp;
  return text;
}

std::string format_info_noemie(std::string_view detail, std::size_t max_chars) {
  return std::string(info_noemie_text(detail, max_chars));
}

std::string_view info_noemie_text(std::string_view detail, std::size_t max_chars) {
  std::string_view text = c_text(detail);
  const std::size_t last = text.find_last_not_of(' ');
  text = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  return noemie::text::first_chars(text, max_chars);
}

std::string formate_valeur(std::int64_t cents, char currency) {
  char text[kValeurMaxChars];
  return std::string(text, put_valeur(text, cents, currency));
}

char* put_valeur(char* out, std::int64_t cents, char currency) {
  // The magnitude as unsigned, so that the most negative amount has one too.
  const std::uint64_t magnitude =
      cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  // "%s%llu.%02llu%c", written without the printf machinery: every row of a list has amounts.
  if (cents < 0) *out++ = '-';
  out = std::to_chars(out, out + 20, magnitude / 100).ptr;
  const auto hundredths = static_cast<char>(magnitude % 100);
  *out++ = '.';
  *out++ = static_cast<char>('0' + hundredths / 10);
  *out++ = static_cast<char>('0' + hundredths % 10);
  if (currency != '\0') *out++ = currency;  // a text ends at its first NUL
  return out;
}

}  // namespace noemie::decode
