// Writes a starting corpus into a folder, for one fuzz target:
//   noemie_fuzz_seeds returns FOLDER [COUNT]   generated return files, well formed and mutated
//   noemie_fuzz_seeds settings FOLDER          settings files as the store writes them
//   noemie_fuzz_seeds flags FOLDER             small flag files followed by marking steps
// The regime table and the fund directory are seeded from the sample files themselves.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "core/platform/recording_dialogs.h"
#include "core/store/reg_format.h"
#include "core/store/settings.h"
#include "core/store/tree_registry.h"
#include "random_files.h"

namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void return_seeds(const fs::path& folder, int count) {
  std::mt19937_64 rng(42);
  for (int i = 0; i < count; ++i) {
    std::string bytes = noemie::testing::random_return_file(rng);
    if (i % 2 == 1) bytes = noemie::testing::mutate(std::move(bytes), rng);
    write(folder / ("seed-" + std::to_string(i)), bytes);
  }
}

// The settings file of a first run, of a run in profile 2, and one with a legacy key copied.
void settings_seeds(const fs::path& folder) {
  for (int seed = 0; seed < 3; ++seed) {
    noemie::store::MemoryRegistry registry;
    noemie::platform::RecordingDialogs dialogs;
    if (seed == 2) {
      auto* legacy = registry.edit_tree().child("software")->child("quorvet(C)archivage");
      legacy->set_value("path", noemie::store::kRegSz, "C:\\Cabinet \"A\"\r\n");
      legacy->child("sub")->set_value("odd", 7, std::string("\0\x01\xFF", 3));
    }
    noemie::store::Settings settings(registry, dialogs, "/opt/noemie-viewer/noemie-viewer");
    settings.lit_config();
    if (seed == 1) {
      settings.config.config_multi = 2;
      settings.config.path_result = "/home/cabinet/exports";
      settings.ecrit_config();
    }
    write(folder / ("settings-" + std::to_string(seed) + ".reg"),
          noemie::store::to_reg_text(registry.tree()));
  }
}

// A flag file target input: a count byte, that many file bytes, then marking steps.
void flag_seeds(const fs::path& folder) {
  const std::string seeds[] = {
      std::string("\x00", 1),
      std::string("\x01\x01", 2),
      std::string("\x04\x00\x01\x02\x03", 5) + "\x05\x01\x07\x00\x02\x03",
      std::string("\x06\x01\x04\xFF\x02\x00\x01", 7) + "\x00\x09\x01\x02\x03\x03",
  };
  int i = 0;
  for (const std::string& s : seeds) write(folder / ("flags-" + std::to_string(i++)), s);
}

// Bank statements of each form a bank writes.
void statement_seeds(const fs::path& folder) {
  const std::string seeds[] = {
      "OFXHEADER:100\r\nDATA:OFXSGML\r\nCHARSET:1252\r\n\r\n<OFX><BANKTRANLIST>\r\n"
      "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20240318<TRNAMT>123.45<NAME>VIR CPAM<MEMO>REF 1\r\n"
      "</STMTTRN></BANKTRANLIST></OFX>\r\n",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<OFX><STMTTRN><DTPOSTED>20240401000000"
      "</DTPOSTED><TRNAMT>+20.00</TRNAMT><NAME>A &amp; B</NAME></STMTTRN></OFX>\n",
      "Compte;1\r\nDate;Libell\xE9;D\xE9"
      "bit;Cr\xE9"
      "dit\r\n15/03/2024;VIR;;1 234,56\r\n",
      "\"Date\",\"Montant\",\"Libell\xC3\xA9\"\n\"2024-03-15\",\"+45,10\",\"VIR \"\"X\"\"\"\n",
  };
  int i = 0;
  for (const std::string& s : seeds) write(folder / ("statement-" + std::to_string(i++)), s);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view kind = argc > 1 ? argv[1] : "";
  if (argc < 3 ||
      (kind != "returns" && kind != "settings" && kind != "flags" && kind != "statements")) {
    std::fprintf(stderr, "usage: %s returns|settings|flags|statements FOLDER [COUNT]\n", argv[0]);
    return 2;
  }
  const fs::path folder = argv[2];
  fs::create_directories(folder);
  if (kind == "returns") return_seeds(folder, argc > 3 ? std::atoi(argv[3]) : 200);
  if (kind == "settings") settings_seeds(folder);
  if (kind == "flags") flag_seeds(folder);
  if (kind == "statements") statement_seeds(folder);
  return 0;
}
