#include "win32/fault_dialog.h"

#include <string>

#include "core/noemie/report_mail.h"
#include "core/platform/path_text.h"
#include "core/platform/win32/wide_text.h"
#include "win32/resource_ids.h"

namespace noemie::win32 {
namespace {

using platform::win32::cp1252_to_wide;

struct FaultDialogData {
  const FaultReport* fault;
  const std::function<void()>* send;
  const std::function<void(HWND)>* shown;
};

const FaultDialogData* data_of(HWND dialog) {
  return reinterpret_cast<const FaultDialogData*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void set_text(HWND dialog, int id, const std::string& cp1252) {
  SetDlgItemTextW(dialog, id, cp1252_to_wide(cp1252).c_str());
}

// The dialog procedure of template 2503.
INT_PTR CALLBACK Noemie_Err_Dlg(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      const auto* data = reinterpret_cast<const FaultDialogData*>(lparam);
      const FaultReport& fault = *data->fault;
      const HINSTANCE instance = GetModuleHandleW(nullptr);
      for (int which : {ICON_BIG, ICON_SMALL}) {
        const int size = GetSystemMetrics(which == ICON_BIG ? SM_CXICON : SM_CXSMICON);
        SendMessageW(dialog, WM_SETICON, which,
                     reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_FAULT),
                                                         IMAGE_ICON, size, size, LR_SHARED)));
      }
      set_text(dialog, IDC_FAULT_VERSION, version_text());
      set_text(dialog, IDC_FAULT_PATH, platform::path_to_cp1252(fault.path));
      set_text(dialog, IDC_FAULT_POSITION, std::to_string(fault.position));
      set_text(dialog, IDC_FAULT_START, std::to_string(fault.start));
      set_text(dialog, IDC_FAULT_DESCRIPTION, fault.description);
      SetFocus(GetDlgItem(dialog, IDC_FAULT_OK));
      // Told once the dialog's own message loop runs.
      if (*data->shown) PostMessageW(dialog, WM_APP, 0, 0);
      return FALSE;  // the focus is set
    }
    case WM_APP:
      if (const FaultDialogData* data = data_of(dialog); data && *data->shown)
        (*data->shown)(dialog);
      return TRUE;
    case WM_COMMAND: {
      const FaultDialogData* data = data_of(dialog);
      switch (LOWORD(wparam)) {
        case IDC_FAULT_OK:
          PostMessageW(dialog, WM_CLOSE, 0, 0);
          return TRUE;
        case IDC_FAULT_SEND:
          if (data && *data->send) (*data->send)();
          return TRUE;
        default:
          // Enter (IDOK) and Escape (IDCANCEL) do nothing.
          return TRUE;
      }
    }
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void run_fault_dialog(HWND owner, const FaultReport& fault, const std::function<void()>& send,
                      const std::function<void(HWND)>& shown) {
  FaultDialogData data{&fault, &send, &shown};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FAULT), owner, Noemie_Err_Dlg,
                  reinterpret_cast<LPARAM>(&data));
}

}  // namespace noemie::win32
