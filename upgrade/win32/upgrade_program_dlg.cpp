#include "upgrade/win32/upgrade_program_dlg.h"

#include "framework/win32/center_window.h"
#include "framework/win32/file_dialog.h"
#include "resource.h"

namespace velmora {
namespace {

// Names and patterns keep the blanks next to the bars.
const char kProgramFilter[] = "Programs | *.exe;*.pif;*.com;*.bat | All Files (*.*) | *.* ||";

}  // namespace

CUpgradeProgramDlg::CUpgradeProgramDlg(HWND parent, const UpgradeServices& services)
    : CDialog(IDD_UPGRADE_PROGRAM, parent), m_services(services) {}

CUpgradeProgramDlg::~CUpgradeProgramDlg() = default;

void CUpgradeProgramDlg::DoDataExchange(framework::CDataExchange* dx) {
  framework::DDX_Text(dx, IDC_UPGRADE_PROGRAM_PATH, m_strProgramPath);
}

BOOL CUpgradeProgramDlg::OnInitDialog() {
  framework::CenterWindow(m_hWnd, framework::Centring::kOnScreen);
  return CDialog::OnInitDialog();
}

void CUpgradeProgramDlg::OnOK() {
  if (!AcceptProgramPath(m_strProgramPath, m_services)) return;
  CDialog::OnOK();
}

bool CUpgradeProgramDlg::OnCommand(WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == IDC_UPGRADE_BROWSE && HIWORD(wp) == BN_CLICKED) {
    OnBrowse();
    return true;
  }
  return CDialog::OnCommand(wp, lp);
}

void CUpgradeProgramDlg::OnBrowse() {
  framework::CFileDialog dlg(TRUE, nullptr, m_strProgramPath.c_str(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                             kProgramFilter, m_hWnd);
  if (dlg.DoModal() != IDOK) return;
  UpdateData(TRUE);
  m_strProgramPath = dlg.GetPathName();
  UpdateData(FALSE);
}

}  // namespace velmora
