// libFuzzer entry: parses each input with lit_mem_noemie, checks the record's invariants, and
// compares it with the plain reference reading of the tests.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/noemie/reader.h"
#include "fuzz_check.h"
#include "reference_reader.h"

namespace {

class NullReporter final : public noemie::FaultReporter {
 public:
  void report(const noemie::FaultReport&) override {}
};

[[noreturn]] void fail(const std::string& what) {
  noemie::fuzz::fail("lit_mem_noemie", what);
}

void check(const std::uint8_t* data, std::size_t size, bool abrege) {
  NullReporter reporter;
  noemie::NoemieReader reader(reporter);
  noemie::ReturnRecord rec;
  reader.lit_mem_noemie(data, size, rec, abrege);

  if (rec.valide != 0 && rec.valide != 1) fail("valide is neither 0 nor 1");
  if (!rec.entrees.empty() && static_cast<std::size_t>(rec.der_entree) + 1 != rec.entrees.size()) {
    fail("der_entree does not match the entries");
  }
  const noemie::testing::ReferenceResult expected = noemie::testing::reference_read(
      std::string_view(reinterpret_cast<const char*>(data), size), abrege);
  const std::string diff = noemie::testing::compare_records(expected.rec, rec);
  if (!diff.empty()) fail("differs from the reference reading: " + diff);
  if (reader.debut_detecte() != expected.debut) fail("debut_detecte differs");
  const auto& fault = reader.derniere_erreur();
  if (fault.has_value() != expected.fault.has_value() ||
      (fault &&
       (fault->code != expected.fault->code || fault->position != expected.fault->position))) {
    fail("fault differs from the reference reading");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  check(data, size, false);
  check(data, size, true);
  return 0;
}
