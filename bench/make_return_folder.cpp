// Writes a generated folder of return files, for comparing what two builds of the program
// list and export: random names of every family (and of none), random contents with now and
// then a faulty file, times spread over the last two months (half a day away from the age
// filters' limits, so that two runs a little apart see the same ages); with "long" an archive
// of long payment returns in the three separator forms, with "short" the benchmarks' folder of
// returns of about 20 entries (both named 00000001.RSP, 00000002.RSP ...).
//
//   make_return_folder FOLDER SEED [FILES] [long|short]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <string_view>

#include "core/viewer/random_returns.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: make_return_folder FOLDER SEED [FILES] [long|short]\n", stderr);
    return 2;
  }
  const fs::path folder = argv[1];
  std::mt19937 rng(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
  const int files = argc > 3 ? std::atoi(argv[3]) : noemie::testing::pick(rng, 0, 40);
  const std::string_view kind = argc > 4 ? argv[4] : "";
  const bool numbered = kind == "long" || kind == "short";
  const noemie::testing::RandomReturnShape shape =
      kind == "long"    ? noemie::testing::long_payment_shape()
      : kind == "short" ? noemie::testing::short_return_shape()
                        : noemie::testing::RandomReturnShape{};

  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    std::fprintf(stderr, "cannot create %s\n", folder.c_str());
    return 1;
  }
  const auto now = fs::file_time_type::clock::now();
  std::set<std::string> names;
  for (int i = 0; i < files; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%08d.RSP", i + 1);
    const std::string name =
        numbered ? std::string(number) : noemie::testing::random_return_name(rng);
    if (!names.insert(name).second) continue;
    const fs::path path = folder / name;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return 1;
    const std::string bytes = noemie::testing::random_return_file(rng, shape);
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    const auto age = std::chrono::hours(24 * noemie::testing::pick(rng, 0, 60) + 12);
    fs::last_write_time(path, now - age, ec);
  }
  if (!numbered && noemie::testing::pick(rng, 0, 4) == 0) {
    fs::create_directory(folder / "9.RSP", ec);  // a folder with a return file's name
  }
  return 0;
}
