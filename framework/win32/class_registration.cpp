#include "framework/win32/class_registration.h"

namespace framework {

BOOL AfxRegisterClass(const WNDCLASSA* wc) {
  WNDCLASSA existing;
  if (GetClassInfoA(wc->hInstance, wc->lpszClassName, &existing)) return TRUE;
  return RegisterClassA(wc) != 0;
}

bool CClassRegistration::Register(const WNDCLASSA& wc) {
  if (!AfxRegisterClass(&wc)) return false;
  m_strName = wc.lpszClassName;
  m_hInstance = wc.hInstance;
  m_bRegistered = true;
  return true;
}

void CClassRegistration::Unregister() {
  if (m_bRegistered) UnregisterClassA(m_strName.c_str(), m_hInstance);
  m_bRegistered = false;
}

}  // namespace framework
