// Refills that reuse what earlier fills read, on several threads, against a fresh viewer that
// reads every file on one thread: the same rows, icons, faults and fault order, after every
// filter, mask, "Abrégé" or sort change and after files change or go.

#include <gtest/gtest.h>

#include <functional>

#include "core/viewer/random_returns.h"
#include "open_watch.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

namespace fs = std::filesystem;
using testing::kDay;
using testing::kNow;
using testing::pick;

// Each fault with the number of rows the list held when it was reported.
class RowCountingReporter final : public FaultReporter {
 public:
  const ListControl* list = nullptr;
  std::vector<std::tuple<int, std::string, std::int64_t, std::int64_t, int>> faults;

  void report(const FaultReport& f) override {
    faults.emplace_back(f.code, f.path.string(), f.position, f.start, list->row_count());
  }
};

struct Shown {
  std::vector<std::string> rows;  // every cell, icon and detail of a row in one text

  explicit Shown(const ListControl& list) {
    for (int r = 0; r < list.row_count(); ++r) {
      std::string row = std::to_string(list.icon(r, kColTraite)) + "|" +
                        std::to_string(list.icon(r, kColRef)) + "|" +
                        std::to_string(list.row_data(r).row_index - r);
      for (int c = 0; c < kColumnCount; ++c) (row += '|') += list.cell(r, c);
      const EntryDetails d = list.details(r);
      for (const std::string_view t : {d.ref_virement1, d.ref_virement2, d.ref_virement3,
                                       d.texte_retour, d.date_lot, d.nature_assurance}) {
        (row += '|') += t;
      }
      row += "|" + std::to_string(d.type_retour) + d.traitement_amc + d.type_facture;
      rows.push_back(std::move(row));
    }
  }
};

void compare_one(std::uint32_t seed) {
  std::mt19937 rng(seed);
  testing::ViewerFixture f;
  std::vector<std::string> names;
  for (int i = pick(rng, 1, 14); i > 0; --i) {
    const std::string name = testing::random_return_name(rng);
    if (std::find(names.begin(), names.end(), name) != names.end()) continue;
    f.put(name, testing::random_return_file(rng), kNow - pick(rng, 0, 40) * kDay);
    names.push_back(name);
  }
  RowCountingReporter kept_faults;
  ViewerOptions threads = f.options();
  threads.fill_threads = 4;
  Viewer kept(f.settings, f.flags, f.titles, kept_faults, f.dialogs, f.clock, threads);
  kept_faults.list = &kept.list();
  kept.open();

  std::vector<int> sorts;  // since the last fill
  for (int step = 0; step < 8; ++step) {
    kept_faults.faults.clear();
    bool filled = true;
    switch (pick(rng, 0, 6)) {
      case 0:
        kept.choose_kind_filter(pick(rng, 0, 3));
        break;
      case 1:
        kept.choose_age_filter(pick(rng, 0, 3));
        break;
      case 2:
        kept.choose_kind_mask(pick(rng, 0, 1) == 0 ? 5 : pick(rng, 0, 255));
        break;
      case 3:
        kept.choose_abrege(pick(rng, 0, 1) == 1);
        break;
      case 4:  // a file changes (another time stamp, other bytes) or goes
        if (!names.empty()) {
          const std::string& name =
              names[static_cast<std::size_t>(pick(rng, 0, 99)) % names.size()];
          if (pick(rng, 0, 2) == 0) {
            fs::remove(f.folder() / name);
          } else {
            f.put(name, testing::random_return_file(rng), kNow - pick(rng, 41, 60) * kDay);
          }
        }
        kept.remplit_aff();
        break;
      default:
        sorts.push_back(pick(rng, 0, kColumnCount - 1));
        kept.sort_colonne(sorts.back());
        filled = false;
        break;
    }
    if (filled) sorts.clear();

    RowCountingReporter fresh_faults;
    ViewerOptions one_thread = f.options();
    one_thread.fill_threads = 1;
    Viewer fresh(f.settings, f.flags, f.titles, fresh_faults, f.dialogs, f.clock, one_thread);
    fresh_faults.list = &fresh.list();
    fresh.open(kept.type_liste(), kept.type_date());
    for (const int column : sorts) fresh.sort_colonne(column);

    SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
    ASSERT_EQ(Shown(kept.list()).rows, Shown(fresh.list()).rows);
    // Summed from the files' own summaries, kept from fill to fill, as from the rows.
    ASSERT_EQ(kept.summary(), summarize(fresh.list()));
    if (filled) {
      ASSERT_EQ(kept_faults.faults, fresh_faults.faults);
    }
  }
}

// NOEMIE_FIRST_SEED and NOEMIE_LAST_SEED (environment) choose other seeds.
TEST(Refill, KeptFilesOnSeveralThreadsListAsAFreshFillOnOne) {
  const auto seed = [](const char* name, std::uint32_t otherwise) {
    const char* value = std::getenv(name);
    return value ? static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10)) : otherwise;
  };
  for (std::uint32_t s = seed("NOEMIE_FIRST_SEED", 1); s <= seed("NOEMIE_LAST_SEED", 150); ++s) {
    compare_one(s);
    if (::testing::Test::HasFatalFailure()) break;
  }
}

// What a refill reads again: nothing after a filter or mask change, a changed file after its
// change, every file once under the other "Abrégé" setting and none when switched back.
TEST(Refill, ReadsAgainOnlyWhatChanged) {
  testing::ViewerFixture f;
  for (const char* name : {"1.RSP", "2.RSP", "3.ARL", "4.DAT"}) {
    f.put(name, testing::return_file("531"), kNow - kDay);
  }
  Viewer& v = f.open();
  struct Step {
    const char* what;
    std::function<void()> act;
    int read;
  } steps[] = {
      {"opening", [] {}, 4},
      {"kind filter", [&] { v.choose_kind_filter(1); }, 0},
      {"age filter", [&] { v.choose_age_filter(2); }, 0},
      {"kind mask without ARL", [&] { v.choose_kind_mask(1); }, 0},
      {"file changed",
       [&] {
         f.put("2.RSP", testing::return_file("900"), kNow - 2 * kDay);
         v.remplit_aff();
       },
       1},
      {"Abrégé", [&] { v.choose_abrege(true); }, 3},
      {"back to Abrégé off", [&] { v.choose_abrege(false); }, 0},
      {"file removed",
       [&] {
         fs::remove(f.folder() / "1.RSP");
         v.remplit_aff();
       },
       0},
      {"kind mask with ARL", [&] { v.choose_kind_mask(5); }, 0},
      {"rejections", [&] { v.choose_kind_filter(2); }, 0},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(v.read_count(), step.read) << step.what;
  }
  // The changed file as it is now.
  ASSERT_EQ(v.list().row_count(), 1);
  EXPECT_EQ(v.list().cell(0, kColRef), "(900)");
}

// What a refill takes again is decided by the stamps of one listing of the folder: a file
// unchanged since is not even opened; a file with another stamp (other bytes, a copy of the
// same size and time put in its place, another time) is read again, and so is one modified
// less than two seconds before it was read; a file that left lists nothing.
TEST(Refill, TheFolderListingDecidesWhatIsReadAgain) {
  const std::int64_t just_now = platform::SystemClock().now_file_time();
  const std::int64_t yesterday = kNow - kDay;
  struct Case {
    const char* what;
    std::int64_t first_time;  // of 2.RSP when the viewer opens
    std::function<void(testing::ViewerFixture&)> change;
    int read;         // by the refill
    int rows;         // listed by the refill, 1.RSP's first
    const char* ref;  // the "Réf" of 2.RSP's first row after it
  };
  const Case cases[] = {
      {"nothing changed", yesterday, [](auto&) {}, 0, 2, "(531)"},
      {"other bytes", yesterday,
       [&](auto& f) {
         f.put("2.RSP", testing::return_file("532", "NU", {1650, 20}), yesterday);
       },
       1, 3, "(532)"},
      {"a copy of the same size and time in its place", yesterday,
       [&](auto& f) {
         const fs::path copy = f.put("2.new", testing::return_file("532"), yesterday);
         fs::rename(copy, f.folder() / "2.RSP");
       },
       1, 2, "(532)"},
      {"another time", yesterday,
       [&](auto& f) { testing::set_file_time(f.folder() / "2.RSP", yesterday - kDay); }, 1, 2,
       "(531)"},
      {"modified just before it was read", just_now, [](auto&) {}, 1, 2, "(531)"},
      {"gone", yesterday, [](auto& f) { fs::remove(f.folder() / "2.RSP"); }, 0, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::ViewerFixture f;
    const fs::path unchanged = f.put("1.RSP", testing::return_file("900"), yesterday);
    f.put("2.RSP", testing::return_file("531"), c.first_time);
    Viewer& v = f.open();
    c.change(f);
    testing::OpenWatch watch(unchanged);
    v.choose_kind_filter(0);
    EXPECT_EQ(v.read_count(), c.read);
    EXPECT_EQ(watch.opens(), 0);
    EXPECT_TRUE(f.reporter.reports.empty());
    const ListControl& list = v.list();
    ASSERT_EQ(list.row_count(), c.rows);
    EXPECT_EQ(list.cell(0, kColRef), "(900)");
    EXPECT_EQ(list.cell(1, kColRef), c.ref);
  }
}

// When a fault of a file is reported, the rows of the files before it are in the list, and
// its own are not yet: a window can show them behind its error dialog.
TEST(Refill, FaultsComeAfterTheRowsOfTheFilesBefore) {
  testing::ViewerFixture f;
  f.put("1.RSP", testing::return_file("531"));
  f.put("2.RSP", testing::ReturnFileBuilder().add(testing::retour_081()).bytes());  // 8, listed
  f.put("3.RSP", "");                                                               // silent
  f.put("4.RSP", std::string(200, 'x'));                                            // 11
  f.put("5.RSP", testing::return_file("531"));
  RowCountingReporter faults;
  ViewerOptions threads = f.options();
  threads.fill_threads = 4;
  Viewer v(f.settings, f.flags, f.titles, faults, f.dialogs, f.clock, threads);
  faults.list = &v.list();
  for (int fill = 0; fill < 3; ++fill) {  // read, then kept
    faults.faults.clear();
    fill == 0 ? v.open() : v.remplit_aff();
    ASSERT_EQ(faults.faults.size(), 2u);
    EXPECT_EQ(std::get<0>(faults.faults[0]), 8);
    EXPECT_EQ(std::get<4>(faults.faults[0]), 1) << "rows of 1.RSP only";
    EXPECT_EQ(std::get<0>(faults.faults[1]), 11);
    EXPECT_EQ(std::get<4>(faults.faults[1]), 2) << "rows of 1.RSP and 2.RSP";
    EXPECT_EQ(v.list().row_count(), 3);
  }
}

// A window follows a fill through FillProgress, on the caller's thread, file by file.
TEST(Refill, ProgressIsToldFileByFile) {
  class Recording final : public FillProgress {
   public:
    std::vector<std::string> calls;
    void fill_started(int files) override { calls.push_back("start " + std::to_string(files)); }
    void files_done(int done, int files) override {
      calls.push_back(std::to_string(done) + "/" + std::to_string(files));
    }
    void fill_ended() override { calls.push_back("end"); }
  } progress;
  testing::ViewerFixture f;
  for (const char* name : {"1.RSP", "2.RSP", "3.DAT"}) f.put(name, testing::return_file("531"));
  Viewer& v = f.make();
  v.set_fill_progress(&progress);
  v.open();
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"start 3", "1/3", "2/3", "3/3", "end"}));
}

// A large fill tells once, after its first files, about how much its rows will take; a refill
// that reads no file again tells about none.
TEST(Refill, MemoryHintCountsTheFilesToRead) {
  testing::ViewerFixture f;
  std::mt19937 rng(11);
  for (int i = 0; i < 150; ++i) {
    f.put(std::to_string(i) + ".RSP", testing::random_return_file(rng), kNow - kDay);
  }
  std::vector<std::size_t> hints;
  ViewerOptions options = f.options();
  options.expect_memory = [&hints](std::size_t bytes) { hints.push_back(bytes); };
  Viewer& v = f.make(options);
  v.open();
  ASSERT_EQ(hints.size(), 1u);
  const std::size_t rows_bytes = v.list().memory_bytes();
  EXPECT_GT(hints[0], rows_bytes / 2) << rows_bytes;
  EXPECT_LT(hints[0], rows_bytes * 2) << rows_bytes;
  v.remplit_aff();
  ASSERT_EQ(hints.size(), 2u);
  EXPECT_LT(hints[1], rows_bytes / 10) << "every file was kept from the first fill";
}

}  // namespace
}  // namespace noemie::viewer
