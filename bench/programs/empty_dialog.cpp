// The least a palette-like program must do: open a dialog from a template and end on the
// palette's quit message (0x069A with 0x123 / 0x543). Built three ways, to show where a
// palette's start-up time goes:
//   bench_empty_dialog       just the dialog;
//   bench_dialog_libraries   importing the same system libraries as Velmora.exe;
//   bench_dialog_platform    those libraries plus OLE and common-control initialisation.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "end_messages.h"

#if defined(BENCH_SAME_LIBRARIES) || defined(BENCH_PLATFORM_INIT)
#include "bench/programs/same_libraries.h"
#endif

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    default:
      return bench::AnswerEndMessage(wnd, msg, wp, lp) ? TRUE : FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#if defined(BENCH_SAME_LIBRARIES) || defined(BENCH_PLATFORM_INIT)
  bench::ImportTheSameLibraries();
#endif
#ifdef BENCH_PLATFORM_INIT
  if (FAILED(OleInitialize(nullptr))) return 3;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
#endif
  const int result = static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, &EmptyDialogProc, 0));
#ifdef BENCH_PLATFORM_INIT
  OleUninitialize();
#endif
  return result;
}
