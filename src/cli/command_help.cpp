// The command line's own texts: the help of the program and of its export and mark commands,
// and the version line. The command line speaks English; the list it writes stays in French.

#include <cstdio>

#include "cli/export_command.h"
#include "cli/summary_command.h"
#include "cli/virements_command.h"
#include "core/noemie/version.h"

namespace noemie::cli {

void print_program_help(std::FILE* out) {
  std::fputs(
      "Usage: noemie-viewer [FOLDER]\n"
      "       noemie-viewer export [options] FOLDER\n"
      "       noemie-viewer summary [options] FOLDER\n"
      "       noemie-viewer virements [options] FOLDER\n"
      "       noemie-viewer mark [--state N] NUMBER...\n"
      "       noemie-viewer --help | --version\n"
      "\n"
      "Without a command, opens the desktop viewer of NOEMIE return files on FOLDER (without\n"
      "FOLDER, it asks for the folder). The viewer needs a display; the commands do not.\n"
      "\n"
      "The export command lists the return files of FOLDER exactly as the viewer does and\n"
      "writes the list as text, Excel (tab-separated), HTML or PDF.\n"
      "The summary command prints the counts and sums of that list.\n"
      "The virements command lists its bank transfers, one line each, and matches them with a\n"
      "bank statement.\n"
      "The mark command sets the processed state of return files in the viewer's flag file.\n"
      "See: noemie-viewer export --help, noemie-viewer summary --help,\n"
      "     noemie-viewer virements --help, noemie-viewer mark --help\n"
      "\n"
      "Options:\n"
      "  -h, --help     show this help and exit\n"
      "  --version      show the version and exit\n",
      out);
}

void print_export_help(std::FILE* out) {
  std::fputs(
      "Usage: noemie-viewer export [options] FOLDER\n"
      "\n"
      "Lists the NOEMIE return files of FOLDER exactly as the viewer does (same files, order,\n"
      "filters and cell texts, sorted by \"Fichier\") and writes the list as the viewer's\n"
      "export of that format writes it, in Windows-1252 bytes (to a terminal, as UTF-8 text).\n"
      "Nothing else is written.\n"
      "\n"
      "Options:\n"
      "  --format FORMAT   text, excel (tab-separated text), html, or pdf (A4 landscape\n"
      "                    pages as the viewer prints them) (default: text)\n"
      "  --output FILE     write to FILE, named exactly as given (no extension is added);\n"
      "                    - is standard output (default: -). An existing FILE is replaced\n"
      "                    only once the whole export is written.\n"
      "  --kind N          kind filter: 0 Toutes, 1 Paiements, 2 Rejets, 3 Autres (default: 0)\n"
      "  --age N           age filter: 0 Toujours, 1 1 mois, 2 7 jours, 3 Aujourd'hui\n"
      "                    (default: 0)\n"
      "  --mask N          families of files to list, 0 to 255: add 1 for RSP/RSX/RSZ and 4\n"
      "                    for ARL/ARX/ARZ; DAT and extension-less files are always listed\n"
      "                    (default: the stored setting)\n"
      "  --abrege          merge consecutive detail lines into one row (\"Abr\xC3\xA9g\xC3\xA9\")\n"
      "  --no-abrege       one row per detail line (default: the stored setting)\n"
      "  --sort COL        after the fill, sort by column COL (0 to 16) as a click on its\n"
      "                    header does; may be repeated, the sorts are applied in order\n"
      "  --find TEXT       only the rows with a cell (columns 1 to 16) holding TEXT, letter\n"
      "                    case and accents ignored, as the viewer's find field keeps them\n"
      "  -h, --help        show this help and exit\n"
      "\n"
      "Columns: 0 Trait\xC3\xA9, 1 Fichier, 2 R\xC3\xA9"
      "f, 3 Date Comptable, 4 Caisse, 5 Assur\xC3\xA9, 6 Malade,\n"
      "7 Lot, 8 FSE, 9 Date Acte, 10 Acte, 11 Total, 12 Tx AMO, 13 AMO, 14 Tx AMC, 15 AMC,\n"
      "16 D\xC3\xA9tail.\n"
      "\n"
      "Settings are read from $NOEMIE_VIEWER_SETTINGS when set, else from\n"
      "$XDG_CONFIG_HOME/noemie-viewer/settings.reg (~/.config/... without XDG_CONFIG_HOME);\n"
      "the regime table caisses.qvc from the current folder, else the installed one.\n"
      "Nothing is ever saved.\n"
      "\n"
      "A return file that cannot be read is reported on standard error in one line, and the\n"
      "export goes on:\n"
      "  noemie-viewer: error CODE at offset POS (start START) in PATH: MESSAGE\n"
      "\n"
      "Exit status: 0 the export was written; 1 the output could not be written;\n"
      "2 usage error, or FOLDER is not a folder that can be read.\n",
      out);
}

void print_summary_help(std::FILE* out) {
  std::fputs(
      "Usage: noemie-viewer summary [options] FOLDER\n"
      "\n"
      "Lists the NOEMIE return files of FOLDER as the export command does and prints the\n"
      "summary of the rows, as the viewer's status line shows it, in eight lines:\n"
      "  lignes N       rows\n"
      "  fichiers N     return files with a row\n"
      "  paiements N    rows that the \"Paiements\" filter keeps\n"
      "  rejets N       rows that the \"Rejets\" filter keeps\n"
      "  autres N       rows that the \"Autres\" filter keeps\n"
      "  total E        sum of the \"Total\" cells in euros (two decimals, a point)\n"
      "  amo E          sum of the \"AMO\" cells in euros\n"
      "  amc E          sum of the \"AMC\" cells in euros\n"
      "An amount in francs is converted to euro cents at 6.55957, rounded to the nearest\n"
      "cent (half away from zero), before it is added.\n"
      "\n"
      "Options: --kind N, --age N, --mask N, --abrege, --no-abrege and --find TEXT, as the\n"
      "export command takes them (see noemie-viewer export --help); -h, --help.\n"
      "\n"
      "A return file that cannot be read is reported on standard error in one line, as the\n"
      "export command reports it.\n"
      "\n"
      "Exit status: 0 the summary was written; 1 it could not be written;\n"
      "2 usage error, or FOLDER is not a folder that can be read.\n",
      out);
}

void print_virements_help(std::FILE* out) {
  std::fputs(
      "Usage: noemie-viewer virements [options] FOLDER\n"
      "\n"
      "Lists the NOEMIE return files of FOLDER as the export command does and writes one line\n"
      "per bank transfer of the rows chosen (a transfer is a 07x record of a return file; its\n"
      "rows are the entries that belong to it), in the order of the transfers' first rows:\n"
      "  Date comptable  its accounting date\n"
      "  R\xC3\xA9"
      "f\xC3\xA9rence       its bank-transfer reference\n"
      "  Caisse, Fichier the fund and the file of its rows\n"
      "  Lignes          its rows\n"
      "  AMO, AMC, Total the sums of its rows' amounts, in euros (two decimals, a point)\n"
      "  Annonc\xC3\xA9         the total the fund announced for it, when the file gives one\n"
      "  \xC3\x89"
      "cart           Annonc\xC3\xA9 minus Total\n"
      "An amount in francs is converted to euro cents at 6.55957, one amount at a time.\n"
      "Text, HTML and PDF end with a line of totals.\n"
      "\n"
      "Options: --format, --output, --kind, --age, --mask, --abrege, --no-abrege and --find,\n"
      "as the export command takes them (see noemie-viewer export --help), and:\n"
      "  --releve FILE     match the transfers with the credits of the bank statement FILE\n"
      "                    (OFX, or CSV with \";\" or \",\" between cells and a decimal comma):\n"
      "                    a credit matches a transfer of the same amount (its announced\n"
      "                    total, else its Total) dated 0 to 10 days before it; among\n"
      "                    several, the one whose reference the credit's text holds. Each\n"
      "                    line then ends with Relev\xC3\xA9 (the credit's date) and "
      "Libell\xC3\xA9 (its\n"
      "                    text), and the credits that matched nothing follow a line\n"
      "                    \"Cr\xC3\xA9"
      "dits non rapproch\xC3\xA9s\" (date, amount, text).\n"
      "  -h, --help        show this help and exit\n"
      "\n"
      "Nothing is written but the output: a match is not saved as a tick.\n"
      "\n"
      "Exit status: 0 the list was written; 1 the output could not be written;\n"
      "2 usage error, FOLDER is not a folder that can be read, or FILE is not a statement\n"
      "that can be read (one line on standard error names its faulty line).\n",
      out);
}

void print_mark_help(std::FILE* out) {
  std::fputs(
      "Usage: noemie-viewer mark [--state N] NUMBER...\n"
      "\n"
      "Sets the processed state of the return files numbered NUMBER (the leading digits of\n"
      "their names: 42 for 00000042.RSP and 00000042.RSX) in the viewer's flag file,\n"
      "RSPstate.dat in the folder of the path_arch setting (the current folder when that\n"
      "setting is empty). Only these states change: marks that a viewer or another run set in\n"
      "the meantime stay, and a viewer open on the same folder keeps these when it closes.\n"
      "\n"
      "Options:\n"
      "  --state N    0 non-trait\xC3\xA9s, 1 trait\xC3\xA9s, 2 and 3 the two further marks of a\n"
      "               double-click on \"Trait\xC3\xA9\" (default: 1)\n"
      "  -h, --help   show this help and exit\n"
      "\n"
      "NUMBER is a file number from 0 to 99999999; several may be given.\n"
      "\n"
      "Settings are read from $NOEMIE_VIEWER_SETTINGS when set, else from\n"
      "$XDG_CONFIG_HOME/noemie-viewer/settings.reg (~/.config/... without XDG_CONFIG_HOME).\n"
      "Nothing but the flag file is written.\n"
      "\n"
      "Exit status: 0 the marks are in the flag file; 1 the flag file could not be written\n"
      "(another program kept it locked, a full disk, a folder that cannot be written);\n"
      "2 usage error.\n",
      out);
}

void print_version(std::FILE* out) {
  std::fprintf(out, "noemie-viewer %d.%d.%d\n", kVersion, kSubVersion, kSubVersion1);
}

}  // namespace noemie::cli
