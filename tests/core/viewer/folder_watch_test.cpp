// When a watched folder is ready to be listed again: after two looks alike, never while a
// file keeps changing.

#include <gtest/gtest.h>

#include "core/viewer/folder_watch.h"
#include "support/temp_dir.h"

namespace noemie::viewer {
namespace {

using Step = FolderWatch::Step;

TEST(FolderWatch, AChangeIsListedOnceTwoLooksSeeItAlike) {
  testing::TempDir dir;
  dir.write("00000001.RSP", "one");
  FolderWatch watch(dir.path());
  watch.note_filled();
  EXPECT_EQ(watch.look(), Step::Nothing);
  dir.write("00000002.RSP", "half");  // arrives, still being written
  EXPECT_EQ(watch.look(), Step::Wait);
  dir.write("00000002.RSP", "half and the rest");
  EXPECT_EQ(watch.look(), Step::Wait);
  EXPECT_EQ(watch.look(), Step::Refresh);
  watch.note_filled();
  EXPECT_EQ(watch.look(), Step::Nothing);
  std::filesystem::remove(dir.path() / "00000001.RSP");
  EXPECT_EQ(watch.look(), Step::Wait);
  EXPECT_EQ(watch.look(), Step::Refresh);
}

}  // namespace
}  // namespace noemie::viewer
