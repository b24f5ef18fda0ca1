// The virements command as the real program: its Excel lines, a bank statement, and its
// errors.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "cli/export_fixture.h"

namespace noemie::testing {
namespace {

using namespace std::chrono;

const std::string kHeader =
    "Date comptable\tR\xE9"
    "f\xE9rence\tCaisse\tFichier\tLignes\tAMO\tAMC\tTotal\tAnnonc\xE9\t"
    "\xC9"
    "cart\t";
const std::string kCaisse = "R\xE9gime g\xE9n\xE9ral (CPAM) 01 751 001";

class VirementsCommandTest : public ExportFixture {
 protected:
  // A payment (26.50 €, one transfer of 15/03/2024 without reference) and a rejection.
  void write_two_files() const {
    write_return("00000012.RSP", payment_file("531", "DUPONT"), noon(2024y / March / 18));
    write_return("00000013.RSP", payment_file("900", "MARTIN"), noon(2024y / March / 19));
  }
  ProgramResult run(std::vector<std::string> options) const {
    std::vector<std::string> args = {"virements"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(returns().string());
    return run_viewer(args);
  }
};

TEST_F(VirementsCommandTest, WritesOneExcelLinePerTransferOfTheRowsChosen) {
  write_two_files();
  const std::string line12 =
      "15/03/2024\t\t" + kCaisse + "\t12  (18/03/24)\t1\t18.55\t7.95\t26.50\t\t\t\r\n";
  const std::string line13 =
      "15/03/2024\t\t" + kCaisse + "\t13  (19/03/24)\t1\t18.55\t7.95\t26.50\t\t\t\r\n";
  const struct {
    std::vector<std::string> options;
    std::string expected;
  } cases[] = {
      {{"--format", "excel"}, kHeader + "\r\n" + line12 + line13},
      {{"--format=excel", "--kind", "1"}, kHeader + "\r\n" + line12},
      {{"--format", "excel", "--find", "martin"}, kHeader + "\r\n" + line13},
  };
  for (const auto& c : cases) {
    const ProgramResult r = run(c.options);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, c.expected) << c.options.back();
  }
  // Text ends with the line of totals.
  const ProgramResult text = run({});
  EXPECT_NE(text.out.find("Total          |2 virements"), std::string::npos);
}

TEST_F(VirementsCommandTest, AStatementAddsItsDateAndTextAndTheCreditsLeftOver) {
  write_two_files();
  const auto csv = work() / "releve.csv";
  {
    std::ofstream out(csv, std::ios::binary);
    out << "Date;Libell\xE9;Cr\xE9"
           "dit\r\n17/03/2024;VIR CPAM;26,50\r\n18/03/2024;AUTRE;1,00\r\n";
  }
  const ProgramResult r = run({"--format", "excel", "--kind", "1", "--releve", csv.string()});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out, kHeader + "Relev\xE9\tLibell\xE9\t\r\n" + "15/03/2024\t\t" + kCaisse +
                       "\t12  (18/03/24)\t1\t18.55\t7.95\t26.50\t\t\t17/03/2024\tVIR CPAM\t\r\n" +
                       "Cr\xE9"
                       "dits non rapproch\xE9s\t\r\n18/03/2024\t1.00\tAUTRE\t\r\n");
}

TEST_F(VirementsCommandTest, ErrorsAreOneLineAndTheExportsStatuses) {
  write_two_files();
  const auto bad = work() / "bad.ofx";
  {
    std::ofstream out(bad, std::ios::binary);
    out << "<OFX>\n<STMTTRN><DTPOSTED>20241301<TRNAMT>5</STMTTRN></OFX>\n";
  }
  const ProgramResult unreadable = run({"--releve", bad.string()});
  EXPECT_EQ(unreadable.exit_code, 2);
  EXPECT_EQ(unreadable.out, "");
  EXPECT_NE(unreadable.err.find("bad.ofx"), std::string::npos);
  EXPECT_NE(unreadable.err.find("ligne 2"), std::string::npos);
  EXPECT_EQ(std::count(unreadable.err.begin(), unreadable.err.end(), '\n'), 1);
  EXPECT_EQ(run({"--sort", "3"}).exit_code, 2);
  EXPECT_EQ(run_viewer({"virements"}).exit_code, 2);
  EXPECT_EQ(run({"--output", (work() / "none" / "v.xls").string()}).exit_code, 1);
  const ProgramResult help = run_viewer({"virements", "--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("--releve FILE"), std::string::npos);
  const ProgramResult pdf = run({"--format", "pdf"});
  EXPECT_EQ(pdf.exit_code, 0) << pdf.err;
  EXPECT_EQ(pdf.out.substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace noemie::testing
