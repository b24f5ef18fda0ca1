// Hardening: thousands of cut, flipped and spliced files, parsed from buffers of exactly
// their size (AddressSanitizer sees any read outside), must leave a sound record.

#include <gtest/gtest.h>

#include "parse_helpers.h"
#include "support/return_file_builder.h"

namespace noemie::testing {
namespace {

// The record's invariants; "" when they hold.
std::string broken_invariant(const ReturnRecord& rec) {
  if (rec.valide != 0 && rec.valide != 1) return "valide is " + std::to_string(rec.valide);
  if (!rec.entrees.empty() && static_cast<std::size_t>(rec.der_entree) + 1 != rec.entrees.size()) {
    return "der_entree does not match the entries";
  }
  for (const ReturnEntry& e : rec.entrees) {
#define NOEMIE_TERMINATED(f) \
  if (e.f.back() != '\0') return #f " is not terminated";
    NOEMIE_TERMINATED(date_comptable)
    NOEMIE_TERMINATED(date_acte)
    NOEMIE_TERMINATED(nom_assure)
    NOEMIE_TERMINATED(prenom_assure)
    NOEMIE_TERMINATED(immatriculation)
    NOEMIE_TERMINATED(nom_malade)
    NOEMIE_TERMINATED(prenom_malade)
    NOEMIE_TERMINATED(zone_16)
    NOEMIE_TERMINATED(ref_virement1)
    NOEMIE_TERMINATED(ref_virement2)
    NOEMIE_TERMINATED(ref_virement3)
    NOEMIE_TERMINATED(nature_assurance)
    NOEMIE_TERMINATED(texte_retour)
    NOEMIE_TERMINATED(date_lot)
    NOEMIE_TERMINATED(actes)
    NOEMIE_TERMINATED(detail)
#undef NOEMIE_TERMINATED
  }
  return "";
}

TEST(Hardening, MutatedFilesLeaveASoundRecord) {
  std::mt19937_64 rng(1234567);
  RecordingReporter reporter;
  NoemieReader reader(reporter);
  ReturnRecord rec;
  for (int i = 0; i < 6000; ++i) {
    std::string bytes = mutate(random_return_file(rng), rng);
    if (i % 3 == 0) bytes = mutate(std::move(bytes), rng);
    parse_exact(reader, bytes, rec, i % 2 == 0);
    ASSERT_EQ(broken_invariant(rec), "") << "file " << i;
    ASSERT_GE(reader.debut_detecte(), -1);
    ASSERT_LT(reader.debut_detecte(), static_cast<std::int64_t>(bytes.size()));
  }
}

TEST(Hardening, EveryPrefixOfAFileIsReadSafely) {
  // Every layout, and the end of the data falling on each of their bytes in turn.
  for (const char sep : {'@', ' ', '\xC3'}) {
    const std::string bytes = ReturnFileBuilder()
                                  .header({.destinataire = "SM00000005001051"})
                                  .separator(sep)
                                  .add(virement_071({}))
                                  .add(lot_08x())
                                  .add(facture_102({}))
                                  .add(assure_11x({}))
                                  .add(malade_12x({}))
                                  .add(zone_16x())
                                  .add(ligne_21x({}))
                                  .add(cloture_99x({}))
                                  .add(ligne_21x({}))
                                  .add(retour_081())
                                  .add(identite_103({}))
                                  .add(montant_19x(8, 5, 1))
                                  .add(ligne_22x({}))
                                  .add(message_29x(0, 6, std::string(80, 'M')))
                                  .add(message_29x(1, 6, std::string(80, 'N')))
                                  .add(cloture_99x({}))
                                  .bytes();
    RecordingReporter reporter;
    NoemieReader reader(reporter);
    ReturnRecord rec;
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
      parse_exact(reader, bytes.substr(0, n), rec, n % 2 == 0);
      ASSERT_EQ(broken_invariant(rec), "") << "prefix " << n;
    }
  }
}

}  // namespace
}  // namespace noemie::testing
