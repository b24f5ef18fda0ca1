// Record layouts, detail lines with and without "Abrégé", messages, cut records and odd
// record types.

#include <functional>

#include <gtest/gtest.h>

#include "parse_helpers.h"
#include "support/return_file_builder.h"

namespace noemie::testing {
namespace {

// A first record with a fixed end, so that the record under test may have any layout.
Record first() {
  return lot_08x(0, 2, "010101", 1);
}

TEST(Layouts, EachLayoutWritesItsFields) {
  struct Case {
    const char* name;
    std::vector<Record> records;
    std::function<void(const ReturnEntry&)> check;
  };
  const std::string pad32 = std::string(32 - 8, ' ');
  const Case cases[] = {
      {"07x",
       {comptable_07x(5, 1, "150324")},
       [](const ReturnEntry& e) { EXPECT_EQ(str(e.date_comptable), "150324"); }},
      {"071",
       {virement_071({1, "160324", "VIREMENT", "CAISSE", "REF0000042"})},
       [&](const ReturnEntry& e) {
         EXPECT_EQ(str(e.date_comptable), "160324");
         EXPECT_EQ(str(e.ref_virement1), "VIREMENT" + pad32);
         EXPECT_EQ(str(e.ref_virement2), "CAISSE" + pad32 + "  ");
         EXPECT_EQ(str(e.ref_virement3), "REF0000042");
       }},
      {"08x",
       {lot_08x(3, 2, "140324", 912)},
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.date_lot), "140324");
         EXPECT_EQ(e.num_lot, 912);
       }},
      {"081",
       {retour_081(2, 4, "REJET")},
       [](const ReturnEntry& e) {
         EXPECT_EQ(e.type_retour, 4);
         EXPECT_EQ(str(e.texte_retour), "REJET         ");
       }},
      {"10x",
       {facture_10x(4, 3, 123456789)},
       [](const ReturnEntry& e) { EXPECT_EQ(e.num_facture, 123456789); }},
      {"102, no batch",
       {facture_102({3, 42, std::nullopt, "130324", '2', "120324", '1', "13"})},
       [](const ReturnEntry& e) {
         EXPECT_EQ(e.num_facture, 42);
         EXPECT_EQ(e.num_lot, 0);  // the first record's 1 is replaced
         EXPECT_EQ(str(e.date_lot), "130324");
         EXPECT_EQ(e.type_facture, '2');
         EXPECT_EQ(str(e.date_acte), "120324");
         EXPECT_EQ(e.traitement_amc, '1');
         EXPECT_EQ(str(e.nature_assurance), "13");
       }},
      {"103",
       {identite_103({3, "1700175123456", "DUPONT", "JEAN", "MARTIN", "MARIE"})},
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.immatriculation), "1700175123456  ");
         EXPECT_EQ(str(e.nom_assure), "DUPONT" + std::string(44, ' '));
         EXPECT_EQ(str(e.prenom_assure), "JEAN" + std::string(11, ' '));
         EXPECT_EQ(str(e.nom_malade), "MARTIN" + std::string(19, ' '));
         EXPECT_EQ(str(e.prenom_malade), "MARIE" + std::string(10, ' '));
       }},
      {"11x after 103 keeps 25 characters of the name",
       {identite_103({.nom_assure = std::string(50, 'X')}),
        assure_11x({2, 4, "2690375000001", "DURAND", "PAUL"})},
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.nom_assure), "DURAND" + std::string(19, ' '));
         EXPECT_EQ(e.nom_assure[26], 'X');  // the 103's bytes stay after the terminator
         EXPECT_EQ(str(e.immatriculation), "2690375000001  ");
         EXPECT_EQ(str(e.prenom_assure), "PAUL" + std::string(11, ' '));
       }},
      {"12x",
       {malade_12x({1, 4, "PETIT", "LOUISE"})},
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.nom_malade), "PETIT" + std::string(20, ' '));
         EXPECT_EQ(str(e.prenom_malade), "LOUISE" + std::string(9, ' '));
       }},
      {"16x",
       {zone_16x(2, 4, "ZONE-DE-SEIZE-16")},
       [](const ReturnEntry& e) { EXPECT_EQ(str(e.zone_16), "ZONE-DE-SEIZE-16"); }},
      {"198 and 199, which does not end the message",
       {montant_19x(8, 5, 12345678), montant_19x(9, 5, 87654321), facture_10x(0, 3, 9)},
       [](const ReturnEntry& e) {
         EXPECT_EQ(e.montant_amo, 12345678);
         EXPECT_EQ(e.montant_amc, 87654321);
         EXPECT_EQ(e.num_facture, 9);
       }},
      {"02x, 04x, 15x and 190 to 197 have no field",
       {Record("020", 1, 20), Record("045", 1, 20), Record("150", 2, 7), Record("193", 2, 4),
        facture_10x(0, 3, 7)},
       [](const ReturnEntry& e) {
         EXPECT_EQ(e.num_facture, 7);
         EXPECT_EQ(str(e.date_comptable), "");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReturnFileBuilder b;
    b.add(first());
    for (const Record& r : c.records) b.add(r);
    const Parsed p = parse(b.bytes());
    EXPECT_EQ(p.code(), -1);
    ASSERT_EQ(p.rec.entrees.size(), 1u);
    c.check(p.entry(0));
  }
}

TEST(DetailLines, Line21x) {
  const Parsed p = parse(ReturnFileBuilder()
                             .add(first())
                             .add(ligne_21x({.date_acte = "120324",
                                             .taux_amo = 70,
                                             .montant_amo = 1650,
                                             .acte = "AMI",
                                             .taux_amc = 30,
                                             .montant_amc = 707}))
                             .bytes());
  const ReturnEntry& e = p.entry(0);
  EXPECT_EQ(str(e.date_acte), "120324");
  EXPECT_EQ(e.taux_amo, 70);
  EXPECT_EQ(e.montant_amo, 1650);
  EXPECT_EQ(str(e.actes), "AMI");
  EXPECT_EQ(e.taux_amc, 30);
  EXPECT_EQ(e.montant_amc, 707);
  EXPECT_EQ(e.ligne_detail, 1);
  // A blank at 98 means no AMC rate.
  const Parsed blank =
      parse(ReturnFileBuilder().add(first()).add(ligne_21x({.taux_amc = std::nullopt})).bytes());
  EXPECT_EQ(blank.entry(0).taux_amc, 0);
}

TEST(DetailLines, DateOrderRuleOf21x) {
  const std::string sm = "SM00000005001051      ";
  struct Case {
    const char* name;
    std::string destinataire;
    char separator;
    std::string marker;
    bool line_first;  // the line is the first record: the form is still unknown
    const char* date;
  };
  const Case cases[] = {
      {"SM, @ form, marker 01000", sm, '@', "01000", false, "150324"},
      {"SM, @ form, other marker", sm, '@', "00000", false, "240315"},
      {"SM, space form", sm, ' ', "00000", false, "150324"},
      {"SM, 0xC3 form", sm, '\xC3', "00000", false, "150324"},
      {"SM, first record counts as not @", sm, '@', "00000", true, "150324"},
      {"other destinataire", "SM00000005001052      ", ' ', "01000", false, "240315"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReturnFileBuilder b;
    b.header({.destinataire = c.destinataire}).separator(c.separator);
    if (!c.line_first) b.add(first());
    b.add(ligne_21x({.marker = c.marker, .date_acte = "240315"}));
    EXPECT_EQ(str(parse(b.bytes()).entry(0).date_acte), c.date);
  }
}

TEST(DetailLines, Line22xIsWrittenOutrightEvenWhenMerging) {
  for (const bool abrege : {false, true}) {
    const Parsed p = parse(ReturnFileBuilder()
                               .add(first())
                               .add(ligne_21x({.taux_amo = 70, .montant_amo = 100, .acte = "C"}))
                               .add(ligne_22x({.date_acte = "010224",
                                               .taux_amo = 100,
                                               .montant_amo = 2500,
                                               .acte = "K",
                                               .taux_amc = 0,
                                               .montant_amc = 5}))
                               .bytes(),
                           abrege);
    const ReturnEntry& e = p.entry(abrege ? 0 : 1);
    EXPECT_EQ(str(e.date_acte), "010224");
    EXPECT_EQ(e.taux_amo, 100);
    EXPECT_EQ(e.montant_amo, 2500);
    EXPECT_EQ(e.taux_amc, 0);
    EXPECT_EQ(e.montant_amc, 5);
    EXPECT_EQ(str(e.actes), abrege ? "C+K" : "K");
  }
}

TEST(DetailLines, MergeOnAndOff) {
  const auto file = [](int rate2, std::optional<int> amc2) {
    return ReturnFileBuilder()
        .add(facture_102({.num_facture = 5}))
        .add(identite_103({.nom_assure = "DUPONT"}))
        .add(ligne_21x(
            {.taux_amo = 70, .montant_amo = 1000, .acte = "C", .taux_amc = 30, .montant_amc = 10}))
        .add(ligne_21x({.taux_amo = rate2,
                        .montant_amo = 500,
                        .acte = "V",
                        .taux_amc = amc2,
                        .montant_amc = 20}))
        .add(cloture_99x({.level = 5, .montant_total = 1500}))
        .bytes();
  };
  const Parsed merged = parse(file(70, 30), true);
  ASSERT_EQ(merged.rec.entrees.size(), 1u);
  EXPECT_EQ(merged.entry(0).taux_amo, 70);
  EXPECT_EQ(merged.entry(0).montant_amo, 1500);
  EXPECT_EQ(merged.entry(0).taux_amc, 30);
  EXPECT_EQ(merged.entry(0).montant_amc, 30);
  EXPECT_EQ(str(merged.entry(0).actes), "C+V");
  EXPECT_EQ(merged.entry(0).montant_total, 1500);

  const Parsed apart = parse(file(70, 30), false);
  ASSERT_EQ(apart.rec.entrees.size(), 2u);
  EXPECT_EQ(apart.entry(0).montant_amo, 1000);
  EXPECT_EQ(apart.entry(0).montant_total, 0);
  EXPECT_EQ(apart.entry(1).montant_amo, 500);
  EXPECT_EQ(str(apart.entry(1).actes), "V");
  EXPECT_EQ(apart.entry(1).montant_total, 1500);
  // The entry that starts at a detail line has no names: they belong to the invoice's entry.
  EXPECT_EQ(str(apart.entry(1).nom_assure), "");
  EXPECT_EQ(apart.entry(1).num_facture, 0);

  // Rates that differ become 0; a blank AMC rate leaves the rate alone.
  const Parsed differ = parse(file(100, std::nullopt), true);
  EXPECT_EQ(differ.entry(0).taux_amo, 0);
  EXPECT_EQ(differ.entry(0).taux_amc, 30);
  EXPECT_EQ(parse(file(70, 40), true).entry(0).taux_amc, 0);
}

TEST(DetailLines, ActesKeepsNineteenCharacters) {
  ReturnFileBuilder b;
  b.add(first());
  for (const char* code : {"ABCDE", "FGHIJ", "KLMNO", "PQ", "RS"}) {
    b.add(ligne_22x({.acte = code}));
  }
  // "ABCDE+FGHIJ+KLMNO+P" holds 19 characters: the next code keeps its first 18 and adds a
  // "+", with no room left for the code itself.
  const Parsed p = parse(b.bytes(), true);
  EXPECT_EQ(str(p.entry(0).actes), "ABCDE+FGHIJ+KLMNO++");
  // A code ends at its first space; an empty code still gets its "+".
  const Parsed q = parse(ReturnFileBuilder()
                             .add(first())
                             .add(ligne_22x({.acte = "G  X"}))
                             .add(ligne_22x({.acte = " V"}))
                             .bytes(),
                         true);
  EXPECT_EQ(str(q.entry(0).actes), "G+");
}

TEST(DetailLines, WhatFollowsALineStartsANewEntryUnlessAbrege) {
  for (const bool abrege : {false, true}) {
    SCOPED_TRACE(abrege);
    const Parsed p = parse(ReturnFileBuilder()
                               .add(first())
                               .add(ligne_21x({.montant_amo = 100, .acte = "ABCDE"}))
                               .add(montant_19x(9, 5, 333))
                               .add(message_29x(1, 6, "REJET"))
                               .bytes(),
                           abrege);
    if (abrege) {
      ASSERT_EQ(p.rec.entrees.size(), 1u);
      EXPECT_EQ(p.entry(0).montant_amc, 333);
      EXPECT_EQ(str(p.entry(0).actes), "ABC");  // cut by the message
      EXPECT_EQ(p.entry(0).ligne_detail, 0);
      EXPECT_EQ(str(p.entry(0).detail).substr(0, 6), "REJET ");
    } else {
      // The 199 opens an entry of its own; the message then joins it (its state is open).
      ASSERT_EQ(p.rec.entrees.size(), 2u);
      EXPECT_EQ(p.entry(0).montant_amc, 0);
      EXPECT_EQ(str(p.entry(0).actes), "ABCDE");
      EXPECT_EQ(p.entry(1).montant_amc, 333);
      EXPECT_EQ(str(p.entry(1).detail).substr(0, 5), "REJET");
    }
  }
}

TEST(Messages, JoinedUpToFourHundredCharacters) {
  ReturnFileBuilder b;
  b.add(first());
  for (int i = 0; i < 6; ++i) {
    b.add(message_29x(1, 6, std::string(80, static_cast<char>('A' + i))));
  }
  // Parse the file cut after each message, and look at the length of `detail`.
  const std::string all = b.bytes();
  const std::size_t first_end = 128 + 15;
  const std::size_t lengths[] = {80, 167, 254, 341, 400, 400};
  for (std::size_t i = 0; i < 6; ++i) {
    const std::string cut = all.substr(0, first_end + (i + 1) * 96);
    const std::string detail = str(parse(cut).entry(0).detail);
    EXPECT_EQ(detail.size(), lengths[i]) << i;
    if (i == 4) {
      EXPECT_EQ(detail.substr(348), std::string(52, 'E'));
    }
  }
  EXPECT_EQ(str(parse(all).entry(0).detail).substr(80, 8),
            " *****"
            " B");
}

TEST(Messages, ShortMessagesTrailingBlanksAnd290) {
  const Parsed p = parse(ReturnFileBuilder()
                             .add(first())
                             .add(message_29x(1, 6, "A"))
                             .add(message_29x(0, 6, "SECOND"))
                             .bytes());
  EXPECT_EQ(str(p.entry(0).detail), "A ***** SECOND" + std::string(74, ' '));
}

TEST(CutRecords, FieldsPastTheEndOfTheDataAreLeftAlone) {
  struct Case {
    const char* name;
    std::string record;  // the last bytes of the file
    std::function<void(const ReturnEntry&)> check;
  };
  const std::string v = virement_071({1, "160324", "VIREMENT", "CAISSE", "REF0000042"}).bytes();
  const std::string l21 = ligne_21x({.acte = "AMI", .taux_amc = 30, .montant_amc = 5}).bytes();
  const std::string m = message_29x(1, 6, "MESSAGE COUPE").bytes();
  const Case cases[] = {
      {"071 cut inside its second reference", v.substr(0, 60),
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.date_comptable), "160324");
         EXPECT_EQ(str(e.ref_virement1).substr(0, 8), "VIREMENT");
         EXPECT_EQ(str(e.ref_virement2), "");
       }},
      {"21x cut inside its act code: no \"+\"", l21.substr(0, 65),
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.actes), "C");  // only the first line's code
         EXPECT_EQ(e.ligne_detail, 1);
       }},
      {"21x cut inside its AMC rate", l21.substr(0, 100),
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.actes), "C+AMI");
         EXPECT_EQ(e.taux_amc, 30);  // the first line's rate stays
         EXPECT_EQ(e.montant_amc, 0);
       }},
      {"29x text takes the bytes that exist", m.substr(0, 15 + 7),
       [](const ReturnEntry& e) { EXPECT_EQ(str(e.detail), "MESSAGE"); }},
      {"29x without text is still a message", m.substr(0, 5),
       [](const ReturnEntry& e) {
         EXPECT_EQ(str(e.detail), "");
         EXPECT_EQ(str(e.actes), "C");
         EXPECT_EQ(e.ligne_detail, 0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = ReturnFileBuilder()
                                  .add(first())
                                  .add(ligne_22x({.acte = "C", .taux_amc = 30, .montant_amc = 0}))
                                  .add_raw(c.record)
                                  .bytes();
    const Parsed p = parse(bytes, true);
    EXPECT_EQ(p.rec.valide, 1);
    c.check(p.entry(0));
  }
}

TEST(OddTypes, FamilyDecidesFirstAndCharactersCountAsNumbers) {
  struct Case {
    const char* name;
    std::string record;
    std::function<void(const Parsed&)> check;
  };
  const Case cases[] = {
      // ";" counts as 11: family 0 * 10 + 11 is the 11x layout.
      {"0;0 is an 11x record", "0;004" + std::string(10, '7') + std::string(80, ' '),
       [](const Parsed& p) { EXPECT_EQ(str(p.entry(0).immatriculation), "7777777777     "); }},
      {"21A is a detail line", std::string(ligne_21x({.acte = "ZZ"}).bytes()).replace(2, 1, "A"),
       [](const Parsed& p) { EXPECT_EQ(str(p.entry(0).actes), "ZZ"); }},
      {"07A is not 071", std::string(virement_071({}).bytes()).replace(2, 1, "A"),
       [](const Parsed& p) {
         EXPECT_EQ(str(p.entry(0).date_comptable), "150324");
         EXPECT_EQ(str(p.entry(0).ref_virement1), "");
       }},
      {"99A is no closing record", "99A05" + std::string(40, '1'),
       [](const Parsed& p) {
         EXPECT_EQ(p.code(), -1);
         EXPECT_EQ(p.entry(0).montant_total, 0);
       }},
      // " 5" is worth -155, below 0: level 0, which the closing record then finds open.
      {"level with a non-digit is read as a number",
       "101 5000000042@" + cloture_99x({.level = 0, .montant_total = 77}).bytes(),
       [](const Parsed& p) {
         EXPECT_EQ(p.code(), -1);
         EXPECT_EQ(p.entry(0).num_facture, 42);
         EXPECT_EQ(p.entry(0).montant_total, 77);
       }},
      {"level above 99 counts as 0", std::string(facture_10x(0, 3, 6).bytes()).replace(3, 2, "A0"),
       [](const Parsed& p) { EXPECT_EQ(p.entry(0).num_facture, 6); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.check(parse(ReturnFileBuilder().add(first()).add_raw(c.record + "@").bytes()));
  }
}

TEST(Numbers, DigitByDigitWithoutValidation) {
  const auto amount_file = [](std::string amount8, std::string facture9) {
    return ReturnFileBuilder()
        .add(first())
        .add(Record::raw("19805" + std::string(9, ' ') + amount8))
        .add(Record::raw("10103" + facture9))
        .bytes();
  };
  // 8 bytes 0xFF: 207 * 11111111 = 2299999977, kept as its low 32 bits.
  // 9 bytes 0xFF: 207 * 111111111 = 22999999977, low 32 bits 1525163497.
  const Parsed high = parse(amount_file(std::string(8, '\xFF'), std::string(9, '\xFF')));
  EXPECT_EQ(high.entry(0).montant_amo, static_cast<std::int32_t>(2299999977LL - 4294967296LL));
  EXPECT_EQ(high.entry(0).num_facture, 1525163497);
  // A space is worth -16: "0000 100" is 100 - 16000, and a negative invoice number is 0.
  const Parsed low = parse(amount_file("0000 100", "00000000!"));
  EXPECT_EQ(low.entry(0).montant_amo, 100 - 16000);
  EXPECT_EQ(low.entry(0).num_facture, 0);
}

}  // namespace
}  // namespace noemie::testing
