#include "core/bank/statement_text.h"

#include <chrono>
#include <cstdio>

#include "core/text/cp1252.h"
#include "core/viewer/row_find.h"

namespace noemie::bank {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\xA0';
}

// The number written by the digits of `text` from `at`, exactly `count` of them.
std::optional<int> digits_at(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (!is_digit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The length of the run of digits of `text` from `at`.
std::size_t digit_run(std::string_view text, std::size_t at) {
  std::size_t n = 0;
  while (at + n < text.size() && is_digit(text[at + n])) ++n;
  return n;
}

// True when nothing, or a time, follows a date that ends at `end`.
bool ends_date(std::string_view text, std::size_t end) {
  return end == text.size() || text[end] == ' ' || text[end] == 'T';
}

std::optional<StatementDate> make_date(int year, int month, int day) {
  using namespace std::chrono;
  const year_month_day ymd{std::chrono::year(year),
                           std::chrono::month(static_cast<unsigned>(month)),
                           std::chrono::day(static_cast<unsigned>(day))};
  if (month < 1 || month > 12 || day < 1 || day > 31 || !ymd.ok()) return std::nullopt;
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", day, month, year);
  return StatementDate{static_cast<std::int32_t>(sys_days(ymd).time_since_epoch().count()), text};
}

}  // namespace

std::optional<StatementDate> parse_statement_date(std::string_view text) {
  text = trim_blanks(text);
  const std::size_t first = digit_run(text, 0);
  if (first >= 8) {  // YYYYMMDD, a time possibly glued to it
    return make_date(*digits_at(text, 0, 4), *digits_at(text, 4, 2), *digits_at(text, 6, 2));
  }
  if (first == 4 && text.size() >= 10 && text[4] == '-' && text[7] == '-') {
    const auto month = digits_at(text, 5, 2);
    const auto day = digits_at(text, 8, 2);
    if (!month || !day || !ends_date(text, 10)) return std::nullopt;
    return make_date(*digits_at(text, 0, 4), *month, *day);
  }
  if (first != 1 && first != 2) return std::nullopt;
  const char separator = first < text.size() ? text[first] : '\0';
  if (separator != '/' && separator != '-' && separator != '.') return std::nullopt;
  const std::size_t month_at = first + 1;
  const std::size_t month_digits = digit_run(text, month_at);
  if (month_digits < 1 || month_digits > 2) return std::nullopt;
  const std::size_t year_at = month_at + month_digits + 1;
  if (year_at > text.size() || text[year_at - 1] != separator) return std::nullopt;
  const std::size_t year_digits = digit_run(text, year_at);
  if ((year_digits != 4 && year_digits != 2) || !ends_date(text, year_at + year_digits)) {
    return std::nullopt;
  }
  int year = *digits_at(text, year_at, year_digits);
  if (year_digits == 2) year += 2000;
  return make_date(year, *digits_at(text, month_at, month_digits), *digits_at(text, 0, first));
}

std::optional<std::int64_t> parse_statement_amount(std::string_view text) {
  text = trim_blanks(text);
  // The currency, before or after the number.
  for (const std::string_view sign : {std::string_view("EUR"), std::string_view("\x80")}) {
    if (text.ends_with(sign)) text = trim_blanks(text.substr(0, text.size() - sign.size()));
    if (text.starts_with(sign)) text = trim_blanks(text.substr(sign.size()));
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text = trim_blanks(text.substr(1));
  }
  // The decimal mark: the comma, or a point when there is no comma and only one point.
  std::size_t mark = text.rfind(',');
  if (mark == std::string_view::npos) {
    mark = text.find('.');
    if (mark != text.rfind('.')) mark = std::string_view::npos;  // points between thousands
  } else if (text.find(',') != mark) {
    return std::nullopt;
  }
  const std::string_view whole = text.substr(0, mark);
  const std::string_view decimals =
      mark == std::string_view::npos ? std::string_view() : text.substr(mark + 1);
  std::int64_t cents = 0;
  int digits = 0;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    const char c = whole[i];
    if (is_digit(c)) {
      if (++digits > 13) return std::nullopt;
      cents = cents * 10 + (c - '0');
    } else if (!((c == ' ' || c == '.' || c == '\xA0' || c == '\'') && i > 0 &&
                 i + 1 < whole.size())) {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  for (std::size_t i = 0; i < decimals.size(); ++i) {
    const char c = decimals[i];
    if (!is_digit(c) || (i >= 2 && c != '0')) return std::nullopt;
  }
  if (mark != std::string_view::npos && decimals.empty()) return std::nullopt;
  cents = cents * 100 + (decimals.size() > 0 ? (decimals[0] - '0') * 10 : 0) +
          (decimals.size() > 1 ? decimals[1] - '0' : 0);
  return negative ? -cents : cents;
}

std::string statement_text(std::string_view bytes, std::optional<bool> utf8) {
  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool has_mark = bytes.starts_with(kByteOrderMark);
  if (!utf8) {
    bool beyond_ascii = false;
    for (const char c : bytes) beyond_ascii = beyond_ascii || static_cast<unsigned char>(c) >= 0x80;
    utf8 = has_mark || (beyond_ascii && text::is_valid_utf8(bytes));
  }
  if (!*utf8) return std::string(bytes);
  if (has_mark) bytes.remove_prefix(kByteOrderMark.size());
  // Spaces that Windows-1252 lacks (narrow no-break, thin) become blanks rather than "?".
  std::string blanks;
  blanks.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes.substr(i, 3) == "\xE2\x80\xAF" || bytes.substr(i, 3) == "\xE2\x80\x89") {
      blanks += ' ';
      i += 2;
    } else {
      blanks += bytes[i];
    }
  }
  return text::utf8_to_cp1252(blanks);
}

std::string folded_name(std::string_view text) {
  return viewer::fold_text(trim_blanks(text));
}

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string quoted_text(std::string_view text) {
  constexpr std::size_t kMostChars = 40;
  std::string out = "\xAB ";
  out += text.substr(0, kMostChars);
  if (text.size() > kMostChars) out += "\x85";
  out += " \xBB";
  return out;
}

std::string line_fault(int line, std::string_view what) {
  return "ligne " + std::to_string(line) + " : " + std::string(what);
}

}  // namespace noemie::bank
