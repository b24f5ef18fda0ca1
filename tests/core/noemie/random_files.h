#pragma once
// Random return files for the comparison and hardening tests: well-formed files built record
// by record with the builder (every layout, the three separator forms, realistic levels and
// sometimes odd field contents), and mutations of them (cut, flipped and spliced bytes).
// Deterministic for a given generator state.

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "core/noemie/reader.h"

namespace noemie::testing {

// A well-formed file: header, then a random sequence of records.
std::string random_return_file(std::mt19937_64& rng);

// `bytes` after one to four random mutations: truncation, flipped or replaced bytes,
// inserted garbage or random record starts, deleted or repeated ranges.
std::string mutate(std::string bytes, std::mt19937_64& rng);

// Parses `bytes` from a heap buffer of exactly their size, so that AddressSanitizer sees any
// read outside them.
void parse_exact(NoemieReader& reader, const std::string& bytes, ReturnRecord& rec, bool abrege);

}  // namespace noemie::testing
