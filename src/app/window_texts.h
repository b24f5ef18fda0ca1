#pragma once
// What both viewer windows show and wait alike: the lengths of their layout (at 100 %
// scaling, in pixels), the delays of their tooltips, folder looks and fill progress, and the
// texts of the controls around the list (Windows-1252).

namespace noemie::app {

// The list lies this far from the left and right edges; the tool frame this far below the
// client top, and the list this far below the tool frame.
inline constexpr int kMargin = 5;
// How far below the cursor the export menu opens.
inline constexpr int kMenuDrop = 10;
// The widest line of a cell's tooltip; longer lines wrap.
inline constexpr int kTipMaxWidth = 300;

// Once the pointer has left the cell whose tip was on show, the next cell's tip comes after
// it has rested this long.
inline constexpr int kQuickTipDelayMs = 150;
// After the system told of a change in the folder, the folder is looked at this much later
// (and again after each such delay while files still change).
inline constexpr int kSettleMs = 300;
// A look at the folder this often, for the changes the system does not tell.
inline constexpr int kPollMs = 2000;
// A fill shows its progress once it has run this long, and repaints it at most this often.
inline constexpr int kProgressDelayMs = 300;
inline constexpr int kProgressRepaintMs = 100;

// The line above the list: the find field's label and tooltip, and its two buttons.
inline constexpr const char* kFindLabel = "&Rechercher :";
inline constexpr const char* kFindTip =
    "Garde les lignes dont une cellule contient ce texte (majuscules et accents ignor\xE9s)";
inline constexpr const char* kRefreshText = "Actualiser";
inline constexpr const char* kRefreshTip = "Relit le dossier (F5)";
inline constexpr const char* kPrintText = "Imprimer\x85";
inline constexpr const char* kPrintTip =
    "Aper\xE7u et impression des lignes affich\xE9"
    "es (Ctrl+P)";
// The export menu's fourth entry.
inline constexpr const char* kPdfMenuText = "Fichier &PDF";
// The export menu's entries, in order (export modes 0 to 2, then the PDF file).
inline constexpr const char* kExportMenuTexts[] = {"&Fichier texte", "&Fichier Excel",
                                                   "&Fichier HTML", kPdfMenuText};

// The find line's button that opens the transfers window, beside "Imprimer…".
inline constexpr const char* kTransfersText = "Virements\x85";
inline constexpr const char* kTransfersTip =
    "Les virements des lignes affich\xE9"
    "es : pointage, relev\xE9 bancaire, export et impression";

// The transfers window's buttons above its table, and their tooltips.
inline constexpr const char* kExportText = "Exporter";
inline constexpr const char* kTransfersExportTip =
    "\xC9"
    "crit le tableau des virements dans un fichier texte, Excel, HTML ou PDF";
inline constexpr const char* kTransfersPrintTip =
    "Aper\xE7u et impression du tableau des virements";
inline constexpr const char* kStatementText = "Relev\xE9 bancaire\x85";
inline constexpr const char* kStatementTip =
    "Lit un relev\xE9 bancaire (OFX ou CSV) et pointe les virements qu'il cr\xE9"
    "dite";
// The label of the list of the statement's credits that matched no transfer.
inline constexpr const char* kUnmatchedLabel =
    "Cr\xE9"
    "dits non rapproch\xE9s :";

}  // namespace noemie::app
