#include "framework/win32/wnd.h"

namespace framework {
namespace {
const char kObjectProperty[] = "Velmora.CWnd";
}

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) RemovePropA(m_hWnd, kObjectProperty);
}

void CWnd::Attach(HWND wnd) {
  m_hWnd = wnd;
  if (wnd) SetPropA(wnd, kObjectProperty, this);
}

HWND CWnd::Detach() {
  HWND wnd = m_hWnd;
  if (wnd && FromHandlePermanent(wnd) == this) RemovePropA(wnd, kObjectProperty);
  m_hWnd = nullptr;
  return wnd;
}

CWnd* CWnd::FromHandlePermanent(HWND wnd) {
  return wnd ? static_cast<CWnd*>(GetPropA(wnd, kObjectProperty)) : nullptr;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CWnd::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  HWND control = nullptr;
  switch (msg) {
    case WM_COMMAND:
      control = reinterpret_cast<HWND>(lp);
      break;
    case WM_DRAWITEM:
      if (lp) control = reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem;
      break;
    case WM_NOTIFY:
      if (lp) control = reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
      break;
    default:
      return false;
  }
  CWnd* child = FromHandlePermanent(control);
  return child && child != this && child->OnChildNotify(msg, wp, lp, result);
}

INT_PTR DialogProcResult(HWND dialog, UINT msg, bool handled, LRESULT result) {
  if (!handled) return FALSE;
  switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
    case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

}  // namespace framework
