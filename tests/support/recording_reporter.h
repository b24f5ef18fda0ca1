#pragma once
// A FaultReporter that keeps every FaultReport it is given, in order; for tests.

#include <vector>

#include "core/noemie/fault_report.h"

namespace noemie::testing {

class RecordingReporter final : public FaultReporter {
 public:
  std::vector<FaultReport> reports;

  void report(const FaultReport& fault) override { reports.push_back(fault); }
};

}  // namespace noemie::testing
