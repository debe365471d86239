#include "options/win32/adv_property_sheet.h"

#include "common/help_file.h"
#include "framework/win32/center_window.h"
#include "framework/win32/html_help.h"
#include "resource.h"

namespace velmora {

CAdvPropertySheet::CAdvPropertySheet(const OptionsServices& services, HWND parent)
    : CPropertySheet(IDS_OPTIONS_CAPTION, parent, 0), m_cachePage(services), m_agentPage(services),
      m_services(services) {
  AddPage(&m_cachePage);
}

CAdvPropertySheet::~CAdvPropertySheet() = default;

void CAdvPropertySheet::TellDriverIfPending() {
  CDriverChannel& driver = m_services.driver;
  DriverAction apply(driver);
  m_notice.SendIfPending([&driver] { return driver.NotifySettingsChanged(); }, m_services.prompts, m_hWnd);
}

bool CAdvPropertySheet::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_NOTIFY) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
    if (hdr->code == PSN_APPLY) {
      // Before the page stores anything: compare the boxes with the values as read.
      bool changed = m_cachePage.IsCacheSettingsChanged() != 0;
      if (!changed) changed = m_agentPage.IsDefaultAgentChanged();
      m_notice.NoteApplyChecked(changed);
    }
    if (hdr->code == PSN_SETACTIVE) TellDriverIfPending();  // anything still pending
  }
  return CPropertySheet::OnChildNotify(msg, wp, lp, result);
}

void CAdvPropertySheet::OnPageNotified(framework::CPropertyPage* page, UINT code, LRESULT result) {
  // Once the last page of an apply has stored its values, the driver hears of them at once:
  // with a single page no page activation follows an apply.
  if (code == PSN_APPLY && result == PSNRET_NOERROR) {
    // The apply reaches the pages with a window in order: this is its last one when no later
    // page has a window.
    int index = 0;
    while (index < GetPageCount() && GetPage(index) != page) ++index;
    bool last = index < GetPageCount();
    for (int i = index + 1; last && i < GetPageCount(); ++i) last = GetPage(i)->m_hWnd == nullptr;
    if (last) TellDriverIfPending();
  }
  CPropertySheet::OnPageNotified(page, code, result);
}

void CAdvPropertySheet::OnActivate(UINT state, HWND other, BOOL minimized) {
  CPropertySheet::OnActivate(state, other, minimized);
  if (state == WA_ACTIVE || state == WA_CLICKACTIVE) m_agentPage.RefreshDefaultAgent();
}

bool CAdvPropertySheet::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT*) {
  if (msg == WM_SHOWWINDOW && wp && m_bCentreOnScreen) {
    m_bCentreOnScreen = false;  // once: a later move is the user's
    framework::CenterWindow(m_hWnd, framework::Centring::kOnScreen);
  }
  return false;
}

void CAdvPropertySheet::WinHelp(DWORD_PTR data, UINT command) {
  framework::CPropertyPage* active = GetActivePage();
  const DWORD context = active == &m_cachePage   ? kHelpContextCachePage
                        : active == &m_agentPage ? kHelpContextAgentPage
                                                 : 0;
  if (context) {
    framework::ShowHelpTopic(framework::FileBesideProgram(kHelpFile), HelpTopic(context));
  } else {
    CPropertySheet::WinHelp(data, command);
  }
}

}  // namespace velmora
