#include "win32/win32_front.h"

#include "win32/fault_dialog.h"

namespace noemie::win32 {

Win32Front::Win32Front(std::function<void(HWND)> owner_changed)
    : owner_changed_(std::move(owner_changed)) {}

Win32Front::~Win32Front() {
  close_window();
}

void Win32Front::open_window(viewer::Viewer& viewer, app::ViewerActions& actions,
                             const app::ViewerStartState& state) {
  close_window();
  dialog_ = std::make_unique<ViewerDialog>(viewer, actions, progress_delay_);
  // Boxes and error dialogs are modal to the viewer from its first fill on (the dialog's
  // window exists from then), so that no second fill can start while one is open.
  if (!dialog_->create(state, owner_changed_)) {
    dialog_.reset();
    if (owner_changed_) owner_changed_(nullptr);
  }
}

void Win32Front::run_window() {
  if (!dialog_ || dialog_->closed()) return;
  if (window_shown_) window_shown_(*dialog_);
  MSG message;
  while (!dialog_->closed() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!dialog_->translate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void Win32Front::close_window() {
  if (dialog_) dialog_->close();
  if (owner_changed_) owner_changed_(nullptr);
  // The list window stops observing the engine's list before the list goes.
  dialog_.reset();
}

void Win32Front::show_fault(const FaultReport& fault, const std::function<void()>& send) {
  const HWND owner = dialog_ ? dialog_->hwnd() : nullptr;
  // The rows listed before the faulty file stay in sight behind the dialog.
  if (dialog_ && dialog_->list_window()) dialog_->list_window()->show_rows();
  run_fault_dialog(owner, fault, send, fault_shown_);
}

void Win32Front::fill_started(int files) {
  if (FillBusy* fill = dialog_ ? dialog_->fill_busy() : nullptr) fill->fill_started(files);
}

void Win32Front::files_done(int done, int files) {
  if (FillBusy* fill = dialog_ ? dialog_->fill_busy() : nullptr) fill->files_done(done, files);
}

void Win32Front::fill_ended() {
  if (FillBusy* fill = dialog_ ? dialog_->fill_busy() : nullptr) fill->fill_ended();
}

}  // namespace noemie::win32
