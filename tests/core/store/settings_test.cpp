#include "core/store/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/platform/recording_dialogs.h"
#include "core/store/tree_registry.h"
#include "registry_stores.h"
#include "support/temp_dir.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;
using platform::MessageIcon;
using platform::RecordingDialogs;
using testing::TempDir;

constexpr const char* kProgram = "/opt/noemie/bin/noemie-viewer";

std::string le32(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
          static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
}

// Each test over SettingsStores runs over every registry store (see registry_stores.h).
using SettingsStores = RegistryStoreTest;
INSTANTIATE_TEST_SUITE_P(Stores, SettingsStores, ::testing::ValuesIn(store_kinds()), store_name);

// A HKEY_CURRENT_USER tree to put into a store, with the program key made.
struct Seed {
  KeyNode current_user{"HKEY_CURRENT_USER"};
  KeyNode* program = current_user.child("software")->child("quillon");
};

// A record where every setting differs from its default, texts as long as their field allows.
Config varied_config() {
  Config c;
  int i = 0;
  for (const auto& s : setting_table()) {
    ++i;
    std::visit(
        [&](const auto& f) {
          using F = std::decay_t<decltype(f)>;
          if constexpr (std::is_same_v<F, TextField>) {
            std::string text = "\xE9t\xE9 " + std::string(s.name) + " \\\"";
            text.resize(s.size - 1, static_cast<char>('a' + i % 26));
            c.*f.member = text;
          } else if constexpr (std::is_same_v<F, FlagField>) {
            c.*f.member = static_cast<std::int8_t>(-i);
          } else if constexpr (std::is_same_v<F, NumberField>) {
            c.*f.member = -1000 * i - 7;
          } else {
            auto& widths = c.*f.member;
            for (std::size_t k = 0; k < widths.size(); ++k) {
              widths[k] = static_cast<std::int32_t>(k * 7 + i) - 100;
            }
          }
        },
        s.field);
  }
  return c;
}

TEST_P(SettingsStores, ASavedRecordReadsBackIntoTheSameRecord) {
  RecordingDialogs dialogs;
  Config saved = varied_config();
  saved.config_multi = 3;
  saved.rep_VL = "/opt/noemie/bin";
  {
    Settings settings(store(), dialogs, kProgram);
    settings.config = saved;
    ASSERT_TRUE(settings.ecrit_config());
    saved = settings.config;  // version and sous-version as saved
  }
  EXPECT_EQ(saved.version, 1);
  EXPECT_EQ(saved.sous_version, 13);

  Settings settings(reopen(), dialogs, kProgram);
  settings.lit_config();
  for (const auto& s : setting_table()) {
    EXPECT_EQ(encode_setting(s, settings.config), encode_setting(s, saved)) << s.name;
  }
  EXPECT_EQ(settings.config, saved);

  // config_multi stays in the program key; the rest goes to the profile, in record order
  // with version first and rep_VL last.
  const KeyNode tree = copy_of("software\\quillon");
  const KeyNode* key = node_at(tree, "software\\quillon");
  ASSERT_EQ(key->values().size(), 1u);
  EXPECT_EQ(key->values()[0].name, "config_multi");
  const KeyNode* profile = key->find_child("config3");
  ASSERT_NE(profile, nullptr);
  ASSERT_EQ(profile->values().size(), setting_table().size() - 1);
  if (!keeps_creation_order()) return;
  EXPECT_EQ(profile->values().front().name, "version");
  EXPECT_EQ(profile->values()[1].name, "sous-version");
  EXPECT_EQ(profile->values()[2].name, "nom");
  EXPECT_EQ(profile->values().back().name, "rep_VL");
}

TEST_P(SettingsStores, AFirstRunWithoutAnyKeySavesTheDefaultsAtOnce) {
  RecordingDialogs dialogs;
  Settings settings(store(), dialogs, kProgram);
  settings.lit_config();

  Config expected = default_config();
  expected.rep_VL = "/opt/noemie/bin";
  expected.version = 1;
  expected.sous_version = 13;
  EXPECT_EQ(settings.config, expected);
  const KeyNode tree = copy_of("software\\quillon");
  const KeyNode* key = node_at(tree, "software\\quillon");
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->values().size(), setting_table().size());
  EXPECT_EQ(*key->find_value("config_multi"),
            (RegValue{"config_multi", kRegBinary, std::string(1, '\0')}));
  EXPECT_EQ(*key->find_value("version"), (RegValue{"version", kRegBinary, "\x01"}));
  EXPECT_EQ(*key->find_value("sous-version"), (RegValue{"sous-version", kRegBinary, "\x0D"}));
  EXPECT_EQ(*key->find_value("rep_VL"), (RegValue{"rep_VL", kRegSz, "/opt/noemie/bin"}));
  EXPECT_EQ(*key->find_value("delai"), (RegValue{"delai", kRegDword, le32(30)}));
  if (keeps_creation_order()) {
    EXPECT_EQ(key->values()[0].name, "config_multi");
    EXPECT_EQ(key->values()[1].name, "version");
    EXPECT_EQ(key->values()[2].name, "sous-version");
    EXPECT_EQ(key->values().back().name, "rep_VL");
  }
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_TRUE(all_keys_closed());
}

TEST_P(SettingsStores, AFirstRunCopiesTheLegacyTreeAndReadsFromTheCopy) {
  KeyNode seed("HKEY_CURRENT_USER");
  KeyNode* legacy = seed.child("software")->child("quorvet(C)archivage");
  legacy->set_value("config_multi", kRegBinary, "\x02");
  legacy->set_value("delai", kRegDword, le32(12));
  KeyNode* profile = legacy->child("config2");
  profile->set_value("noemie taille x", kRegDword, le32(900));
  profile->set_value("path", kRegSz, "C:\\Cabinet");
  profile->child("deeper")->child("deepest")->set_value("x", 7, std::string("a\0\0", 3));
  legacy->child("empty");
  put(seed);

  RecordingDialogs dialogs;
  Settings settings(store(), dialogs, kProgram);
  settings.lit_config();

  const KeyNode tree = copy_of("software\\quillon");
  const KeyNode* program = node_at(tree, "software\\quillon");
  ASSERT_NE(program, nullptr);
  EXPECT_TRUE(same_contents(*program, *legacy, !keeps_creation_order()));
  EXPECT_EQ(settings.config.config_multi, 2);
  EXPECT_EQ(settings.config.noemie_taille_x, 900);
  EXPECT_EQ(settings.config.path, "C:\\Cabinet");
  EXPECT_EQ(settings.config.delai, 30) << "read from the profile, where it is absent";
  EXPECT_TRUE(all_keys_closed());
}

TEST_P(SettingsStores, ALegacyValueOverTenThousandBytesEndsTheCopyOfItsKeysValues) {
  KeyNode seed("HKEY_CURRENT_USER");
  KeyNode* legacy = seed.child("software")->child("quorvet(C)archivage");
  legacy->set_value("fits", kRegBinary, std::string(10000, 'f'));
  legacy->set_value("too big", kRegBinary, std::string(10001, 'b'));
  legacy->set_value("after", kRegSz, "lost");
  legacy->child("sub")->set_value("v", kRegSz, "copied");
  put(seed);
  // The values that the store enumerates before the big one are copied, the others not.
  const KeyNode stored = copy_of("software\\quorvet(C)archivage");
  std::set<std::string> copied;
  for (const RegValue& v : node_at(stored, "software\\quorvet(C)archivage")->values()) {
    if (v.name == "too big") break;
    copied.insert(v.name);
  }
  if (keeps_creation_order()) {
    EXPECT_EQ(copied, std::set<std::string>{"fits"});
  }

  RecordingDialogs dialogs;
  Settings settings(store(), dialogs, kProgram);
  settings.lit_config();
  for (const char* name : {"fits", "too big", "after"}) {
    EXPECT_EQ(value_at("software\\quillon", name).data,
              copied.count(name) ? value_at("software\\quorvet(C)archivage", name).data : "")
        << name;
  }
  EXPECT_EQ(value_at("software\\quillon\\sub", "v").data, "copied");
}

TEST_P(SettingsStores, ConfigMultiSelectsTheProfileForLoadingAndSavingAlike) {
  struct Case {
    std::int8_t config_multi;
    const char* settings_key;  // where the other settings are read and written
  };
  const Case cases[] = {
      {2, "software\\quillon\\config2"},
      {-3, "software\\quillon"},  // 253: would name "config-" if taken as unsigned
      {0, "software\\quillon"},
  };
  for (const auto& c : cases) {
    Seed seed;
    seed.program->set_value("config_multi", kRegBinary,
                            std::string(1, static_cast<char>(c.config_multi)));
    seed.program->set_value("noemie taille x", kRegDword, le32(111));
    seed.program->child("config2")->set_value("noemie taille x", kRegDword, le32(222));
    seed.program->child("config-")->set_value("noemie taille x", kRegDword, le32(333));
    put(seed.current_user);  // over what the case before left
    const int expected = std::string_view(c.settings_key).ends_with("config2") ? 222 : 111;

    RecordingDialogs dialogs;
    Settings settings(store(), dialogs, kProgram);
    settings.lit_config();
    EXPECT_EQ(settings.config.noemie_taille_x, expected) << int{c.config_multi};

    settings.config.noemie_taille_x = 444;
    ASSERT_TRUE(settings.ecrit_config());
    EXPECT_EQ(value_at(c.settings_key, "noemie taille x").data, le32(444)) << int{c.config_multi};
    EXPECT_EQ(value_at("software\\quillon\\config-", "noemie taille x").data, le32(333));
    EXPECT_EQ(value_at("software\\quillon", "config_multi").data,
              std::string(1, static_cast<char>(c.config_multi)));
  }
}

TEST_P(SettingsStores, AMissingProfileGivesDefaultsAndIsCreatedBySaving) {
  Seed seed;
  seed.program->set_value("config_multi", kRegBinary, "\x02");
  seed.program->set_value("cabinet", kRegSz, "Dr Martin");
  put(seed.current_user);

  RecordingDialogs dialogs;
  Settings settings(store(), dialogs, kProgram);
  settings.lit_config();
  EXPECT_EQ(settings.config.cabinet, "");
  EXPECT_EQ(settings.config.config_multi, 2);
  EXPECT_EQ(settings.config.noemie_taille_y, 400);
  EXPECT_EQ(value_at("software\\quillon\\config2", "noemie taille y").data, le32(400));
}

TEST_P(SettingsStores, AValueThatDoesNotFitItsFieldKeepsTheDefault) {
  Seed seed;
  seed.program->set_value("path", kRegSz, std::string(300, 'p'));
  seed.program->set_value("path_arch", kRegSz, std::string(259, 'a'));
  seed.program->set_value("acte crit1", kRegSz, std::string(260, 'c'));
  seed.program->set_value("noemie rsp aff", kRegBinary, "\x01\x01");
  seed.program->set_value("delai", kRegDword, std::string("\x0A\0\0\0\0", 5));
  put(seed.current_user);

  RecordingDialogs dialogs;
  Settings settings(store(), dialogs, kProgram);
  settings.lit_config();
  EXPECT_EQ(settings.config.path, "");
  EXPECT_EQ(settings.config.path_arch, std::string(259, 'a'));
  EXPECT_EQ(settings.config.acte_crit1, "Visites");
  EXPECT_EQ(settings.config.noemie_rsp_aff, 5);
  EXPECT_EQ(settings.config.delai, 30);
}

TEST(Settings, ASaveThatCannotWriteSaysSo) {
  MemoryRegistry reg;
  reg.refuse_writes = true;
  RecordingDialogs dialogs;
  Settings settings(reg, dialogs, kProgram);
  settings.lit_config();  // must not fail for lack of a key
  EXPECT_FALSE(settings.ecrit_config());
  EXPECT_EQ(settings.config.noemie_taille_x, 500);
}

TEST(Settings, ThePracticeFolderIsCheckedOnlyForTheCabinetNamedCabinet) {
  TempDir dir;
  fs::create_directories(dir.path() / "ok" / "cabinet" / "sesam_vitale");
  const std::string missing = (dir.path() / "missing").string();
  const std::string present = (dir.path() / "ok").string();
  struct Case {
    std::string path;
    std::string cabinet;
    int result;
    bool warned;
  };
  const Case cases[] = {
      {missing, "cabinet", 1, true},  {missing, "CaBiNeT", 1, true},
      {present, "CABINET", 1, false}, {missing, "cabinet 2", 0, false},
      {missing, "", 0, false},
  };
  const fs::path cwd = fs::current_path();
  for (const auto& c : cases) {
    MemoryRegistry reg;
    RecordingDialogs dialogs;
    Settings settings(reg, dialogs, kProgram);
    EXPECT_EQ(settings.is_QVES(c.path, c.cabinet, "user"), c.result) << c.cabinet;
    ASSERT_EQ(dialogs.boxes.size(), c.warned ? 1u : 0u) << c.cabinet << " in " << c.path;
    if (c.warned) {
      EXPECT_EQ(dialogs.boxes[0].caption, "Velmora-Attention !");
      EXPECT_EQ(dialogs.boxes[0].icon, MessageIcon::Error);
      EXPECT_EQ(dialogs.boxes[0].text,
                "Imossible de trouver le r\xE9pertoire 'sesam_vitale' de QVES\n"
                "Il y a 2 possibilit\xE9s : \n -Soit votre QVES a un probl\xE8me\n"
                " -Soit vous en voulez \xE0 ce programme et vous avez cr\xE9\xE9(sous Quorvet) "
                "un cabinet nomm\xE9 'cabinet'\n\nDans les 2 cas, il faut rem\xE9"
                "dier au probl\xE8me avant de pouvoir utiliser ce logiciel");
    }
    EXPECT_EQ(fs::current_path(), cwd);
  }
}

TEST(Settings, LoadingWarnsAboutAMissingPracticeFolderAndGoesOn) {
  TempDir dir;
  MemoryRegistry reg;
  KeyNode* program = reg.edit_tree().child("software")->child("quillon");
  program->set_value("path", kRegSz, (dir.path() / "nowhere").string());
  program->set_value("cabinet", kRegSz, "Cabinet");
  program->set_value("nom", kRegSz, "read");
  RecordingDialogs dialogs;
  Settings settings(reg, dialogs, kProgram);
  settings.lit_config();
  EXPECT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(settings.config.nom, "read");
}

TEST(Settings, TheProgramFolderIsThePathBeforeItsLastSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/noemie/bin/noemie-viewer", "/opt/noemie/bin"},
      {"/noemie-viewer", ""},
      {"noemie-viewer", ""},
      {"", ""},
  };
  for (const auto& [file, folder] : cases) EXPECT_EQ(program_folder(file), folder) << file;
}

TEST(Settings, ProfileKeysAreNamedFromTheDigit) {
  EXPECT_EQ(profile_key_path(kProgramKey, 1), "software\\quillon\\config1");
  EXPECT_EQ(profile_key_path(kSuiteKey, 9), "software\\Velmora\\config9");
  EXPECT_TRUE(profile_selected(1));
  EXPECT_TRUE(profile_selected(127));
  EXPECT_FALSE(profile_selected(0));
  EXPECT_FALSE(profile_selected(-128));
}

}  // namespace
}  // namespace noemie::store
