#include "core/viewer/random_returns.h"

#include <array>
#include <optional>
#include <string_view>

#include "support/return_file_builder.h"

namespace noemie::testing {
namespace {

template <typename T, std::size_t N>
const T& one_of(std::mt19937& rng, const std::array<T, N>& values) {
  return values[static_cast<std::size_t>(pick(rng, 0, static_cast<int>(N) - 1))];
}

std::string digits(std::mt19937& rng, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += static_cast<char>('0' + pick(rng, 0, 9));
  return out;
}

std::string random_date(std::mt19937& rng) {
  static constexpr std::array<std::string_view, 6> kFixed = {"000000", "311299", "010100",
                                                             "150885", "311203", "010104"};
  if (pick(rng, 0, 3) == 0) return std::string(one_of(rng, kFixed));
  char text[8];
  std::snprintf(text, sizeof text, "%02d%02d%02d", pick(rng, 1, 31), pick(rng, 1, 12),
                pick(rng, 0, 99));
  return text;
}

Header random_header(std::mt19937& rng, bool payments_only) {
  static constexpr std::array<std::string_view, 14> kRefs = {"531", "534", "536", "572", "577",
                                                             "580", "603", "613", "900", "930",
                                                             "575", "574", "000", "531"};
  static constexpr std::array<std::string_view, 6> kDevises = {"NU", "  ", " U", "0U", "N ", "FR"};
  static constexpr std::array<std::string_view, 6> kRegimes = {"01", "02", "03", "00", "9A", "01"};
  Header h;
  h.destinataire = "CP000000" + std::string(one_of(rng, kRegimes)) + digits(rng, 6) + "      ";
  static constexpr std::array<std::string_view, 9> kPayments = {"531", "536", "572", "573", "576",
                                                                "577", "580", "603", "613"};
  h.ref = std::string(payments_only ? one_of(rng, kPayments) : one_of(rng, kRefs));
  h.devise = std::string(one_of(rng, kDevises));
  return h;
}

void add_invoice(std::mt19937& rng, ReturnFileBuilder& b) {
  static constexpr std::array<std::int64_t, 7> kInvoices = {0, 1, 2, 42, 999999999, 123456789, 7};
  static constexpr std::array<char, 8> kTypes = {'F', 'A', 'S', 's', ' ', 'P', 'Z', '1'};
  static constexpr std::array<char, 6> kTreatments = {' ', 'A', 'C', 'E', 'B', '0'};
  Facture102 f;
  f.num_facture = one_of(rng, kInvoices);
  const int lot = pick(rng, 0, 4);
  f.num_lot = lot == 0   ? std::nullopt
              : lot == 1 ? std::optional<int>(999)
                         : std::optional<int>(pick(rng, 0, 998));
  f.date_lot = random_date(rng);
  f.type_facture = one_of(rng, kTypes);
  f.date_acte = random_date(rng);
  f.traitement_amc = one_of(rng, kTreatments);
  f.nature_assurance = digits(rng, 2);
  b.add(facture_102(f));
}

// `fixed_ends`: only records whose layout fixes their end (the space separator form).
void add_people(std::mt19937& rng, ReturnFileBuilder& b, bool fixed_ends) {
  static constexpr std::array<std::string_view, 7> kNames = {
      "DUPONT", "Dupont", "\xC9TIENNE", "MARTIN DE LA TOUR", "", "  BLANC", "durand"};
  static constexpr std::array<std::string_view, 5> kFirst = {"JEAN", "MARIE CLAIRE", "",
                                                             "L\xE9"
                                                             "a",
                                                             "PAUL"};
  static constexpr std::array<std::string_view, 4> kNumbers = {"1700175123456", "", "2 85 05",
                                                               "               "};
  if (!fixed_ends && pick(rng, 0, 2) > 0) {
    Identite103 i;
    i.immatriculation = std::string(one_of(rng, kNumbers));
    i.nom_assure = std::string(one_of(rng, kNames));
    i.prenom_assure = std::string(one_of(rng, kFirst));
    i.nom_malade = std::string(one_of(rng, kNames));
    i.prenom_malade = std::string(one_of(rng, kFirst));
    b.add(identite_103(i));
  }
  if (pick(rng, 0, fixed_ends ? 1 : 3) == 0) {
    Assure11x a;
    a.nom = std::string(one_of(rng, kNames));
    a.prenom = std::string(one_of(rng, kFirst));
    b.add(assure_11x(a));
  }
  if (pick(rng, 0, fixed_ends ? 1 : 3) == 0) {
    Malade12x m;
    m.nom = std::string(one_of(rng, kNames));
    b.add(malade_12x(m));
  }
}

void add_lines(std::mt19937& rng, ReturnFileBuilder& b, int count, bool fixed_ends) {
  static constexpr std::array<std::int64_t, 6> kAmounts = {0, 5, 1650, 9999999, 700, 2300};
  static constexpr std::array<std::string_view, 6> kActs = {"C", "V", "K12", "AMI4", "CS", "G 1"};
  static constexpr std::array<int, 4> kRates = {0, 70, 100, 65};
  for (int i = 0; i < count; ++i) {
    if (!fixed_ends && pick(rng, 0, 5) == 0) {
      Ligne22x l;
      l.date_acte = random_date(rng);
      l.taux_amo = one_of(rng, kRates);
      l.montant_amo = one_of(rng, kAmounts);
      l.acte = std::string(one_of(rng, kActs));
      l.taux_amc = one_of(rng, kRates);
      l.montant_amc = one_of(rng, kAmounts);
      b.add(ligne_22x(l));
    } else {
      Ligne21x l;
      l.date_acte = random_date(rng);
      l.taux_amo = one_of(rng, kRates);
      l.montant_amo = one_of(rng, kAmounts);
      l.acte = std::string(one_of(rng, kActs));
      l.taux_amc = pick(rng, 0, 3) == 0 ? std::nullopt : std::optional<int>(one_of(rng, kRates));
      l.montant_amc = one_of(rng, kAmounts);
      b.add(ligne_21x(l));
    }
  }
}

void add_messages(std::mt19937& rng, ReturnFileBuilder& b) {
  static constexpr std::array<std::string_view, 7> kMessages = {"LOT EN DOUBLE",
                                                                "Ayant-droit inconnu",
                                                                "MONTANT CALCULE ERRONE",
                                                                "Facture non trouv\xE9"
                                                                "e",
                                                                "X",
                                                                "JUSTIF. QUANTITE <5> & MT",
                                                                "   "};
  const int count = pick(rng, 0, 6) == 0 ? pick(rng, 1, 6) : 0;
  for (int i = 0; i < count; ++i) b.add(message_29x(pick(rng, 0, 1), 5, one_of(rng, kMessages)));
}

std::string broken_file(std::mt19937& rng, std::string whole) {
  switch (pick(rng, 0, 3)) {
    case 0:
      return {};
    case 1:
      return whole.substr(0, static_cast<std::size_t>(pick(rng, 1, 127)));
    case 2:
      return std::string(static_cast<std::size_t>(pick(rng, 128, 300)), 'x');
    default:
      return whole.substr(0,
                          static_cast<std::size_t>(pick(rng, 128, static_cast<int>(whole.size()))));
  }
}

char random_separator(std::mt19937& rng) {
  const int form = pick(rng, 0, 9);
  return form < 6 ? kSeparatorAt : form < 8 ? kSeparatorSpace : kSeparatorC3;
}

// One group: an invoice with its people, lines and messages, closed at level 5 with a total;
// returns that total.
std::int64_t add_group(std::mt19937& rng, ReturnFileBuilder& b, const RandomReturnShape& shape,
                       bool fixed_ends) {
  add_invoice(rng, b);
  add_people(rng, b, fixed_ends);
  add_lines(rng, b, pick(rng, shape.min_lines, shape.max_lines), fixed_ends);
  if (!fixed_ends) add_messages(rng, b);
  Cloture99x c;
  c.montant_total = pick(rng, 0, 4) == 0   ? 0
                    : pick(rng, 1, 3) == 1 ? 1234567890
                                           : pick(rng, 1, 99999);
  b.add(cloture_99x(c));
  return c.montant_total;
}

void add_transfer_record(std::mt19937& rng, ReturnFileBuilder& b, int level) {
  if (pick(rng, 0, 1) == 0) {
    Virement v;
    v.level = level;
    v.date_comptable = random_date(rng);
    v.ref1 = "VIR SEPA " + digits(rng, 4);
    if (pick(rng, 0, 2) == 0) v.ref2 = "";
    v.ref3 = "REF" + digits(rng, 7);
    b.add(virement_071(v));
  } else {
    b.add(comptable_07x(0, level, random_date(rng)));
  }
}

}  // namespace

RandomReturnShape short_return_shape() {
  return {.min_groups = 5,
          .max_groups = 8,
          .min_lines = 2,
          .max_lines = 4,
          .broken_percent = 0,
          .several_transfers = false};
}

RandomReturnShape long_payment_shape() {
  return {.min_groups = 35,
          .max_groups = 50,
          .min_lines = 1,
          .max_lines = 4,
          .broken_percent = 1,
          .payments_only = true,
          .any_separator = true};
}

std::string random_return_file(std::mt19937& rng, const RandomReturnShape& shape) {
  ReturnFileBuilder b;
  const char separator = shape.any_separator ? random_separator(rng) : kSeparatorAt;
  const bool fixed_ends = separator == kSeparatorSpace;
  b.separator(separator);
  b.header(random_header(rng, shape.payments_only));
  const bool several = shape.several_transfers && pick(rng, 0, 2) == 0;
  const int groups = pick(rng, shape.min_groups, shape.max_groups);
  int group = 0;
  // Invoices before the first transfer belong to none.
  if (several && pick(rng, 0, 3) == 0) {
    add_group(rng, b, shape, fixed_ends);
    ++group;
  }
  const int transfers = several ? pick(rng, 2, 4) : 1;
  for (int t = 0; t < transfers; ++t) {
    const int level = several ? pick(rng, 1, 2) : 1;
    add_transfer_record(rng, b, level);
    if (t == 0 && pick(rng, 0, 2) == 0 && !fixed_ends) {
      b.add(retour_081(level + 1, pick(rng, 0, 6), "PAIEMENT RSP"));
    }
    // The groups are shared among the transfers; the last takes what is left.
    const int last = t + 1 == transfers ? groups : std::min(groups, group + pick(rng, 1, 3));
    std::int64_t total = 0;
    // Each transfer has one group at least.
    for (const int end = std::max(last, group + 1); group < end; ++group) {
      total += add_group(rng, b, shape, fixed_ends);
    }
    if (several && pick(rng, 0, 3) != 0) {
      Cloture99x c;
      c.level = pick(rng, 0, 3) == 0 ? 1 : level;
      c.montant_total = pick(rng, 0, 4) == 0 ? pick(rng, 1, 99999) : total % 10'000'000'000;
      b.add(cloture_99x(c));
    }
  }
  std::string bytes = b.bytes();
  if (pick(rng, 1, 100) <= shape.broken_percent) return broken_file(rng, std::move(bytes));
  return bytes;
}

std::string random_return_name(std::mt19937& rng) {
  static constexpr std::array<std::string_view, 10> kNumbers = {"1",  "2", "00012", "0",    "00",
                                                                "42", "7", "12a",   "0042", "3"};
  static constexpr std::array<std::string_view, 16> kExtensions = {
      ".RSP", ".RSX", ".RSZ", ".ARL", ".ARX",   ".ARZ",     ".DAT", "",
      ".rsp", ".Rsx", ".arz", ".TXT", ".a.RSP", ".RSP.bak", ".RSP", ".ARL"};
  std::string name = pick(rng, 0, 30) == 0 ? "." : "";
  name += one_of(rng, kNumbers);
  if (pick(rng, 0, 2) == 0) name += std::to_string(pick(rng, 0, 99));
  name += one_of(rng, kExtensions);
  return name;
}

}  // namespace noemie::testing
