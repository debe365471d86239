#include "framework/win32/data_exchange.h"

#include <vector>

#include "framework/win32/wnd.h"

namespace framework {

HWND CDataExchange::PrepareCtrl(int id) {
  m_hLastControl = GetDlgItem(m_hDialog, id);
  m_bLastIsEdit = false;
  return m_hLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND ctrl = PrepareCtrl(id);
  m_bLastIsEdit = true;
  return ctrl;
}

void CDataExchange::Fail() {
  m_bFailed = true;
  if (!m_hLastControl) return;
  SetFocus(m_hLastControl);
  if (m_bLastIsEdit) SendMessageA(m_hLastControl, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (dx->m_bFailed || control.m_hWnd) return;
  control.Attach(dx->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  if (dx->m_bFailed) return;
  HWND ctrl = dx->PrepareEditCtrl(id);
  if (!ctrl) return;
  if (dx->m_bSaveAndValidate) {
    int len = GetWindowTextLengthA(ctrl);
    std::vector<char> buf(static_cast<std::size_t>(len) + 1, '\0');
    GetWindowTextA(ctrl, buf.data(), len + 1);
    value.assign(buf.data());
  } else {
    SetWindowTextA(ctrl, value.c_str());
  }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  if (dx->m_bFailed) return;
  HWND box = dx->PrepareCtrl(id);
  if (!box) return;
  if (dx->m_bSaveAndValidate) {
    value = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  } else {
    SendMessageA(box, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

}  // namespace framework
