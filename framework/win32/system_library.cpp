#include "framework/win32/system_library.h"

namespace framework {

FARPROC CSystemLibrary::FindEntry(const char* entry) {
  if (!m_module) {
    // By name, as the loader resolves an import: the same search and the same side-by-side
    // version an application manifest asks for.
    m_module.reset(LoadLibraryA(m_pszName));
    if (!m_module) return nullptr;
  }
  return GetProcAddress(m_module.get(), entry);
}

CSystemLibrary& CommonControlsLibrary() {
  static CSystemLibrary library("comctl32.dll");
  return library;
}

CSystemLibrary& CommonDialogLibrary() {
  static CSystemLibrary library("comdlg32.dll");
  return library;
}

CSystemLibrary& ShellLibrary() {
  static CSystemLibrary library("shell32.dll");
  return library;
}

CSystemLibrary& AccessibilityLibrary() {
  static CSystemLibrary library("oleacc.dll");
  return library;
}

CSystemLibrary& AutomationLibrary() {
  static CSystemLibrary library("oleaut32.dll");
  return library;
}

}  // namespace framework
