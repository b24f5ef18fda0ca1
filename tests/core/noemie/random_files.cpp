#include "random_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "support/return_file_builder.h"

namespace noemie::testing {
namespace {

class Dice {
 public:
  explicit Dice(std::mt19937_64& rng) : rng_(rng) {}
  // A number from `low` to `high`, both included.
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool chance(int percent) { return between(1, 100) <= percent; }
  char any_byte() { return static_cast<char>(between(0, 255)); }
  template <typename T>
  T pick(std::initializer_list<T> items) {
    return items.begin()[between(0, static_cast<int>(items.size()) - 1)];
  }

  // Text of up to `max` characters: mostly capitals and blanks, now and then any byte.
  std::string text(int max) {
    std::string s(static_cast<std::size_t>(between(0, max)), ' ');
    for (char& c : s) {
      if (chance(3))
        c = any_byte();
      else if (chance(80))
        c = static_cast<char>(between('A', 'Z'));
    }
    return s;
  }
  // A number of up to `digits` digits; the caller writes it zero-padded.
  std::int64_t number(int digits) {
    std::int64_t v = 0;
    for (int i = between(0, digits); i > 0; --i) v = v * 10 + between(0, 9);
    return v;
  }
  std::string date() {
    char d[7];
    std::snprintf(d, sizeof d, "%02d%02d%02d", between(1, 28), between(1, 12), between(0, 99));
    return d;
  }

 private:
  std::mt19937_64& rng_;
};

// Replaces a few characters of a record's body (never its type digits) by odd bytes, so that
// non-digit numbers and odd texts are read too.
Record roughen(Record r, Dice& dice) {
  if (dice.chance(85) || r.bytes().size() <= 5) return r;
  for (int n = dice.between(1, 3); n > 0; --n) {
    const int at = dice.between(3, static_cast<int>(r.bytes().size()) - 1);
    r.text(static_cast<std::size_t>(at),
           std::string(1, dice.pick({' ', 'A', '\0', '9', '@', '\xC3', '/', '\x80'})));
  }
  return r;
}

Record random_record(Dice& dice, const std::vector<int>& open_levels) {
  auto level = [&](int usual) { return dice.chance(92) ? usual : dice.between(0, 99); };
  switch (dice.between(0, 22)) {
    case 0:
      return comptable_07x(dice.pick({0, 2, 5}), level(1), dice.date());
    case 1:
      return virement_071({level(1), dice.date(), dice.text(32), dice.text(32), dice.text(10)});
    case 2:
      return lot_08x(dice.pick({0, 2, 3}), level(2), dice.date(), static_cast<int>(dice.number(3)));
    case 3:
      return retour_081(level(2), static_cast<int>(dice.number(2)), dice.text(14));
    case 4:
      return facture_10x(dice.pick({0, 1, 4}), level(3), dice.number(9));
    case 5:
    case 6: {
      Facture102 f;
      f.level = level(3);
      f.num_facture = dice.number(9);
      f.num_lot =
          dice.chance(80) ? std::optional<int>(static_cast<int>(dice.number(3))) : std::nullopt;
      f.date_lot = dice.date();
      f.type_facture = static_cast<char>(dice.between('0', '9'));
      f.date_acte = dice.date();
      f.traitement_amc = static_cast<char>(dice.between('0', '9'));
      f.nature_assurance = dice.pick({"10", "13", "30", "  "});
      return facture_102(f);
    }
    case 7:
      return identite_103(
          {level(3), dice.text(15), dice.text(50), dice.text(15), dice.text(25), dice.text(15)});
    case 8:
      return assure_11x(
          {dice.between(0, 8), level(4), dice.text(15), dice.text(25), dice.text(15)});
    case 9:
      return malade_12x({dice.between(0, 8), level(4), dice.text(25), dice.text(15)});
    case 10:
      return zone_16x(dice.between(0, 8), level(4), dice.text(16));
    case 11:
      return montant_19x(dice.between(7, 9), level(5), dice.number(8));
    case 12:
    case 13:
    case 14: {
      Ligne21x l;
      l.third = dice.between(0, 8);
      l.level = level(5);
      l.marker = dice.chance(50) ? "01000" : "00000";
      l.date_acte = dice.date();
      l.taux_amo = dice.chance(90) ? std::optional<int>(dice.pick({0, 60, 70, 100})) : std::nullopt;
      l.montant_amo = dice.number(7);
      l.acte = dice.pick({"C", "V", "K", "AMI", "CS", "ORT", "ABCDE", " ", "G  X"});
      l.taux_amc = dice.chance(70) ? std::optional<int>(dice.pick({0, 30, 40})) : std::nullopt;
      l.montant_amc = dice.number(7);
      return ligne_21x(l);
    }
    case 15:
    case 16:
      return ligne_22x({dice.between(0, 8), level(5), dice.date(), dice.pick({0, 70, 100}),
                        dice.number(7), dice.pick({"C", "AMI", "K  ", "VGHIJ"}), dice.pick({0, 30}),
                        dice.number(7)});
    case 17:
    case 18: {
      std::string text = dice.text(80);
      if (dice.chance(30)) text = std::string(static_cast<std::size_t>(dice.between(60, 80)), 'M');
      return message_29x(dice.between(0, 8), level(6), text);
    }
    case 19:
    case 20: {
      const int usual = open_levels.empty() ? 5
                                            : open_levels[static_cast<std::size_t>(dice.between(
                                                  0, static_cast<int>(open_levels.size()) - 1))];
      return cloture_99x({dice.between(0, 8), level(usual), dice.number(7), dice.number(10)});
    }
    case 21: {
      // Families without a layout of their own.
      const char* type = dice.pick({"020", "041", "050", "150", "251", "193", "300", "000"});
      return Record(type, level(dice.between(1, 9)), static_cast<std::size_t>(dice.between(5, 30)));
    }
    default: {
      // An end type somewhere in the file.
      const char* type = dice.pick({"999", "299", "089", "199"});
      return Record(type, level(1), 22);
    }
  }
}

}  // namespace

std::string random_return_file(std::mt19937_64& rng) {
  Dice dice(rng);
  ReturnFileBuilder b;
  if (dice.chance(15)) {
    std::string before = dice.text(150);
    std::replace(before.begin(), before.end(), ' ', '-');  // no run of spaces before the header
    b.before_header(before);
  }
  Header h;
  if (dice.chance(35)) h.destinataire = "SM00000005001051      ";
  h.ref = dice.pick({"531", "534", "580", "900", "930"});
  h.devise = dice.pick({"NU", " U", "0U", "N ", "  ", "FF", "00"});
  b.header(h);
  const char separator = dice.chance(55) ? '@' : dice.chance(50) ? ' ' : '\xC3';
  b.separator(separator);

  std::vector<int> open_levels;
  const int count = dice.between(1, 30);
  for (int i = 0; i < count; ++i) {
    Record r = roughen(random_record(dice, open_levels), dice);
    const auto& bytes = r.bytes();
    const int lv = (bytes[3] - '0') * 10 + (bytes[4] - '0');
    if (lv >= 0 && lv < 50) open_levels.push_back(lv);
    b.add(r);
    if (separator != ' ' && dice.chance(20)) b.add_raw("\r\n");
  }
  if (dice.chance(20)) b.add_raw(dice.text(40));
  return b.bytes();
}

std::string mutate(std::string s, std::mt19937_64& rng) {
  Dice dice(rng);
  for (int n = dice.between(1, 4); n > 0; --n) {
    const int size = static_cast<int>(s.size());
    const auto at = static_cast<std::size_t>(dice.between(0, size));
    const auto inside = static_cast<std::size_t>(size == 0 ? 0 : dice.between(0, size - 1));
    switch (dice.between(0, 7)) {
      case 0:  // cut the end
        s.resize(at);
        break;
      case 1:  // flip a byte
        if (size > 0) s[inside] = dice.any_byte();
        break;
      case 2: {  // a byte that matters to the format
        if (size > 0) s[inside] = dice.pick({'0', '9', ' ', '@', '\xC3', '\0', '5', '1'});
        break;
      }
      case 3:  // garbage
        s.insert(at, dice.text(60));
        break;
      case 4: {  // a random record start
        std::string start(5, '0');
        for (char& c : start)
          c = dice.chance(85) ? static_cast<char>(dice.between('0', '9')) : dice.any_byte();
        s.insert(at, std::string(dice.pick({"@", " ", "\xC3", ""})) + start);
        break;
      }
      case 5:  // delete a range
        s.erase(at, static_cast<std::size_t>(dice.between(1, 200)));
        break;
      case 6:  // repeat a range
        if (size > 0)
          s.insert(at, s.substr(inside, static_cast<std::size_t>(dice.between(1, 300))));
        break;
      default:  // drop the start (the header start may then lie before the data)
        s.erase(0, static_cast<std::size_t>(dice.between(1, 130)));
        break;
    }
  }
  return s;
}

void parse_exact(NoemieReader& reader, const std::string& bytes, ReturnRecord& rec, bool abrege) {
  const auto buffer = std::make_unique<unsigned char[]>(bytes.size());
  if (!bytes.empty()) std::memcpy(buffer.get(), bytes.data(), bytes.size());
  reader.lit_mem_noemie(buffer.get(), bytes.size(), rec, abrege);
}

}  // namespace noemie::testing
