#include "framework/win32/message_box.h"

#include "framework/format_string.h"
#include "framework/win32/modal_scope.h"
#include "framework/win32/resource_string.h"
#include "framework/win32/win_app.h"

namespace framework {

int AfxMessageBox(const std::string& text, UINT type) {
  CWinApp* app = AfxGetApp();
  if ((type & MB_ICONMASK) == 0 && (type & MB_TYPEMASK) == MB_OK) type |= MB_ICONEXCLAMATION;
  // The box belongs to the window the user is working in, so it stays in front of it.
  HWND owner = GetActiveWindow();
  return ModalMessageBox(owner, text.c_str(), app ? app->m_pszAppName : "", type);
}

int AfxMessageBox(UINT id, UINT type) {
  return AfxMessageBox(LoadResourceString(id), type);
}

std::string AfxFormatString1(UINT id, const std::string& arg) {
  return FormatString1(LoadResourceString(id, 256), arg);
}

std::string AfxFormatString2(UINT id, const std::string& arg1, const std::string& arg2) {
  return FormatString2(LoadResourceString(id, 256), arg1, arg2);
}

}  // namespace framework
