// The error dialog and its reporter, the Qt dialogs (in French) and shell, and the text bridge.

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

#include "gui/error_dialog.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_shell.h"
#include "gui/text_bridge.h"
#include "gui/viewer_controls.h"
#include "support/temp_dir.h"

using namespace noemie;
using noemie::gui::control_name;

namespace {

QString cp(const char* cp1252) {
  return gui::to_qstring(cp1252);
}

FaultReport sample_fault() {
  FaultReport f;
  f.code = 4;
  f.description = "Fin de niveau ne correspondant \xE0 rien pour ce programme\r\n";
  f.path = "/tmp/retours/00000123.RSP";
  f.position = 1536;
  f.start = -1;
  return f;
}

// Runs `check` on the modal dialog once it is open (inside its own event loop).
void when_modal_opens(std::function<void(QWidget*)> check) {
  QTimer::singleShot(0, [check] {
    QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
    check(QApplication::activeModalWidget());
  });
}

// Texts Qt writes on its own file dialog: the "look in" and name labels, then the buttons.
QStringList qt_texts(const QFileDialog& chooser) {
  QStringList texts;
  for (const char* label : {"lookInLabel", "fileNameLabel"}) {
    texts << chooser.findChild<QLabel*>(QLatin1String(label))->text();
  }
  const auto* buttons = chooser.findChild<QDialogButtonBox*>();
  for (auto which : {QDialogButtonBox::Open, QDialogButtonBox::Save, QDialogButtonBox::Cancel}) {
    if (const QPushButton* b = buttons->button(which)) texts << b->text();
  }
  return texts;
}

}  // namespace

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // As the program starts: Qt's own dialogs speak French.
  void initTestCase() { QVERIFY(gui::install_french_translations()); }

  void ErrorDialogShowsEveryText() {
    gui::ErrorDialog dialog(sample_fault(), {});
    QCOMPARE(dialog.windowTitle(), cp("Erreur lors du traitement d'un retour NOEMIE"));
    const struct {
      int id;
      const char* text;
    } texts[] = {
        {2502, "Description de l'erreur"},
        {2504, "OK"},
        {2505, "Envoyer"},
        {2506, "Ne pas oublier de joindre le fichier posant probl\xE8me"},
        {2507, "Faire part de cette erreur \xE0 l'auteur"},
        {2501, "Fin de niveau ne correspondant \xE0 rien pour ce programme"},
        {2508, "Velmora "},
        {2509, "V. 1.13"},
        {2510, "Fichier"},
        {2512, "Offset"},
        {2513, "1536"},
        {2514, "Emplacement de l'erreur"},
        {2515, "Statistiques"},
        {2516,
         "Offset du d\xE9"
         "but 'R\xE9"
         "el' du fichier :"},
        {2517, "-1"},
    };
    for (const auto& t : texts) {
      QObject* o = dialog.findChild<QObject*>(control_name(t.id));
      QVERIFY2(o, qPrintable(control_name(t.id)));
      QString text;
      if (auto* g = qobject_cast<QGroupBox*>(o)) text = g->title();
      if (auto* b = qobject_cast<QPushButton*>(o)) text = b->text();
      if (auto* l = qobject_cast<QLabel*>(o)) text = l->text();
      QCOMPARE(text, cp(t.text));
    }
    auto* path = dialog.findChild<QLabel*>(control_name(2511));
    QVERIFY(path);
    QCOMPARE(path->toolTip(), QStringLiteral("/tmp/retours/00000123.RSP"));
  }

  void EnvoyerCallsBackAndKeepsTheDialogOpen() {
    int sent = 0;
    gui::ErrorDialog dialog(sample_fault(), [&] { ++sent; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* send = dialog.findChild<QPushButton*>(control_name(2505));
    QTest::mouseClick(send, Qt::LeftButton);
    QTest::mouseClick(send, Qt::LeftButton);
    QCOMPARE(sent, 2);
    QVERIFY(dialog.isVisible());
  }

  void OkLeadsTheKeyboardAndSpaceClosesAFreshDialog() {
    gui::ErrorDialog dialog(sample_fault(), {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* ok = dialog.findChild<QPushButton*>(control_name(2504));
    auto* send = dialog.findChild<QPushButton*>(control_name(2505));
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), send);
    QTest::keyClick(send, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Space);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void EnterAndEscapeDoNothingOkCloses() {
    gui::ErrorDialog dialog(sample_fault(), {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* ok = dialog.findChild<QPushButton*>(control_name(2504));
    ok->setFocus();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
      QTest::keyClick(&dialog, key);
      QTest::keyClick(ok, key);
      QVERIFY(dialog.isVisible());
    }
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
  }

  void MessageBoxHasCaptionIconAndOneOk() {
    const struct {
      platform::MessageIcon icon;
      QMessageBox::Icon shown;
    } cases[] = {{platform::MessageIcon::None, QMessageBox::NoIcon},
                 {platform::MessageIcon::Information, QMessageBox::Information},
                 {platform::MessageIcon::Warning, QMessageBox::Warning},
                 {platform::MessageIcon::Error, QMessageBox::Critical}};
    QWidget owner;
    owner.show();
    gui::QtDialogs dialogs(&owner);
    for (const auto& c : cases) {
      bool checked = false;
      when_modal_opens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        QCOMPARE(box->parentWidget(), &owner);
        QCOMPARE(box->windowTitle(), QStringLiteral("Conversion F/\u20AC"));
        QCOMPARE(box->text(), QStringLiteral("<b>1.00F</b>\n= 0.15\u20AC"));
        QCOMPARE(box->icon(), c.shown);
        QCOMPARE(box->buttons().size(), qsizetype(1));
        box->button(QMessageBox::Ok)->click();
        checked = true;
      });
      dialogs.message_box("<b>1.00F</b>\r\n= 0.15\x80", "Conversion F/\x80", c.icon);
      QVERIFY(checked);
    }
  }

  void FolderChooserOpensOnTheStartFolderAndAnswers() {
    testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "retours");
    gui::QtDialogs dialogs;
    for (bool accept : {true, false}) {
      when_modal_opens([&](QWidget* modal) {
        auto* chooser = qobject_cast<QFileDialog*>(modal);
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), QStringLiteral("R\u00E9pertoire \u00E0 visualiser"));
        QCOMPARE(chooser->fileMode(), QFileDialog::Directory);
        QCOMPARE(qt_texts(*chooser),
                 (QStringList{QStringLiteral("Voir dans :"), QStringLiteral("Dossier :"),
                              QStringLiteral("&Choisir"), QStringLiteral("Annuler")}));
        QCOMPARE(QDir(chooser->directory()).canonicalPath(),
                 QDir(gui::path_to_qstring(dir.path())).canonicalPath());
        if (accept) {
          chooser->selectFile(QStringLiteral("retours"));
          static_cast<QDialog*>(chooser)->accept();
        } else {
          chooser->reject();
        }
      });
      const auto chosen = dialogs.choose_folder("R\xE9pertoire \xE0 visualiser", dir.path());
      if (accept) {
        QVERIFY(chosen);
        QCOMPARE(std::filesystem::canonical(*chosen),
                 std::filesystem::canonical(dir.path() / "retours"));
        QVERIFY(chosen->has_filename());  // no trailing separator
      } else {
        QVERIFY(!chosen);
      }
    }
  }

  void FileChoosersShowFiltersAndStartInTheFolder() {
    testing::TempDir dir;
    dir.write("releve.csv", "Date;Montant\n");
    gui::QtDialogs dialogs;
    const std::vector<platform::FileFilter> filters = {{"Fichiers Texte", "*.TXT;*.CSV"},
                                                       {"Tous les fichiers", "*.*"}};
    const struct {
      bool save;
      QString button;
      const char* name;
    } cases[] = {{true, QStringLiteral("&Enregistrer"), "liste"},
                 {false, QStringLiteral("&Ouvrir"), "releve.csv"}};
    for (const auto& c : cases) {
      when_modal_opens([&](QWidget* modal) {
        auto* chooser = qobject_cast<QFileDialog*>(modal);
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), QStringLiteral("Choisissez un fichier"));
        QCOMPARE(chooser->nameFilters(),
                 (QStringList{QStringLiteral("Fichiers Texte (*.TXT *.CSV)"),
                              QStringLiteral("Tous les fichiers (*)")}));
        QCOMPARE(chooser->selectedNameFilter(), QStringLiteral("Fichiers Texte (*.TXT *.CSV)"));
        QCOMPARE(chooser->acceptMode(), c.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(qt_texts(*chooser),
                 (QStringList{QStringLiteral("Voir dans :"), QStringLiteral("&Nom de fichier :"),
                              c.button, QStringLiteral("Annuler")}));
        if (c.save) QVERIFY(!chooser->testOption(QFileDialog::DontConfirmOverwrite));
        chooser->selectFile(QString::fromLatin1(c.name));
        static_cast<QDialog*>(chooser)->accept();
      });
      const auto chosen =
          c.save ? dialogs.choose_save_file("Choisissez un fichier", filters, dir.path())
                 : dialogs.choose_open_file("Choisissez un fichier", filters, dir.path());
      QVERIFY(chosen);
      QCOMPARE(chosen->filename(), std::filesystem::path(c.name));
    }
  }

  void ShellOpensTheEncodedLinkUnchanged() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    const std::string link =
        "mailto:support@example.org?Subject=Velmora%20Ver.1.13&Body=Fic%20%3A%20a%26b%0D%0A%20";
    gui::QtShell shell;
    shell.open_url(link);
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(catcher.urls.size(), qsizetype(1));
    QCOMPARE(catcher.urls[0].toEncoded(), QByteArray::fromStdString(link));
  }

  void TextBridgeConvertsWindows1252() {
    const struct {
      std::string cp1252;
      QString unicode;
    } cases[] = {
        {"", QString()},
        {"ABC 123", QStringLiteral("ABC 123")},
        {"R\xE9"
         "f\xE9rence",
         QStringLiteral("R\u00E9f\u00E9rence")},
        {"12.34\x80", QStringLiteral("12.34\u20AC")},
        {"\x9C"
         "uvre \x85",
         QStringLiteral("\u0153uvre \u2026")},
        {std::string("AB\0CD", 5), QStringLiteral("AB")},  // ends at the first NUL
    };
    for (const auto& c : cases) {
      QCOMPARE(gui::to_qstring(c.cp1252), c.unicode);
      QCOMPARE(gui::to_cp1252(c.unicode), std::string(c.cp1252.c_str()));
    }
    QCOMPARE(gui::to_cp1252(QStringLiteral("\u4E2D")), std::string("?"));
    QCOMPARE(gui::to_display_text("a\r\nb\rc\n"), QStringLiteral("a\nb\nc\n"));
  }

  void SaveFilterText() {
    const struct {
      platform::FileFilter filter;
      QString text;
    } cases[] = {
        {{"Fichiers Excel", "*.XLS"}, QStringLiteral("Fichiers Excel (*.XLS)")},
        {{"Tous les fichiers", "*.*"}, QStringLiteral("Tous les fichiers (*)")},
    };
    for (const auto& c : cases) QCOMPARE(gui::save_filter_text(c.filter), c.text);
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
