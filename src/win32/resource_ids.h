#pragma once
// Identifiers of the Windows front end's resources and of the controls of its two dialogs,
// shared by noemie_viewer.rc and the code. Plain #defines: the resource compiler reads them.

// Dialog templates, menu, icons, bitmaps.
#define IDD_VIEWER 1902    // the viewer dialog
#define IDD_FAULT 2503     // the error dialog of a return file that cannot be read
#define IDM_EXPORT 230     // the export menu (its first pop-up)
#define IDI_FAULT 155      // the error dialog's icon
#define IDI_VIEWER 207     // the viewer's icon
#define IDB_STRIP_16 1914  // the list's image strip, 18 squares of 16 pixels
#define IDB_STRIP_24 1934  // the same drawn at 24 pixels (150 %)
#define IDB_STRIP_32 1944  // the same drawn at 32 pixels (200 %)

// Controls of the viewer dialog.
#define IDC_LIST 1904             // list of return entries
#define IDC_KIND_GROUP 1906       // group "Référence"
#define IDC_TOOL_FRAME 1907       // black frame around the controls above the list
#define IDC_ALWAYS_ON_TOP 1908    // check box "Toujours visible"
#define IDC_KIND_ALL 1909         // radio "Toutes": kind filter 0
#define IDC_KIND_PAYMENTS 1910    // radio "Paiements": kind filter 1
#define IDC_KIND_REJECTIONS 1911  // radio "Rejets": kind filter 2
#define IDC_KIND_OTHERS 1912      // radio "Autres": kind filter 3
#define IDC_AGE_ALWAYS 1913       // radio "Toujours": age filter 0
#define IDC_AGE_TODAY 1915        // radio "Aujourd'hui": age filter 3
#define IDC_AGE_WEEK 1916         // radio "7 jours": age filter 2
#define IDC_AGE_MONTH 1917        // radio "1 mois": age filter 1
#define IDC_AGE_GROUP 1918        // group "Depuis"
#define IDC_EXPORT 1920           // push button "Exporter"
#define IDC_MARK_DONE 1921        // push button "traités"
#define IDC_MARK_NOT_DONE 1922    // push button "non-traités"
#define IDC_MASK_ARL 1923         // kind mask value 4 (ARL/ARX files)
#define IDC_MASK_ARCHIVES 1924    // kind mask value 8, hidden
#define IDC_MASK_GROUP 1925       // group "RSP   ARL/ARX"
#define IDC_MASK_RSP 1926         // kind mask value 1 (RSP files)
#define IDC_MASK_HIDDEN 1927      // kind mask value 2, hidden
#define IDC_MARK_GROUP 1928       // group "Marquer"
#define IDC_ABREGE 1929           // check box "Abrégé"
// Around the list: the find line above it, the status line and the fill's progress below.
#define IDC_FIND_LABEL 1950  // static "&Rechercher :"
#define IDC_FIND 1951        // the find field (a single-line edit)
#define IDC_REFRESH 1952     // push button "Actualiser" (F5)
#define IDC_PRINT 1953       // push button "Imprimer…" (Ctrl+P)
#define IDC_SUMMARY 1954     // static: the summary of the rows shown
#define IDC_PROGRESS 1955    // static: "Lecture des fichiers : n / N" during a long fill
#define IDC_TRANSFERS 1956   // push button "Virements…": the transfers window

// The transfers window (modeless, owned by the viewer dialog) and its controls.
#define IDD_TRANSFERS 1970
#define IDC_TR_EXPORT 1971           // push button "Exporter": the export menu
#define IDC_TR_PRINT 1972            // push button "Imprimer…"
#define IDC_TR_STATEMENT 1973        // push button "Relevé bancaire…"
#define IDC_TR_LIST 1974             // the transfers, one per line, check boxes "Pointé"
#define IDC_TR_STATUS 1975           // static: "N virements - total X € - ..."
#define IDC_TR_UNMATCHED_LABEL 1976  // static "Crédits non rapprochés :"
#define IDC_TR_UNMATCHED 1977        // the statement's credits that matched no transfer

// Keys of the viewer (accelerator table IDA_VIEWER) that are no control's command.
#define IDA_VIEWER 231
#define IDK_FIND 1960        // Ctrl+F: the find field focused, its text selected
#define IDK_SELECT_ALL 1961  // Ctrl+A: every row shown selected (in the field: its text)

// Commands of the export menu.
#define IDM_EXPORT_TEXT 1019   // "&Fichier texte": export mode 0
#define IDM_EXPORT_EXCEL 1021  // "&Fichier Excel": export mode 1
#define IDM_EXPORT_HTML 1033   // "&Fichier HTML": export mode 2
#define IDM_EXPORT_PDF 1034    // "Fichier &PDF": the rows shown as a PDF file

// Controls of the error dialog.
#define IDC_FAULT_DESCRIPTION 2501
#define IDC_FAULT_DESCRIPTION_GROUP 2502
#define IDC_FAULT_OK 2504
#define IDC_FAULT_SEND 2505
#define IDC_FAULT_ATTACH_HINT 2506
#define IDC_FAULT_SEND_GROUP 2507
#define IDC_FAULT_PRODUCT 2508
#define IDC_FAULT_VERSION 2509
#define IDC_FAULT_FILE_LABEL 2510
#define IDC_FAULT_PATH 2511
#define IDC_FAULT_OFFSET_LABEL 2512
#define IDC_FAULT_POSITION 2513
#define IDC_FAULT_PLACE_GROUP 2514
#define IDC_FAULT_STATS_GROUP 2515
#define IDC_FAULT_START_LABEL 2516
#define IDC_FAULT_START 2517
