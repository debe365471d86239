// The common file-open (or save) dialog of COMDLG32, run modally.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

namespace framework {

class CFileDialog {
 public:
  // filter: display names and pattern lists separated by "|", ended by "||". fileName: the
  // initial file name (a full path also chooses the folder shown first).
  CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              HWND parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when the user chose a file; IDCANCEL when cancelled or the dialog failed.
  INT_PTR DoModal();
  // The full path of the chosen file.
  std::string GetPathName() const { return m_szFileName; }

  OPENFILENAMEA m_ofn{};

 private:
  BOOL m_bOpenFileDialog;
  std::string m_strFilter;    // with the bars turned into the zero bytes COMDLG32 expects
  std::string m_strDefaultExt;
  char m_szFileName[MAX_PATH] = {};
};

}  // namespace framework
