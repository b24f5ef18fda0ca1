// The bank transfers of the rows shown: the transfer list against the list's cells, the
// narrowing of the list to one transfer, the matching with a bank statement, and the
// transfers window's model (sort, ticks kept between runs, red lines, the line under it).

#include <gtest/gtest.h>

#include "core/bank/statement_text.h"
#include "core/store/tick_store.h"
#include "core/viewer/transfer_match.h"
#include "core/viewer/transfers_model.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

using namespace noemie::testing;

// The three transfers of transfer_returns().
struct TransfersFixture : ViewerFixture {
  TransfersFixture() {
    for (const NamedReturn& r : transfer_returns()) put(r.name, r.bytes);
  }

  // "reference rows amo amc total announced gap" of each line.
  static std::vector<std::string> summary(const std::vector<TransferLine>& lines) {
    std::vector<std::string> out;
    for (const TransferLine& l : lines) {
      out.push_back(l.date + " " + l.reference + " " + std::to_string(l.rows) + " " +
                    std::to_string(l.amo) + " " + std::to_string(l.amc) + " " +
                    std::to_string(l.total) + " " +
                    (l.announced ? std::to_string(*l.announced) : "-") + " " +
                    (l.gap() ? std::to_string(*l.gap()) : "-"));
    }
    return out;
  }
};

const std::vector<std::string> kAllLines = {
    "01/03/2024 VIR F 1 1000 0 1000 1000 0",
    "15/03/2024 VIR A CPAM R1 2 2300 500 2800 2900 100",
    "20/03/2024 VIR B 1 700 0 700 - -",
};

TEST(TransferList, FollowsTheRowsShownInTheFillsOrder) {
  TransfersFixture f;
  Viewer& v = f.open();
  ASSERT_EQ(v.list().row_count(), 5);
  EXPECT_EQ(TransfersFixture::summary(v.transfer_lines()), kAllLines);
  const std::vector<TransferLine> lines = v.transfer_lines();
  EXPECT_EQ(lines[0].fichier, f.cell(0, kColFichier));
  EXPECT_EQ(lines[0].caisse, f.cell(0, kColCaisse));
  EXPECT_EQ(lines[1].key, (TransferKey{"00000012.RSP", 0}));
  // A sort by a column changes the list, not the order of the transfers.
  v.sort_colonne(kColTotal);
  EXPECT_EQ(TransfersFixture::summary(v.transfer_lines()), kAllLines);
  // A find keeps the rows it finds: here the one row whose accounting date is the 20th. The
  // list's observer, told of the change at once, already gets the transfers of the find.
  struct FollowingWindow final : ListObserver {
    Viewer* viewer = nullptr;
    std::vector<std::string> lines;
    void reset() override { lines = TransfersFixture::summary(viewer->transfer_lines()); }
  } window;
  window.viewer = &v;
  v.list().set_observer(&window);
  v.set_find_text("20/03/2024");
  v.list().set_observer(nullptr);
  const std::vector<std::string> found = {"20/03/2024 VIR B 1 700 0 700 - -"};
  EXPECT_EQ(window.lines, found);
  EXPECT_EQ(TransfersFixture::summary(v.transfer_lines()), found);
  EXPECT_EQ(TransfersFixture::summary(transfer_lines(v.list())),
            TransfersFixture::summary(v.transfer_lines()));
  // The rows of no transfer are in no line; the others add up to the summary of the list.
  v.set_find_text("");
  const TransferTotals totals = transfer_totals(v.transfer_lines());
  EXPECT_EQ(totals.rows, v.summary().rows - 1);
  EXPECT_EQ(totals.amo, v.summary().amo - 1000);
  EXPECT_EQ(totals.announced, 3900);
  EXPECT_EQ(totals.gap, 100);
}

TEST(TransferList, NarrowingShowsOneTransferUntilTheFindChanges) {
  TransfersFixture f;
  Viewer& v = f.open();
  v.sort_colonne(kColTotal);
  v.narrow_to_transfer(v.transfer_lines()[1]);
  EXPECT_EQ(v.transfer_narrowing_text(), "Virement du 15/03/2024 VIR A CPAM R1 (00000012.RSP)");
  const auto shown_totals = [&v] {
    std::vector<std::string> out;
    for (int r = 0; r < v.list().row_count(); ++r) out.emplace_back(v.list().cell(r, kColTotal));
    return out;
  };
  const std::vector<std::string> a_rows = {"3.00\x80", "25.00\x80"};
  EXPECT_EQ(shown_totals(), a_rows);
  // The transfer list still has every transfer; a refill and a sort keep the narrowing.
  EXPECT_EQ(v.transfer_lines().size(), 3u);
  v.actualise(0, false);
  v.sort_colonne(kColFichier);  // stable: the rows of one file keep their order
  EXPECT_EQ(shown_totals(), a_rows);
  EXPECT_TRUE(v.narrowed_to_transfer());
  // A find ends it: its rows are those of the whole list.
  v.set_find_text("");
  EXPECT_EQ(v.list().row_count(), 5);
  EXPECT_EQ(v.transfer_narrowing_text(), "");
  v.narrow_to_transfer(v.transfer_lines()[2]);
  v.end_transfer_narrowing();
  EXPECT_EQ(v.list().row_count(), 5);
}

TEST(StatementMatch, EachCreditGoesToOneTransferOfItsAmountWithinTenDays) {
  const auto line = [](std::string date, std::string ref, std::int64_t total,
                       std::optional<std::int64_t> announced = std::nullopt) {
    TransferLine l;
    l.date = std::move(date);
    l.reference = std::move(ref);
    l.total = total;
    l.announced = announced;
    return l;
  };
  const auto credit = [](std::string date, std::int64_t cents, std::string text) {
    bank::BankCredit c;
    c.date = date;
    c.day = bank::parse_statement_date(date)->day;
    c.cents = cents;
    c.text = std::move(text);
    return c;
  };
  const std::vector<TransferLine> lines = {
      line("01/03/2024", "VIR 1", 1000),
      line("01/03/2024", "VIR 2", 1000),
      line("05/03/2024", "VIR 3", 500, 450),  // the announced total counts
      line("", "SANS DATE", 700),
      line("10/03/2024", "VIR 5", 800),
  };
  const struct {
    const char* name;
    std::vector<bank::BankCredit> credits;
    std::vector<int> credit_of_line;
    std::vector<std::size_t> unmatched;
  } cases[] = {
      {"the reference decides between two of the same amount and date",
       {credit("03/03/2024", 1000, "VIREMENT vir  2 CPAM"), credit("04/03/2024", 1000, "X")},
       {1, 0, -1, -1, -1},
       {}},
      {"announced total, not Total; no date, no match",
       {credit("05/03/2024", 500, ""), credit("05/03/2024", 450, ""),
        credit("05/03/2024", 700, "")},
       {-1, -1, 1, -1, -1},
       {0, 2}},
      {"ten days after, not eleven nor the day before",
       {credit("20/03/2024", 800, ""), credit("09/03/2024", 800, ""),
        credit("11/03/2024", 1000, ""), credit("12/03/2024", 1000, "")},
       {2, -1, -1, -1, 0},
       {1, 3}},
      {"credits are taken in date order, whatever the statement's",
       {credit("11/03/2024", 1000, ""), credit("02/03/2024", 1000, "")},
       {1, 0, -1, -1, -1},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const StatementMatch match = match_statement(lines, c.credits);
    EXPECT_EQ(match.credit_of_line, c.credit_of_line);
    EXPECT_EQ(match.unmatched, c.unmatched);
  }
}

TEST(TransfersModel, SortsTicksAndMatchesAStatementAsTheWindowAsks) {
  TransfersFixture f;
  Viewer& v = f.open();
  store::TickStore ticks(store::tick_file_path(f.settings.config.path_arch));
  TransfersModel model(v, ticks, f.dialogs);
  model.load_ticks();
  model.refresh();
  ASSERT_EQ(model.row_count(), 3);
  EXPECT_EQ(model.column_title(0), "Point\xE9");
  const auto references = [&model] {
    std::vector<std::string> out;
    for (int r = 0; r < model.row_count(); ++r) out.push_back(model.cell(r, 2));
    return out;
  };
  const auto red_rows = [&model] {
    std::vector<bool> out;
    for (int r = 0; r < model.row_count(); ++r) out.push_back(model.red(r));
    return out;
  };
  EXPECT_EQ(red_rows(), (std::vector<bool>{false, true, false}));
  model.sort(10);  // Écart: none before a gap of 0
  EXPECT_EQ(references(), (std::vector<std::string>{"VIR B", "VIR F", "VIR A CPAM R1"}));
  model.sort(8);  // Total
  EXPECT_EQ(references(), (std::vector<std::string>{"VIR B", "VIR F", "VIR A CPAM R1"}));
  model.sort(9);  // Annoncé: none first
  EXPECT_EQ(references(), (std::vector<std::string>{"VIR B", "VIR F", "VIR A CPAM R1"}));
  model.sort(1);  // Date comptable, in calendar order
  EXPECT_EQ(references(), (std::vector<std::string>{"VIR F", "VIR A CPAM R1", "VIR B"}));

  model.set_ticked(1, true);
  EXPECT_EQ(model.cell(1, 0), "oui");
  EXPECT_EQ(model.status_text(),
            "3 virements - total 46.00 \x80 - point\xE9s 29.00 \x80 - \xE0 pointer 17.00 \x80");
  // Another run on the folder finds the tick.
  {
    store::TickStore again(ticks.file());
    TransfersModel other(v, again, f.dialogs);
    other.load_ticks();
    other.refresh();
    EXPECT_TRUE(other.ticked(1));
    EXPECT_FALSE(other.ticked(0));
  }

  // A statement that cannot be read changes nothing; one that can ticks what it matches.
  const auto bad = f.dir.write("bad.csv", "Date;Montant\n22/03/2024;7,0x\n");
  EXPECT_FALSE(model.apply_statement(bad));
  ASSERT_EQ(f.dialogs.boxes.size(), 1u);
  EXPECT_NE(f.dialogs.boxes[0].text.find("ligne 2"), std::string::npos);
  EXPECT_EQ(model.column_count(), 11);
  const auto good = f.dir.write(
      "releve.csv", "Date;Libell\xE9;Montant\n22/03/2024;VIR B;7,00\n23/03/2024;X;9,99\n");
  EXPECT_TRUE(model.apply_statement(good));
  EXPECT_EQ(model.column_count(), 13);
  EXPECT_TRUE(model.ticked(2));
  EXPECT_EQ(model.cell(2, 11), "22/03/2024");
  EXPECT_EQ(model.cell(2, 12), "VIR B");
  ASSERT_EQ(model.sheet().unmatched.size(), 1u);
  EXPECT_EQ(model.sheet().unmatched[0].cents, 999);

  model.narrow_list_to(2);
  EXPECT_EQ(v.list().row_count(), 1);
}

TEST(TransferSheet, WritesTheExportsLayoutsWithTotalsAndUnmatchedCredits) {
  TransferSheet sheet;
  TransferLine line;
  line.date = "15/03/2024";
  line.reference = "VIR <A>";
  line.caisse = "CPAM";
  line.fichier = "12  (20/03/24)";
  line.rows = 2;
  line.amo = 2300;
  line.amc = -5;
  line.total = 2800;
  line.announced = 2900;
  sheet.lines = {line};
  line.announced.reset();
  sheet.lines.push_back(line);
  EXPECT_EQ(transfer_sheet_bytes(sheet, ExportMode::Excel),
            "Date comptable\tR\xE9"
            "f\xE9rence\tCaisse\tFichier\tLignes\tAMO\tAMC\tTotal\tAnnonc\xE9\t"
            "\xC9"
            "cart\t\r\n"
            "15/03/2024\tVIR <A>\tCPAM\t12  (20/03/24)\t2\t23.00\t-0.05\t28.00\t29.00\t1.00\t\r\n"
            "15/03/2024\tVIR <A>\tCPAM\t12  (20/03/24)\t2\t23.00\t-0.05\t28.00\t\t\t\r\n");
  sheet.with_statement = true;
  bank::BankCredit credit;
  credit.date = "18/03/2024";
  credit.cents = 999;
  credit.text = "X";
  sheet.bank = {credit, std::nullopt};
  sheet.unmatched = {credit};
  const std::string excel = transfer_sheet_bytes(sheet, ExportMode::Excel);
  EXPECT_NE(excel.find("\t29.00\t1.00\t18/03/2024\tX\t\r\n"), std::string::npos);
  EXPECT_TRUE(
      excel.ends_with("Cr\xE9"
                      "dits non rapproch\xE9s\t\r\n18/03/2024\t9.99\tX\t\r\n"));
  const std::string text = transfer_sheet_bytes(sheet, ExportMode::Text);
  EXPECT_NE(text.find("Total          |2 virements"), std::string::npos);
  EXPECT_NE(text.find("|4      |46.00         |-0.10         |56.00         |29.00         |1.00"),
            std::string::npos);
  const std::string html = transfer_sheet_bytes(sheet, ExportMode::Html);
  EXPECT_NE(html.find("<title>Virements</title>"), std::string::npos);
  EXPECT_NE(html.find("<td>VIR &lt;A&gt;</td>"), std::string::npos);
  EXPECT_TRUE(html.ends_with("<tr><td>18/03/2024</td><td>9.99</td><td>X</td></tr></table>"));
  ListControl printed;
  transfer_print_list(sheet, printed);
  EXPECT_EQ(printed.row_count(), 5);  // two lines, the totals, the title and one credit
  EXPECT_EQ(printed.cell(2, 1), "Total");
  EXPECT_EQ(printed.column_width(0), 0);
}

}  // namespace
}  // namespace noemie::viewer
