// The standard streams of the sub-commands, as a process sees them.

#include <gtest/gtest.h>

#include "cli/program_run.h"

namespace noemie::testing {
namespace {

// Redirected output of a program without a console of its own (on Windows) reaches the files
// it was given, byte for byte: no carriage return before a line feed, text as UTF-8.
TEST(Console, StreamsGivenToAProgramCarryItsBytesAsTheyAre) {
  ProgramRun run;
  run.program = STREAM_PROBE_EXE;
  const ProgramResult r = run_program(run);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "a\nb\x80");
  EXPECT_EQ(r.err, "caf\xC3\xA9\n");
}

}  // namespace
}  // namespace noemie::testing
