// Makes a benchmark program import from the same system libraries as Velmora.exe, so the
// loader maps and initialises the same DLLs: one entry of each is referenced, never called.
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
