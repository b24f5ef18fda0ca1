// The reader against the plain reference reading, on thousands of generated files, well
// formed and broken, with the same record reused from one file to the next.

#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "parse_helpers.h"
#include "reference_reader.h"

namespace noemie::testing {
namespace {

// Keeps a file that the two readings disagree on, to look at it.
std::string keep(const std::string& bytes, int index) {
  const std::string name = "disagreement-" + std::to_string(index) + ".bin";
  std::ofstream(name, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return name;
}

TEST(ReferenceReading, AgreesFieldByFieldOnGeneratedFiles) {
  std::mt19937_64 rng(0x4E4F454D4945);
  std::map<int, int> outcomes;  // fault code (-1: none) -> files
  int several_entries = 0;
  int announced = 0;  // transfers ended with a total
  int belonging = 0;  // entries of a transfer
  ReturnRecord previous;
  for (int i = 0; i < 8000; ++i) {
    std::string bytes = random_return_file(rng);
    if (i % 4 != 0) bytes = mutate(std::move(bytes), rng);
    const bool abrege = (i / 2) % 2 == 1;

    const ReferenceResult expected = reference_read(bytes, abrege, previous);
    RecordingReporter reporter;
    NoemieReader reader(reporter);
    ReturnRecord rec = previous;
    parse_exact(reader, bytes, rec, abrege);

    const std::string diff = compare_records(expected.rec, rec);
    ASSERT_EQ(diff, "") << "file " << i << " kept as " << keep(bytes, i);
    ASSERT_EQ(reader.debut_detecte(), expected.debut)
        << "file " << i << " kept as " << keep(bytes, i);
    ASSERT_EQ(reader.derniere_erreur().has_value(), expected.fault.has_value())
        << "file " << i << " kept as " << keep(bytes, i);
    if (expected.fault) {
      ASSERT_EQ(reader.derniere_erreur()->code, expected.fault->code)
          << "file " << i << " kept as " << keep(bytes, i);
      ASSERT_EQ(reader.derniere_erreur()->position, expected.fault->position)
          << "file " << i << " kept as " << keep(bytes, i);
    }
    ++outcomes[expected.fault ? expected.fault->code : -1];
    if (rec.entrees.size() > 1) ++several_entries;
    for (const noemie::Virement& v : rec.virements) announced += v.montant_annonce.has_value();
    for (const ReturnEntry& e : rec.entrees) belonging += e.virement != kAucunVirement;
    previous = std::move(rec);
  }
  // The files reach every outcome of the walk, so the comparison means something.
  for (const int code : {-1, 3, 4, 6, 7, 8, 9, 11}) {
    EXPECT_GT(outcomes[code], 10) << "code " << code;
  }
  EXPECT_GT(several_entries, 1000);
  EXPECT_GT(announced, 100);
  EXPECT_GT(belonging, 1500);
}

}  // namespace
}  // namespace noemie::testing
