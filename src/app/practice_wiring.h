#pragma once
// What the practice does with the rows around the list, alike in every window: the find
// field narrows the rows shown, the status line says their summary, "Actualiser" (F5)
// refills from the folder keeping the top row in sight, and return files that arrive, change
// or go in the folder refresh the list by themselves once they have stopped changing.
//
// The folder is looked at kSettleMs after the system told of a change (again after each such
// delay while a file still changes, so that a half-written file is not read), and every
// kPollMs for the changes the system does not tell; never while a dialog or a menu is open,
// nor during a fill (a look then waits for the next delay). The window supplies the timers,
// the list's top row and the status line (PracticeHost); the rows come from the Viewer.

#include <memory>
#include <string>
#include <string_view>

#include "app/window_texts.h"
#include "core/viewer/folder_watch.h"

namespace noemie::viewer {
class Viewer;
}

namespace noemie::app {

class PracticeHost {
 public:
  virtual ~PracticeHost() = default;
  // Starts, or starts again, the single-shot look timer: PracticeWiring::look_due() after
  // `ms` milliseconds.
  virtual void start_look_timer(int ms) = 0;
  virtual bool look_timer_active() const = 0;
  // True while a dialog or a menu of the window waits for the user, or a fill runs: the
  // engine is busy or may be, and the list must not be filled again under it.
  virtual bool dialog_or_menu_open() const = 0;
  // The row at the top of the list's view, and scrolling the list so that `row` is there.
  virtual int top_row() const = 0;
  virtual void show_top_row(int row) = 0;
  // The status line's text (Windows-1252).
  virtual void show_summary(const std::string& text) = 0;
  // Puts `text` (Windows-1252) in the find field, which tells it back through
  // find_text_changed as any change.
  virtual void show_find_text(const std::string& text) = 0;
};

class PracticeWiring {
 public:
  // Both must outlive the object. The folder as the viewer's last fill found it is the
  // starting point of the looks.
  PracticeWiring(viewer::Viewer& viewer, PracticeHost& host);
  ~PracticeWiring();

  // The find field's text (Windows-1252) changed: the rows shown narrow to it. A change also
  // ends a narrowing of the list to one transfer (Escape, which empties the field, gives the
  // whole list back).
  void find_text_changed(std::string_view text);
  // The list was narrowed to one transfer: the find field says which (the text put there is
  // not taken as a find).
  void show_narrowing();
  // The summary of the rows shown, as the status line says it.
  std::string summary_text() const;
  // Shows summary_text() in the host's status line.
  void update_summary();

  // "Actualiser" (`automatic` false) or a change in the folder (true): refills, keeping the
  // sort, the find, the selection and the top row.
  void refresh(bool automatic);

  // The system told of a change in the folder.
  void folder_changed();
  // The poll timer's tick (every kPollMs).
  void poll_due();
  // The look timer ran out.
  void look_due();

  // The window closed: nothing more is done.
  void stop() { stopped_ = true; }

 private:
  void look();
  // Tells the folder watch what the last fill saw.
  void note_filled();

  viewer::Viewer& viewer_;
  PracticeHost& host_;
  std::unique_ptr<viewer::FolderWatch> folder_;
  bool stopped_ = false;
  // While the find field is given the narrowing's text.
  bool showing_narrowing_ = false;
};

}  // namespace noemie::app
