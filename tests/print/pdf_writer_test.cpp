// The PDF file of a Document: its structure (objects where the cross-reference table says,
// page objects, fonts), the bytes of its texts, and the same bytes for the same Document.

#include <gtest/gtest.h>

#include <string>

#include "print/pdf_writer.h"

namespace noemie::testing {
namespace {

using print::Document;

Document two_pages() {
  Document doc;
  doc.title = "Affichage \x80 (essai)";
  doc.pages.resize(2);
  doc.pages[0].operations = {
      print::FilledRect{28.35, 28.35, 785.3, 12, {0xE4, 0xE4, 0xE4}},
      print::TextRun{30, 40, 7, print::Weight::Bold,
                     "R\xE9"
                     "f"},
      print::Line{28.35, 41, 813.65, 41, 0.6, 0},
      print::FilledDisc{31, 45, 2.5, {0xD0, 0x20, 0x20}},
      print::TextRun{30, 50, 7, print::Weight::Regular, "a(b)c\\d\r\ne 12.50\x80 \xE9\x85"},
  };
  doc.pages[1].operations = {print::TextRun{400, 580, 9, print::Weight::Regular, "page 2 / 2"}};
  return doc;
}

TEST(PdfWriter, CrossReferencesPointAtTheirObjects) {
  const std::string pdf = print::pdf_bytes(two_pages());
  ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
  const std::size_t startxref = pdf.rfind("startxref\n");
  ASSERT_NE(startxref, std::string::npos);
  const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
  ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
  ASSERT_EQ(pdf.compare(xref, 7, "xref\n0 "), 0);
  const int objects = std::stoi(pdf.substr(xref + 7));
  EXPECT_EQ(objects, 1 + 5 + 2 * 2);
  const std::string table = pdf.substr(xref);
  std::size_t entry = pdf.find('\n', xref + 7) + 1 + 20;  // after object 0
  for (int n = 1; n < objects; ++n, entry += 20) {
    const std::size_t offset = std::stoul(pdf.substr(entry, 10));
    EXPECT_EQ(pdf.substr(offset, std::to_string(n).size() + 7), std::to_string(n) + " 0 obj\n");
    EXPECT_EQ(pdf.substr(entry + 10, 10), " 00000 n \n");
  }
  EXPECT_NE(table.find("/Size " + std::to_string(objects)), std::string::npos);
  EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
  // Each stream's length is what lies between its keywords.
  int streams = 0;
  for (std::size_t at = 0; (at = pdf.find("/Length ", at)) != std::string::npos; ++streams) {
    const std::size_t length = std::stoul(pdf.substr(at + 8));
    at = pdf.find(">>\nstream\n", at) + 10;
    EXPECT_EQ(pdf.compare(at + length, 10, "\nendstream"), 0);
  }
  EXPECT_EQ(streams, 2);
}

TEST(PdfWriter, PagesFontsAndTextsAreWrittenAsTheDocumentSays) {
  const std::string pdf = print::pdf_bytes(two_pages());
  const std::string wanted[] = {
      "/Type /Pages /Kids [6 0 R 8 0 R] /Count 2",
      "/MediaBox [0 0 842 595 ]",
      "/BaseFont /Helvetica /Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [278 ",
      "/BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding",
      // Every byte kept; the delimiters, the escape and the line ends escaped.
      "(a\\(b\\)c\\\\d\\r\\ne 12.50\x80 \xE9\x85) Tj",
      "/F2 7 Tf\n1 0 0 1 30 555 Tm (R\xE9"
      "f) Tj",
      "/F1 9 Tf\n1 0 0 1 400 15 Tm (page 2 / 2) Tj",
      "0.89 0.89 0.89 rg\n28.35 554.65 785.3 12 re f",
      "0 G 0.6 w 28.35 554 m 813.65 554 l S",
      // The title in UTF-16: the euro sign is U+20AC.
      "/Title <FEFF004100660066006900630068006100670065002020AC00200028006500730073006100690029>",
  };
  for (const std::string& w : wanted) EXPECT_NE(pdf.find(w), std::string::npos) << w;
  EXPECT_EQ(print::pdf_bytes(two_pages()), pdf);
}

}  // namespace
}  // namespace noemie::testing
