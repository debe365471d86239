// The least a palette-like program must do: open a dialog from a template and end on the
// palette's quit message (0x069A with 0x123 / 0x543).
#include <windows.h>

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case 0x069A:
      if (wp == 0x123 && lp == 0x543) EndDialog(wnd, 0);
      return TRUE;
    case WM_CLOSE:
      EndDialog(wnd, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, &EmptyDialogProc, 0));
}
