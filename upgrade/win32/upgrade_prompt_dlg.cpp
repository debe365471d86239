#include "upgrade/win32/upgrade_prompt_dlg.h"

#include "framework/win32/center_window.h"
#include "resource.h"
#include "upgrade/win32/upgrade_program_dlg.h"

namespace velmora {

CUpgradePromptDlg::CUpgradePromptDlg(const std::string& installerPath, const std::string& versionText,
                                     const UpgradeServices& services, HWND parent)
    : CDialog(IDD_UPGRADE_PROMPT, parent),
      m_strVersionText(versionText),
      m_strInstallerPath(installerPath),
      m_services(services) {}

CUpgradePromptDlg::~CUpgradePromptDlg() = default;

void CUpgradePromptDlg::DoDataExchange(framework::CDataExchange* dx) {
  framework::DDX_Text(dx, IDC_UPGRADE_VERSION, m_strVersionText);
  framework::DDX_Check(dx, IDC_UPGRADE_DONT_ASK, m_bDontAskAgain);
}

BOOL CUpgradePromptDlg::OnInitDialog() {
  framework::CenterWindow(m_hWnd, framework::Centring::kOnScreen);
  return CDialog::OnInitDialog();
}

void CUpgradePromptDlg::OnOK() {
  CUpgradeProgramDlg program(m_hWnd, m_services);
  program.m_strProgramPath = m_strInstallerPath;
  if (program.DoModal() != IDOK) return;
  m_strInstallerPath = program.m_strProgramPath;
  if (!ConfirmInstaller(m_strInstallerPath, &m_strInstallerDir, &m_strInstallerFile, m_services)) return;
  ApplyDontAskAgain();
  CDialog::OnOK();
}

void CUpgradePromptDlg::OnCancel() {
  ApplyDontAskAgain();
  CDialog::OnCancel();
}

void CUpgradePromptDlg::ApplyDontAskAgain() {
  UpdateData(TRUE);
  velmora::ApplyDontAskAgain(m_bDontAskAgain, m_services);
  UpdateData(FALSE);
}

}  // namespace velmora
