#pragma once
// The core's Shell with Qt: the link goes to the user's default program through
// QDesktopServices. The link is already percent-encoded, so it is parsed as encoded bytes
// and not encoded a second time.

#include "core/platform/shell.h"

namespace noemie::gui {

class QtShell final : public platform::Shell {
 public:
  // Failures (no program for the link's scheme) are not reported, as the interface says.
  void open_url(std::string_view url) override;
};

}  // namespace noemie::gui
