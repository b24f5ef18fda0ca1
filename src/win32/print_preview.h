#pragma once
// The printout on Windows: a print preview window of standard controls, and printing through
// the printer chosen in the Windows print dialog.

#include <windows.h>

#include <functional>

#include "print/document.h"

namespace noemie::win32 {

// Shows the pages of `document` in a window modal to `owner` ("Aperçu avant impression"), one
// at a time zoomed to the window's width (a scroll bar for the rest of a page), with the
// buttons "Imprimer…" (print_document), "Page précédente", "Page suivante" and the line
// "Page N / M"; PgUp, PgDn, Home and End turn the pages, Escape closes. Returns once it is
// closed. `opened`, when set, is told the window once it is shown (for tests that drive it).
void show_print_preview(HWND owner, const print::Document& document,
                        const std::function<void(HWND)>& opened = {});

// Asks for a printer in the Windows print dialog, modal to `owner`, and prints every page of
// `document` on it, A4 landscape. True once every page went to the printer; false when the
// user cancelled, and false with a message box when there is no printer or printing failed.
bool print_document(HWND owner, const print::Document& document);

// The identifiers of the preview's controls.
inline constexpr int kPreviewPrint = 101;
inline constexpr int kPreviewPrevious = 102;
inline constexpr int kPreviewNext = 103;
inline constexpr int kPreviewPageLine = 104;
inline constexpr int kPreviewPage = 105;

}  // namespace noemie::win32
