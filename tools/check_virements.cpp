// check_virements: what `noemie-viewer virements --format excel` should write for a folder,
// worked out apart from the program: the files are read by the plain second reading of the
// tests (tests/core/noemie/reference_reader), and the choice of files, their filters, the
// cells, the find, the conversion of francs and the grouping by transfer are written here
// again, from the rules, sharing no code with the viewer. tools/check-virements compares both.
//
//   check_virements FOLDER REGIME_TABLE [--kind K] [--age A] [--mask M] [--abrege] [--find T]
//
// REGIME_TABLE holds lines "=NN TEXT A;TEXT B" (the regimes the "Caisse" cells name). The
// settings are taken as the defaults; --find is Windows-1252 or UTF-8 (converted). The ages
// are measured from now, as the program's.

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "reference_reader.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return s;
}

// UTF-8 to Windows-1252 as the viewer shows names: "?" for what the code page lacks; bytes
// that are not UTF-8 as they are.
std::string name_text(const std::string& utf8) {
  static const std::map<unsigned, char> kHigh = {
      {0x20AC, '\x80'}, {0x201A, '\x82'}, {0x0192, '\x83'}, {0x201E, '\x84'}, {0x2026, '\x85'},
      {0x2020, '\x86'}, {0x2021, '\x87'}, {0x02C6, '\x88'}, {0x2030, '\x89'}, {0x0160, '\x8A'},
      {0x2039, '\x8B'}, {0x0152, '\x8C'}, {0x017D, '\x8E'}, {0x2018, '\x91'}, {0x2019, '\x92'},
      {0x201C, '\x93'}, {0x201D, '\x94'}, {0x2022, '\x95'}, {0x2013, '\x96'}, {0x2014, '\x97'},
      {0x02DC, '\x98'}, {0x2122, '\x99'}, {0x0161, '\x9A'}, {0x203A, '\x9B'}, {0x0153, '\x9C'},
      {0x017E, '\x9E'}, {0x0178, '\x9F'}};
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = b < 0x80         ? 1
                          : (b >> 5) == 6  ? 2
                          : (b >> 4) == 14 ? 3
                          : (b >> 3) == 30 ? 4
                                           : 0;
    if (n == 0 || i + n > utf8.size()) return utf8;
    unsigned code = n == 1 ? b : b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(utf8[i + k]);
      if ((c >> 6) != 2) return utf8;
      code = (code << 6) | (c & 0x3F);
    }
    if ((n == 2 && code < 0x80) || (n == 3 && code < 0x800) || (n == 4 && code < 0x10000) ||
        (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return utf8;
    }
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF) || code == 0x81 || code == 0x8D ||
        code == 0x8F || code == 0x90 || code == 0x9D) {
      out += static_cast<char>(code);
    } else {
      const auto it = kHigh.find(code);
      out += it == kHigh.end() ? '?' : it->second;
    }
    i += n;
  }
  return out;
}

std::string field(const char* data, std::size_t size) {
  return std::string(data, strnlen(data, size));
}
template <std::size_t N>
std::string field(const std::array<char, N>& f) {
  return field(f.data(), N);
}

std::string date_cell(const std::string& d) {
  if (d.empty() || d.rfind("00", 0) == 0) return "";
  std::string out = d.substr(0, 2);
  if (d.size() > 2) out += "/" + d.substr(2, 2);
  if (d.size() > 4) out += "/" + std::string(d[4] == '9' ? "19" : "20") + d.substr(4, 2);
  return out;
}

std::string first_word(const std::string& s) {
  return s.substr(0, s.find(' '));
}

std::string name_cell(const std::string& nom, const std::string& prenom, const std::string& imm) {
  std::string out = first_word(nom) + " " + first_word(prenom);
  if (!imm.empty()) out += " (" + first_word(imm) + ")";
  return out;
}

std::string amount_cell(long long cents, char currency) {
  if (cents == 0) return "";
  const unsigned long long m = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents)
                                         : static_cast<unsigned long long>(cents);
  char text[64];
  std::snprintf(text, sizeof text, "%s%llu.%02llu%c", cents < 0 ? "-" : "", m / 100, m % 100,
                currency);
  return text;
}

std::string euros(long long cents) {
  const unsigned long long m = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents)
                                         : static_cast<unsigned long long>(cents);
  char text[64];
  std::snprintf(text, sizeof text, "%s%llu.%02llu", cents < 0 ? "-" : "", m / 100, m % 100);
  return text;
}

long long euro_cents(long long amount, bool francs) {
  return francs ? std::llround(static_cast<long double>(amount) * 100000.0L / 655957.0L) : amount;
}

// Letter case and accents of Windows-1252 letters dropped: "É", "è" and "E" give "e".
char fold(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  const auto in = [c](unsigned lo, unsigned hi) { return c >= lo && c <= hi; };
  if (in('A', 'Z')) return static_cast<char>(c + 32);
  if (in(0xC0, 0xC5) || in(0xE0, 0xE5)) return 'a';
  if (c == 0xC6) return '\xE6';
  if (c == 0xC7 || c == 0xE7) return 'c';
  if (in(0xC8, 0xCB) || in(0xE8, 0xEB)) return 'e';
  if (in(0xCC, 0xCF) || in(0xEC, 0xEF)) return 'i';
  if (c == 0xD0) return '\xF0';
  if (c == 0xD1 || c == 0xF1) return 'n';
  if (in(0xD2, 0xD6) || c == 0xD8 || in(0xF2, 0xF6) || c == 0xF8) return 'o';
  if (in(0xD9, 0xDC) || in(0xF9, 0xFC)) return 'u';
  if (c == 0xDD || c == 0xFD || c == 0xFF || c == 0x9F) return 'y';
  if (c == 0xDE) return '\xFE';
  if (c == 0x8A || c == 0x9A) return 's';
  if (c == 0x8E || c == 0x9E) return 'z';
  if (c == 0x8C) return '\x9C';
  return ch;
}

std::string folded(std::string s) {
  for (char& c : s) c = fold(c);
  return s;
}

int category(int n) {
  static const std::vector<int> payments = {531, 536, 572, 573, 576, 577, 580, 603, 613};
  if (std::find(payments.begin(), payments.end(), n) != payments.end()) return 1;
  if (n == 900) return 2;
  if (n == 930) return 4;
  return 3;
}

struct Options {
  fs::path folder;
  fs::path regimes;
  int kind = 0;
  int age = 0;
  int mask = 5;
  bool abrege = false;
  std::string find;
};

struct Row {
  std::array<std::string, 17> cells;
  int transfer = -1;
  bool francs = false;
};

struct File {
  std::string name;
  std::string fichier;
  std::vector<Row> rows;
  std::vector<noemie::Virement> transfers;
  bool francs = false;
};

std::map<int, std::pair<std::string, std::string>> read_regimes(const fs::path& path) {
  std::map<int, std::pair<std::string, std::string>> out;
  const std::string text = slurp(path);
  std::size_t at = 0;
  while ((at = text.find('=', at)) != std::string::npos) {
    const std::size_t end = text.find_first_of("\r\n", at);
    const std::string line = text.substr(at + 1, end - at - 1);
    at = end == std::string::npos ? text.size() : end;
    const std::size_t space = line.find(' '), semi = line.find(';');
    if (space == std::string::npos || semi == std::string::npos) continue;
    out[std::atoi(line.substr(0, space).c_str())] = {line.substr(space + 1, semi - space - 1),
                                                     line.substr(semi + 1)};
  }
  return out;
}

std::string caisse_cell(const std::string& zone, const Options& o) {
  static const auto regimes = read_regimes(o.regimes);
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (digit(zone[8]) && digit(zone[9])) {
    const auto it = regimes.find((zone[8] - '0') * 10 + zone[9] - '0');
    if (it != regimes.end()) {
      const auto number = [&](std::size_t at) {
        const int v = (zone[at] - '0') * 100 + (zone[at + 1] - '0') * 10 + (zone[at + 2] - '0');
        char text[16];
        std::snprintf(text, sizeof text, "%03d", v);
        return std::string(text);
      };
      char regime[16];
      std::snprintf(regime, sizeof regime, "%02d", it->first);
      return it->second.second + " (" + it->second.first + ") " + regime + " " + number(10) + " " +
             number(13);
    }
  }
  return field(zone.data(), zone.size());
}

std::optional<File> read_file(const fs::path& path, const std::string& name, const Options& o,
                              std::int64_t now_seconds) {
  std::error_code ec;
  const auto stamp = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::file_clock::to_sys(stamp).time_since_epoch())
                           .count();
  const std::string bytes = slurp(path);
  const noemie::testing::ReferenceResult read = noemie::testing::reference_read(bytes, o.abrege);
  const noemie::ReturnRecord& rec = read.rec;
  if (rec.valide != 1 || rec.entrees.empty()) return std::nullopt;
  const std::string ref(rec.entete.data() + 61, 3);
  const int n = (ref[0] - '0') * 100 + (ref[1] - '0') * 10 + (ref[2] - '0');
  const std::int64_t limits[] = {0, 31 * 86400, 7 * 86400, 86400};
  if (o.age >= 1 && o.age <= 3 && now_seconds - seconds > limits[o.age]) return std::nullopt;
  if (o.kind != 0 && o.kind != category(n)) return std::nullopt;
  File f;
  f.name = name;
  std::string number = name_text(name);
  number = number.substr(std::min(number.find_first_not_of('0'), number.size()));
  number = number.substr(0, number.find('.'));
  const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(
      std::chrono::sys_seconds{std::chrono::seconds(seconds)})};
  char when[32];
  std::snprintf(when, sizeof when, "  (%02u/%02u/%02d)", unsigned{day.day()}, unsigned{day.month()},
                ((int{day.year()} % 100) + 100) % 100);
  f.fichier = number + when;
  f.francs = !rec.euro;
  f.transfers = rec.virements;
  const char currency = rec.euro ? '\x80' : 'F';
  for (const noemie::ReturnEntry& e : rec.entrees) {
    Row row;
    auto& c = row.cells;
    c[1] = f.fichier;
    c[2] = (n == 534 ? "x(" : "(") + std::to_string(n) + ")";
    c[3] = date_cell(field(e.date_comptable));
    c[4] = caisse_cell(std::string(rec.entete.data() + 3, 22), o);
    c[5] = name_cell(field(e.nom_assure), field(e.prenom_assure), field(e.immatriculation));
    c[6] = name_cell(field(e.nom_malade), field(e.prenom_malade), "");
    c[7] = e.num_lot == 0 || e.num_lot == 999 ? "-" : std::to_string(e.num_lot);
    c[8] = e.num_facture > 1 && e.num_facture != 999999999 ? std::to_string(e.num_facture) : "";
    c[9] = date_cell(field(e.date_acte));
    c[10] = field(e.actes);
    c[11] = amount_cell(e.montant_total, currency);
    c[12] = e.taux_amo == 0 ? "" : std::to_string(e.taux_amo) + "%";
    c[13] = amount_cell(e.montant_amo, currency);
    c[14] = e.taux_amc == 0 ? "" : std::to_string(e.taux_amc) + "%";
    c[15] = amount_cell(e.montant_amc, currency);
    std::string detail = field(e.detail);
    while (!detail.empty() && detail.back() == ' ') detail.pop_back();
    c[16] = detail.substr(0, 2000);
    row.transfer = e.virement;
    row.francs = f.francs;
    f.rows.push_back(std::move(row));
  }
  return f;
}

bool matches(const std::string& name, const std::string& ext) {
  if (ext.empty()) return name.find('.') == std::string::npos;
  const auto dot = name.rfind('.');
  return dot != std::string::npos && upper(name.substr(dot + 1)) == ext;
}

long long cell_cents(const std::string& cell, bool francs) {
  if (cell.empty()) return 0;
  const bool negative = cell[0] == '-';
  const std::string digits = cell.substr(negative ? 1 : 0, cell.size() - (negative ? 2 : 1));
  const std::size_t point = digits.find('.');
  const long long cents =
      std::stoll(digits.substr(0, point)) * 100 + std::stoll(digits.substr(point + 1));
  return euro_cents(negative ? -cents : cents, francs);
}

std::string reference(const noemie::Virement& v) {
  std::string out;
  for (const std::string& part :
       {field(v.ref_virement1), field(v.ref_virement2), field(v.ref_virement3)}) {
    std::string p = part;
    while (!p.empty() && p.back() == ' ') p.pop_back();
    if (p.empty()) continue;
    if (!out.empty()) out += ' ';
    out += p;
  }
  return out;
}

std::string run(const Options& o) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(o.folder)) {
    std::error_code ec;
    if (e.is_directory(ec)) continue;
    const std::string name = e.path().filename().string();
    if (!name.empty() && name[0] != '.') names.push_back(name);
  }
  std::vector<std::string> patterns;
  if (o.mask & 1) patterns.insert(patterns.end(), {"RSP", "RSX", "RSZ"});
  if (o.mask & 4) patterns.insert(patterns.end(), {"ARL", "ARX", "ARZ"});
  patterns.insert(patterns.end(), {"DAT", ""});
  const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
  std::vector<File> files;
  for (const std::string& ext : patterns) {
    std::vector<std::string> matching;
    for (const std::string& name : names) {
      if (matches(name, ext)) matching.push_back(name);
    }
    std::sort(matching.begin(), matching.end(), [](const std::string& a, const std::string& b) {
      return upper(a) != upper(b) ? upper(a) < upper(b) : a < b;
    });
    for (const std::string& name : matching) {
      if (auto f = read_file(o.folder / name, name, o, now)) files.push_back(std::move(*f));
    }
  }
  // The fill's order: by "Fichier", as bytes, files of the same text in the order read.
  std::stable_sort(files.begin(), files.end(), [](const File& a, const File& b) {
    const std::string ka = a.fichier.substr(0, 259), kb = b.fichier.substr(0, 259);
    return std::lexicographical_compare(
        ka.begin(), ka.end(), kb.begin(), kb.end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
  });
  const std::string needle = folded(o.find);
  std::string out =
      "Date comptable\tR\xE9"
      "f\xE9rence\tCaisse\tFichier\tLignes\tAMO\tAMC\tTotal\tAnnonc\xE9\t"
      "\xC9"
      "cart\t\r\n";
  for (const File& f : files) {
    struct Sum {
      int rows = 0;
      long long amo = 0, amc = 0, total = 0;
    };
    std::map<int, Sum> sums;  // by transfer, in the file's order
    std::map<int, std::string> caisse;
    for (const Row& row : f.rows) {
      if (row.transfer < 0) continue;
      bool found = needle.empty();
      for (int c = 1; c < 17 && !found; ++c) {
        found = folded(row.cells[static_cast<std::size_t>(c)]).find(needle) != std::string::npos;
      }
      if (!found) continue;
      Sum& s = sums[row.transfer];
      ++s.rows;
      s.total += cell_cents(row.cells[11], f.francs);
      s.amo += cell_cents(row.cells[13], f.francs);
      s.amc += cell_cents(row.cells[15], f.francs);
      caisse[row.transfer] = row.cells[4];
    }
    for (const auto& [t, s] : sums) {
      const noemie::Virement& v = f.transfers.at(static_cast<std::size_t>(t));
      out += date_cell(field(v.date_comptable)) + "\t" + reference(v) + "\t" + caisse[t] + "\t" +
             f.fichier + "\t" + std::to_string(s.rows) + "\t" + euros(s.amo) + "\t" + euros(s.amc) +
             "\t" + euros(s.total) + "\t";
      if (v.montant_annonce) {
        const long long announced = euro_cents(*v.montant_annonce, f.francs);
        out += euros(announced) + "\t" + euros(announced - s.total) + "\t";
      } else {
        out += "\t\t";
      }
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(
        "Usage: check_virements FOLDER REGIME_TABLE [--kind K] [--age A] [--mask M] "
        "[--abrege] [--find TEXT]\n",
        stderr);
    return 2;
  }
  Options o;
  o.folder = argv[1];
  o.regimes = argv[2];
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
    if (arg == "--kind")
      o.kind = std::atoi(value().c_str());
    else if (arg == "--age")
      o.age = std::atoi(value().c_str());
    else if (arg == "--mask")
      o.mask = std::atoi(value().c_str());
    else if (arg == "--abrege")
      o.abrege = true;
    else if (arg == "--no-abrege")
      o.abrege = false;
    else if (arg == "--find")
      o.find = name_text(value());
    else {
      std::fprintf(stderr, "check_virements: unknown option %s\n", arg.c_str());
      return 2;
    }
  }
  const std::string out = run(o);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
