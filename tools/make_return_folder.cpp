// make_return_folder: writes a folder of random but plausible return files, to compare the
// lists and exports that two builds of the viewer make of the same folder (two commits, or
// the Windows build under Wine against this one), and to measure them on an archive.
//
//   make_return_folder FOLDER SEED [COUNT] [long|archive|short]
//
// The same SEED gives the same files; without COUNT the seed picks up to 40. Without a shape,
// names come from the generator of the list engine's tests, plus a few with accents and with a
// character that Windows-1252 lacks, and now and then a folder named like a return file; a
// name that differs from an earlier one in letter case only is skipped, since a Windows folder
// cannot hold both. With "long" an archive of long payment returns in the three separator
// forms ("archive": the same with no faulty file and none dated in the future, for the window
// benchmarks, where a fault would stop the run in its error dialog), with "short" the benchmarks'
// folder of returns of about 20 entries (both named 00000001.RSP, 00000002.RSP ...). Modification
// times lie hours away from the age filters' limits (a day, a week, a month), so that two runs a
// few minutes apart filter alike.

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
#include <string_view>

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

void write_file(const fs::path& path, const std::string& bytes,
                std::chrono::system_clock::time_point when) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  fs::last_write_time(path, fs::file_time_type::clock::from_sys(
                                std::chrono::time_point_cast<fs::file_time_type::duration>(when)));
}

void write_folder(const fs::path& folder, std::mt19937& rng, int count, std::string_view kind) {
  fs::create_directories(folder);
  const bool numbered = kind == "long" || kind == "archive" || kind == "short";
  noemie::testing::RandomReturnShape shape =
      kind == "long" || kind == "archive" ? noemie::testing::long_payment_shape()
      : kind == "short"                   ? noemie::testing::short_return_shape()
                                          : noemie::testing::RandomReturnShape{};
  if (kind == "archive") shape.broken_percent = 0;
  std::set<std::string> taken;
  const auto now = std::chrono::system_clock::now();
  // UTF-8 names: "café", "€" and "ă" (which Windows-1252 lacks).
  const std::string accented[] = {"caf\xC3\xA9 77.RSP", "\xE2\x82\xAC 78.ARL", "\xC4\x83 79.RSP"};
  const int extra = numbered ? 0 : static_cast<int>(std::size(accented));
  for (int i = 0; i < count + extra; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%08d.RSP", i + 1);
    const std::string name = numbered    ? std::string(number)
                             : i < count ? noemie::testing::random_return_name(rng)
                                         : accented[i - count];
    if (!taken.insert(upper_ascii(name)).second) continue;
    const fs::path path = folder / fs::path(reinterpret_cast<const char8_t*>(name.c_str()));
    const std::string bytes = noemie::testing::random_return_file(rng, shape);
    // An archive holds no file from the future: one would be read again by every fill.
    const std::chrono::hours age = random_age(rng);
    write_file(path, bytes, now - (kind == "archive" ? std::chrono::abs(age) : age));
  }
  if (!numbered && pick(rng, 0, 4) == 0) {
    std::error_code ec;
    fs::create_directory(folder / "9.RSP", ec);  // a folder with a return file's name
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fputs("Usage: make_return_folder FOLDER SEED [COUNT] [long|archive|short]\n", stderr);
    return 2;
  }
  try {
    std::mt19937 rng(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
    const int count = argc > 3 ? std::atoi(argv[3]) : pick(rng, 0, 40);
    write_folder(argv[1], rng, count, argc > 4 ? argv[4] : "");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_return_folder: %s\n", e.what());
    return 1;
  }
  return 0;
}
