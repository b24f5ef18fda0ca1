#include "core/decode/amount_conversion.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "core/text/c_text.h"
#include "core/text/cp1252.h"

namespace noemie::decode {
namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Integer part of a non-negative double, kept within 64 bits (amounts of real files are far
// below; a converted absurd cell must still not overflow).
std::int64_t truncate_to_int64(double value) {
  if (!(value < 9.2e18)) return kInt64Max;
  return static_cast<std::int64_t>(value);
}

std::uint64_t magnitude_of(std::int64_t value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// Signed conversion through the magnitude, so both signs round the same way.
template <typename Convert>
std::int64_t convert_signed(std::int64_t amount, Convert convert) {
  const std::uint64_t magnitude = magnitude_of(amount);
  const std::int64_t converted = convert(magnitude > static_cast<std::uint64_t>(kInt64Max)
                                             ? kInt64Max
                                             : static_cast<std::int64_t>(magnitude));
  return amount < 0 ? -converted : converted;
}

// "<sign><units>" of an amount, right-aligned in `width` characters (0: no padding).
std::string units_text(std::int64_t cents, int width) {
  char units[32];
  std::snprintf(units, sizeof units, "%s%llu", cents < 0 ? "-" : "",
                static_cast<unsigned long long>(magnitude_of(cents) / 100));
  std::string text(units);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// ".<2-digit cents>" of an amount.
std::string cents_text(std::int64_t cents) {
  char text[8];
  std::snprintf(text, sizeof text, ".%02u", static_cast<unsigned>(magnitude_of(cents) % 100));
  return text;
}

}  // namespace

CellAmount read_cell_amount(std::string_view cell_text) {
  // Read from the start and stopped by any other character, a NUL among them: the text past
  // a first NUL is never reached, with no search for one (the summary reads every amount).
  const std::string_view text = cell_text;
  std::size_t pos = 0;
  const bool negative = pos < text.size() && text[pos] == '-';
  if (negative) ++pos;

  std::uint64_t units = 0;
  for (; pos < text.size() && is_digit(text[pos]); ++pos) {
    units = std::min<std::uint64_t>(units * 10 + static_cast<unsigned>(text[pos] - '0'),
                                    static_cast<std::uint64_t>((kInt64Max - 99) / 100));
  }
  std::uint64_t hundredths = 0;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    for (int place = 10; place >= 1; place /= 10) {
      if (pos >= text.size() || !is_digit(text[pos])) break;
      hundredths += static_cast<unsigned>(text[pos] - '0') * place;
      ++pos;
    }
  }
  const auto cents = static_cast<std::int64_t>(units * 100 + hundredths);
  return CellAmount{negative ? -cents : cents, pos < text.size() && text[pos] == 'F'};
}

std::int64_t francs_to_euros(std::int64_t centimes) {
  return convert_signed(centimes, [](std::int64_t amount) {
    const std::int64_t tenths =
        truncate_to_int64(static_cast<double>(amount) * 10.0 / kFrancsPerEuro);
    return tenths / 10 + (tenths % 10 >= 5 ? 1 : 0);
  });
}

std::int64_t euros_to_francs(std::int64_t cents) {
  return convert_signed(cents, [](std::int64_t amount) {
    return truncate_to_int64(static_cast<double>(amount) * kFrancsPerEuro);
  });
}

std::string amount_conversion_text(std::string_view cell_text, bool short_form) {
  if (noemie::text::c_text(cell_text).empty()) return {};
  const CellAmount amount = read_cell_amount(cell_text);
  const std::int64_t francs = amount.francs ? amount.cents : euros_to_francs(amount.cents);
  const std::int64_t euros = amount.francs ? francs_to_euros(amount.cents) : amount.cents;

  std::string text;
  if (short_form) {
    text = units_text(francs, 0) + cents_text(francs) + " F <--> " + units_text(euros, 0) +
           cents_text(euros) + ' ' + noemie::text::kEuro;
  } else {
    text = "Montant en Francs : " + units_text(francs, 10) + cents_text(francs) +
           " F\nMontant en Euro :     " + units_text(euros, 10) + cents_text(euros) + ' ' +
           noemie::text::kEuro;
  }
  return text;
}

}  // namespace noemie::decode
