// Parse throughput of the return-file reader: a large message held in memory, with "Abrégé"
// off and on, and a folder of generated files read from disk.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/noemie/reader.h"
#include "support/return_file_builder.h"
#include "support/temp_dir.h"

namespace {

using namespace noemie;
using namespace noemie::testing;

class NullReporter final : public FaultReporter {
 public:
  void report(const FaultReport&) override {}
};

// A payment return as funds send them: a transfer notice, then batches of invoices, each
// with its insured person and patient, a few detail lines, now and then a rejection
// message and an AMC amount, and a closing record; about `target` bytes.
std::string realistic_message(std::size_t target, unsigned seed) {
  std::mt19937 rng(seed);
  auto between = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
  };
  ReturnFileBuilder b;
  b.header({.ref = "531"}).add(virement_071({})).add(lot_08x(0, 2, "140324", 12));
  std::string bytes;
  for (int facture = 1;; ++facture) {
    b.add(facture_102({.num_facture = facture}));
    if (between(0, 3) == 0) {
      b.add(identite_103({}));
    } else {
      b.add(assure_11x({.nom = "DUPONT JEAN"})).add(malade_12x({.nom = "DUPONT"}));
    }
    for (int n = between(1, 6); n > 0; --n) {
      b.add(ligne_21x({.taux_amo = 70, .montant_amo = between(100, 99999), .acte = "C"}));
    }
    if (between(0, 4) == 0) b.add(message_29x(1, 6, "PRESTATION DEJA REMBOURSEE"));
    if (between(0, 5) == 0) b.add(montant_19x(9, 5, between(0, 9999)));
    b.add(cloture_99x({.level = 5, .montant_total = between(0, 999999)}));
    if (facture % 64 == 0 && (bytes = b.bytes()).size() >= target) return bytes;
  }
}

void parse_in_memory(benchmark::State& state, bool reuse_record) {
  const std::string message = realistic_message(4 << 20, 7);
  const auto* data = reinterpret_cast<const unsigned char*>(message.data());
  NullReporter reporter;
  NoemieReader reader(reporter);
  const bool abrege = state.range(0) != 0;
  ReturnRecord kept;
  std::size_t entries = 0;
  for (auto _ : state) {
    ReturnRecord fresh;
    ReturnRecord& rec = reuse_record ? kept : fresh;
    reader.lit_mem_noemie(data, message.size(), rec, abrege);
    entries = rec.entrees.size();
    benchmark::DoNotOptimize(rec.entrees.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * message.size()));
  state.counters["entries"] = static_cast<double>(entries);
}

// A new record for every parse: the entry array grows from nothing each time.
void BM_ParseInMemory(benchmark::State& state) {
  parse_in_memory(state, false);
}
BENCHMARK(BM_ParseInMemory)->Arg(0)->Arg(1)->ArgName("abrege")->Unit(benchmark::kMillisecond);

// One record reused for every parse, as a caller that reads file after file may do.
void BM_ParseInMemoryReusedRecord(benchmark::State& state) {
  parse_in_memory(state, true);
}
BENCHMARK(BM_ParseInMemoryReusedRecord)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("abrege")
    ->Unit(benchmark::kMillisecond);

// lit_fichier_noemie over a folder of 500 files of 2 to 40 KB, from the page cache.
void BM_ReadFolder(benchmark::State& state) {
  TempDir dir;
  std::vector<std::filesystem::path> files;
  std::size_t total = 0;
  for (unsigned i = 0; i < 500; ++i) {
    const std::string bytes = realistic_message(2000 + (i * 7919) % 38000, i);
    files.push_back(dir.write(std::to_string(i + 1) + ".RSP", bytes));
    total += bytes.size();
  }
  NullReporter reporter;
  NoemieReader reader(reporter);
  for (auto _ : state) {
    for (const auto& path : files) {
      ReturnRecord rec;
      reader.lit_fichier_noemie(path, rec, false);
      benchmark::DoNotOptimize(rec.entrees.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * files.size()));
}
BENCHMARK(BM_ReadFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
