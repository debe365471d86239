// Runs the upgrade prompt as a modal dialog for the start-up check.
#pragma once
#include "upgrade/upgrade_check.h"

namespace velmora {

class CUpgradePromptRunner : public UpgradePromptRunner {
 public:
  explicit CUpgradePromptRunner(const UpgradeServices& services) : m_services(services) {}
  int RunPrompt(const std::string& proposedPath, const std::string& versionText, std::string* dir,
                std::string* file) override;

 private:
  const UpgradeServices& m_services;
};

}  // namespace velmora
