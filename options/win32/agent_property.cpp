#include "options/win32/agent_property.h"

#include <vector>

#include "options/companion_programs.h"
#include "options/default_agent.h"
#include "resource.h"

namespace velmora {

CAgentProperty::CAgentProperty(const OptionsServices& services) : CPropertyPage(IDD_AGENT_PAGE), m_services(services) {}

int CAgentProperty::SelectedType() const {
  if (IsDlgButtonChecked(m_hWnd, IDC_AGENT_NOVELL) == BST_CHECKED) return IDC_AGENT_NOVELL;
  if (IsDlgButtonChecked(m_hWnd, IDC_AGENT_NT) == BST_CHECKED) return IDC_AGENT_NT;
  return 0;
}

std::string CAgentProperty::ShownName() const {
  HWND edit = GetDlgItem(IDC_AGENT_NAME);
  const int len = GetWindowTextLengthA(edit);
  std::vector<char> buf(static_cast<std::size_t>(len) + 1, '\0');
  GetWindowTextA(edit, buf.data(), len + 1);
  return buf.data();
}

int CAgentProperty::LoadDefaultAgent() {
  m_strAgentName.clear();
  m_nAgentType = kAgentTypeNone;
  const DefaultAgent agent = ReadDefaultAgent(m_services.settings);
  NotificationLock lock(*this);
  if (!agent.valid) {
    // Nothing usable stored: show the placeholder, remember nothing, so the page counts as changed.
    SetDlgItemTextA(m_hWnd, IDC_AGENT_NAME, kPlaceholderAgentName);
    CheckRadioButton(m_hWnd, IDC_AGENT_NOVELL, IDC_AGENT_NT, IDC_AGENT_NOVELL);
    return 1;
  }
  SetDlgItemTextA(m_hWnd, IDC_AGENT_NAME, agent.name.c_str());
  m_strAgentName = ShownName();
  CheckRadioButton(m_hWnd, IDC_AGENT_NOVELL, IDC_AGENT_NT, agent.type);
  m_nAgentType = SelectedType();
  return 1;
}

void CAgentProperty::SaveDefaultAgent() {
  if (!m_bInitialized) return;
  velmora::SaveDefaultAgent(m_services.settings, m_services.prompts, m_hWnd, SelectedType(), ShownName(), m_nAgentType,
                            m_strAgentName);
}

int CAgentProperty::IsDefaultAgentChanged() {
  if (!m_bInitialized) return 0;
  return velmora::IsDefaultAgentChanged(SelectedType(), ShownName(), m_nAgentType, m_strAgentName) ? 1 : 0;
}

void CAgentProperty::RefreshDefaultAgent() {
  if (m_bInitialized) LoadDefaultAgent();
}

BOOL CAgentProperty::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  {
    NotificationLock lock(*this);
    SetDlgItemTextA(m_hWnd, IDC_AGENT_NAME, kPlaceholderAgentName);
    m_strAgentName = ShownName();
    CheckRadioButton(m_hWnd, IDC_AGENT_NOVELL, IDC_AGENT_NT, IDC_AGENT_NOVELL);
    m_nAgentType = SelectedType();
  }
  LoadDefaultAgent();
  m_bInitialized = 1;
  return TRUE;
}

BOOL CAgentProperty::OnApply() {
  SaveDefaultAgent();
  LoadDefaultAgent();
  return CPropertyPage::OnApply();  // the apply succeeds even when the write failed
}

bool CAgentProperty::OnCommand(WPARAM wp, LPARAM) {
  if (HIWORD(wp) != BN_CLICKED) return false;
  switch (LOWORD(wp)) {
    case IDC_AGENT_CONFIGURATION:
      OnAgentConfiguration();
      return true;
    case IDC_PERFORMANCE_INFO:
      OnPerformanceInfo();
      return true;
    default:
      return false;
  }
}

void CAgentProperty::OnAgentConfiguration() {
  StartCompanion(m_services.system, m_services.prompts, m_services.installDir, kAgentConfiguration, m_hWnd);
}

void CAgentProperty::OnPerformanceInfo() {
  StartCompanion(m_services.system, m_services.prompts, m_services.installDir, kPerformanceInfo, m_hWnd);
}

}  // namespace velmora
