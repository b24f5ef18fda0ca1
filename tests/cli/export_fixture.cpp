#include "cli/export_fixture.h"

#include <cstdio>
#include <stdexcept>

namespace noemie::testing {

namespace fs = std::filesystem;
using namespace std::chrono;

fs::path viewer_program() {
  return NOEMIE_VIEWER_EXE;
}

sys_seconds noon(year_month_day day) {
  return sys_days{day} + hours{12};
}

ExportFixture::ExportFixture()
    : work_(fs::canonical(dir_.path())),
      returns_(work_ / "returns"),
      home_(work_ / "home"),
      settings_(work_ / "settings.reg") {
  fs::create_directories(returns_);
  fs::create_directories(home_);
  // The regime table is read from the current folder.
  dir_.write("caisses.qvc",
             "[\r\n=01 CPAM;R\xE9gime g\xE9n\xE9ral\r\n=02 MSA;R\xE9gime agricole\r\n]\r\n");
}

ProgramRun ExportFixture::viewer_run(std::vector<std::string> args) const {
  ProgramRun run;
  run.program = viewer_program();
  run.args = std::move(args);
  run.cwd = work_;
  run.env = {{"NOEMIE_VIEWER_SETTINGS", settings_.string()},
             {"HOME", home_.string()},
             {"XDG_CONFIG_HOME", (home_ / ".config").string()}};
  return run;
}

ProgramResult ExportFixture::run_viewer(std::vector<std::string> args) const {
  return run_program(viewer_run(std::move(args)));
}

ProgramResult ExportFixture::run_export(std::vector<std::string> args) const {
  args.insert(args.begin(), "export");
  return run_viewer(std::move(args));
}

fs::path ExportFixture::write_return(const std::string& name, const std::string& bytes,
                                     sys_seconds modified) const {
  const fs::path path = dir_.write(returns_.filename() / name, bytes);
  fs::last_write_time(path, file_clock::from_sys(modified));
  return path;
}

void ExportFixture::write_settings(std::initializer_list<std::string> value_lines) const {
  std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\quillon]\r\n";
  for (const auto& line : value_lines) text += line + "\r\n";
  dir_.write(settings_.filename(), text);
}

std::string payment_file(std::string_view ref, std::string_view assure) {
  return ReturnFileBuilder()
      .header({.destinataire = "CP00000001751001      ", .ref = std::string(ref)})
      .add(comptable_07x(0, 1, "150324"))
      .add(facture_102({.level = 3,
                        .num_facture = 1201,
                        .num_lot = 12,
                        .date_lot = "140324",
                        .type_facture = 'F',
                        .date_acte = "120324",
                        .traitement_amc = 'E',
                        .nature_assurance = "10"}))
      .add(identite_103({.level = 4,
                         .immatriculation = "1800175000101",
                         .nom_assure = std::string(assure),
                         .prenom_assure = "JEAN",
                         .nom_malade = std::string(assure),
                         .prenom_malade = "MARIE"}))
      .add(ligne_21x({.level = 5,
                      .date_acte = "120324",
                      .taux_amo = 70,
                      .montant_amo = 1855,
                      .acte = "G",
                      .taux_amc = 30,
                      .montant_amc = 795}))
      .add(cloture_99x({.level = 5, .valeur_fin = 1, .montant_total = 2650}))
      .bytes();
}

std::vector<std::string> excel_column(const std::string& excel, int column) {
  std::vector<std::string> cells;
  std::size_t line_start = excel.find("\r\n");  // past the header line
  while (line_start != std::string::npos && line_start + 2 < excel.size()) {
    line_start += 2;
    const std::size_t line_end = excel.find("\r\n", line_start);
    const std::string line = excel.substr(line_start, line_end - line_start);
    std::size_t from = 0;
    for (int c = 0; c < column && from != std::string::npos; ++c) {
      from = line.find('\t', from);
      if (from != std::string::npos) ++from;
    }
    if (from == std::string::npos) throw std::runtime_error("short line: " + line);
    cells.push_back(line.substr(from, line.find('\t', from) - from));
    line_start = line_end;
  }
  return cells;
}

std::vector<std::string> listed_files(const std::string& excel) {
  std::vector<std::string> numbers;
  for (const auto& cell : excel_column(excel, 1)) numbers.push_back(cell.substr(0, cell.find(' ')));
  return numbers;
}

std::string widths_hex(const std::vector<int>& widths) {
  std::string hex = "hex:";
  char byte[4];
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const auto u = static_cast<std::uint32_t>(widths[i]);
    for (int b = 0; b < 4; ++b) {
      std::snprintf(byte, sizeof byte, "%02x", (u >> (8 * b)) & 0xFF);
      if (hex.size() > 4) hex += ',';
      hex += byte;
    }
  }
  return hex;
}

}  // namespace noemie::testing
