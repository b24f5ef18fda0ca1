// "Fichier PDF" as both windows run it: the file asked for, the extension added, the folder
// remembered, and a file that cannot be written said in a message box, the old one kept.

#include <gtest/gtest.h>

#include "app/pdf_save.h"
#include "core/viewer/viewer_fixture.h"
#include "support/temp_dir.h"

namespace noemie::testing {
namespace {

TEST(PdfSave, WritesTheChosenFileWithItsExtensionOrSaysWhyNot) {
  struct Case {
    std::optional<std::string> answer;  // relative to the temporary folder; nullopt cancels
    std::string written;                // "" when nothing is written
    bool said;                          // a message box
  };
  const Case cases[] = {
      {std::nullopt, "", false},         {"liste", "liste.pdf", false},
      {"LISTE.PDF", "LISTE.PDF", false}, {"liste.pdf.txt", "liste.pdf.txt.pdf", false},
      {"absent/liste.pdf", "", true},
  };
  for (const Case& c : cases) {
    ViewerFixture f;
    f.put("00000042.RSP", return_file("531"));
    viewer::Viewer& v = f.open();
    const fs::path old = f.dir.write("absent.pdf", "old");
    f.dialogs.save_answers.push_back(c.answer ? std::optional(f.dir.path() / *c.answer)
                                              : std::nullopt);
    app::PdfSave save;
    EXPECT_EQ(save.run(v, f.dialogs, print::PrintDate{2026, 12, 9, 14, 5}), !c.written.empty());
    ASSERT_EQ(f.dialogs.save_requests.size(), 1u);
    EXPECT_EQ(f.dialogs.save_requests[0].title, "Choisissez un fichier");
    EXPECT_EQ(f.dialogs.save_requests[0].filters[0].pattern, "*.PDF");
    if (!c.written.empty()) {
      const std::string pdf = read_file(f.dir.path() / c.written);
      EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
      EXPECT_NE(pdf.find("(Imprim\xE9 le 09/12/2026 \xE0 14:05) Tj"), std::string::npos);
      // The next choice opens where this file went.
      save.run(v, f.dialogs);
      EXPECT_EQ(f.dialogs.save_requests.back().folder, f.dir.path());
    }
    ASSERT_EQ(f.dialogs.boxes.size(), c.said ? 1u : 0u) << c.written;
    if (c.said) {
      EXPECT_EQ(f.dialogs.boxes[0].caption, "Velmora-Attention !");
      EXPECT_NE(f.dialogs.boxes[0].text.find("absent"), std::string::npos);
      EXPECT_NE(
          f.dialogs.boxes[0].text.find("\r\nAucun fichier existant n'a \xE9t\xE9 modifi\xE9."),
          std::string::npos);
    }
    EXPECT_EQ(read_file(old), "old");
  }
}

}  // namespace
}  // namespace noemie::testing
