#include "palette/win32/startup_splash.h"

#include <memory>

#include "framework/win32/handles.h"
#include "framework/win32/window_dpi.h"
#include "palette/art_scale.h"
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

BOOL CStartupSplash::LoadPicture(int dpi) {
  const int percent = ArtScalePercent(dpi);
  if (percent != 100 && m_bitmap.LoadBitmap(ScaledPictureName("SPLASH", percent).c_str())) return TRUE;
  return m_bitmap.LoadBitmap(IDB_SPLASH);
}

BOOL CStartupSplash::Create(HWND owner) {
  if (!LoadPicture(static_cast<int>(framework::WindowDpi(nullptr)))) return FALSE;
  const SIZE size = m_bitmap.GetSize();
  const char* cls = framework::AfxRegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW));
  if (!cls) return FALSE;
  return CreateEx(0, cls, "", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy, owner, nullptr);
}

LRESULT CStartupSplash::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      if (Default(msg, wp, lp) == -1) return -1;
      // On a monitor of another scale than the system's: that monitor's picture.
      if (const UINT dpi = framework::WindowDpi(m_hWnd);
          dpi != framework::WindowDpi(nullptr) && LoadPicture(static_cast<int>(dpi))) {
        const SIZE size = m_bitmap.GetSize();
        SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      CenterWindow();
      SetTimer(m_hWnd, kTimer, kLifetimeMs, nullptr);
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: its picture, where the system suggests.
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      LoadPicture(LOWORD(wp));
      const SIZE size = m_bitmap.GetSize();
      SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(m_hWnd, nullptr, FALSE);
      return 0;
    }
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
