// The rules both viewer windows follow alike, without a window: the opening sequence's order
// and rectangles, the rectangle kept at close, the tooltip's re-arming, the pace of a long
// fill's progress, the find, summary and folder looks over the real engine, and the transfers
// window's statement, export, printout and narrowing.

#include <gtest/gtest.h>

#include "app/fill_pacer.h"
#include "app/opening_sequence.h"
#include "app/practice_wiring.h"
#include "app/tooltip_rearm.h"
#include "app/transfers_wiring.h"
#include "program_fixture.h"
#include "recording_front.h"

namespace noemie::testing {
namespace {

using namespace std::chrono_literals;

// Records every step of the sequence as one line, actions included.
struct RecordingWindow final : app::OpeningWindow, app::ViewerActions {
  std::vector<std::string> steps;
  app::Size minimum{600, 230};

  void check_kind_radio(int f) override { steps.push_back("kind " + std::to_string(f)); }
  void check_age_radio(int f) override { steps.push_back("age " + std::to_string(f)); }
  void check_kind_mask(int m) override { steps.push_back("mask " + std::to_string(m)); }
  void check_abrege(bool on) override { steps.push_back("abrege " + std::to_string(on)); }
  void check_always_on_top(bool on) override { steps.push_back("top " + std::to_string(on)); }
  std::vector<app::WindowRect> screens() const override { return {{0, 0, 1920, 1080}}; }
  app::WindowRect primary_available() const override { return {0, 0, 1920, 1040}; }
  app::Size minimum_size() override { return minimum; }
  void place_at(const app::WindowRect& r) override {
    steps.push_back("place " + std::to_string(r.x) + "," + std::to_string(r.y) + " " +
                    std::to_string(r.width) + "x" + std::to_string(r.height));
  }
  void attach_tooltips() override { steps.push_back("tips"); }
  void hide_unused_mask_boxes() override { steps.push_back("hide boxes"); }
  void focus_list() override { steps.push_back("focus"); }

  void window_opening() override { steps.push_back("opening"); }
  void window_closing(const app::WindowRect&) override {}
  void session_ending(const app::WindowRect&) override {}
  void kind_filter_chosen(int) override {}
  void age_filter_chosen(int) override {}
  void kind_mask_changed(int) override {}
  void abrege_toggled(bool) override {}
  void export_chosen(int) override {}
  void mark_chosen(int) override {}
  void header_clicked(int) override {}
  void cell_double_clicked(int, int) override {}
  std::string tooltip_text(int, int) override { return {}; }
};

TEST(WindowRules, OpeningRunsInOrderAndPlacesOnScreenNoSmallerThanTheMinimum) {
  const struct {
    app::WindowRect stored;
    std::string placed;
  } cases[] = {
      {{30, 40, 900, 600}, "place 30,40 900x600"},
      {{30, 40, 500, 400}, "place 30,40 600x400"},       // narrower than the tool frame
      {{-5000, 40, 900, 100}, "place 510,470 900x230"},  // off screen, then too low
  };
  for (const auto& c : cases) {
    RecordingWindow w;
    app::ViewerStartState state;
    state.kind_mask = 4;
    state.abrege = true;
    state.stored_rect = c.stored;
    app::run_opening_sequence(w, w, state);
    EXPECT_EQ(w.steps,
              (std::vector<std::string>{"kind 0", "age 0", "mask 4", "abrege 1", "top 0", "opening",
                                        c.placed, "tips", "hide boxes", "focus"}));
  }
  const app::WindowRect frame{10, 20, 800, 600};
  const app::WindowRect restored{40, 50, 700, 500};
  EXPECT_EQ(app::closing_rect(true, frame, restored), frame);
  EXPECT_EQ(app::closing_rect(false, frame, restored), restored);
  EXPECT_EQ(app::closing_rect(false, frame, {}), frame);
}

TEST(WindowRules, LeavingTheTipsCellHidesItAndArmsTheShortDelay) {
  using Move = app::TooltipRearm::Move;
  app::TooltipRearm rearm;
  const struct {
    const char* what;
    int x, y;
    Move move;
  } steps[] = {
      {"no tip yet", 5, 5, Move::Nothing},   {"tip", 0, 0, Move::Nothing},
      {"inside", 10, 10, Move::InTipCell},   {"left edge", 0, 5, Move::InTipCell},
      {"right edge", 20, 5, Move::LeftCell}, {"resting", 30, 5, Move::Resting},
      {"tip", 0, 0, Move::Nothing},          {"bottom edge", 5, 16, Move::LeftCell},
      {"detached", 0, 0, Move::Nothing},     {"after detach", 5, 5, Move::Nothing},
  };
  for (const auto& s : steps) {
    if (std::string(s.what) == "tip") {
      rearm.tip_shown({0, 0, 20, 16});
      continue;
    }
    if (std::string(s.what) == "detached") {
      rearm.reset();
      continue;
    }
    EXPECT_EQ(rearm.pointer_moved(s.x, s.y), s.move) << s.what;
  }
}

TEST(WindowRules, ALongFillShowsItsCountFromTheDelayOnUntilItEnds) {
  using Step = app::FillPacer::Step;
  app::FillPacer at_once(0ms);
  EXPECT_EQ(at_once.started(3), Step::Begin);
  EXPECT_TRUE(at_once.busy() && at_once.filling());
  EXPECT_EQ(at_once.done(3, 3), Step::Update);  // the last file is always painted
  EXPECT_TRUE(at_once.ended());
  EXPECT_FALSE(at_once.busy() || at_once.filling());

  app::FillPacer quick(1h);
  EXPECT_EQ(quick.started(3), Step::Nothing);
  EXPECT_EQ(quick.done(3, 3), Step::Nothing);
  EXPECT_TRUE(quick.filling());
  EXPECT_FALSE(quick.ended());
  EXPECT_EQ(app::fill_progress_text(1200, 5000), "Lecture des fichiers : 1200 / 5000");
}

// A window that only records what the wiring asks of it.
struct RecordingHost final : app::PracticeHost {
  std::vector<int> timer_starts;
  bool timer_on = false;
  bool dialog_open = false;
  int top = 0;
  int shown_top = -1;
  std::string summary;

  void start_look_timer(int ms) override {
    timer_starts.push_back(ms);
    timer_on = true;
  }
  bool look_timer_active() const override { return timer_on; }
  bool dialog_or_menu_open() const override { return dialog_open; }
  int top_row() const override { return top; }
  void show_top_row(int row) override { shown_top = row; }
  void show_summary(const std::string& text) override { summary = text; }
  // A find field tells its new text back, as the windows' fields do.
  std::function<void(const std::string&)> find_field;
  std::string find_text;
  void show_find_text(const std::string& text) override {
    find_text = text;
    if (find_field) find_field(text);
  }
};

TEST(WindowRules, FindSummaryAndFolderLooksActOnTheEngine) {
  RecordingFront front;
  ProgramFixture f;
  f.put("00000042.RSP", return_file("531"), kNow - 2 * kDay);
  f.put("00000043.RSP", return_file("900"), kNow - 10 * kDay);
  f.make(front);
  f.program->load_settings();
  f.program->set_folder(f.returns());
  f.program->open_viewer();
  RecordingHost host;
  app::PracticeWiring wiring(*f.program->engine(), host);

  wiring.find_text_changed("(900");
  EXPECT_EQ(listed_files(f.list()), std::set<int>{43});
  wiring.update_summary();
  EXPECT_EQ(host.summary.rfind("1 ligne, 1 fichier : 0 paiement, 1 rejet", 0), 0u) << host.summary;
  wiring.find_text_changed("");

  // A change told: one look after the settle delay; a poll while it is due waits for it.
  f.put("00000050.RSP", return_file("531"));
  wiring.folder_changed();
  wiring.folder_changed();
  EXPECT_EQ(host.timer_starts, std::vector<int>{app::kSettleMs});
  wiring.poll_due();
  EXPECT_EQ(listed_files(f.list()), (std::set<int>{42, 43}));
  // Never while a dialog is open; then a look that sees the change waits for a second one
  // that sees it unchanged.
  host.dialog_open = true;
  wiring.look_due();
  host.dialog_open = false;
  wiring.look_due();
  EXPECT_EQ(listed_files(f.list()), (std::set<int>{42, 43}));
  wiring.look_due();
  EXPECT_EQ(listed_files(f.list()), (std::set<int>{42, 43, 50}));
  EXPECT_EQ(host.timer_starts, (std::vector<int>{app::kSettleMs, app::kSettleMs, app::kSettleMs}));
  EXPECT_EQ(host.shown_top, 0);
  host.timer_on = false;
  wiring.poll_due();  // nothing changed since
  EXPECT_EQ(host.timer_starts.size(), 3u);
}

// A transfers window that records what the wiring asks of it.
struct RecordingTransfersView final : app::TransfersView {
  int tables = 0;
  std::vector<print::Document> previews;
  void show_table() override { ++tables; }
  void preview(const print::Document& document) override { previews.push_back(document); }
};

TEST(WindowRules, TheTransfersWindowReadsAStatementExportsPrintsAndNarrowsTheList) {
  RecordingFront front;
  ProgramFixture f;
  for (const NamedReturn& r : transfer_returns()) f.put(r.name, r.bytes);
  f.make(front);
  f.program->load_settings();
  f.program->set_folder(f.returns());
  f.program->open_viewer();
  viewer::Viewer& engine = *f.program->engine();
  RecordingHost host;
  app::PracticeWiring practice(engine, host);
  host.find_field = [&practice](const std::string& text) { practice.find_text_changed(text); };
  platform::RecordingDialogs& dialogs = f.dialogs.rec;
  app::TransfersWiring wiring(engine, f.dialogs, practice);
  RecordingTransfersView view;

  wiring.list_changed();  // not open: nothing drawn
  wiring.opened(view);
  ASSERT_EQ(view.tables, 1);
  ASSERT_EQ(wiring.model().row_count(), 3);

  // A statement crediting VIR B, and a credit of nothing: VIR B ticked and saved, the other
  // credit listed apart. The next choice opens in the statement's folder.
  const fs::path statement = f.dir.write("banque/releve.csv",
                                         "Date;Libell\xE9;Montant\n22/03/2024;VIR B;7,00\n"
                                         "23/03/2024;CARTE;9,99\n");
  dialogs.open_answers.push_back(statement);
  wiring.statement_asked();
  ASSERT_EQ(dialogs.open_requests.size(), 1u);
  EXPECT_EQ(dialogs.open_requests[0].title, "Choisissez un relev\xE9 bancaire");
  EXPECT_EQ(dialogs.open_requests[0].filters[0].pattern,
            viewer::TransfersModel::statement_filters()[0].pattern);
  EXPECT_TRUE(wiring.model().ticked(2));
  EXPECT_NE(f.tick_file().find("\t20/03/2024\tVIR B"), std::string::npos) << f.tick_file();
  ASSERT_EQ(wiring.unmatched().size(), 1u);
  EXPECT_EQ(app::credit_cell(wiring.unmatched()[0], 1), "9.99");
  EXPECT_EQ(app::credit_cell(wiring.unmatched()[0], 2), "CARTE");
  wiring.statement_asked();  // cancelled
  EXPECT_EQ(dialogs.open_requests[1].folder, statement.parent_path());
  EXPECT_EQ(view.tables, 2);

  // The PDF file and the printout of the table, with its statement's columns.
  dialogs.save_answers.push_back(f.dir.path() / "virements");
  wiring.export_chosen(3);
  const std::string pdf = read_file(f.dir.path() / "virements.pdf");
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("(VIR A CPAM R1)"), std::string::npos);
  wiring.print();
  ASSERT_EQ(view.previews.size(), 1u);
  EXPECT_EQ(view.previews[0].title, "Virements");
  EXPECT_FALSE(view.previews[0].pages.empty());

  // A line activated narrows the list to its rows; the find field says so, and that text is
  // not taken as a find. Emptying the field gives every row back.
  wiring.line_activated(1);
  EXPECT_EQ(f.list().row_count(), 2);
  EXPECT_EQ(host.find_text, engine.transfer_narrowing_text());
  EXPECT_EQ(host.find_text, "Virement du 15/03/2024 VIR A CPAM R1 (00000012.RSP)");
  practice.find_text_changed("");
  EXPECT_EQ(f.list().row_count(), 5);
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace noemie::testing
