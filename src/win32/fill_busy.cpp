#include "win32/fill_busy.h"

#include "core/platform/win32/wide_text.h"

namespace noemie::win32 {
namespace {

// How often a fill takes the waiting messages.
constexpr auto kTakeEvery = std::chrono::milliseconds(50);

// The user's own input: dropped while the window is busy.
bool is_input(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

FillBusy::FillBusy(HWND dialog, HWND line, std::chrono::milliseconds delay)
    : dialog_(dialog), line_(line), pacer_(delay) {}

FillBusy::~FillBusy() {
  if (pacer_.busy()) SetCursor(previous_cursor_);
}

void FillBusy::fill_started(int files) {
  taken_ = Clock::now();
  show(pacer_.started(files), 0, files);
}

void FillBusy::files_done(int done, int files) {
  show(pacer_.done(done, files), done, files);
  if (Clock::now() - taken_ >= kTakeEvery) take_messages();
}

void FillBusy::fill_ended() {
  if (pacer_.ended()) {
    ShowWindow(line_, SW_HIDE);
    SetCursor(previous_cursor_ ? previous_cursor_ : LoadCursorW(nullptr, IDC_ARROW));
  }
  if (fill_over_) fill_over_();
}

void FillBusy::show(app::FillPacer::Step step, int done, int files) {
  if (step == app::FillPacer::Step::Nothing) return;
  if (step == app::FillPacer::Step::Begin) {
    previous_cursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (!IsWindowVisible(dialog_) && show_dialog_) show_dialog_();
  }
  SetWindowTextW(line_,
                 platform::win32::cp1252_to_wide(app::fill_progress_text(done, files)).c_str());
  if (!IsWindowVisible(line_)) {
    SetWindowPos(line_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  }
  UpdateWindow(line_);
  take_messages();
}

void FillBusy::take_messages() {
  taken_ = Clock::now();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // For the loop that waits for it, once the fill is over.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (is_input(message.message) && (message.hwnd == dialog_ || IsChild(dialog_, message.hwnd))) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void FillBusy::lay_out(int client_width, int client_height, int margin) {
  RECT r{};
  GetWindowRect(line_, &r);
  const int height = r.bottom - r.top;
  SetWindowPos(line_, HWND_TOP, margin, client_height - height - margin, client_width - 2 * margin,
               height, SWP_NOACTIVATE);
}

}  // namespace noemie::win32
