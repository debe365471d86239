#include "options/win32/agent_property.h"

#include <vector>

#include "options/companion_programs.h"
#include "resource.h"

namespace velmora {
namespace {

// The type buttons of the page; no other code knows their ids.
int ButtonOf(AgentType type) {
  switch (type) {
    case AgentType::kNovell:
      return IDC_AGENT_NOVELL;
    case AgentType::kNt:
      return IDC_AGENT_NT;
    case AgentType::kNone:
      break;
  }
  return 0;
}

}  // namespace

CAgentProperty::CAgentProperty(const OptionsServices& services)
    : CPropertyPage(IDD_AGENT_PAGE), m_services(services), m_page(m_services.settings, m_services.prompts, *this) {}

void CAgentProperty::Show(const AgentShown& agent) {
  NotificationLock lock(*this);
  SetDlgItemTextA(m_hWnd, IDC_AGENT_NAME, agent.name.c_str());
  CheckRadioButton(m_hWnd, IDC_AGENT_NOVELL, IDC_AGENT_NT, ButtonOf(agent.type));
}

AgentShown CAgentProperty::ReadBoxes() const {
  AgentShown shown;
  if (IsDlgButtonChecked(m_hWnd, IDC_AGENT_NOVELL) == BST_CHECKED) {
    shown.type = AgentType::kNovell;
  } else if (IsDlgButtonChecked(m_hWnd, IDC_AGENT_NT) == BST_CHECKED) {
    shown.type = AgentType::kNt;
  }
  HWND edit = GetDlgItem(IDC_AGENT_NAME);
  const int len = GetWindowTextLengthA(edit);
  std::vector<char> buf(static_cast<std::size_t>(len) + 1, '\0');
  GetWindowTextA(edit, buf.data(), len + 1);
  shown.name = buf.data();
  return shown;
}

bool CAgentProperty::IsDefaultAgentChanged() const { return m_bInitialized && m_page.Changed(); }

void CAgentProperty::RefreshDefaultAgent() {
  if (m_bInitialized) m_page.Load();
}

BOOL CAgentProperty::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_page.Load();
  m_bInitialized = true;
  return TRUE;
}

BOOL CAgentProperty::OnApply() {
  if (m_bInitialized) m_page.Apply(m_hWnd);
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
