#pragma once
// While a fill of the list runs long: the busy cursor, and a line over the foot of the window
// saying how many return files have been read ("Lecture des fichiers : 1200 / 5000"). Most
// fills are quick (the files read before are kept), so nothing shows during the first
// `delay` of a fill. The window does not go back to its event loop meanwhile, so no action of
// the user can start during the fill: the line is painted on the spot.

#include <QLabel>

#include <chrono>

#include "core/viewer/viewer.h"

namespace noemie::gui {

class FillProgressLine final : public QLabel, public viewer::FillProgress {
  Q_OBJECT

 public:
  // A child of `window`, hidden until a fill has run longer than `delay`.
  explicit FillProgressLine(QWidget* window,
                            std::chrono::milliseconds delay = std::chrono::milliseconds(300));
  ~FillProgressLine() override;

  // True from the moment the progress shows to the end of the fill.
  bool busy() const { return busy_; }

  // viewer::FillProgress
  void fill_started(int files) override;
  void files_done(int done, int files) override;
  void fill_ended() override;

 private:
  using Clock = std::chrono::steady_clock;

  void show_count(int done, int files);

  const std::chrono::milliseconds delay_;
  Clock::time_point started_;
  Clock::time_point shown_;
  bool busy_ = false;
};

}  // namespace noemie::gui
