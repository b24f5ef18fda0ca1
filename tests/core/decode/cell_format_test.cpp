#include "core/decode/cell_format.h"

#include <gtest/gtest.h>

#include "core/decode/amount_conversion.h"
#include "core/decode/regime_table.h"
#include "core/platform/clock.h"
#include "core/text/cp1252.h"

namespace noemie::decode {
namespace {

using namespace std::chrono;

std::int64_t file_time_of(sys_days day) {
  return platform::to_file_time(day);
}

TEST(CellFormat, ReferenceTextAndIcon) {
  const struct {
    std::string ref3;
    std::string text;
    int icon;
  } cases[] = {{"531", "(531)", 1},
               {"534", "x(534)", 0},
               {"900", "(900)", 2},
               {"930", "(930)", 5},
               {"575", "(575)", 0},
               {"053", "(53)", 0},
               {std::string(3, '\0'), "(-5328)", 0}};
  for (const auto& c : cases) {
    const RefCell cell = format_noemie_ref(c.ref3);
    EXPECT_EQ(cell.text, c.text);
    EXPECT_EQ(cell.icon, c.icon) << c.text;
  }
}

TEST(CellFormat, DatesAndTheirCentury) {
  const struct {
    std::string date6;
    std::string cell;
  } cases[] = {
      {"000000", ""},
      {"311299", "31/12/1999"},
      {"010100", "01/01/2000"},
      {"150885", "15/08/2085"},
      {"", ""},
      {"001299", ""},
      {"1512", "15/12/20"},
      {"151", "15/1"},
      {"15128", "15/12/208"},
      {"0", "0"},
      {"3112995", "31/12/1999"},
      {"AB CD9", "AB/ C/20D9"},
      {std::string("15\0"
                   "885",
                   6),
       "15/"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_date_noemie(c.date6), c.cell) << c.date6;
}

TEST(CellFormat, NamesAreLiteral) {
  const struct {
    std::string nom, prenom, immat, cell;
  } cases[] = {
      {"DUPONT DE LA TOUR  ", "JEAN PIERRE", "1650375123456  ", "DUPONT JEAN (1650375123456)"},
      {"MARTIN", "ANNE", "", "MARTIN ANNE"},
      {"", "", "", " "},
      {"NOM", "PRENOM", std::string(15, ' '), "NOM PRENOM ()"},
      {"NOM\tX", "A\xC9",
       std::string("\0"
                   "123",
                   4),
       "NOM\tX A\xC9"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_nom(c.nom, c.prenom, c.immat), c.cell);
}

TEST(CellFormat, FileNumberAndUtcDate) {
  const std::int64_t nov27 = file_time_of(sys_days{2023y / November / 27}) + 23 * 36'000'000'000LL;
  EXPECT_EQ(format_nom_fic("00012345.RSP", nov27), "12345  (27/11/23)");
  EXPECT_EQ(format_nom_fic("00012.RSP", nov27), "12  (27/11/23)");
  EXPECT_EQ(format_nom_fic("0000", nov27), "  (27/11/23)");
  EXPECT_EQ(format_nom_fic("12.a.RSP", nov27), "12  (27/11/23)");
  EXPECT_EQ(format_nom_fic("7", file_time_of(sys_days{1969y / July / 20})), "7  (20/07/69)");
  EXPECT_EQ(format_nom_fic("7", 0), "7  (01/01/01)");
  EXPECT_EQ(format_nom_fic("7", -1), "7  (31/12/00)");
  EXPECT_EQ(format_nom_fic("7", INT64_MAX), "7  (14/09/28)");
  EXPECT_EQ(format_nom_fic("7", INT64_MIN), "7  (19/04/73)");  // year -27627
}

TEST(CellFormat, DetailLosesTrailingBlanksOnly) {
  EXPECT_EQ(format_info_noemie("REJET   \t  ", kDetailMaxChars), "REJET   \t");
  EXPECT_EQ(format_info_noemie("      ", kDetailMaxChars), "");
  EXPECT_EQ(format_info_noemie(std::string("AB\0CD", 5), kDetailMaxChars), "AB");
  EXPECT_EQ(format_info_noemie("ABC  DEF  ", 5), "ABC  ");
}

TEST(CellFormat, AmountsInBothCurrencies) {
  EXPECT_EQ(formate_valeur(12345, kFrancSymbol), "123.45F");
  EXPECT_EQ(formate_valeur(5, kFrancSymbol), "0.05F");
  EXPECT_EQ(formate_valeur(100, text::kEuro), "1.00\x80");
  EXPECT_EQ(formate_valeur(-1755, kFrancSymbol), "-17.55F");
  EXPECT_EQ(formate_valeur(-5, kFrancSymbol), "-0.05F");
  EXPECT_EQ(formate_valeur(9'999'999'999, kFrancSymbol), "99999999.99F");
  EXPECT_EQ(formate_valeur(INT64_MIN, kFrancSymbol), "-92233720368547758.08F");
}

TEST(AmountConversion, ExamplesInBothDirectionsAndForms) {
  EXPECT_EQ(amount_conversion_text("100.00F", true), "100.00 F <--> 15.24 \x80");
  EXPECT_EQ(amount_conversion_text("3.00F", true), "3.00 F <--> 0.46 \x80");
  EXPECT_EQ(amount_conversion_text("1.00\x80", true), "6.55 F <--> 1.00 \x80");
  EXPECT_EQ(amount_conversion_text("100.00F", false),
            "Montant en Francs :        100.00 F\nMontant en Euro :             15.24 \x80");
  EXPECT_EQ(amount_conversion_text("-17.55F", true), "-17.55 F <--> -2.68 \x80");
  EXPECT_EQ(amount_conversion_text("-0.55\x80", false),
            "Montant en Francs :         -3.60 F\nMontant en Euro :             -0.55 \x80");
  EXPECT_EQ(amount_conversion_text("", true), "");
  EXPECT_EQ(amount_conversion_text(std::string_view("\0"
                                                    "1.00F",
                                                    6),
                                   true),
            "");
  EXPECT_EQ(francs_to_euros(10000), 1524);  // t = 15244
  EXPECT_EQ(francs_to_euros(300), 46);      // t = 457
  EXPECT_EQ(euros_to_francs(100), 655);     // truncated
}

TEST(AmountConversion, MalformedCellsNeverReadPastTheirEnd) {
  const struct {
    std::string cell;
    std::int64_t cents;
    bool francs;
  } cases[] = {{"12.5F", 1250, true},
               {"12", 1200, false},
               {"12.", 1200, false},
               {"F", 0, true},
               {".99F", 99, true},
               {"1.234F", 123, false},
               {"99999999999999999999999.99F", (INT64_MAX - 99) / 100 * 100 + 99, true}};
  for (const auto& c : cases) {
    const CellAmount amount = read_cell_amount(c.cell);
    EXPECT_EQ(amount.cents, c.cents) << c.cell;
    EXPECT_EQ(amount.francs, c.francs) << c.cell;
    EXPECT_FALSE(amount_conversion_text(c.cell, false).empty());
  }
}

TEST(DestinataireCell, RegimeNameOrRawZone) {
  const RegimeTable regimes = RegimeTable::from_text(
      "[\r\n=01 CPAM;R\xE9gime g\xE9n\xE9ral\r\n=00 ZERO;Nul\r\n=91 MGEN;Mutuelle\r\n]");
  // The zone: 8 characters, regime, caisse, centre, then 6 more.
  auto zone = [](std::string_view numbers) { return "SM000000" + std::string(numbers) + "ABCDEF"; };
  const std::string general = "R\xE9gime g\xE9n\xE9ral (CPAM) 01 ";
  const struct {
    std::string zone, cell;
  } cases[] = {
      {zone("01751000"), general + "751 000"},
      {zone("91751001"), "Mutuelle (MGEN) 91 751 001"},
      {zone("00751000"), zone("00751000")},  // regime 00
      {zone("02751000"), zone("02751000")},  // no entry
      {zone("0 751000"), zone("0 751000")},  // not two digits
      {zone("010 5012"), general + "-155 012"},
      {zone(std::string_view("01751\0"
                             "00",
                             8)),
       general + "751 -4800"},
      {zone(std::string_view("02\0"
                             "00000",
                             8)),
       "SM00000002"},
      {"SM0000000175", "SM0000000175"},  // too short for the numbers
  };
  for (const auto& c : cases) EXPECT_EQ(format_destinataire(c.zone, regimes), c.cell) << c.zone;
  EXPECT_EQ(format_destinataire(cases[0].zone, RegimeTable()), cases[0].zone);  // not loaded
}

}  // namespace
}  // namespace noemie::decode
