#pragma once
// A second, deliberately plain reading of the NOEMIE format, written step by step from the
// format's rules and sharing no code with NoemieReader, to be compared with it on many
// generated files. Slow and simple on purpose: positions are checked one read at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/noemie/return_record.h"

namespace noemie::testing {

struct ReferenceFault {
  int code = 0;
  std::int64_t position = 0;
};

struct ReferenceResult {
  ReturnRecord rec;
  std::int64_t debut = -1;
  std::optional<ReferenceFault> fault;
};

// Reads `data` as lit_mem_noemie would, starting from a copy of `before` (what the record
// held before the read).
ReferenceResult reference_read(std::string_view data, bool abrege, const ReturnRecord& before = {});

// "" when both records are the same, field by field and byte by byte; otherwise the name of
// the first field that differs, with both values.
std::string compare_records(const ReturnRecord& expected, const ReturnRecord& actual);

}  // namespace noemie::testing
