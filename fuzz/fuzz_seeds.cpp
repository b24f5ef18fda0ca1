// Writes generated return files (well formed and mutated) into a folder, as the fuzzer's
// starting corpus: noemie_fuzz_seeds FOLDER [COUNT]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "random_files.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [COUNT]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 200;
  std::filesystem::create_directories(folder);
  std::mt19937_64 rng(42);
  for (int i = 0; i < count; ++i) {
    std::string bytes = noemie::testing::random_return_file(rng);
    if (i % 2 == 1) bytes = noemie::testing::mutate(std::move(bytes), rng);
    std::ofstream(folder / ("seed-" + std::to_string(i)), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  return 0;
}
