#pragma once
// The printout's pages drawn with GDI, for the print preview and the printer: the same
// placement as the Document says. Texts are set in Arial (Helvetica's widths), each character
// at the place the layout measured for it.

#include <windows.h>

#include "print/document.h"

namespace noemie::win32 {

// Draws `page` on `dc`: the point (x, y) of the paper lands on the device pixel
// origin + (x, y) × scale. The caller clears the paper first when it must look white.
void draw_page(HDC dc, const print::Page& page, double scale, POINT origin);

}  // namespace noemie::win32
