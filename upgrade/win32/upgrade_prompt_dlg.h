// Asks whether to upgrade the client. Yes confirms (or changes) the installer; the check box
// withdraws the offer for good, whichever button closes the prompt.
#pragma once
#include <string>

#include "framework/win32/dialog.h"
#include "upgrade/installer_choice.h"

namespace velmora {

class CUpgradePromptDlg : public framework::CDialog {
 public:
  CUpgradePromptDlg(const std::string& installerPath, const std::string& versionText,
                    const UpgradeServices& services, HWND parent = nullptr);
  ~CUpgradePromptDlg() override;

  std::string m_strInstallerFile;  // set when the user confirms
  std::string m_strInstallerDir;   // likewise; no trailing backslash
  std::string m_strVersionText;
  int m_bDontAskAgain = 0;
  std::string m_strInstallerPath;  // proposed, possibly changed in the program dialog

 protected:
  void DoDataExchange(framework::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void ApplyDontAskAgain();

  const UpgradeServices& m_services;
};

}  // namespace velmora
