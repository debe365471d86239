#include "framework/win32/common_controls.h"

#include "framework/win32/system_library.h"

namespace framework {

// decltype names each entry's own type without referring to (importing) it.
bool AfxInitCommonControls() {
  static bool registered = false;
  if (registered) return true;
  auto* init = CommonControlsLibrary().Find<decltype(::InitCommonControlsEx)>("InitCommonControlsEx");
  // The system's current style of property sheets and up-down controls.
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  registered = init && init(&icc);
  return registered;
}

INT_PTR RunPropertySheet(const PROPSHEETHEADERA* header) {
  auto* run = CommonControlsLibrary().Find<decltype(::PropertySheetA)>("PropertySheetA");
  return run ? run(header) : -1;
}

BOOL SubclassWindow(HWND wnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  auto* subclass = CommonControlsLibrary().Find<decltype(::SetWindowSubclass)>("SetWindowSubclass");
  return subclass ? subclass(wnd, proc, id, data) : FALSE;
}

BOOL RemoveSubclass(HWND wnd, SUBCLASSPROC proc, UINT_PTR id) {
  auto* remove = CommonControlsLibrary().Find<decltype(::RemoveWindowSubclass)>("RemoveWindowSubclass");
  return remove ? remove(wnd, proc, id) : FALSE;
}

LRESULT DefaultSubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  // Found once: it runs for every message of a subclassed window, which exists only when the
  // library is loaded.
  static auto* const next = CommonControlsLibrary().Find<decltype(::DefSubclassProc)>("DefSubclassProc");
  return next ? next(wnd, msg, wp, lp) : 0;
}

}  // namespace framework
