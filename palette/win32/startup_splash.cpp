#include "palette/win32/startup_splash.h"

#include <memory>

#include "framework/win32/handles.h"
#include "palette/splash_filter.h"
#include "resource.h"

namespace velmora {
namespace {
const UINT_PTR kTimer = 1;
const UINT kLifetimeMs = 5000;
}  // namespace

CStartupPicture::~CStartupPicture() { Dismiss(); }

void CStartupPicture::Show(framework::CWnd* owner) {
  if (!m_bEnabled || m_pCurrent) return;
  auto splash = std::make_unique<CStartupSplash>(*this);
  m_pCurrent = splash.get();
  if (splash->Create(owner ? owner->GetSafeHwnd() : nullptr)) {
    splash.release();  // the window owns the object now and deletes it when it goes
    // Read again: a window destroyed during its own creation has taken the object with it.
    if (CStartupSplash* current = m_pCurrent) UpdateWindow(current->m_hWnd);  // no message loop runs yet
    return;
  }
  // A window that was created and destroyed during creation has already deleted the object
  // (its destructor cleared the pointer); otherwise the object is still ours to delete.
  if (!m_pCurrent) {
    splash.release();
  } else {
    splash.reset();
  }
}

void CStartupPicture::Filter(const MSG* msg) {
  if (m_pCurrent && msg && SplashEndsOn(msg->message)) m_pCurrent->DestroyWindow();
}

void CStartupPicture::Dismiss() {
  if (!m_pCurrent) return;
  HWND wnd = m_pCurrent->m_hWnd;
  ShowWindow(wnd, SW_HIDE);
  SendMessageA(wnd, WM_TIMER, kTimer, 0);
}

void CStartupPicture::KeepShowing() {
  if (m_pCurrent) SetTimer(m_pCurrent->m_hWnd, kTimer, kLifetimeMs, nullptr);
}

CStartupSplash::~CStartupSplash() {
  if (m_picture.m_pCurrent == this) m_picture.m_pCurrent = nullptr;
}

void CStartupSplash::PostNcDestroy() { delete this; }

BOOL CStartupSplash::Create(HWND owner) {
  if (!m_bitmap.LoadBitmap(IDB_SPLASH)) return FALSE;
  const SIZE size = m_bitmap.GetSize();
  const char* cls = framework::AfxRegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW));
  if (!cls) return FALSE;
  return CreateEx(0, cls, "", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy, owner, nullptr);
}

LRESULT CStartupSplash::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      if (Default(msg, wp, lp) == -1) return -1;
      CenterWindow();
      SetTimer(m_hWnd, kTimer, kLifetimeMs, nullptr);
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_TIMER:
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    default:
      return Default(msg, wp, lp);
  }
}

void CStartupSplash::OnPaint() {
  framework::CPaintDC dc(m_hWnd);
  framework::UniqueMemoryDc memory(CreateCompatibleDC(dc.get()));
  if (!memory) return;
  framework::SelectGuard select(memory.get(), m_bitmap.GetSafeHandle());
  if (!select.ok()) return;
  const SIZE size = m_bitmap.GetSize();
  BitBlt(dc.get(), 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace velmora
