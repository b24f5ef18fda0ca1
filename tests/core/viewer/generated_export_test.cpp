// The list and its exports compared, on many generated folders, with a simple model written
// apart from the engine: which files are listed and in what order, every cell, the icons, the
// filters, the sorts and the three export formats. Only the reading of a return file into its
// entries is shared (the reader has comparisons of its own).

#include <gtest/gtest.h>

#include "support/list_titles.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "core/noemie/reader.h"
#include "core/viewer/random_returns.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

namespace fs = std::filesystem;
using testing::kDay;
using testing::kNow;
using testing::pick;

// ---- The model ----

struct ModelRow {
  std::array<std::string, kColumnCount> cells;
  int state_icon = 0;
  int marker_icon = 0;
  // What the summary adds up, from the entry rather than the cells.
  std::string file;
  int category = 0;
  bool francs = false;
  std::array<std::int64_t, 3> amounts{};  // total, AMO, AMC in the file's currency
  bool found = true;
};

// Letter case and the accents of French dropped, written apart from the engine's table.
char model_fold(char c) {
  static const std::string from =
      "\xC0\xC2\xC4\xC7\xC8\xC9\xCA\xCB\xCE\xCF\xD4\xD6\xD9\xDB\xDC\x9F"
      "\xE0\xE2\xE4\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF6\xF9\xFB\xFC\xFF";
  static const std::string to = "aaaceeeeiioouuuyaaaceeeeiioouuuy";
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
  const std::size_t at = from.find(c);
  return at == std::string::npos ? c : to[at];
}

std::string model_folded(std::string s) {
  for (char& c : s) c = model_fold(c);
  return s;
}

// Euro cents of centimes at 6.55957, rounded half away from zero, in long double.
std::int64_t model_euro_cents(std::int64_t centimes) {
  return std::llround(static_cast<long double>(centimes) * 100000.0L / 655957.0L);
}

std::string upper_ascii(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return s;
}

bool model_matches(const std::string& name, const std::string& ext) {
  if (ext.empty()) return name.find('.') == std::string::npos;
  const auto dot = name.rfind('.');
  return dot != std::string::npos && upper_ascii(name.substr(dot + 1)) == ext;
}

int model_category(int n) {
  static const std::set<int> payments = {531, 536, 572, 573, 576, 577, 580, 603, 613};
  if (payments.count(n)) return 1;
  if (n == 900) return 2;
  if (n == 930) return 4;
  return 3;
}

char model_kind(int n) {
  if (n == 930) return 'A';
  if (model_category(n) == 1 || n == 534 || n == 900) return 'R';
  return 'I';
}

std::string field(const char* data, std::size_t size) {
  return std::string(data, strnlen(data, size));
}
template <std::size_t N>
std::string field(const std::array<char, N>& f) {
  return field(f.data(), N);
}

std::string model_date(const std::string& d) {
  if (d.empty() || d.rfind("00", 0) == 0) return "";
  return d.substr(0, 2) + "/" + d.substr(2, 2) + "/" + (d[4] == '9' ? "19" : "20") + d.substr(4, 2);
}

std::string first_word(const std::string& s) {
  return s.substr(0, s.find(' '));
}

std::string model_name(const std::string& nom, const std::string& prenom, const std::string& imm) {
  std::string out = first_word(nom) + " " + first_word(prenom);
  if (!imm.empty()) out += " (" + first_word(imm) + ")";
  return out;
}

std::string model_amount(long long cents, char currency) {
  if (cents == 0) return "";
  char text[64];
  std::snprintf(text, sizeof text, "%lld.%02lld%c", cents / 100, cents % 100, currency);
  return text;
}

std::string model_rate(int rate) {
  return rate == 0 ? "" : std::to_string(rate) + "%";
}

std::string model_fichier(const std::string& name, std::int64_t time) {
  std::string number = name.substr(std::min(name.find_first_not_of('0'), name.size()));
  number = number.substr(0, number.find('.'));
  const std::chrono::sys_seconds seconds{
      std::chrono::seconds((time - platform::kFileTimeUnixEpoch) / 10'000'000)};
  const std::chrono::year_month_day utc{std::chrono::floor<std::chrono::days>(seconds)};
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "  (%02u/%02u/%02d)", unsigned{utc.day()},
                unsigned{utc.month()}, (int{utc.year()} - 1900) % 100);
  return number + stamp;
}

std::string model_caisse(const std::string& zone) {
  static const std::map<int, std::pair<std::string, std::string>> regimes = {
      {1, {"CPAM", "R\xE9gime g\xE9n\xE9ral"}}, {2, {"MSA", "R\xE9gime agricole"}}};
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (digit(zone[8]) && digit(zone[9])) {
    const auto it = regimes.find((zone[8] - '0') * 10 + zone[9] - '0');
    if (it != regimes.end()) {
      char numbers[32];
      std::snprintf(numbers, sizeof numbers, ") %02d %s %s", it->first, zone.substr(10, 3).c_str(),
                    zone.substr(13, 3).c_str());
      return it->second.second + " (" + it->second.first + numbers;
    }
  }
  return zone;
}

std::string trim_right(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

struct Choices {
  int mask = 5;
  bool abrege = false;
  int kind = 0;
  int age = 0;
};

struct Model {
  fs::path folder;
  std::vector<std::string> names;
  std::map<std::string, std::int64_t> times;
  std::string flag_bytes;
  testing::RecordingReporter reporter;
  std::vector<ModelRow> rows;

  int state_of(std::uint64_t n) const {
    // A flag file of one byte holds no states (the store converts from the registry instead).
    if (flag_bytes.size() <= 1 || n >= flag_bytes.size()) return 0;
    const int s = static_cast<unsigned char>(flag_bytes[n]);
    return s > 3 ? 0 : s;
  }

  static std::uint64_t number_of(const std::string& name) {
    std::uint64_t n = 0;
    for (char c : name) {
      if (c < '0' || c > '9') break;
      n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return n;
  }

  void fill(const Choices& s) {
    rows.clear();
    std::vector<std::pair<std::string, int>> patterns;
    if (s.mask & 1) patterns.insert(patterns.end(), {{"RSP", 0}, {"RSX", 12}, {"RSZ", 13}});
    if (s.mask & 4) patterns.insert(patterns.end(), {{"ARL", 0}, {"ARX", 12}, {"ARZ", 13}});
    patterns.insert(patterns.end(), {{"DAT", 0}, {"", 0}});
    NoemieReader reader(reporter);
    for (const auto& [ext, pattern_icon] : patterns) {
      std::vector<std::string> matching;
      for (const auto& name : names) {
        if (name[0] != '.' && model_matches(name, ext)) matching.push_back(name);
      }
      std::sort(matching.begin(), matching.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = upper_ascii(a), ub = upper_ascii(b);
        return ua != ub ? ua < ub : a < b;
      });
      for (const auto& name : matching) add_file(reader, name, pattern_icon, s);
    }
    sort(kColFichier);
  }

  void add_file(NoemieReader& reader, const std::string& name, int pattern_icon, const Choices& s) {
    ReturnRecord rec;
    reader.lit_fichier_noemie(folder / name, rec, s.abrege);
    if (rec.valide != 1 || rec.entrees.empty()) return;
    const std::string ref(rec.entete.data() + 61, 3);
    const int n = (ref[0] - '0') * 100 + (ref[1] - '0') * 10 + (ref[2] - '0');
    const std::int64_t time = times.at(name);
    const std::int64_t age = kNow - time;
    const std::int64_t limits[] = {0, 31 * kDay, 7 * kDay, kDay};
    if (s.age >= 1 && s.age <= 3 && age > limits[s.age]) return;
    if (s.kind != 0 && s.kind != model_category(n)) return;
    int icon = n == 930 ? 9 : 6 + state_of(number_of(name));
    const char last = name.back();
    int kind_icon = pattern_icon;
    if (last == 'P') kind_icon = 0;
    if (last == 'X') kind_icon = name.size() > 1 && name[name.size() - 2] == 'S' ? 12 : 0;
    if (last == 'Z') kind_icon = 13;
    if (kind_icon != 0) icon = kind_icon;
    const char currency = rec.euro ? '\x80' : 'F';
    for (const ReturnEntry& e : rec.entrees) {
      ModelRow row;
      row.state_icon = icon;
      row.marker_icon = model_category(n) == 1 ? 1 : n == 900 ? 2 : n == 930 ? 5 : 0;
      auto& c = row.cells;
      c[1] = model_fichier(name, time);
      c[2] = (n == 534 ? "x(" : "(") + std::to_string(n) + ")";
      c[3] = model_date(field(e.date_comptable));
      c[4] = model_caisse(std::string(rec.entete.data() + 3, 22));
      c[5] = model_name(field(e.nom_assure), field(e.prenom_assure), field(e.immatriculation));
      c[6] = model_name(field(e.nom_malade), field(e.prenom_malade), "");
      c[7] = e.num_lot == 0 || e.num_lot == 999 ? "-" : std::to_string(e.num_lot);
      c[8] = e.num_facture > 1 && e.num_facture != 999999999 ? std::to_string(e.num_facture) : "";
      c[9] = model_date(field(e.date_acte));
      c[10] = field(e.actes);
      c[11] = model_amount(e.montant_total, currency);
      c[12] = model_rate(e.taux_amo);
      c[13] = model_amount(e.montant_amo, currency);
      c[14] = model_rate(e.taux_amc);
      c[15] = model_amount(e.montant_amc, currency);
      c[16] = trim_right(field(e.detail));
      row.file = name;
      row.category = model_category(n);
      row.francs = !rec.euro;
      row.amounts = {e.montant_total, e.montant_amo, e.montant_amc};
      rows.push_back(std::move(row));
    }
  }

  static bool is_number(int column) {
    return column == 2 || column == 7 || column == 8 || column == 12 || column == 14;
  }
  static bool is_date(int column) { return column == 3 || column == 9; }
  static bool is_amount(int column) { return column == 11 || column == 13 || column == 15; }

  static double key_of(const std::string& cell, int column) {
    const std::string text = cell.substr(0, 254);
    if (is_number(column)) {
      double v = 0;
      std::size_t i = text.find_first_of("0123456789");
      for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = v * 10 + (text[i] - '0');
      return v;
    }
    if (is_date(column)) {
      if (text.empty()) return 0;
      const auto d = [&](std::size_t i) { return text[i] - '0'; };
      return d(0) * 10 + d(1) + 31 * (d(3) * 10 + d(4)) +
             372 * (d(6) * 1000 + d(7) * 100 + d(8) * 10 + d(9));
    }
    if (is_amount(column)) {
      if (text.empty()) return 0;
      const double v = std::strtod(text.substr(0, text.size() - 1).c_str(), nullptr);
      return text.back() == 'F' ? v : v * 6.55957;
    }
    return 0;
  }

  void sort(int column) {
    const bool text = !is_number(column) && !is_date(column) && !is_amount(column);
    const auto cell = [&](const ModelRow& r) -> std::string {
      return column >= 0 && column < kColumnCount ? r.cells[static_cast<std::size_t>(column)] : "";
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ModelRow& a, const ModelRow& b) {
      if (text) {
        const std::string ka = cell(a).substr(0, 259), kb = cell(b).substr(0, 259);
        return std::lexicographical_compare(
            ka.begin(), ka.end(), kb.begin(), kb.end(), [](char x, char y) {
              return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
      }
      return key_of(cell(a), column) < key_of(cell(b), column);
    });
  }

  // "traités" / "non-traités" on the selected rows.
  void mark(const std::vector<bool>& selected, int state) {
    std::set<std::uint64_t> remembered;
    for (std::size_t r = 0, count = 0; r < rows.size() && count < 500; ++r) {
      const ModelRow& row = rows[r];
      const std::string& ref = row.cells[2];
      const int n = std::atoi(ref.c_str() + ref.find('(') + 1);
      if (!selected[r] || row.state_icon < 6 || row.state_icon > 9 || model_kind(n) != 'R')
        continue;
      remembered.insert(number_of(row.cells[1]));
      ++count;
    }
    for (ModelRow& row : rows) {
      if (remembered.count(number_of(row.cells[1]))) row.state_icon = state == 0 ? 6 : 7;
    }
  }

  // The find: rows with a cell holding the folded text.
  void find(const std::string& typed) {
    const std::string needle = model_folded(typed);
    for (ModelRow& row : rows) {
      row.found = false;
      for (int c = 1; c < kColumnCount; ++c) {
        if (model_folded(row.cells[static_cast<std::size_t>(c)]).find(needle) != std::string::npos)
          row.found = true;
      }
    }
  }

  std::vector<const ModelRow*> found_rows() const {
    std::vector<const ModelRow*> out;
    for (const ModelRow& row : rows) {
      if (row.found) out.push_back(&row);
    }
    return out;
  }

  ListSummary summary() const {
    ListSummary s;
    std::set<std::string> files;
    for (const ModelRow* row : found_rows()) {
      ++s.rows;
      files.insert(row->file);
      s.payments += row->category == 1;
      s.rejections += row->category == 2;
      s.others += row->category == 3;
      std::array<std::int64_t*, 3> sums = {&s.total, &s.amo, &s.amc};
      for (std::size_t i = 0; i < 3; ++i) {
        *sums[i] += row->francs ? model_euro_cents(row->amounts[i]) : row->amounts[i];
      }
    }
    s.files = static_cast<int>(files.size());
    return s;
  }

  std::string export_text(int mode, const std::vector<int>& widths) const {
    const auto escape = [](const std::string& s) {
      std::string out;
      for (char ch : s) {
        out += ch == '&' ? "&amp;" : ch == '<' ? "&lt;" : ch == '>' ? "&gt;" : std::string(1, ch);
      }
      return out;
    };
    std::string out;
    const auto write = [&](const std::string& cell, int width) {
      if (mode == 0) {
        const std::size_t w = static_cast<std::size_t>(width / 7);
        std::string t = cell.substr(0, w);
        t.resize(w, ' ');
        out += t + "|";
      } else if (mode == 1) {
        out += cell + "\t";
      } else {
        out += "<td>" + escape(cell) + "</td>";
      }
    };
    const std::string end = mode == 2 ? "</tr>" : "\r\n";
    if (mode == 2) {
      out +=
          "<html><head><title>Affichage NOEMIE (ARL/ARX/RSP) v1.1.3</title><meta "
          "http-equiv=\"content-type\" content=\"text/html; charset=windows-1252\"></head>"
          "<body bgcolor=\"#E0FFFF\" text=\"#000000\" link=\"#000080\"><table border=\"1\" "
          "cellpadding=\"1\" cellspacing=\"0\"><tr>";
    }
    for (int c = 0; c < kColumnCount; ++c)
      write(std::string(testing::kListTitles[static_cast<std::size_t>(c)]),
            widths[static_cast<std::size_t>(c)]);
    out += end;
    for (const ModelRow& row : rows) {
      if (!row.found) continue;
      if (mode == 2) out += "<tr>";
      for (int c = 0; c < kColumnCount; ++c) {
        write(row.cells[static_cast<std::size_t>(c)], widths[static_cast<std::size_t>(c)]);
      }
      out += end;
    }
    if (mode == 2) out += "</table>";
    return out;
  }
};

// ---- The comparison ----

struct Faults {
  std::vector<std::tuple<int, std::string, std::int64_t, std::int64_t>> list;
  explicit Faults(const std::vector<FaultReport>& reports) {
    for (const auto& r : reports) list.emplace_back(r.code, r.path.string(), r.position, r.start);
  }
  bool operator==(const Faults&) const = default;
};

// The headless export written file by file, from a viewer of its own, gives in every form the
// bytes of `list_viewer`'s list in its first order, and the same faults in the same order.
void expect_streamed_export_is_the_lists(testing::ViewerFixture& f,
                                         const viewer::ViewerOptions& options, const Choices& s,
                                         const Viewer& list_viewer) {
  testing::RecordingReporter reporter;
  Viewer streamed(f.settings, f.flags, f.titles, reporter, f.dialogs, f.clock, options);
  streamed.open_for_export(s.kind, s.age);
  for (const ExportMode mode : {ExportMode::Text, ExportMode::Excel, ExportMode::Html}) {
    std::string bytes;
    reporter.reports.clear();
    EXPECT_TRUE(streamed.stream_folder_export(mode, [&](std::string_view piece) {
      bytes += piece;
      return true;
    }));
    EXPECT_EQ(bytes, list_viewer.export_bytes(mode)) << "mode " << static_cast<int>(mode);
    EXPECT_EQ(Faults(reporter.reports), Faults(f.reporter.reports));
  }
  EXPECT_EQ(streamed.list().row_count(), 0);
  // A sink that stops after the titles stops the export, when there are rows to write.
  int pieces = 0;
  const bool whole = streamed.stream_folder_export(ExportMode::Text,
                                                   [&](std::string_view) { return ++pieces == 1; });
  EXPECT_EQ(whole, list_viewer.list().row_count() == 0);
}

void compare_one(std::uint32_t seed) {
  std::mt19937 rng(seed);
  testing::ViewerFixture f;
  Model model;
  model.folder = f.folder();
  const int files = pick(rng, 0, 12);
  // A Windows folder cannot hold two names that differ in letter case only.
  std::set<std::string> taken;
  for (int i = 0; i < files; ++i) {
    const std::string name = testing::random_return_name(rng);
    if (!taken.insert(upper_ascii(name)).second) continue;
    const std::int64_t time =
        kNow - pick(rng, -2, 45) * kDay + pick(rng, 0, 86399) * std::int64_t{10'000'000};
    f.put(name, testing::random_return_file(rng), time);
    model.names.push_back(name);
    model.times[name] = time;
  }
  if (pick(rng, 0, 5) == 0) fs::create_directory(f.folder() / "9.RSP");
  for (int i = pick(rng, 0, 40); i > 0; --i) model.flag_bytes += static_cast<char>(pick(rng, 0, 5));
  f.dir.write("arch/RSPstate.dat", model.flag_bytes);

  // Stored widths of the four kind filters, odd values included.
  auto& info = f.settings.config.info_result;
  const std::array<int, 8> odd = {0, 6, 7, 13, 140, 2000, -5, 65540};
  for (int row = 3; row <= 6; ++row) {
    for (int c = 0; c < kColumnCount; ++c) {
      if (pick(rng, 0, 6) == 0) info[static_cast<std::size_t>(row * 20 + c)] = odd[pick(rng, 0, 7)];
    }
  }
  const auto original = info;

  Choices s;
  const std::array<int, 8> masks = {0, 1, 4, 5, 255, 2, 8, 3};
  s.mask = masks[static_cast<std::size_t>(pick(rng, 0, 7))];
  s.kind = pick(rng, 0, 3);
  s.age = pick(rng, 0, 3);
  s.abrege = pick(rng, 0, 1) == 1;

  viewer::ViewerOptions options = f.options();
  options.summarize_files = seed % 2 == 1;  // the windows' way: each file summed as it is read
  Viewer& v = f.make(options);
  v.open();
  v.choose_kind_filter(s.kind);
  v.choose_age_filter(s.age);
  v.choose_kind_mask(s.mask);
  f.reporter.reports.clear();
  v.choose_abrege(s.abrege);

  model.fill(s);
  SCOPED_TRACE("seed " + std::to_string(seed));
  expect_streamed_export_is_the_lists(f, options, s, v);
  std::vector<int> sorts;
  for (int i = pick(rng, 0, 3); i > 0; --i) sorts.push_back(pick(rng, -1, 17));
  for (const int column : sorts) {
    v.sort_colonne(column);
    model.sort(column);
  }

  EXPECT_EQ(Faults(f.reporter.reports), Faults(model.reporter.reports));
  const ListControl& list = v.list();
  ASSERT_EQ(list.row_count(), static_cast<int>(model.rows.size()));
  for (int r = 0; r < list.row_count(); ++r) {
    const ModelRow& m = model.rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < kColumnCount; ++c) {
      ASSERT_EQ(list.cell(r, c), m.cells[static_cast<std::size_t>(c)])
          << "row " << r << " col " << c;
    }
    ASSERT_EQ(list.icon(r, kColTraite), m.state_icon) << "row " << r;
    ASSERT_EQ(list.icon(r, kColRef), m.marker_icon) << "row " << r;
    ASSERT_EQ(list.row_data(r).row_index, r);
  }
  std::vector<int> widths;
  for (int c = 0; c < kColumnCount; ++c) {
    widths.push_back(static_cast<int>(
        static_cast<std::uint32_t>(original[static_cast<std::size_t>((s.kind + 3) * 20 + c)]) &
        0xFFFF));
  }
  for (int mode = 0; mode < 3; ++mode) {
    const fs::path target = f.dir.path() / ("export" + std::to_string(mode));
    ASSERT_EQ(v.write_export(target, static_cast<ExportMode>(mode)), "");
    ASSERT_EQ(testing::read_file(target), model.export_text(mode, widths)) << "mode " << mode;
  }

  // Marking works on the same list.
  std::vector<bool> selected;
  for (int r = 0; r < list.row_count(); ++r) {
    selected.push_back(pick(rng, 0, 2) == 0);
    v.list().set_selected(r, selected.back());
  }
  const int state = pick(rng, 0, 1);
  v.marque_traitee(state);
  model.mark(selected, state);
  for (int r = 0; r < list.row_count(); ++r) {
    ASSERT_EQ(list.icon(r, kColTraite), model.rows[static_cast<std::size_t>(r)].state_icon)
        << "marked row " << r;
  }
  EXPECT_EQ(v.summary(), model.summary());

  // Find: a piece of a cell, typed in another letter case and without its accents, or a text
  // that no row holds.
  std::string typed = "zz\xC9q";
  if (!model.rows.empty() && pick(rng, 0, 5) != 0) {
    const ModelRow& row =
        model.rows[static_cast<std::size_t>(pick(rng, 0, static_cast<int>(model.rows.size()) - 1))];
    // The "Caisse" cells hold accents ("Régime général") more often than not.
    const int column = pick(rng, 0, 2) == 0 ? kColCaisse : pick(rng, 1, kColumnCount - 1);
    const std::string& cell = row.cells[static_cast<std::size_t>(column)];
    const std::size_t from = static_cast<std::size_t>(pick(rng, 0, static_cast<int>(cell.size())));
    typed = cell.substr(from, static_cast<std::size_t>(pick(rng, 1, 8)));
    for (char& c : typed) {
      if (pick(rng, 0, 1) == 0) c = model_fold(c);
      if (c >= 'a' && c <= 'z' && pick(rng, 0, 1) == 0) c = static_cast<char>(c - 32);
    }
  }
  SCOPED_TRACE("find '" + typed + "'");
  v.set_find_text(typed);
  model.find(typed);
  // A sort while rows are hidden sorts them too.
  const int find_sort = pick(rng, -1, 17);
  v.sort_colonne(find_sort);
  model.sort(find_sort);
  const std::vector<const ModelRow*> found = model.found_rows();
  ASSERT_EQ(list.row_count(), static_cast<int>(found.size()));
  for (int r = 0; r < list.row_count(); ++r) {
    ASSERT_EQ(list.cell(r, kColDetail), found[static_cast<std::size_t>(r)]->cells[kColDetail]);
    ASSERT_EQ(list.cell(r, kColFichier), found[static_cast<std::size_t>(r)]->cells[kColFichier]);
  }
  EXPECT_EQ(v.summary(), model.summary());
  EXPECT_EQ(v.export_bytes(ExportMode::Text), model.export_text(0, widths));

  // Marking the rows found marks their files, rows hidden by the find included.
  std::vector<bool> chosen(model.rows.size(), false);
  for (std::size_t r = 0, shown = 0; r < model.rows.size(); ++r) {
    if (!model.rows[r].found) continue;
    chosen[r] = pick(rng, 0, 1) == 0;
    v.list().set_selected(static_cast<int>(shown++), chosen[r]);
  }
  v.marque_traitee(1 - state);
  model.mark(chosen, 1 - state);
  v.set_find_text("");
  model.find("");
  ASSERT_EQ(list.row_count(), static_cast<int>(model.rows.size()));
  for (int r = 0; r < list.row_count(); ++r) {
    ASSERT_EQ(list.icon(r, kColTraite), model.rows[static_cast<std::size_t>(r)].state_icon)
        << "row " << r << " after marking found rows";
    ASSERT_EQ(list.cell(r, kColDetail), model.rows[static_cast<std::size_t>(r)].cells[kColDetail]);
    ASSERT_EQ(list.cell(r, kColFichier),
              model.rows[static_cast<std::size_t>(r)].cells[kColFichier]);
  }
}

// NOEMIE_FIRST_SEED and NOEMIE_LAST_SEED (environment) choose other seeds, e.g. 1 and 5000 for
// a longer run.
TEST(GeneratedFolders, ListAndExportsMatchTheModel) {
  const std::uint32_t first = std::getenv("NOEMIE_FIRST_SEED")
                                  ? std::strtoul(std::getenv("NOEMIE_FIRST_SEED"), nullptr, 10)
                                  : 1;
  const std::uint32_t last = std::getenv("NOEMIE_LAST_SEED")
                                 ? std::strtoul(std::getenv("NOEMIE_LAST_SEED"), nullptr, 10)
                                 : 300;
  for (std::uint32_t seed = first; seed <= last; ++seed) {
    compare_one(seed);
    if (::testing::Test::HasFatalFailure()) break;
  }
}

}  // namespace
}  // namespace noemie::viewer
