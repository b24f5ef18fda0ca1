#pragma once
// Opening a URL (the error report's "mailto:" link) with the user's default program.

#include <string_view>

namespace noemie::platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // `url` is already percent-encoded ASCII. Failures are not reported.
  virtual void open_url(std::string_view url) = 0;
};

}  // namespace noemie::platform
