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

}  // namespace framework
