// make_return_folder: writes a folder of random but plausible return files, to compare the
// lists and exports that two builds of the viewer make of the same folder.
//
//   make_return_folder FOLDER SEED COUNT
//
// The same SEED gives the same files. Names come from the generator of the list engine's
// tests, plus a few with accents and with a character that Windows-1252 lacks; a name that
// differs from an earlier one in letter case only is skipped, since a Windows folder cannot
// hold both. Modification times lie hours away from the age filters' limits (a day, a week,
// a month), so that two runs a few minutes apart filter alike.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#include "core/viewer/random_returns.h"

namespace {

namespace fs = std::filesystem;
using noemie::testing::pick;

std::string upper_ascii(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

// The age of a file: one of a few, each hours away from the filters' limits.
std::chrono::hours random_age(std::mt19937& rng) {
  using std::chrono::hours;
  static constexpr int kAges[] = {-3, 3, 2 * 24 + 5, 5 * 24, 12 * 24, 40 * 24, 400 * 24};
  return hours(kAges[pick(rng, 0, static_cast<int>(std::size(kAges)) - 1)]);
}

void write_folder(const fs::path& folder, unsigned seed, int count) {
  fs::create_directories(folder);
  std::mt19937 rng(seed);
  std::set<std::string> taken;
  const auto now = std::chrono::system_clock::now();
  // UTF-8 names: "café", "€" and "ă" (which Windows-1252 lacks).
  const std::string accented[] = {"caf\xC3\xA9 77.RSP", "\xE2\x82\xAC 78.ARL", "\xC4\x83 79.RSP"};
  for (int i = 0; i < count + static_cast<int>(std::size(accented)); ++i) {
    const std::string name =
        i < count ? noemie::testing::random_return_name(rng) : accented[i - count];
    if (!taken.insert(upper_ascii(name)).second) continue;
    const fs::path path = folder / fs::path(reinterpret_cast<const char8_t*>(name.c_str()));
    const std::string bytes = noemie::testing::random_return_file(rng);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
    const auto when = now - random_age(rng);
    fs::last_write_time(path,
                        fs::file_time_type::clock::from_sys(
                            std::chrono::time_point_cast<fs::file_time_type::duration>(when)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("Usage: make_return_folder FOLDER SEED COUNT\n", stderr);
    return 2;
  }
  try {
    write_folder(argv[1], static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)),
                 std::atoi(argv[3]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_return_folder: %s\n", e.what());
    return 1;
  }
  return 0;
}
