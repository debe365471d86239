// System libraries that only some courses use (the options sheet, the file-open dialog,
// starting programs, a screen reader's questions), loaded on their first call instead of by the loader at every start.
// A loaded library stays until the end of the process, as an imported one would.
#pragma once
#include <windows.h>

#include "framework/win32/handles.h"

namespace framework {

class CSystemLibrary {
 public:
  explicit CSystemLibrary(const char* name) : m_pszName(name) {}
  CSystemLibrary(const CSystemLibrary&) = delete;
  CSystemLibrary& operator=(const CSystemLibrary&) = delete;

  // The library's entry `entry`, loading the library on first use; nullptr when the library
  // cannot be loaded (tried again on the next call) or has no such entry. Callers answer
  // nullptr with the failure the call itself would have reported.
  template <typename Fn>
  Fn* Find(const char* entry) {
    // Through the generic function type, which converts to every other without a warning.
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(FindEntry(entry)));
  }
  bool IsLoaded() const { return static_cast<bool>(m_module); }

 private:
  FARPROC FindEntry(const char* entry);

  const char* m_pszName;
  UniqueModule m_module;
};

CSystemLibrary& CommonControlsLibrary();  // COMCTL32: property sheets, up-down controls
CSystemLibrary& CommonDialogLibrary();    // COMDLG32: the file-open dialog
CSystemLibrary& ShellLibrary();           // SHELL32: starting programs
CSystemLibrary& AccessibilityLibrary();   // OLEACC: the standard accessible objects
CSystemLibrary& AutomationLibrary();      // OLEAUT32: the strings accessible objects answer

}  // namespace framework
