// The viewer killed right after a mark loses nothing. The desktop program, as the viewer's
// entry runs it (run_desktop: the Qt window over the engine), runs in a child process on the
// offscreen platform and marks through its window: a click on a row and on "traités", and a
// double-click on another file's state icon. It then tells the parent, which kills it at once
// with SIGKILL, so that no close runs; the flag file holds both marks.

#include <QAbstractButton>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/viewer/list_control.h"
#include "gui/desktop_main.h"
#include "gui/list_view.h"
#include "gui/qt_front.h"
#include "gui/viewer_controls.h"
#include "gui/viewer_window.h"
#include "program_fixture.h"

extern char** environ;

using namespace noemie;
using namespace noemie::testing;

namespace {

constexpr std::string_view kChildSwitch = "--marking-child";
// The descriptor on which the child says it has marked.
constexpr int kMarkedFd = 3;
// How long the parent waits for the child's word: a loaded machine starts it slowly, and a
// child that never marks must not hang the test.
constexpr int kChildWaitMs = 120'000;

// The first row of the window's list whose "Fichier" cell starts with the number `file`.
int row_of(gui::ViewerWindow& window, int file) {
  const QAbstractItemModel* model = window.list_view()->model();
  for (int r = 0; r < model->rowCount(); ++r) {
    const QString fichier = model->index(r, viewer::kColFichier).data().toString();
    if (fichier.section(QLatin1Char(' '), 0, 0).toInt() == file) return r;
  }
  return -1;
}

// In the child: once the window shows, marks 42 "traités" and steps 43, then says so.
class MarkingDriver final : public gui::WindowDriver {
 public:
  explicit MarkingDriver(gui::QtFront& front) {
    front.set_window_shown_hook([](gui::ViewerWindow& window) {
      if (!QTest::qWaitForWindowExposed(&window)) std::_Exit(4);
      gui::ListView* view = window.list_view();
      const auto centre = [view](int row, int column) {
        return view->visualRect(view->model()->index(row, column)).center();
      };
      const int row42 = row_of(window, 42);
      const int row43 = row_of(window, 43);
      if (row42 < 0 || row43 < 0) std::_Exit(5);
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(row42, viewer::kColFichier));
      QTest::mouseClick(window.findChild<QAbstractButton*>(gui::control_name(gui::kIdMarkDone)),
                        Qt::LeftButton);
      QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre(row43, viewer::kColTraite));
      if (write(kMarkedFd, "m", 1) != 1) std::_Exit(6);
    });
  }
};

// The child's program: `--marking-child FOLDER`.
int run_marking_child(char* program, char* folder) {
  char* args[] = {program, folder, nullptr};
  return gui::run_desktop(
      2, args, [](gui::QtFront& front) { return std::make_unique<MarkingDriver>(front); });
}

}  // namespace

class KilledViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void MarksSurviveAKillRightAfterThem() {
    ProgramFixture f;
    f.put("00000042.RSP", return_file("531"));
    f.put("00000043.RSP", return_file("531"));

    int marked[2];
    QCOMPARE(pipe2(marked, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, marked[1], kMarkedFd);
    std::string program = "/proc/self/exe";
    std::string child_switch(kChildSwitch);
    std::string folder = f.returns().string();
    char* argv[] = {program.data(), child_switch.data(), folder.data(), nullptr};
    std::vector<std::string> environment{"NOEMIE_VIEWER_SETTINGS=" + f.settings_path.string()};
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(marked[1]);
    QCOMPARE(spawned, 0);

    pollfd wait_for{marked[0], POLLIN, 0};
    const bool word = poll(&wait_for, 1, kChildWaitMs) == 1;
    char byte = 0;
    const bool said_marked = word && read(marked[0], &byte, 1) == 1;
    close(marked[0]);
    kill(child, SIGKILL);
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(said_marked, "the child never said it had marked");
    QVERIFY2(WIFSIGNALED(status), "the child ended by itself");

    const std::string flags = read_file(f.dir.path() / "arch" / "RSPstate.dat");
    QCOMPARE(flags.size(), std::size_t(44));
    QCOMPARE(int(flags[42]), 1);  // "traités"
    QCOMPARE(int(flags[43]), 1);  // stepped from 0
  }
};

int main(int argc, char** argv) {
  if (argc == 3 && argv[1] == kChildSwitch) return run_marking_child(argv[0], argv[2]);
  KilledViewerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "killed_viewer_test.moc"
