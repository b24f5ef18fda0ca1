#pragma once
// A list beside a processed-flag store that starts empty (no flag file, no registry bitmap),
// for the tests of marking and of the state step.

#include "core/platform/recording_dialogs.h"
#include "core/store/config.h"
#include "core/store/flag_store.h"
#include "core/store/tree_registry.h"
#include "core/viewer/list_control.h"

namespace noemie::testing {

struct FlagListFixture {
  store::MemoryRegistry registry;
  platform::RecordingDialogs dialogs;
  store::FlagStore flags{registry, dialogs};
  viewer::ListControl list;

  FlagListFixture() {
    store::Config config = store::default_config();
    config.path_arch = "/nonexistent-noemie-folder/";
    flags.lit_info_traite(config, false);
  }
};

}  // namespace noemie::testing
