#include "framework/win32/file_dialog.h"

#include <algorithm>

#include "framework/win32/system_library.h"

namespace framework {

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, HWND parent)
    : m_bOpenFileDialog(openFileDialog) {
  if (filter) {
    m_strFilter = filter;
    std::replace(m_strFilter.begin(), m_strFilter.end(), '|', '\0');
  }
  if (defaultExt) m_strDefaultExt = defaultExt;
  if (fileName) lstrcpynA(m_szFileName, fileName, MAX_PATH);

  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.hwndOwner = parent;
  m_ofn.hInstance = nullptr;
  m_ofn.lpstrFilter = filter ? m_strFilter.c_str() : nullptr;
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = MAX_PATH;
  m_ofn.lpstrDefExt = defaultExt ? m_strDefaultExt.c_str() : nullptr;
  m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
  // decltype names the entry's type without importing it; a missing library fails as the
  // dialog itself does.
  auto* run = CommonDialogLibrary().Find<decltype(::GetOpenFileNameA)>(m_bOpenFileDialog ? "GetOpenFileNameA"
                                                                                         : "GetSaveFileNameA");
  const BOOL chosen = run ? run(&m_ofn) : FALSE;
  return chosen ? IDOK : IDCANCEL;
}

}  // namespace framework
