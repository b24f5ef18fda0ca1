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

// Told the listing a fill read the folder by, the watch sees what changed after it was taken,
// while the fill read the files, as a change.
TEST(FolderWatch, AChangeDuringTheFillIsSeenFromItsListing) {
  testing::TempDir dir;
  dir.write("00000001.RSP", "one");
  std::error_code error;
  const platform::FolderListing listing = platform::list_folder(dir.path(), error);
  dir.write("00000001.RSP", "one, written again while the fill read it");
  FolderWatch watch(dir.path());
  watch.note_filled(listing);
  EXPECT_EQ(watch.look(), Step::Wait);
  EXPECT_EQ(watch.look(), Step::Refresh);
  watch.note_filled(platform::list_folder(dir.path(), error));
  EXPECT_EQ(watch.look(), Step::Nothing);
}

}  // namespace
}  // namespace noemie::viewer
