#pragma once
// Identifiers of the viewer window's controls and commands, and how they are named.
//
// Naming convention: every control and every command of the export menu is a QObject whose
// objectName is "ctl" followed by its identifier ("ctl1909" is the "Toutes" radio button,
// "ctl1019" the menu's "&Fichier texte" action); control_name() builds it. Tests and the
// engine wiring find controls with QObject::findChild and that name.

#include <QString>

namespace noemie::gui {

enum ViewerControl : int {
  kIdList = 1904,            // the list of return entries
  kIdKindGroup = 1906,       // group "Référence"
  kIdAlwaysOnTop = 1908,     // check box "Toujours visible"
  kIdKindAll = 1909,         // radio "Toutes": kind filter 0
  kIdKindPayments = 1910,    // radio "Paiements": kind filter 1
  kIdKindRejections = 1911,  // radio "Rejets": kind filter 2
  kIdKindOthers = 1912,      // radio "Autres": kind filter 3
  kIdAgeAlways = 1913,       // radio "Toujours": age filter 0
  kIdAgeToday = 1915,        // radio "Aujourd'hui": age filter 3
  kIdAgeWeek = 1916,         // radio "7 jours": age filter 2
  kIdAgeMonth = 1917,        // radio "1 mois": age filter 1
  kIdAgeGroup = 1918,        // group "Depuis"
  kIdExport = 1920,          // push button "Exporter": opens the export menu
  kIdMarkDone = 1921,        // push button "traités"
  kIdMarkNotDone = 1922,     // push button "non-traités"
  kIdMaskArl = 1923,         // check box, kind mask value 4 (text cleared at start)
  kIdMaskArchives = 1924,    // check box "Archives", kind mask value 8 (hidden)
  kIdMaskGroup = 1925,       // group "RSP   ARL/ARX"
  kIdMaskRsp = 1926,         // check box, kind mask value 1
  kIdMaskHidden = 1927,      // check box, kind mask value 2 (hidden)
  kIdMarkGroup = 1928,       // group "Marquer"
  kIdAbrege = 1929,          // check box "Abrégé"
  kIdToolFrame = 1907,       // the tool frame around all the controls above the list
};

// Commands of the export menu.
enum ExportCommand : int {
  kCmdExportText = 1019,   // "&Fichier texte": export mode 0
  kCmdExportExcel = 1021,  // "&Fichier Excel": export mode 1
  kCmdExportHtml = 1033,   // "&Fichier HTML": export mode 2
};

// The objectName of control or command `id`: "ctl" + id.
inline QString control_name(int id) {
  return QStringLiteral("ctl%1").arg(id);
}

}  // namespace noemie::gui
