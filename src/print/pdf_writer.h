#pragma once
// A Document as a PDF 1.4 file: one page object per page (A4 landscape as the Document says),
// the standard fonts Helvetica and Helvetica-Bold in WinAnsiEncoding (not embedded: they take
// the Windows-1252 bytes of the runs as they are), uncompressed content streams, the
// Document's title as the file's. The same Document always gives the same bytes.

#include <string>

#include "print/document.h"

namespace noemie::print {

std::string pdf_bytes(const Document& document);

}  // namespace noemie::print
