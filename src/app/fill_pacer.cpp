#include "app/fill_pacer.h"

namespace noemie::app {

std::string fill_progress_text(int done, int files) {
  return "Lecture des fichiers : " + std::to_string(done) + " / " + std::to_string(files);
}

FillPacer::Step FillPacer::started(int /*files*/) {
  filling_ = true;
  started_ = Clock::now();
  return delay_.count() <= 0 ? show() : Step::Nothing;
}

FillPacer::Step FillPacer::done(int done, int files) {
  const Clock::time_point now = Clock::now();
  if (!busy_) return now - started_ >= delay_ ? show() : Step::Nothing;
  if (now - shown_ >= std::chrono::milliseconds(kProgressRepaintMs) || done == files) {
    return show();
  }
  return Step::Nothing;
}

bool FillPacer::ended() {
  filling_ = false;
  const bool was_busy = busy_;
  busy_ = false;
  return was_busy;
}

FillPacer::Step FillPacer::show() {
  shown_ = Clock::now();
  if (busy_) return Step::Update;
  busy_ = true;
  return Step::Begin;
}

}  // namespace noemie::app
