// The COMCTL32 entries the framework uses, through the library loaded on first use. Each one
// answers a library that cannot be loaded with the failure value of the call itself.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace framework {

// Registers the common-control classes (property sheets, up-down controls) once per process;
// whatever creates one of those controls calls this first. False when they could not be.
bool AfxInitCommonControls();

// PropertySheetA: -1 when the library is missing.
INT_PTR RunPropertySheet(const PROPSHEETHEADERA* header);

// SetWindowSubclass / RemoveWindowSubclass: FALSE when the library is missing;
// DefSubclassProc: 0.
BOOL SubclassWindow(HWND wnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveSubclass(HWND wnd, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefaultSubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace framework
