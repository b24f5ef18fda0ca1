// Cell texts of thousands of generated entries, compared with a small independent reading of
// the cell forms written here with C buffers and snprintf.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <chrono>
#include <map>
#include <random>
#include <string>

#include "core/decode/amount_conversion.h"
#include "core/decode/cell_format.h"
#include "core/decode/regime_table.h"
#include "core/noemie/return_record.h"

namespace noemie::decode {
namespace {

using Rng = std::mt19937_64;

// A byte as fields of real and damaged files hold them: mostly digits, then letters, blanks,
// bytes of the upper half, and now and then a NUL.
char random_byte(Rng& rng) {
  const int kind = static_cast<int>(rng() % 20);
  if (kind < 8) return static_cast<char>('0' + rng() % 10);
  if (kind < 11) return ' ';
  if (kind < 15) return static_cast<char>('A' + rng() % 26);
  if (kind < 19) return static_cast<char>(0x80 + rng() % 128);
  return '\0';
}

// Fills a zero-terminated field with a random text of random length, bytes after it random.
template <std::size_t N>
void fill(std::array<char, N>& field, Rng& rng) {
  const std::size_t length = rng() % N;
  for (std::size_t i = 0; i < N - 1; ++i) field[i] = random_byte(rng);
  field[length] = '\0';
  field[N - 1] = '\0';
}

// The whole field, terminator and what lies after it included.
template <std::size_t N>
std::string_view whole(const std::array<char, N>& field) {
  return {field.data(), N};
}

int sc(char c) {
  return static_cast<unsigned char>(c) - '0';
}

std::string expected_ref(const char* r) {
  const int n = 100 * sc(r[0]) + 10 * sc(r[1]) + sc(r[2]);
  char out[32];
  std::snprintf(out, sizeof out, "%s(%d)", n == 534 ? "x" : "", n);
  return out;
}

std::string expected_destinataire(const char* z, const std::map<int, std::string[2]>& names) {
  char out[400];
  const bool digits = std::isdigit(static_cast<unsigned char>(z[8])) &&
                      std::isdigit(static_cast<unsigned char>(z[9]));
  const int regime = sc(z[8]) * 10 + sc(z[9]);
  const auto found = names.find(regime);
  if (digits && found != names.end()) {
    std::snprintf(out, sizeof out, "%s (%s) %02d %03d %03d", found->second[1].c_str(),
                  found->second[0].c_str(), regime, 100 * sc(z[10]) + 10 * sc(z[11]) + sc(z[12]),
                  100 * sc(z[13]) + 10 * sc(z[14]) + sc(z[15]));
  } else {
    std::memcpy(out, z, 22);
    out[22] = '\0';
  }
  return out;
}

std::string expected_nom(const char* a, const char* b, const char* c) {
  char out[200];
  int n = std::snprintf(out, sizeof out, "%.*s %.*s", static_cast<int>(std::strcspn(a, " ")), a,
                        static_cast<int>(std::strcspn(b, " ")), b);
  if (*c)
    std::snprintf(out + n, sizeof out - n, " (%.*s)", static_cast<int>(std::strcspn(c, " ")), c);
  return out;
}

std::string expected_date(const char* d) {
  if (d[0] == '\0' || (d[0] == '0' && d[1] == '0')) return "";
  const bool nineteen = d[4] == '9';
  const char out[] = {d[0], d[1], '/', d[2], d[3], '/', nineteen ? '1' : '2', nineteen ? '9' : '0',
                      d[4], d[5], '\0'};
  return out;
}

std::string expected_nom_fic(const char* name, std::int64_t file_time) {
  while (*name == '0') ++name;
  const std::chrono::sys_seconds seconds{
      std::chrono::seconds(file_time / 10'000'000 - 11'644'473'600LL)};
  const std::chrono::year_month_day utc{std::chrono::floor<std::chrono::days>(seconds)};
  char out[300];
  std::snprintf(out, sizeof out, "%.*s  (%02u/%02u/%02d)",
                static_cast<int>(std::strcspn(name, ".")), name, unsigned{utc.day()},
                unsigned{utc.month()}, int{utc.year()} % 100);
  return out;
}

std::string expected_detail(const char* d, std::size_t max_chars) {
  std::size_t n = std::strlen(d);
  while (n > 0 && d[n - 1] == ' ') --n;
  return std::string(d, std::min(n, max_chars));
}

std::string expected_valeur(long long cents, char currency) {
  char out[40];
  if (cents < 0) return "-" + expected_valeur(-cents, currency);
  std::snprintf(out, sizeof out, "%lld.%02lld%c", cents / 100, cents % 100, currency);
  return out;
}

std::string expected_conversion(long long cents, bool francs) {
  const double rate = 6.55957f;
  long long f = cents, e = cents;
  if (francs) {
    const auto t = static_cast<long long>(cents * 10 / rate);
    e = t / 10 + (t % 10 >= 5);
  } else {
    f = static_cast<long long>(cents * rate);
  }
  char out[80];
  std::snprintf(out, sizeof out, "%lld.%02lld F <--> %lld.%02lld \x80", f / 100, f % 100, e / 100,
                e % 100);
  return out;
}

TEST(GeneratedCells, MatchAnIndependentReading) {
  Rng rng(20240611);
  std::string qvc = "regimes [\r\n";
  std::map<int, std::string[2]> names;
  for (int i = 0; i < 40; ++i) {
    const int regime = static_cast<int>(rng() % 100);
    const std::string a = "A" + std::to_string(i), b = "Regime \xE9 " + std::to_string(i);
    char line[80];
    std::snprintf(line, sizeof line, "=%02d %s;%s\r\n", regime, a.c_str(), b.c_str());
    qvc += line;
    if (regime > 0) names[regime][0] = a, names[regime][1] = b;
  }
  const RegimeTable regimes = RegimeTable::from_text(qvc + "]");

  const char* const known_refs[] = {"531", "534", "900", "930", "575", "613"};
  for (int i = 0; i < 5000; ++i) {
    ReturnEntry entry;
    fill(entry.nom_assure, rng);
    fill(entry.prenom_assure, rng);
    fill(entry.immatriculation, rng);
    fill(entry.date_acte, rng);
    fill(entry.detail, rng);
    std::array<char, 4> ref{};
    for (int k = 0; k < 3; ++k) ref[k] = random_byte(rng);
    if (rng() % 2) std::memcpy(ref.data(), known_refs[rng() % 6], 3);
    std::array<char, 22> zone{};
    for (char& c : zone) c = random_byte(rng);
    if (rng() % 2) {
      zone[8] = static_cast<char>('0' + rng() % 10);
      zone[9] = static_cast<char>('0' + rng() % 10);
    }
    std::string file_name(rng() % 4, '0');
    file_name += std::to_string(rng() % 100000) + (rng() % 2 ? ".RSP" : "");
    const auto file_time = static_cast<std::int64_t>(rng() % (1ULL << 62));
    const long long cents = static_cast<long long>(rng() % 20'000'000'000ULL) - 2'000'000'000LL;
    const char currency = rng() % 2 ? 'F' : '\x80';

    SCOPED_TRACE(i);
    EXPECT_EQ(format_noemie_ref({ref.data(), 3}).text, expected_ref(ref.data()));
    EXPECT_EQ(format_destinataire({zone.data(), 22}, regimes),
              expected_destinataire(zone.data(), names));
    EXPECT_EQ(format_nom(whole(entry.nom_assure), whole(entry.prenom_assure),
                         whole(entry.immatriculation)),
              expected_nom(entry.nom_assure.data(), entry.prenom_assure.data(),
                           entry.immatriculation.data()));
    EXPECT_EQ(format_date_noemie(whole(entry.date_acte)), expected_date(entry.date_acte.data()));
    EXPECT_EQ(format_nom_fic(file_name, file_time), expected_nom_fic(file_name.c_str(), file_time));
    EXPECT_EQ(format_info_noemie(whole(entry.detail), 300 + i % 200),
              expected_detail(entry.detail.data(), 300 + i % 200));
    EXPECT_EQ(formate_valeur(cents, currency), expected_valeur(cents, currency));
    if (cents >= 0) {
      EXPECT_EQ(amount_conversion_text(formate_valeur(cents, currency), true),
                expected_conversion(cents, currency == 'F'));
    }
  }
}

}  // namespace
}  // namespace noemie::decode
