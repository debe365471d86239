#include "upgrade/win32/upgrade_prompt_runner.h"

#include "upgrade/win32/upgrade_prompt_dlg.h"

namespace velmora {

int CUpgradePromptRunner::RunPrompt(const std::string& proposedPath, const std::string& versionText,
                                    std::string* dir, std::string* file) {
  // Start-up has no window yet, so the prompt has no owner.
  CUpgradePromptDlg prompt(proposedPath, versionText, m_services, nullptr);
  const INT_PTR result = prompt.DoModal();
  *dir = prompt.m_strInstallerDir;
  *file = prompt.m_strInstallerFile;
  return static_cast<int>(result);
}

}  // namespace velmora
