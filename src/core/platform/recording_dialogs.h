#pragma once
// Dialogs and Shell that record what they were asked and answer from a script; used by the
// tests and by the headless export (which must never block on a dialog).

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/platform/shell.h"

namespace noemie::platform {

class RecordingDialogs final : public Dialogs {
 public:
  struct Box {
    std::string text;
    std::string caption;
    MessageIcon icon;
  };
  struct FileRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::filesystem::path folder;
  };

  std::vector<Box> boxes;
  std::vector<std::filesystem::path> folder_starts;
  std::vector<FileRequest> save_requests;
  std::vector<FileRequest> open_requests;
  // Answers given in turn; an empty queue answers "cancel".
  std::deque<std::optional<std::filesystem::path>> folder_answers;
  std::deque<std::optional<std::filesystem::path>> save_answers;
  std::deque<std::optional<std::filesystem::path>> open_answers;

  void message_box(std::string_view text, std::string_view caption, MessageIcon icon) override {
    boxes.push_back({std::string(text), std::string(caption), icon});
  }
  std::optional<std::filesystem::path> choose_folder(std::string_view,
                                                     const std::filesystem::path& start) override {
    folder_starts.push_back(start);
    return next(folder_answers);
  }
  std::optional<std::filesystem::path> choose_save_file(
      std::string_view title, const std::vector<FileFilter>& filters,
      const std::filesystem::path& folder) override {
    save_requests.push_back({std::string(title), filters, folder});
    return next(save_answers);
  }
  std::optional<std::filesystem::path> choose_open_file(
      std::string_view title, const std::vector<FileFilter>& filters,
      const std::filesystem::path& folder) override {
    open_requests.push_back({std::string(title), filters, folder});
    return next(open_answers);
  }

 private:
  static std::optional<std::filesystem::path> next(
      std::deque<std::optional<std::filesystem::path>>& q) {
    if (q.empty()) return std::nullopt;
    auto a = q.front();
    q.pop_front();
    return a;
  }
};

class RecordingShell final : public Shell {
 public:
  std::vector<std::string> opened;
  void open_url(std::string_view url) override { opened.emplace_back(url); }
};

}  // namespace noemie::platform
