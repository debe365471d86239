#include "framework/win32/property_sheet.h"

#include "framework/win32/center_window.h"
#include "framework/win32/common_controls.h"
#include "framework/win32/html_help.h"
#include "framework/win32/message_box.h"
#include "framework/win32/modal_run.h"
#include "framework/win32/property_page.h"
#include "framework/win32/resource_string.h"
#include "framework/win32/win_app.h"
#include "framework/win32/window_failure.h"

namespace framework {
namespace {

// The sheet being created on this thread: the control's callback carries no data of ours.
thread_local CPropertySheet* t_creatingSheet = nullptr;
constexpr UINT_PTR kSubclassId = 1;

// The framework's help file: the program's path with the extension ".chm".
std::string DefaultHelpFile() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
  std::string file(path, n);
  const std::size_t dot = file.find_last_of('.');
  const std::size_t slash = file.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.erase(dot);
  return file + ".chm";
}

}  // namespace

CPropertySheet::CPropertySheet(UINT captionId, HWND parent, UINT startPage)
    : m_hWndParent(parent), m_nIDCaption(captionId), m_nStartPage(startPage) {}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->m_pSheet = this;
  m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  if (!m_hWnd) return GetPage(static_cast<int>(m_nStartPage));
  auto current = reinterpret_cast<HWND>(SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
  for (CPropertyPage* page : m_pages) {
    if (page->m_hWnd && page->m_hWnd == current) return page;
  }
  return nullptr;
}

INT_PTR CPropertySheet::DoModal() {
  if (m_pages.empty()) return -1;
  m_strCaption = LoadResourceString(m_nIDCaption);
  std::vector<PROPSHEETPAGEA> pages;
  for (CPropertyPage* page : m_pages) {
    PROPSHEETPAGEA psp = page->m_psp;
    psp.dwFlags |= PSP_HASHELP;
    pages.push_back(psp);
  }
  PROPSHEETHEADERA psh{};
  psh.dwSize = sizeof psh;
  psh.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP | PSH_MODELESS | PSH_USECALLBACK;
  psh.hwndParent = m_hWndParent;
  psh.hInstance = AfxGetInstanceHandle();
  psh.pszCaption = m_strCaption.c_str();
  psh.nPages = static_cast<UINT>(pages.size());
  psh.nStartPage = m_nStartPage;
  psh.ppsp = pages.data();
  psh.pfnCallback = &CPropertySheet::SheetCallback;

  AfxInitCommonControls();  // pages may hold up-down controls
  CModalRun run(m_hWndParent);
  CPropertySheet* outer = t_creatingSheet;
  t_creatingSheet = this;
  auto created = reinterpret_cast<HWND>(RunPropertySheet(&psh));
  t_creatingSheet = outer;
  if (!created || created == reinterpret_cast<HWND>(-1)) return -1;
  if (!m_hWnd) AttachSheetWindow(created);
  run.Begin();
  // The control opens the sheet at its owner's corner, wherever that stands.
  KeepInWorkArea(created);
  if (!IsWindowVisible(created)) ShowWindow(created, SW_SHOWNORMAL);
  // The control activates its window while creating it (focus to the first page), before
  // this object is bound to it: hand that first activation on.
  if (m_hWnd && GetActiveWindow() == m_hWnd) OnActivate(WA_ACTIVE, nullptr, FALSE);

  // Modeless sheet, modal run: the control reports its end by having no current page.
  run.Run([this] { return m_hWnd && SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0); },
          [this](MSG* msg) {
            return m_hWnd && SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg));
          });

  INT_PTR result = IDCANCEL;
  if (m_hWnd && SendMessageA(m_hWnd, PSM_GETRESULT, 0, 0) > 0) result = IDOK;
  run.End(m_hWnd);
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  return result;
}

void CPropertySheet::WinHelp(DWORD_PTR data, UINT command) {
  if (command == HELP_CONTEXT) ShowHelpContext(DefaultHelpFile(), static_cast<DWORD>(data));
}

void CPropertySheet::OnPageNotified(CPropertyPage*, UINT, LRESULT) {}

bool CPropertySheet::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

void CPropertySheet::OnActivate(UINT, HWND, BOOL) {}

void CPropertySheet::AttachSheetWindow(HWND wnd) {
  if (m_hWnd || !wnd) return;
  Attach(wnd);
  SubclassWindow(wnd, &CPropertySheet::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

int CALLBACK CPropertySheet::SheetCallback(HWND wnd, UINT msg, LPARAM lp) {
  if (msg == PSCB_PRECREATE && lp) {
    // Created hidden and shown once bound, so the sheet's hooks see its first activation.
    auto* words = reinterpret_cast<WORD*>(lp);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    auto* style = reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(lp) + (extended ? 12 : 0));
    *style &= ~static_cast<DWORD>(WS_VISIBLE);
  }
  if (msg == PSCB_INITIALIZED && t_creatingSheet) t_creatingSheet->AttachSheetWindow(wnd);
  return 0;
}

LRESULT CALLBACK CPropertySheet::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<CPropertySheet*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveSubclass(wnd, &CPropertySheet::SubclassProc, kSubclassId);
    self->Detach();
    return DefaultSubclassProc(wnd, msg, wp, lp);
  }
  LRESULT result = 0;
  HWND volatile failing = wnd;  // in memory for the handler, as in CPopupWnd::WndProc
  try {
    if (self->OnMessage(msg, wp, lp, &result)) return result;
    // F1 anywhere in the sheet: its controls and page hand WM_HELP up to here; the sheet's own
    // procedure would drop it. It asks for the active page's help, as the Help button does.
    if (msg == WM_HELP) {
      if (CPropertyPage* page = self->GetActivePage()) page->OnHelp();
      return TRUE;
    }
    result = DefaultSubclassProc(wnd, msg, wp, lp);
    if (msg == WM_ACTIVATE) self->OnActivate(LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp) != 0);
  } catch (...) {
    EndOnWindowException(failing);  // no exception may unwind through the system's window code
  }
  return result;
}

}  // namespace framework
