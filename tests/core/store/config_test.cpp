#include "core/store/config.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/store/registry.h"

namespace noemie::store {
namespace {

// The stored form that other programs of the suite rely on: name, type and field size of
// every setting, in the record's order.
TEST(Config, EverySettingHasItsStoredNameTypeAndSize) {
  // name:type+size in record order; S REG_SZ, B REG_BINARY, D REG_DWORD.
  const std::string expected =
      "nom:S50 path:S260 path_log:S260 path_result:S260 cabinet:S260 user:S260 "
      "path_export:S260 path_arch:S260 path_fond:S260 delai:D4 pass:B1 compat_QVAPI:B1 "
      "noemie rsp aff:B1 noemie abrege:B1 arch_last_rsp:B1 affichage_arch:B200 "
      "affichage_quorvet:B200 info_result:B1440 noemie pos x:D4 noemie pos y:D4 "
      "noemie taille x:D4 noemie taille y:D4 motif_fond:B1 aff_erreur:B1 aff_erreur1:B1 "
      "aff_auto_rsp:B1 config_multi:B1 version:B1 sous-version:B1 multi_user:B1 "
      "suppr_fse_annul:B1 rep_VL:S260 cons min:D4 cons max:D4 cons year:D4 cons day:D4 "
      "cons type:D4 cons limit:D4 certif year:D4 certif day:D4 certif type:D4 certif limit:D4 "
      "acte limit:D4 acte year:D4 acte day:D4 acte type:D4 acte crit1:S260 acte crit2:S260 "
      "acte crit3:S260 acte crit4:S260 acte crit5:S260 acte crit sel:D4 acte critgrid:S1000 ";
  std::string actual;
  for (const auto& s : setting_table()) {
    const char type = s.type == kRegSz ? 'S' : s.type == kRegBinary ? 'B' : 'D';
    actual += std::string(s.name) + ':' + type + std::to_string(s.size) + ' ';
  }
  EXPECT_EQ(actual, expected);
}

TEST(Config, DefaultsAreTheDocumentedOnes) {
  const Config c = default_config();
  EXPECT_EQ(c.delai, 30);
  EXPECT_EQ(c.noemie_rsp_aff, 5);
  EXPECT_EQ(c.arch_last_rsp, 1);
  EXPECT_EQ(c.motif_fond, 1);
  EXPECT_EQ(c.noemie_taille_x, 500);
  EXPECT_EQ(c.noemie_taille_y, 400);
  EXPECT_EQ(c.cons_max, 45);
  EXPECT_EQ(c.certif_limit, 1);
  EXPECT_EQ(c.acte_crit1, "Visites");
  EXPECT_EQ(c.acte_crit2, "Consultations");
  EXPECT_EQ(c.path, "");
  EXPECT_EQ(c.affichage_quorvet, pos_std);
  // "Rejets" (row 5) hides "Date Acte" to "AMC"; "Toutes" (row 3) shows them.
  for (int col = 9; col <= 15; ++col) {
    EXPECT_EQ(c.info_result[5 * kInfoResultColumns + col], 0) << col;
    EXPECT_GT(c.info_result[3 * kInfoResultColumns + col], 0) << col;
  }
  EXPECT_EQ(c.info_result[3 * kInfoResultColumns + 16], 300);
  EXPECT_EQ(c.info_result[9 * kInfoResultColumns + 19], 150);
  EXPECT_EQ(pos_std[2 * 10], 100);
}

TEST(Config, StoredBytesAreLittleEndianWithoutTerminator) {
  Config c;
  c.path = std::string("C:\\A\0hidden", 11);
  c.noemie_pos_x = -2;
  c.noemie_abrege = -1;
  c.info_result[1] = 0x01020304;
  EXPECT_EQ(encode_setting(*find_setting("path"), c), "C:\\A");
  EXPECT_EQ(encode_setting(*find_setting("noemie pos x"), c), "\xFE\xFF\xFF\xFF");
  EXPECT_EQ(encode_setting(*find_setting("noemie abrege"), c), "\xFF");
  const std::string widths = encode_setting(*find_setting("info_result"), c);
  ASSERT_EQ(widths.size(), 1440u);
  EXPECT_EQ(widths.substr(0, 8), std::string("\0\0\0\0\x04\x03\x02\x01", 8));
}

TEST(Config, ReadDataMustFitItsField) {
  struct Case {
    const char* setting;
    std::string data;
    bool accepted;
  };
  const Case cases[] = {
      {"path", std::string(259, 'p'), true},
      {"path", std::string(260, 'p'), false},  // no room left for the terminator
      {"path", std::string(300, 'p'), false},
      {"path", std::string(259, 'p') + '\0', true},
      {"nom", std::string(49, 'n'), true},
      {"nom", std::string(50, 'n'), false},
      {"acte critgrid", std::string(999, 'g'), true},
      {"pass", "\x01\x02", false},
      {"delai", "12345", false},
      {"info_result", std::string(1441, '\0'), false},
  };
  for (const auto& c : cases) {
    Config config = default_config();
    const Config before = config;
    EXPECT_EQ(decode_setting(*find_setting(c.setting), c.data, config), c.accepted)
        << c.setting << " of " << c.data.size() << " bytes";
    if (!c.accepted) {
      EXPECT_EQ(config, before) << c.setting;
    }
  }
}

TEST(Config, ShortDataOverwritesOnlyItsOwnBytes) {
  Config c = default_config();
  ASSERT_TRUE(decode_setting(*find_setting("noemie taille x"), "\x20\x03", c));
  EXPECT_EQ(c.noemie_taille_x, 800);
  c.noemie_taille_y = 0x7FFFFFFF;
  ASSERT_TRUE(decode_setting(*find_setting("noemie taille y"), "\x01", c));
  EXPECT_EQ(c.noemie_taille_y, 0x7FFFFF01);
  ASSERT_TRUE(decode_setting(*find_setting("info_result"), std::string("\x05\0\0\0\x06", 5), c));
  EXPECT_EQ(c.info_result[0], 5);
  EXPECT_EQ(c.info_result[1], 6);  // 30 with its low byte replaced
  EXPECT_EQ(c.info_result[2], pos_result_std[2]);
  ASSERT_TRUE(decode_setting(*find_setting("noemie rsp aff"), "", c));
  EXPECT_EQ(c.noemie_rsp_aff, 5);
  ASSERT_TRUE(decode_setting(*find_setting("path"), std::string("ab\0cd", 5), c));
  EXPECT_EQ(c.path, "ab");
}

}  // namespace
}  // namespace noemie::store
