#pragma once
// A viewer over a temporary folder of synthetic return files, with an in-memory registry,
// recording dialogs and fault reporter, and a fixed clock.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/clock.h"
#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/store/tree_registry.h"
#include "core/viewer/viewer.h"
#include "support/recording_reporter.h"
#include "support/return_file_builder.h"
#include "support/temp_dir.h"

namespace noemie::testing {

namespace fs = std::filesystem;

// 2024-03-20 12:00:00 UTC as a file time.
inline constexpr std::int64_t kNow = 1710936000LL * 10'000'000 + platform::kFileTimeUnixEpoch;
inline constexpr std::int64_t kDay = 24LL * 3600 * 10'000'000;

// A Unix time in seconds as a file time.
constexpr std::int64_t file_time_of_unix(std::int64_t seconds) {
  return seconds * 10'000'000 + platform::kFileTimeUnixEpoch;
}

// Sets a file's modification time (the time the list shows) to a file time.
inline void set_file_time(const fs::path& path, std::int64_t file_time) {
  using namespace std::chrono;
  const auto since_unix =
      duration<std::int64_t, std::ratio<1, 10'000'000>>(file_time - platform::kFileTimeUnixEpoch);
  const system_clock::time_point sys(duration_cast<system_clock::duration>(since_unix));
  fs::last_write_time(path, fs::file_time_type::clock::from_sys(sys));
}

// The regime table of the tests: regimes 01 and 02.
inline constexpr std::string_view kRegimeTable =
    "Table\r\n[\r\n=01 CPAM;R\xE9gime g\xE9n\xE9ral\r\n=02 MSA;R\xE9gime agricole\r\n]\r\n";
// The fund directory of the tests (the first line is never found).
inline constexpr std::string_view kFundDirectory =
    "; annuaire\n1 751 0 CPAM DE PARIS 75948 PARIS\n1 751 1 CPAM PAIEMENT 75937 PARIS\n";

// A return file of one entry per line: 07x, 102, 103, one 21x per line amount, 990.
inline std::string return_file(std::string_view ref, std::string_view devise = "NU",
                               std::initializer_list<std::int64_t> amo_amounts = {1650},
                               std::int64_t total = 1650) {
  ReturnFileBuilder b;
  Header header;
  header.ref = std::string(ref);
  header.devise = std::string(devise);
  b.header(header).add(comptable_07x()).add(facture_102({.num_facture = 42}));
  b.add(identite_103({}));
  for (const std::int64_t amount : amo_amounts) b.add(ligne_21x({.montant_amo = amount}));
  b.add(cloture_99x({.montant_total = total}));
  return b.bytes();
}

// A return file by its name.
struct NamedReturn {
  const char* name;
  std::string bytes;
};

// Three transfers in two files, listed as "11" (francs) then "12":
//   11.RSX: VIR F of 01/03/2024, one row of 65.60 F, announced 65.60 F (10.00 €);
//   12.RSP: a row before any transfer, VIR A of 15/03/2024 (two rows, Total 28.00 €, announced
//   29.00 €: a gap), VIR B of 20/03/2024 (one row of 7.00 €, no announced total).
inline std::vector<NamedReturn> transfer_returns() {
  ReturnFileBuilder francs;
  francs.header({.devise = "  "})
      .add(virement_071({.date_comptable = "010324", .ref1 = "VIR F", .ref2 = "", .ref3 = ""}))
      .add(facture_102({}))
      .add(ligne_21x({.montant_amo = 6560}))
      .add(cloture_99x({.montant_total = 6560}))
      .add(cloture_99x({.level = 1, .montant_total = 6560}));
  ReturnFileBuilder euros;
  euros.add(facture_102({}))
      .add(ligne_21x({.montant_amo = 1000}))
      .add(cloture_99x({.montant_total = 1000}))
      .add(
          virement_071({.date_comptable = "150324", .ref1 = "VIR A", .ref2 = "CPAM", .ref3 = "R1"}))
      .add(facture_102({}))
      .add(ligne_21x({.montant_amo = 2000, .montant_amc = 500}))
      .add(cloture_99x({.montant_total = 2500}))
      .add(facture_102({}))
      .add(ligne_21x({.montant_amo = 300}))
      .add(cloture_99x({.montant_total = 300}))
      .add(cloture_99x({.level = 1, .montant_total = 2900}))
      .add(virement_071({.date_comptable = "200324", .ref1 = "VIR B", .ref2 = "", .ref3 = ""}))
      .add(facture_102({}))
      .add(ligne_21x({.montant_amo = 700}))
      .add(cloture_99x({.montant_total = 700}));
  return {{"00000011.RSX", francs.bytes()}, {"00000012.RSP", euros.bytes()}};
}

struct ViewerFixture {
  TempDir dir;
  store::MemoryRegistry registry;
  platform::RecordingDialogs dialogs;
  store::Settings settings{registry, dialogs, (dir.path() / "noemie-viewer").string()};
  store::FlagStore flags{registry, dialogs};
  store::ResultTitles titles;
  RecordingReporter reporter;
  platform::FixedClock clock{kNow};
  std::unique_ptr<viewer::Viewer> viewer;

  ViewerFixture() {
    fs::create_directories(folder());
    fs::create_directories(dir.path() / "arch");
    dir.write("caisses.qvc", kRegimeTable);
    dir.write("caisses.dat", kFundDirectory);
    settings.lit_config();
    settings.config.path_arch = (dir.path() / "arch").string() + "/";
    titles.init_txt_idx();
  }

  fs::path folder() const { return dir.path() / "returns"; }

  viewer::ViewerOptions options() const {
    viewer::ViewerOptions o;
    o.folder = folder();
    o.regime_table = dir.path() / "caisses.qvc";
    o.fund_directory = dir.path() / "caisses.dat";
    return o;
  }

  // Makes the viewer (not opened).
  viewer::Viewer& make(viewer::ViewerOptions o) {
    viewer = std::make_unique<viewer::Viewer>(settings, flags, titles, reporter, dialogs, clock,
                                              std::move(o));
    return *viewer;
  }
  viewer::Viewer& make() { return make(options()); }

  // Makes and opens the viewer.
  viewer::Viewer& open() {
    make().open();
    return *viewer;
  }

  // Writes a return file into the folder with the given time.
  fs::path put(std::string_view name, std::string_view bytes, std::int64_t file_time = kNow) {
    const fs::path path = dir.write(fs::path("returns") / std::string(name), bytes);
    set_file_time(path, file_time);
    return path;
  }

  std::string cell(int row, int column) const {
    return std::string(viewer->list().cell(row, column));
  }
};

}  // namespace noemie::testing
