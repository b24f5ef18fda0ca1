#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/decode/codes.h"
#include "core/decode/message_explanation.h"
#include "core/decode/reference_table.h"
#include "core/decode/row_reference.h"
#include "core/text/cp1252.h"

namespace noemie::decode {
namespace {

// The tests write expected texts in UTF-8 and compare them as Windows-1252.
std::string w(std::string_view utf8) {
  return text::utf8_to_cp1252(utf8);
}

struct ReferenceCase {
  std::string ref3;
  int category;
  char kind;
  int icon;
  std::string text_utf8;
};

TEST(ReferenceTable, EveryListedNumberAndSomeUnlisted) {
  const std::string k572 =
      "Référence 572 - 573\r\n(cliniques et médecins ayant\n une activité mixte ambulatoire - "
      "clinique privée)";
  const std::string k576 =
      "Référence 576 - 577\r\n(cliniques et médecins ayant une activité mixte ambulatoire\n - "
      "clinique privée avec informations des organismes complémentaires)";
  const ReferenceCase cases[] = {
      {"531", 1, 'R', 1,
       "Référence 531 \r\nactes + mouvements financiers\r\n(tous professionnels de santé)"},
      {"534", 3, 'R', 0,
       "Référence 534 \npas de détails des prestations\r\n(tous professionnels de santé)"},
      {"536", 1, 'R', 1,
       "Référence 536 \nactes + mouvements financiers +\ninformations sur organismes "
       "complémentaires\r\n(tous professionnels de santé)"},
      {"572", 1, 'R', 1, k572},
      {"573", 1, 'R', 1, k572},
      {"576", 1, 'R', 1, k576},
      {"577", 1, 'R', 1, k576},
      {"580", 1, 'R', 1,
       "Référence 580\r\n(avec référence de virement et adressant directement des FSEs)"},
      {"603", 1, 'R', 1, "Référence 603\r\n(pour dispensaires et centres de santé)"},
      {"613", 1, 'R', 1,
       "Référence 613\r\n(pour dispensaires et centres de santé\n avec informations des "
       "organismes complémentaires)"},
      {"900", 2, 'R', 2, "Référence 900\nréférence rejet"},
      {"930", 4, 'A', 5, "Référence 930\nréférence ARL"},
      {"575", 3, 'I', 0, "Référence inconnue !!!!\r\n-> 575"},
      {"579", 3, 'I', 0, "Référence inconnue !!!!\r\n-> 579"},
      {"053", 3, 'I', 0, "Référence inconnue !!!!\r\n-> 53"},
      {"  1", 3, 'I', 0, "Référence inconnue !!!!\r\n-> -1759"},  // no digit check
  };
  for (const ReferenceCase& c : cases) {
    SCOPED_TRACE(c.ref3);
    const int number = reference_number(c.ref3);
    EXPECT_EQ(reference_category(number), c.category);
    EXPECT_EQ(reference_kind(number), c.kind);
    EXPECT_EQ(reference_icon(number), c.icon);
    EXPECT_EQ(reference_text(number), w(c.text_utf8));
  }
}

TEST(ReferenceTable, KindFilterPassesItsCategoryOnly) {
  // Columns: Toutes, Paiements, Rejets, Autres, an out-of-range value.
  const struct {
    const char* ref3;
    bool passes[5];
  } cases[] = {
      {"531", {true, true, false, false, false}}, {"534", {true, false, false, true, false}},
      {"900", {true, false, true, false, false}}, {"930", {true, false, false, false, false}},
      {"575", {true, false, false, true, false}},
  };
  for (const auto& c : cases) {
    for (int kind = 0; kind < 5; ++kind) {
      const FilterState filter{kind == 4 ? 7 : kind, 0, 0};
      EXPECT_EQ(traite_ref(c.ref3, 0, filter), c.passes[kind]) << c.ref3 << " kind " << kind;
    }
  }
}

TEST(ReferenceTable, AgeLimitExactlyEqualPasses) {
  const std::int64_t now = 133'456'896'000'000'000;
  const struct {
    int type_date;
    std::int64_t limit;
  } cases[] = {
      {1, 31 * kFileTimeUnitsPerDay}, {2, 7 * kFileTimeUnitsPerDay}, {3, kFileTimeUnitsPerDay}};
  for (const auto& c : cases) {
    const FilterState filter{0, c.type_date, now};
    EXPECT_TRUE(traite_ref("531", now - c.limit, filter)) << c.type_date;
    EXPECT_FALSE(traite_ref("531", now - c.limit - 1, filter)) << c.type_date;
    EXPECT_TRUE(traite_ref("531", now + 1, filter)) << c.type_date;  // a file from the future
  }
  // "Toujours" (and any other value) has no limit; extreme times never overflow.
  for (int type_date : {0, 4, -1}) {
    EXPECT_TRUE(traite_ref("531", INT64_MIN, FilterState{0, type_date, INT64_MAX}));
  }
  EXPECT_FALSE(traite_ref("531", INT64_MIN, FilterState{0, 1, INT64_MAX}));
  EXPECT_TRUE(traite_ref("531", INT64_MAX, FilterState{0, 1, INT64_MIN}));
  // An old file fails whatever its kind.
  EXPECT_FALSE(traite_ref("900", 0, FilterState{2, 2, now}));
}

TEST(Codes, TextsOfEveryCode) {
  EXPECT_EQ(type_retour_to_str(1), "RETOURS SUR PRESTATIONS TRANSMISES EN FLUX ELECTRONIQUES");
  EXPECT_EQ(type_retour_to_str(5), "RETENUES");
  EXPECT_EQ(type_retour_to_str(0), "???");
  EXPECT_EQ(type_retour_to_str(6), "???");
  EXPECT_EQ(type_facture_to_str('S'), "FACTURATION EN LIGNE (SEFi)");
  EXPECT_EQ(type_facture_to_str('s'), "???");
  EXPECT_EQ(type_facture_to_str('\0'), "???");
  EXPECT_EQ(part_amo_traitement_to_str(' '), "PAS DE TRAITEMENT DE LA PART AMC");
  EXPECT_EQ(part_amo_traitement_to_str('F'), part_amo_traitement_to_str('A'));
  EXPECT_EQ(part_amo_traitement_to_str('C'), w("PAIEMENT COORDONNE (CMU, REFERENT, NOEMIE 3 …)"));
  EXPECT_EQ(part_amo_traitement_to_str('C').substr(44, 1), "\x85");
  for (char code : {'B', 'D', 'a', '\t'}) EXPECT_EQ(part_amo_traitement_to_str(code), "???");
}

TEST(Messages, FirstTenCharactersSelectTheExplanation) {
  const std::string unknown = "Message inconnu (pour l'instant)";
  const std::string lot =
      w("Lot reçu 2 fois par la caisse.\r\nIl peut s'agir d'une erreur de transmission "
        "(réémission automatique alors que la caisse avait déjà reçu le lot) ou d'une erreur "
        "de manipulation.");
  const struct {
    std::string message;
    std::string explanation;
    bool fund_error;
  } cases[] = {
      {"JUSTIF. QUELCONQUE", unknown, true},
      {"INCOMP. MT", unknown, true},
      {"LOT EN DOUBLE ***** Ayant-droit", lot, false},  // joined messages: the first counts
      {"Ayant-droit inconnu",
       w("Patient inconnu de la caisse.\r\nErreur rencontrée lorsqu'un patient à changé de "
         "caisse"),
       false},
      {"MONTANT CAXYZ", unknown, true},  // 10 of the key's 11 characters are compared
      {"Facture no", unknown, true},
      {"LOT EN DO", unknown, false},  // shorter than 10 characters
      {std::string("LOT EN\0DOUBLE", 13), unknown, false},
      {"lot en double", unknown, false},
  };
  for (const auto& c : cases) {
    const MessageExplanation found = traite_msg(c.message);
    EXPECT_EQ(found.explanation, c.explanation) << c.message;
    EXPECT_EQ(found.fund_error, c.fund_error) << c.message;
  }
}

TEST(Messages, ComposedTextFramesTheExplanationAndClosingSentence) {
  const std::string frame_head = "Signification normale\r\n____________________________\r\n\r\n";
  const std::string frame_tail = "\n__________________________\r\n\r\n";
  EXPECT_EQ(message_explanation_text("JUSTIF. QU"),
            frame_head + "Message inconnu (pour l'instant)" + frame_tail +
                w("ou erreur de la part de la caisse (cas déjà rencontré)"));
  const std::string lot = message_explanation_text("LOT EN DOUBLE");
  EXPECT_EQ(lot.size(), 325u);  // the longest composed text
  EXPECT_TRUE(lot.ends_with(w("aucune erreur de la part des caisses sur ce message (à ce jour)")));
}

TEST(RowReference, ReadsTheNumberBackFromTheCell) {
  const struct {
    std::string cell;
    int number;
    char kind;
    std::string text_utf8;
  } cases[] = {
      {"x(534)", 534, 'R',
       "Référence 534 \npas de détails des prestations\r\n(tous professionnels de santé)"},
      {"(930)", 930, 'A', "Référence 930\nréférence ARL"},
      {"(575)", 575, 'I', "Référence inconnue !!!!\r\n-> 575"},
      {"(900", 900, 'R', "Référence 900\nréférence rejet"},
      {"531", 0, 'I', "Référence inconnue !!!!\r\n-> 0"},
      {"(-48)", 0, 'I', "Référence inconnue !!!!\r\n-> 0"},
      {"(99999999999)", INT32_MAX, 'I', "Référence inconnue !!!!\r\n-> 2147483647"},
      {"", 0, 'I', ""},
      {std::string("\0(531)", 6), 0, 'I', ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ref_cell_number(c.cell), c.number) << c.cell;
    EXPECT_EQ(get_type_ref_(c.cell), c.kind) << c.cell;
    EXPECT_EQ(get_type_ref(c.cell), w(c.text_utf8)) << c.cell;
  }
}

}  // namespace
}  // namespace noemie::decode
