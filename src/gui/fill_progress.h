#pragma once
// While a fill of the list runs long (app::FillPacer): the busy cursor, and a line over the
// foot of the window saying how many return files have been read ("Lecture des fichiers :
// 1200 / 5000"). The window does not go back to its event loop meanwhile, so no action of
// the user can start during the fill: the line is painted on the spot.

#include <QLabel>

#include <chrono>

#include "app/fill_pacer.h"
#include "core/viewer/viewer.h"

namespace noemie::gui {

class FillProgressLine final : public QLabel, public viewer::FillProgress {
  Q_OBJECT

 public:
  // A child of `window`, hidden until a fill has run longer than `delay`.
  explicit FillProgressLine(QWidget* window, std::chrono::milliseconds delay =
                                                 std::chrono::milliseconds(app::kProgressDelayMs));
  ~FillProgressLine() override;

  // True from the moment the progress shows to the end of the fill.
  bool busy() const { return pacer_.busy(); }

  // viewer::FillProgress
  void fill_started(int files) override;
  void files_done(int done, int files) override;
  void fill_ended() override;

 private:
  void paint_step(app::FillPacer::Step step, int done, int files);

  app::FillPacer pacer_;
};

}  // namespace noemie::gui
