#pragma once
// The dialogs of a run without any display: message boxes show nothing and every chooser
// answers "cancel", so nothing the core asks for can block or change the run.

#include "core/platform/dialogs.h"

namespace noemie::cli {

class HeadlessDialogs final : public platform::Dialogs {
 public:
  void message_box(std::string_view, std::string_view, platform::MessageIcon) override {}
  std::optional<std::filesystem::path> choose_folder(std::string_view,
                                                     const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> choose_save_file(std::string_view,
                                                        const std::vector<platform::FileFilter>&,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> choose_open_file(std::string_view,
                                                        const std::vector<platform::FileFilter>&,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
};

}  // namespace noemie::cli
