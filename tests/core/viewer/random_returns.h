#pragma once
// Random but plausible return files, for the generated comparisons of the list engine and for
// its benchmarks: invoices with their patient, detail lines, messages and closing records, in
// francs or euros, under every kind of reference, with now and then a file the reader refuses.

#include <cstdint>
#include <random>
#include <string>

namespace noemie::testing {

struct RandomReturnShape {
  int min_groups = 1;  // invoices per file
  int max_groups = 4;
  int min_lines = 1;  // detail lines per invoice
  int max_lines = 3;
  // Percent of files that are broken (empty, short, no header, cut in the middle).
  int broken_percent = 8;
  // Payment references only, as most returns of an archive are.
  bool payments_only = false;
  // Each file takes one of the three separator forms ("@", a space, 0xC3); otherwise "@". A
  // file in the space form holds only records whose layout fixes their end.
  bool any_separator = false;
  // Now and then several bank transfers (07x records at level 1 or 2) in a file, each mostly
  // ended by a closing record at its level that announces its total (the sum of its invoices'
  // totals, or now and then another amount), and invoices before the first transfer;
  // otherwise one transfer that no closing record ends.
  bool several_transfers = true;
};

// The benchmarks' usual returns: about 20 entries a file, none broken.
RandomReturnShape short_return_shape();

// The long payment returns of an archive of years: 100 and more entries a file, the three
// separator forms, now and then a broken file.
RandomReturnShape long_payment_shape();

// The bytes of one return file.
std::string random_return_file(std::mt19937& rng, const RandomReturnShape& shape = {});

// A file name: a number (sometimes with leading zeros or letters) and one of the extensions
// the viewer knows, in any case, or another one, or none; now and then a name beginning with
// ".".
std::string random_return_name(std::mt19937& rng);

// A uniformly chosen integer in [lo, hi].
inline int pick(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

}  // namespace noemie::testing
