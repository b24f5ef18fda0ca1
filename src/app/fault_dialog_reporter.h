#pragma once
// The desktop's FaultReporter: every fault that the reader hands over, except the silent
// ones (a file below 128 bytes, an empty file), opens the front end's error dialog; its
// "Envoyer" opens the report e-mail through the Shell.

#include "app/viewer_front.h"
#include "core/noemie/fault_report.h"
#include "core/platform/shell.h"

namespace noemie::app {

class FaultDialogReporter final : public FaultReporter {
 public:
  // Both must outlive the reporter.
  FaultDialogReporter(ViewerFront& front, platform::Shell& shell) : front_(front), shell_(shell) {}

  void report(const FaultReport& fault) override;

 private:
  ViewerFront& front_;
  platform::Shell& shell_;
};

}  // namespace noemie::app
