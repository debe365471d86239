// Shows which program will update the client; Browse picks another; OK only with an existing file.
#pragma once
#include <string>

#include "framework/win32/dialog.h"
#include "upgrade/installer_choice.h"

namespace velmora {

class CUpgradeProgramDlg : public framework::CDialog {
 public:
  CUpgradeProgramDlg(HWND parent, const UpgradeServices& services);
  ~CUpgradeProgramDlg() override;

  std::string m_strProgramPath;  // set by the opener before the run; read after IDOK

 protected:
  void DoDataExchange(framework::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(WPARAM wp, LPARAM lp) override;
  void OnBrowse();

 private:
  const UpgradeServices& m_services;
};

}  // namespace velmora
