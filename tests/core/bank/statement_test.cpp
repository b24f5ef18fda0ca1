// Bank statements read into their credits: OFX 1 and 2, CSV as French banks write it, and the
// faults that stop a reading.

#include <gtest/gtest.h>

#include "core/bank/bank_statement.h"
#include "core/bank/statement_text.h"

namespace noemie::bank {
namespace {

// "date amount text" of each credit, for short comparisons.
std::vector<std::string> credits_of(const Statement& s) {
  std::vector<std::string> out;
  for (const BankCredit& c : s.credits) {
    out.push_back(c.date + " " + std::to_string(c.cents) + " " + c.text + " @" +
                  std::to_string(c.line));
  }
  return out;
}

constexpr std::string_view kOfx1 =
    "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nENCODING:USASCII\r\nCHARSET:1252\r\n\r\n"
    "<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>\r\n"
    "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20240318<TRNAMT>123.45<FITID>1\r\n"
    "<NAME>VIR CPAM PARIS<MEMO>REF0000001 &amp; co</STMTTRN>\r\n"
    "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20240319<TRNAMT>-50.00<NAME>LOYER</STMTTRN>\r\n"
    "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20240320120000[+1:CET]<TRNAMT>7,5<NAME>MSA \xC9QUIPE"
    "</STMTTRN>\r\n</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\r\n";

constexpr std::string_view kOfx2 =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?OFX OFXHEADER=\"200\" VERSION=\"211\"?>\n"
    "<OFX>\n <BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>\n"
    "  <STMTTRN>\n   <TRNTYPE>XFER</TRNTYPE>\n   <DTPOSTED>20240401000000.000</DTPOSTED>\n"
    "   <TRNAMT>+2000.00</TRNAMT>\n   <NAME>VIR R\xC3\x89GIME G\xC3\x89N\xC3\x89RAL</NAME>\n"
    "  </STMTTRN>\n </BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1>\n</OFX>\n";

TEST(Statement, ReadsTheCreditsOfEachForm) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> credits;
  } cases[] = {
      {"OFX 1, SGML, Windows-1252, end tags left out",
       std::string(kOfx1),
       {"18/03/2024 12345 VIR CPAM PARIS REF0000001 & co @8", "20/03/2024 750 MSA \xC9QUIPE @11"}},
      {"OFX 2, XML, UTF-8",
       std::string(kOfx2),
       {"01/04/2024 200000 VIR R\xC9GIME G\xC9N\xC9RAL @5"}},
      {"CSV with ';', a preamble, Débit and Crédit columns, a balance line",
       "Compte courant;12345\r\n\r\nDate;Libell\xE9;D\xE9"
       "bit;Cr\xE9"
       "dit\r\n"
       "15/03/2024;VIR CPAM REF1;;1 234,56\r\n16/03/2024;CB LIBRAIRIE;-12,00;\r\n"
       ";Solde au 16/03/2024;;1222,56\r\n",
       {"15/03/2024 123456 VIR CPAM REF1 @4"}},
      {"CSV with ',', quoted amounts, a Montant column, UTF-8 with its mark",
       "\xEF\xBB\xBF\"Date op\xC3\xA9ration\",\"Date de valeur\",\"Libell\xC3\xA9\",\"Montant\"\n"
       "\"2024-03-15\",\"2024-03-16\",\"VIR \"\"MSA\"\" 09\",\"+45,10 \xE2\x82\xAC\"\n"
       "\"18/03/24\",\"18/03/24\",\"PRLV\",\"-3,00\"\n",
       {"15/03/2024 4510 VIR \"MSA\" 09 @2"}},
      {"CSV whose text spans two lines in quotes",
       "Date;Montant;Libell\xE9;D\xE9tail\n01/02/2024;10,00;\"VIR\nCPAM\";R\xC9"
       "F 9\n"
       "02/02/2024;5;X;\n",
       {"01/02/2024 1000 VIR\nCPAM R\xC9"
        "F 9 @2",
        "02/02/2024 500 X @4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Statement s = read_statement(c.bytes);
    EXPECT_EQ(s.error, "");
    EXPECT_EQ(credits_of(s), c.credits);
  }
}

TEST(Statement, AStatementThatCannotBeReadNamesItsLineAndGivesNoCredit) {
  const struct {
    const char* name;
    std::string bytes;
    std::string error;
  } cases[] = {
      {"CSV amount", "Date;Montant\n01/02/2024;10,00\n02/02/2024;1O,00\n",
       "ligne 3 : montant illisible \xAB 1O,00 \xBB"},
      {"CSV date",
       "x\nDate;Cr\xE9"
       "dit\n31/02/2024;10\n",
       "ligne 3 : date illisible"},
      {"CSV without a header", "a;b\n1;2\n", "aucune ligne d'en-t\xEAte"},
      {"OFX without an amount",
       "<OFX>\n<STMTTRN><DTPOSTED>20240101<TRNAMT>5\n</STMTTRN>\n<STMTTRN>\n<DTPOSTED>20240101"
       "</STMTTRN></OFX>",
       "ligne 4 : op\xE9ration sans montant"},
      {"OFX amount with three decimals", "<OFX><STMTTRN><DTPOSTED>20240101<TRNAMT>5.123</OFX>",
       "ligne 1 : montant illisible"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Statement s = read_statement(c.bytes);
    EXPECT_EQ(s.error.substr(0, c.error.size()), c.error);
    EXPECT_TRUE(s.credits.empty());
  }
}

TEST(StatementText, DatesAndAmountsAsBanksWriteThem) {
  const struct {
    std::string_view text;
    std::optional<std::int64_t> cents;
  } amounts[] = {{"12", 1200},         {"12,5", 1250},           {"-1 234,56", -123456},
                 {"1.234,56", 123456}, {"12.30", 1230},          {"+ 7,00 EUR", 700},
                 {"12,300", 1230},     {"12,345", std::nullopt}, {"1.234", std::nullopt},
                 {"", std::nullopt},   {"12,", std::nullopt},    {"1,2,3", std::nullopt}};
  for (const auto& a : amounts) EXPECT_EQ(parse_statement_amount(a.text), a.cents) << a.text;
  const struct {
    std::string_view text;
    std::string date;  // "" for none
  } dates[] = {{"15/03/2024", "15/03/2024"},
               {"5/3/24", "05/03/2024"},
               {"2024-03-15 10:00", "15/03/2024"},
               {"20240229", "29/02/2024"},
               {"15.03.2024", "15/03/2024"},
               {"29/02/2023", ""},
               {"15/03/2024x", ""},
               {"15-03/2024", ""}};
  for (const auto& d : dates) {
    const auto date = parse_statement_date(d.text);
    EXPECT_EQ(date ? date->text : "", d.date) << d.text;
  }
  EXPECT_EQ(parse_statement_date("02/01/1970")->day, 1);
}

}  // namespace
}  // namespace noemie::bank
