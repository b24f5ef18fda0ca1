// Reading return files from disk: files that cannot be opened, silent and shown faults, and
// the path each report names.

#include <chrono>
#include <fstream>

#include <gtest/gtest.h>

#include "support/posix_only.h"
#if NOEMIE_POSIX_ONLY  // named pipes
#include <sys/stat.h>
#endif

#include "core/platform/clock.h"
#include "parse_helpers.h"
#include "support/return_file_builder.h"
#include "support/temp_dir.h"

namespace noemie::testing {
namespace {

struct FileRead {
  ReturnRecord rec;
  std::vector<FaultReport> shown;
  std::optional<ParseFault> fault;
};

FileRead read(const std::filesystem::path& path) {
  RecordingReporter reporter;
  NoemieReader reader(reporter);
  FileRead out;
  reader.lit_fichier_noemie(path, out.rec, false);
  out.shown = reporter.reports;
  out.fault = reader.derniere_erreur();
  EXPECT_EQ(reader.chemin(), path);
  return out;
}

TEST(FileReading, FilesThatCannotBeOpenedAreCodeZero) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder.RSP");
  std::vector<const char*> names = {"missing.RSP", "folder.RSP"};
#if NOEMIE_POSIX_ONLY  // symbolic links and named pipes
  std::filesystem::create_symlink(dir.path() / "nowhere.RSP", dir.path() / "dangling.RSP");
  // A named pipe with no writer: opening it for a plain read would wait for ever.
  ASSERT_EQ(::mkfifo((dir.path() / "pipe.RSP").c_str(), 0600), 0);
  names.insert(names.end(), {"dangling.RSP", "pipe.RSP"});
#endif
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const FileRead r = read(dir.path() / name);
    EXPECT_EQ(r.rec.valide, 0);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].code, 0);
    EXPECT_EQ(r.shown[0].description, "Fichier non trouv\xE9\r\n");
    EXPECT_EQ(r.shown[0].path, dir.path() / name);
    EXPECT_EQ(r.shown[0].position, 0);
    EXPECT_EQ(r.shown[0].start, -1);
  }
}

TEST(FileReading, UnreadableFileIsCodeZero) {
  TempDir dir;
  const auto path = dir.write("locked.RSP", ReturnFileBuilder().add(lot_08x()).bytes());
  std::filesystem::permissions(path, std::filesystem::perms::none);
  if (std::ifstream(path).is_open()) GTEST_SKIP() << "permissions are not enforced for this user";
  const FileRead r = read(path);
  ASSERT_EQ(r.shown.size(), 1u);
  EXPECT_EQ(r.shown[0].code, 0);
}

TEST(FileReading, SmallFilesAreSkippedSilently) {
  TempDir dir;
  const std::pair<const char*, std::size_t> cases[] = {{"empty.RSP", 0}, {"short.RSP", 127}};
  for (const auto& [name, size] : cases) {
    const FileRead r = read(dir.write(name, std::string(size, '0')));
    EXPECT_EQ(r.rec.valide, 0);
    EXPECT_TRUE(r.shown.empty());
    ASSERT_TRUE(r.fault);
    EXPECT_EQ(r.fault->code, size == 0 ? 10 : 9);
    EXPECT_EQ(r.fault->position, static_cast<std::int64_t>(size));
  }
}

TEST(FileReading, WholeFileIsReadAndEachReportNamesItsFile) {
  TempDir dir;
  ReturnFileBuilder big;
  big.before_header("PREFIX");
  for (int i = 0; i < 20000; ++i) big.add(ligne_21x({.montant_amo = i}));
  const auto good = dir.write("1.RSP", big.bytes());
  const FileRead r = read(good);
  EXPECT_EQ(r.rec.valide, 1);
  EXPECT_TRUE(r.shown.empty());
  ASSERT_EQ(r.rec.entrees.size(), 20000u);
  EXPECT_EQ(r.rec.entrees.back().montant_amo, 19999);

  RecordingReporter reporter;
  NoemieReader reader(reporter);
  ReturnRecord rec;
  const std::string faulty[] = {std::string(300, 'x'),
                                ReturnFileBuilder().add(retour_081()).bytes(),
                                "AB" + ReturnFileBuilder().add(cloture_99x({})).bytes()};
  for (int i = 0; i < 3; ++i) {
    reader.lit_fichier_noemie(dir.write(std::to_string(i) + ".ARL", faulty[i]), rec, false);
  }
  ASSERT_EQ(reporter.reports.size(), 3u);
  const int codes[] = {11, 8, 4};
  const std::int64_t starts[] = {-1, 0, 2};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reporter.reports[i].code, codes[i]);
    EXPECT_EQ(reporter.reports[i].path.filename(), std::to_string(i) + ".ARL");
    EXPECT_EQ(reporter.reports[i].start, starts[i]);
  }
}

}  // namespace
}  // namespace noemie::testing

namespace noemie::testing {
namespace {

// The reader hands back the modification time it saw when it opened the file, in UTC, to
// the 100-nanosecond unit; a file that cannot be opened has none.
TEST(FileReading, GivesTheFileTimeOfWhatItRead) {
  TempDir dir;
  const auto path = dir.write("5.RSP", ReturnFileBuilder().add(ligne_21x({})).bytes());
  const auto when = std::chrono::sys_days{std::chrono::year{2023} / 11 / 27} +
                    std::chrono::hours(12) + std::chrono::microseconds(123457);
  set_file_time(path, platform::to_file_time(when));
  RecordingReporter reporter;
  NoemieReader reader(reporter);
  ReturnRecord rec;
  reader.lit_fichier_noemie(path, rec, false);
  EXPECT_EQ(reader.file_time(), platform::to_file_time(when));
  reader.lit_fichier_noemie(dir.path() / "missing.RSP", rec, false);
  EXPECT_EQ(reader.file_time(), 0);
}

}  // namespace
}  // namespace noemie::testing
