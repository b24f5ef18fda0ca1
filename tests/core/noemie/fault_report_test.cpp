// Fault messages, the fault report, the report line and the "mailto:" link.

#include "core/noemie/fault_report.h"

#include <gtest/gtest.h>

#include "core/noemie/report_mail.h"
#include "core/platform/recording_dialogs.h"
#include "core/text/cp1252.h"
#include "support/recording_reporter.h"

namespace noemie {
namespace {

TEST(FaultMessages, EveryCodeInFrench) {
  // Written here in UTF-8 and compared once converted, so that every accented byte of the
  // Windows-1252 table is checked.
  const char* const expected[] = {
      "Fichier non trouvé",
      "Allocation mémoire",
      "En tête du retour Noémie inconnu par ce programme",
      "Fichier corrompu ou trop compliqué pour être traité par ce programme",
      "Fin de niveau ne correspondant à rien pour ce programme",
      "Fin de niveau manquante pour ce programme",
      "Fin de niveau inconnue pour ce programme",
      "Désolé, ce programme n'est pas en mesure de traiter ce fichier",
      "Désolé, ce programme n'est pas en mesure de traiter ce fichier(zone non connue)",
      "Désolé, ce fichier ne fait même pas 128 octets, il n'y a pas grand chose à en tirer",
      "Ce fichier fait exactement 0 octet, il n'y a rien à en tirer !!!!",
      "Impossible de déterminer le début du message NOEMIE",
      "Le contenu de ce message NOEMIE porte à confusion sur le nom/prenom du malade et/ou de "
      "l'assuré, ces données peuvent être incorrectes pour ce fichier",
  };
  for (int code = 0; code <= 12; ++code) {
    EXPECT_EQ(text::cp1252_to_utf8(fault_message(code)), expected[code]) << code;
  }
  EXPECT_EQ(fault_message(-1), "");
  EXPECT_EQ(fault_message(13), "");
}

TEST(FaultReports, DescriptionPathPositionAndStart) {
  testing::RecordingReporter reporter;
  erreur_traitement(4, 321, "/data/12.RSP", 17, reporter);
  erreur_traitement(9, 5, "/data/13.RSP", -1, reporter);   // silent
  erreur_traitement(10, 0, "/data/14.RSP", -1, reporter);  // silent
  erreur_traitement(42, 7, "/data/15.RSP", -1, reporter);  // unknown code: empty message
  ASSERT_EQ(reporter.reports.size(), 2u);
  EXPECT_EQ(reporter.reports[0].code, 4);
  EXPECT_EQ(reporter.reports[0].description,
            "Fin de niveau ne correspondant \xE0 rien pour ce programme\r\n");
  EXPECT_EQ(reporter.reports[0].path, "/data/12.RSP");
  EXPECT_EQ(reporter.reports[0].position, 321);
  EXPECT_EQ(reporter.reports[0].start, 17);
  EXPECT_EQ(reporter.reports[1].description, "\r\n");
}

TEST(ReportMail, ReportLineIsCutAt255) {
  EXPECT_EQ(report_line(std::filesystem::path(u8"/home/r\u00E9gine/12.RSP"), 42, "Fichier non trouv\xE9\r\n"),
            "Fic : /home/r\xE9gine/12.RSP -- Off : 42 -- Err : Fichier non trouv\xE9\r\n");
  const std::string line = report_line("/" + std::string(300, 'a'), 1, "x");
  EXPECT_EQ(line.size(), kReportLineMax);
  EXPECT_EQ(line.substr(0, 8), "Fic : /a");
}

TEST(ReportMail, VersionTexts) {
  EXPECT_EQ(version_text(), "V. 1.13");
}

TEST(ReportMail, LinkIsPercentEncoded) {
  EXPECT_EQ(mail_link("Fic : a b.RSP -- Off : 3 -- Err : D\xE9sol\xE9\r\n", "Nov  7 2023",
                      "23:15:17", "auteur@example.org"),
            "mailto:auteur@example.org"
            "?Subject=Velmora%20Ver.1.13%20Compil%C3%A9%20le%20Nov%20%207%202023%20%C3%A0%2023%3A15"
            "%3A17"
            "&Body=Fic%20%3A%20a%20b.RSP%20--%20Off%20%3A%203%20--%20Err%20%3A%20D%C3%A9sol%C3%A9"
            "%0D%0A%20");
  EXPECT_EQ(mail_link("?&=~%#", "d", "t", "a@b.c"),
            "mailto:a@b.c?Subject=Velmora%20Ver.1.13%20Compil%C3%A9%20le%20d%20%C3%A0%20t"
            "&Body=%3F%26%3D~%25%23%20");
}

TEST(ReportMail, MailOpensTheLinkThroughTheShell) {
  platform::RecordingShell shell;
  mail("x", shell);
  mail("x", shell);  // each press opens a new e-mail
  ASSERT_EQ(shell.opened.size(), 2u);
  const std::string start = "mailto:" + std::string(author_mail()) + "?Subject=Velmora%20Ver.1.13";
  EXPECT_EQ(shell.opened[0].substr(0, start.size()), start);
  EXPECT_EQ(shell.opened[0].substr(shell.opened[0].size() - 10), "&Body=x%20");
}

}  // namespace
}  // namespace noemie
