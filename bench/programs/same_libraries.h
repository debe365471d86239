// Makes a benchmark program import from the system libraries Velmora.exe imported before
// COMCTL32, COMDLG32 and SHELL32 were loaded on first use, so the loader maps and initialises
// the same DLLs it did then: one entry of each is referenced, never called.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace bench {

inline void ImportTheSameLibraries() {
  volatile bool never = GetTickCount() == 0xFFFFFFFFu && GetCurrentProcessId() == 0;
  if (never) {
    InitCommonControls();
    CommDlgExtendedError();
    DragFinish(nullptr);
    GetStockObject(0);
    GetDesktopWindow();
    RegCloseKey(nullptr);
    CoUninitialize();
  }
}

}  // namespace bench
