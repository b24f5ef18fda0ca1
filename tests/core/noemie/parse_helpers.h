#pragma once
// Parsing a file's bytes in a test and looking at the result.

#include <optional>
#include <string>
#include <vector>

#include "core/noemie/reader.h"
#include "core/text/c_text.h"
#include "random_files.h"
#include "support/recording_reporter.h"

namespace noemie::testing {

struct Parsed {
  ReturnRecord rec;
  std::optional<ParseFault> fault;  // silent faults included
  std::vector<FaultReport> shown;   // what the reporter was given
  std::int64_t debut = -1;

  const ReturnEntry& entry(std::size_t i) const { return rec.entrees.at(i); }
  int code() const { return fault ? fault->code : -1; }
  std::int64_t position() const { return fault ? fault->position : -1; }
};

inline Parsed parse(const std::string& bytes, bool abrege = false) {
  RecordingReporter reporter;
  NoemieReader reader(reporter);
  Parsed out;
  parse_exact(reader, bytes, out.rec, abrege);
  out.fault = reader.derniere_erreur();
  out.shown = reporter.reports;
  out.debut = reader.debut_detecte();
  return out;
}

// The text of a field, up to its first NUL.
template <std::size_t N>
std::string str(const std::array<char, N>& field) {
  return std::string(text::c_text(field));
}

}  // namespace noemie::testing
