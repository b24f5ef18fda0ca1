#pragma once
// The Windows viewer during a fill of its list. A fill runs on the window's thread; so that
// the window keeps answering (Windows greys out a window that stops taking its messages),
// the fill's progress calls take the waiting messages every few tens of milliseconds. The
// user's keys and clicks in the window are dropped meanwhile (the window is busy, as its
// cursor says); what arrives otherwise (a close, a command another program sends) is the
// dialog's to hold until the fill has ended.
//
// Past the first kProgressDelayMs of a fill (app::FillPacer) the busy cursor shows, and the
// static line over the window's foot says "Lecture des fichiers : n / N".

#include <windows.h>

#include <chrono>
#include <functional>

#include "app/fill_pacer.h"
#include "core/viewer/viewer.h"

namespace noemie::win32 {

class FillBusy final : public viewer::FillProgress {
 public:
  // `line` is the progress static, a child of `dialog`.
  FillBusy(HWND dialog, HWND line, std::chrono::milliseconds delay);
  ~FillBusy() override;
  FillBusy(const FillBusy&) = delete;
  FillBusy& operator=(const FillBusy&) = delete;

  // Run when the progress first shows while the dialog is not on screen yet (the opening
  // fill): the dialog shows itself where it opens. Run once the fill has ended.
  void set_hooks(std::function<void()> show_dialog, std::function<void()> fill_over) {
    show_dialog_ = std::move(show_dialog);
    fill_over_ = std::move(fill_over);
  }

  bool filling() const { return pacer_.filling(); }
  // The busy cursor is on.
  bool busy() const { return pacer_.busy(); }

  // viewer::FillProgress
  void fill_started(int files) override;
  void files_done(int done, int files) override;
  void fill_ended() override;

  // The progress line's place: across the client width less `margin`, over its foot.
  void lay_out(int client_width, int client_height, int margin);

 private:
  using Clock = std::chrono::steady_clock;
  void show(app::FillPacer::Step step, int done, int files);
  void take_messages();

  HWND dialog_;
  HWND line_;
  app::FillPacer pacer_;
  Clock::time_point taken_;
  HCURSOR previous_cursor_ = nullptr;
  std::function<void()> show_dialog_;
  std::function<void()> fill_over_;
};

}  // namespace noemie::win32
