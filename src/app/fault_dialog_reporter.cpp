#include "app/fault_dialog_reporter.h"

#include "core/noemie/report_mail.h"

namespace noemie::app {

void FaultDialogReporter::report(const FaultReport& fault) {
  if (is_silent_fault(fault.code)) return;
  front_.show_fault(fault, [this, &fault] {
    mail(report_line(fault.path, fault.position, fault.description), shell_);
  });
}

}  // namespace noemie::app
