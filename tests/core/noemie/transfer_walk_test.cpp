// The bank transfers of a file: which 07x record each entry belongs to, and which closing
// record ends a transfer with its announced total.

#include <gtest/gtest.h>

#include "parse_helpers.h"
#include "support/return_file_builder.h"

namespace noemie::testing {
namespace {

constexpr std::optional<std::int64_t> kNone = std::nullopt;

// A file of these records, each followed by "@".
std::string file_of(std::initializer_list<Record> records) {
  ReturnFileBuilder b;
  for (const Record& r : records) b.add(r);
  return b.bytes();
}

Record transfer(int level, std::string_view ref1 = "VIR A") {
  return virement_071({.level = level, .ref1 = std::string(ref1)});
}
Record invoice() {
  return facture_102({});
}
Record line() {
  return ligne_21x({});
}
Record closing(int level, std::int64_t total) {
  return cloture_99x({.level = level, .montant_total = total});
}

TEST(TransferWalk, EntriesBelongToTheirTransferAndClosingRecordsEndIt) {
  struct Case {
    const char* name;
    std::string bytes;
    bool abrege;
    std::vector<int> entry_transfers;                    // ReturnEntry::virement of each entry
    std::vector<std::optional<std::int64_t>> announced;  // per transfer
  };
  // A closing record cut short: fewer than 38 characters after its offset 4.
  const std::string cut_closing = "99001       0000001";
  const Case cases[] = {
      {"closed at its own level: the entries after it belong to none",
       file_of({transfer(1), invoice(), line(), closing(1, 1650), invoice(), line()}),
       false,
       {0, -1},
       {1650}},
      {"closed at an enclosing level",
       file_of({lot_08x(0, 1), transfer(2), invoice(), line(), closing(1, 2000), invoice()}),
       false,
       {0, -1},
       {2000}},
      {"a deeper closing record only closes the entry",
       file_of({transfer(1), invoice(), line(), closing(5, 10), invoice(), line(), closing(5, 20)}),
       false,
       {0, 0},
       {kNone}},
      {"a closing record passed over still ends it, with its total",
       file_of({transfer(1), invoice(), line(), closing(5, 10), closing(1, 3300), invoice()}),
       false,
       {0, -1},
       {3300}},
      {"a closing record at a level of 50 or more is above it",
       file_of({transfer(1), invoice(), line(), closing(5, 10), closing(60, 70), invoice()}),
       false,
       {0, 0},
       {kNone}},
      {"a short last closing record ends it without a total",
       file_of({transfer(1), invoice(), line()}) + cut_closing,
       false,
       {0},
       {kNone}},
      {"a short closing record passed over ends it without a total",
       file_of({transfer(1), invoice(), line(), closing(5, 10)}) + cut_closing,
       false,
       {0},
       {kNone}},
      {"a closing record one character short of its room ends it without a total",
       file_of({transfer(1), invoice(), line(), closing(5, 10)}) +
           closing(1, 77).bytes().substr(0, 41),
       false,
       {0},
       {kNone}},
      {"an entry started before the 07x record belongs to it",
       file_of({invoice(), transfer(1), line()}),
       false,
       {0},
       {kNone}},
      {"an entry belongs to the last 07x record read while it was current",
       file_of({transfer(1, "A"), invoice(), line(), closing(5, 1), invoice(), transfer(1, "B"),
                line(), closing(5, 2), invoice()}),
       false,
       {0, 1, 1},
       {kNone, kNone}},
      {"entries before any 07x record belong to none",
       file_of({invoice(), line(), closing(5, 1), invoice(), transfer(1), line()}),
       false,
       {-1, 0},
       {kNone}},
      {"merged lines keep one entry, which takes the later transfer",
       file_of({transfer(1, "A"), invoice(), line(), transfer(1, "B"), line(), closing(5, 9)}),
       true,
       {1},
       {kNone, kNone}},
      {"without Abrege the later transfer starts an entry of its own",
       file_of({transfer(1, "A"), invoice(), line(), transfer(1, "B"), line(), closing(5, 9)}),
       false,
       {0, 1},
       {kNone, kNone}},
      {"without a current transfer a closing record ends nothing",
       file_of(
           {transfer(1, "A"), invoice(), line(), closing(1, 5), invoice(), line(), closing(5, 6)}),
       false,
       {0, -1},
       {5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Parsed p = parse(c.bytes, c.abrege);
    ASSERT_EQ(p.rec.valide, 1);
    std::vector<int> entries;
    for (const ReturnEntry& e : p.rec.entrees) entries.push_back(e.virement);
    EXPECT_EQ(entries, c.entry_transfers);
    std::vector<std::optional<std::int64_t>> announced;
    for (const noemie::Virement& v : p.rec.virements) announced.push_back(v.montant_annonce);
    EXPECT_EQ(announced, c.announced);
  }
}

TEST(TransferWalk, DateReferenceAndLevelAreReadWhenWhole) {
  const Virement v071{
      .level = 3, .date_comptable = "150324", .ref1 = "VIR 1", .ref2 = "CPAM", .ref3 = "R10"};
  const std::string whole = file_of({virement_071(v071), comptable_07x(2, 4, "010424")});
  const Parsed p = parse(whole);
  ASSERT_EQ(p.rec.virements.size(), 2u);
  const noemie::Virement& a = p.rec.virements[0];
  EXPECT_EQ(str(a.date_comptable), "150324");
  EXPECT_EQ(str(a.ref_virement1), "VIR 1" + std::string(27, ' '));
  EXPECT_EQ(str(a.ref_virement3), "R10       ");
  EXPECT_EQ(a.niveau, 3);
  const noemie::Virement& b = p.rec.virements[1];
  EXPECT_EQ(str(b.date_comptable), "010424");
  EXPECT_EQ(str(b.ref_virement1), "");  // a 07x other than 071 has no reference
  EXPECT_EQ(b.niveau, 4);

  // A 071 cut by the end of the data: its date is whole, its second and third texts are not.
  const Parsed q = parse(file_of({}) + virement_071(v071).bytes().substr(0, 50));
  ASSERT_EQ(q.rec.virements.size(), 1u);
  EXPECT_EQ(str(q.rec.virements[0].date_comptable), "150324");
  EXPECT_EQ(str(q.rec.virements[0].ref_virement1), "VIR 1" + std::string(27, ' '));
  EXPECT_EQ(str(q.rec.virements[0].ref_virement2), "");
}

}  // namespace
}  // namespace noemie::testing
