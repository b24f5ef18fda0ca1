// Start detection, the fault codes with their positions, separators and closing records.

#include <gtest/gtest.h>

#include "parse_helpers.h"
#include "support/return_file_builder.h"

namespace noemie::testing {
namespace {

std::string header() {
  return header_bytes(Header{});
}

TEST(StartDetection, FindsTheHeaderOrGivesTheCode) {
  struct Case {
    const char* name;
    std::string bytes;
    int code;               // -1: no fault
    std::int64_t position;  // of the fault
    std::int64_t debut;     // -1 when not found
  };
  const std::string h = header();
  const std::string line = lot_08x().bytes() + "@";
  const Case cases[] = {
      {"empty", "", 10, 0, -1},
      {"127 bytes", std::string(127, '0'), 9, 127, -1},
      {"no run of spaces, ends with a digit", std::string(300, '0'), 11, 0, -1},
      {"no run of 21 spaces, ends with 7", std::string(200, '0') + std::string(7, ' '), 11, 7, -1},
      {"a run of 20 spaces is not enough",
       std::string(100, '0') + std::string(20, ' ') + "0" + std::string(30, '0'), 11, 0, -1},
      {"header at the start", h + line, -1, 0, 0},
      {"bytes before the header", "XYZ\r\n" + h + line, -1, 0, 5},
      // "1001": the first "0" is followed by "0" and "1", so the header starts at the "1".
      {"header begins 1001", "AB" + ("1001" + h.substr(4)) + line, -1, 0, 2},
      {"header begins 0001", "AB" + ("0001" + h.substr(4)) + line, -1, 0, 2},
      // Computed start on a character other than "0": moved forward to the first "0" (and
      // the records are looked for 128 characters after it).
      {"moved forward to its 0", "X" + ("AB" + h.substr(2)) + "--" + line, -1, 0, 3},
      // The run ends 117 characters in: the start would lie before the data, so it is the
      // data's first character.
      {"clamped to the start of the data",
       std::string(96, '0') + std::string(21, ' ') + "X" + std::string(20, 'Y'), -1, 0, 0},
      {"clamped, then fewer than 128 left after the 0",
       std::string(96, 'A') + std::string(21, ' ') + std::string(11, '0'), 9, 11, -1},
      {"no 0 after the computed start", std::string(96, 'A') + std::string(40, ' ') + "X", 9, 0,
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Parsed p = parse(c.bytes);
    EXPECT_EQ(p.code(), c.code);
    if (c.code >= 0) {
      EXPECT_EQ(p.position(), c.position);
      EXPECT_EQ(p.rec.valide, 0);
      EXPECT_TRUE(p.rec.entrees.empty());
      // 9 and 10 are silent; 11 is shown with start -1.
      ASSERT_EQ(p.shown.size(), c.code == 11 ? 1u : 0u);
      if (c.code == 11) {
        EXPECT_EQ(p.shown[0].start, -1);
      }
    } else {
      EXPECT_EQ(p.rec.valide, 1);
      EXPECT_EQ(std::string(p.rec.entete.data(), 128),
                c.bytes.substr(static_cast<std::size_t>(c.debut), 128));
    }
    EXPECT_EQ(p.debut, c.debut);
  }
}

TEST(StartDetection, EuroFlagComesFromTheDevise) {
  const std::pair<const char*, int> cases[] = {{"NU", 1}, {" U", 1}, {"0U", 1}, {"N ", 1},
                                               {"  ", 0}, {"FF", 0}, {"UN", 0}, {"nu", 0}};
  for (const auto& [devise, euro] : cases) {
    const Parsed p = parse(ReturnFileBuilder().header({.devise = devise}).add(lot_08x()).bytes());
    EXPECT_EQ(p.rec.euro, euro) << devise;
    EXPECT_EQ(p.rec.devise(), devise);
  }
}

TEST(StartDetection, EntriesOfAnEarlierReadAreDropped) {
  RecordingReporter reporter;
  NoemieReader reader(reporter);
  ReturnRecord rec;
  parse_exact(reader, ReturnFileBuilder().add(lot_08x()).add(facture_10x()).bytes(), rec, false);
  ASSERT_EQ(rec.valide, 1);
  parse_exact(reader, std::string(127, '0'), rec, false);
  EXPECT_EQ(rec.valide, 0);
  EXPECT_TRUE(rec.entrees.empty());
  EXPECT_EQ(reader.debut_detecte(), -1);
}

// Codes raised by the record walk, with their positions (from the header's first character)
// and the valide flag they leave.
TEST(RecordWalk, FaultCodesPositionsAndValide) {
  struct Case {
    const char* name;
    std::string bytes;
    int code;
    std::int64_t position;
    int valide;
    std::size_t entries;
  };
  const std::string h = header();
  const std::string f102 = facture_102({}).bytes();  // 39 characters, fixed end
  const Case cases[] = {
      {"level 50 on an ordinary record", h + facture_102({.level = 50}).bytes() + "@", 3, 132, 0,
       1},
      {"level 99 takes no slot", h + facture_102({.level = 99}).bytes() + "@", -1, 0, 1, 1},
      {"closing record first, nothing open", h + cloture_99x({.level = 5}).bytes() + "@", 4, 132, 0,
       1},
      {"closing record of another level", h + f102 + "@" + cloture_99x({.level = 4}).bytes() + "@",
       4, 128 + 40 + 4, 0, 1},
      {"separator none of the three", h + f102 + "#" + lot_08x().bytes(), 6, 128 + 39, 1, 1},
      {"first record without a fixed end", h + retour_081().bytes() + "@", 8, 128 + 21, 1, 1},
      {"first record of an unknown family", h + "05003@", 8, 132, 1, 1},
      {"space form and a type without fixed end",
       h + f102 + " " + retour_081().bytes() + " " + lot_08x().bytes(), 7, 128 + 40 + 21, 1, 1},
      {"space form, code 7 even at the end of the data", h + f102 + " " + "08102", 7, 128 + 40 + 21,
       1, 1},
      {"first record ends at the end of the data", h + f102, -1, 0, 1, 1},
      {"first record without fixed end cut by the end", h + "08102TEXT", -1, 0, 1, 1},
      {"type and level cut by the end", h + f102 + "@102", -1, 0, 1, 1},
      {"end type 999 stops before its level", h + f102 + "@99977@" + facture_102({}).bytes(), -1, 0,
       1, 1},
      {"end type 089", h + f102 + "@089" + "77@" + lot_08x().bytes(), -1, 0, 1, 1},
      {"end type 299", h + f102 + "@29906@" + lot_08x().bytes(), -1, 0, 1, 1},
      {"no record at all: one empty entry", h + "\r\n--\r\n", -1, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Parsed p = parse(c.bytes);
    EXPECT_EQ(p.code(), c.code);
    if (c.code >= 0) {
      EXPECT_EQ(p.position(), c.position);
    }
    EXPECT_EQ(p.rec.valide, c.valide);
    EXPECT_EQ(p.rec.entrees.size(), c.entries);
    EXPECT_EQ(p.rec.der_entree + 1, static_cast<int>(p.rec.entrees.size()));
    if (c.code >= 0) {
      ASSERT_EQ(p.shown.size(), 1u);
      EXPECT_EQ(p.shown[0].code, c.code);
      EXPECT_EQ(p.shown[0].position, c.position);
      EXPECT_EQ(p.shown[0].start, 0);
    }
  }
}

TEST(RecordWalk, FaultyRecordIsReadBeforeTheFault) {
  // Code 8: the 081 record's fields are read first.
  const Parsed p8 = parse(ReturnFileBuilder().add(retour_081(2, 4, "REJET")).bytes());
  EXPECT_EQ(p8.code(), 8);
  EXPECT_EQ(p8.entry(0).type_retour, 4);
  EXPECT_EQ(str(p8.entry(0).texte_retour), "REJET         ");
  // Code 7: the 103 record after the first one is read too.
  const Parsed p7 = parse(ReturnFileBuilder()
                              .separator(' ')
                              .add(facture_102({.num_facture = 7}))
                              .add(identite_103({.nom_assure = "DUPONT"}))
                              .bytes());
  EXPECT_EQ(p7.code(), 7);
  EXPECT_EQ(p7.rec.valide, 1);
  EXPECT_EQ(p7.entry(0).num_facture, 7);
  EXPECT_EQ(str(p7.entry(0).nom_assure).substr(0, 7), "DUPONT ");
}

TEST(Separators, RecordsAreFoundInEachForm) {
  for (const char sep : {'@', ' ', '\xC3'}) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(sep)));
    const std::string bytes = ReturnFileBuilder()
                                  .separator(sep)
                                  .add(lot_08x(0, 2, "140324", 12))
                                  .add(facture_102({.num_facture = 4321}))
                                  .add(ligne_21x({.montant_amo = 1650}))
                                  .add(cloture_99x({.level = 5, .montant_total = 1650}))
                                  .bytes();
    const Parsed p = parse(bytes);
    EXPECT_EQ(p.code(), -1);
    ASSERT_EQ(p.rec.entrees.size(), 1u);
    EXPECT_EQ(p.entry(0).num_lot, 12);
    EXPECT_EQ(p.entry(0).num_facture, 4321);
    EXPECT_EQ(p.entry(0).montant_amo, 1650);
    EXPECT_EQ(p.entry(0).montant_total, 1650);
  }
}

TEST(Separators, WhatFollowsTheSeparatorUpToADigitIsPassedOver) {
  const std::string bytes =
      ReturnFileBuilder().add(lot_08x()).add_raw("\r\n  --  ").add(facture_10x(0, 3, 77)).bytes();
  EXPECT_EQ(parse(bytes).entry(0).num_facture, 77);
}

TEST(Separators, UnknownFamilyIsSkippedInTheAtForm) {
  const std::string bytes = ReturnFileBuilder()
                                .add(lot_08x())
                                .add(Record("050", 2, 30))
                                .add(facture_10x(0, 3, 5))
                                .bytes();
  const Parsed p = parse(bytes);
  EXPECT_EQ(p.code(), -1);
  EXPECT_EQ(p.entry(0).num_facture, 5);
}

TEST(Separators, ShortRecordHidesTheNextOne) {
  // A 16x record of 10 characters: the search for "@" starts at its end offset 21, past its
  // own separator, so the 10x record after it is passed over.
  const std::string bytes = ReturnFileBuilder()
                                .add(lot_08x())
                                .add(Record("160", 4, 10))
                                .add(facture_10x(0, 3, 5))
                                .add(facture_10x(1, 3, 6))
                                .bytes();
  EXPECT_EQ(parse(bytes).entry(0).num_facture, 6);
}

TEST(ClosingRecords, LevelsStatesAndTotals) {
  const Parsed p = parse(ReturnFileBuilder()
                             .add(facture_102({.level = 3}))
                             .add(ligne_21x({.level = 5}))
                             .add(cloture_99x({.level = 5, .valeur_fin = 12, .montant_total = 99}))
                             // A second closing record in a row: passed over, no level check.
                             .add(cloture_99x({.level = 7, .montant_total = 5}))
                             .add(facture_10x(0, 3, 8))
                             // Level 5 was closed by the first closing record.
                             .add(cloture_99x({.level = 5}))
                             .bytes());
  EXPECT_EQ(p.code(), 4);
  EXPECT_EQ(p.position(), 128 + 40 + 118 + 43 + 43 + 15 + 4);
  EXPECT_EQ(p.rec.valide, 0);
  ASSERT_EQ(p.rec.entrees.size(), 2u);
  EXPECT_EQ(p.entry(0).valeur_fin, 12);
  EXPECT_EQ(p.entry(0).montant_total, 99);
  EXPECT_EQ(p.entry(1).num_facture, 8);
}

TEST(ClosingRecords, PassedOverRecordStillClosesItsLevel) {
  const Parsed p = parse(ReturnFileBuilder()
                             .add(facture_102({.level = 3}))
                             .add(lot_08x(0, 6))
                             .add(cloture_99x({.level = 3}))
                             .add(cloture_99x({.level = 6}))  // passed over, closes level 6
                             .add(facture_10x(0, 3, 1))
                             .add(cloture_99x({.level = 6}))
                             .bytes());
  EXPECT_EQ(p.code(), 4);
  EXPECT_EQ(p.rec.entrees.size(), 2u);
}

TEST(ClosingRecords, LevelFiftyAndAboveIsNotChecked) {
  for (const int level : {50, 77, 99}) {
    const Parsed p = parse(ReturnFileBuilder()
                               .add(lot_08x())
                               .add(cloture_99x({.level = level, .montant_total = 4200000000}))
                               .add(facture_10x(0, 3, 1))
                               .bytes());
    EXPECT_EQ(p.code(), -1) << level;
    ASSERT_EQ(p.rec.entrees.size(), 2u);
    EXPECT_EQ(p.entry(0).montant_total, 4200000000);  // above the 32-bit range
  }
}

TEST(ClosingRecords, ShortClosingRecordEndsTheParseWithZeroTotals) {
  // 37 characters after offset 4: totals 0, nothing after it is read.
  std::string cut = cloture_99x({.level = 2, .valeur_fin = 5, .montant_total = 12345}).bytes();
  const Parsed p = parse(
      ReturnFileBuilder().add(lot_08x(0, 2)).add(ligne_22x({})).add_raw(cut.substr(0, 41)).bytes());
  EXPECT_EQ(p.code(), -1);
  EXPECT_EQ(p.rec.valide, 1);
  EXPECT_EQ(p.entry(0).valeur_fin, 0);
  EXPECT_EQ(p.entry(0).montant_total, 0);
  // With 38 characters the totals are read.
  const Parsed full =
      parse(ReturnFileBuilder().add(lot_08x(0, 2)).add_raw(cut.substr(0, 42)).bytes());
  EXPECT_EQ(full.entry(0).montant_total, 12345);
}

}  // namespace
}  // namespace noemie::testing
