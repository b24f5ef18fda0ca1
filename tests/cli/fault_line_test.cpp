// The line the export command prints for a fault, and what the reporter lets through.

#include "cli/fault_line_reporter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/posix_only.h"
#include "support/temp_dir.h"

namespace noemie::cli {
namespace {

FaultReport fault(int code, std::int64_t position, std::int64_t start, std::string path) {
  FaultReport f;
  f.code = code;
  f.description = std::string(fault_message(code)) + "\r\n";
  f.path = std::move(path);
  f.position = position;
  f.start = start;
  return f;
}

TEST(FaultLineTest, FormatOfEachPart) {
  const struct {
    FaultReport fault;
    std::string line;
  } cases[] = {
      {fault(4, 132, 0, "/data/returns/00000049.RSP"),
       "noemie-viewer: error 4 at offset 132 (start 0) in /data/returns/00000049.RSP: Fin de "
       "niveau ne correspondant \xC3\xA0 rien pour ce programme\n"},
      {fault(0, 0, -1, "/data/returns/00000050.RSP"),
       "noemie-viewer: error 0 at offset 0 (start -1) in /data/returns/00000050.RSP: Fichier "
       "non trouv\xC3\xA9\n"},
      {fault(11, 17, -1, "/r/x"),
       "noemie-viewer: error 11 at offset 17 (start -1) in /r/x: Impossible de d\xC3\xA9termin"
       "er le d\xC3\xA9"
       "but du message NOEMIE\n"},
#if NOEMIE_POSIX_ONLY  // a name of bytes that are not UTF-8 exists on POSIX only
      // A position past the 32-bit range, and a name that is not UTF-8 (kept as its bytes).
      {fault(7, 5000000000LL, 3000000000LL, "/r/caf\xE9.RSP"),
       "noemie-viewer: error 7 at offset 5000000000 (start 3000000000) in /r/caf\xE9.RSP: "
       "D\xC3\xA9sol\xC3\xA9, ce programme n'est pas en mesure de traiter ce fichier\n"},
#endif
  };
  for (const auto& c : cases) EXPECT_EQ(fault_line(c.fault), c.line);
}

TEST(FaultLineTest, OnlyTheLineEndOfTheMessageIsDropped) {
  FaultReport f = fault(3, 9, 2, "/p");
  f.description = "a\r\nb\r\n";
  EXPECT_EQ(fault_line(f), "noemie-viewer: error 3 at offset 9 (start 2) in /p: a\r\nb\n");
  f.description = "";
  EXPECT_EQ(fault_line(f), "noemie-viewer: error 3 at offset 9 (start 2) in /p: \n");
}

TEST(FaultLineTest, ReporterWritesEveryFaultButTheSilentCodes) {
  testing::TempDir dir;
  const auto file = dir.path() / "err.txt";
  std::FILE* out = std::fopen(file.string().c_str(), "wb");
  ASSERT_NE(out, nullptr);
  FaultLineReporter reporter(out);
  reporter.report(fault(9, 100, -1, "/short"));
  reporter.report(fault(10, 0, -1, "/empty"));
  reporter.report(fault(4, 132, 0, "/shown"));
  std::fclose(out);
  EXPECT_EQ(reporter.lines_written(), 1);
  EXPECT_EQ(testing::read_file(file), fault_line(fault(4, 132, 0, "/shown")));
}

}  // namespace
}  // namespace noemie::cli
