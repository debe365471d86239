// Shared fixtures of the upgrade tests: an in-memory application and a prompt played by a
// script of user actions, doing what the prompt's buttons do.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry_names.h"
#include "tests/doubles/fake_system.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/recording_prompts.h"
#include "upgrade/upgrade_check.h"

namespace velmora::testing {

// One press in the prompt. Yes opens the program dialog, which ends with programResult and,
// on OK, the path shown there.
struct UserAction {
  enum Kind { kNo, kYes } kind;
  int dontAskAgain = 0;
  int programResult = kPromptOk;
  std::string chosenPath;

  static UserAction No(int dontAskAgain = 0) { return {kNo, dontAskAgain, kPromptCancel, {}}; }
  static UserAction Yes(int dontAskAgain, int programResult, std::string path) {
    return {kYes, dontAskAgain, programResult, std::move(path)};
  }
};

class ScriptedPrompt : public UpgradePromptRunner {
 public:
  explicit ScriptedPrompt(const UpgradeServices& services) : m_services(services) {}

  int RunPrompt(const std::string& proposedPath, const std::string& versionText, std::string* dir,
                std::string* file) override {
    ++runs;
    proposed = proposedPath;
    version = versionText;
    if (failToCreate) return -1;
    for (const UserAction& a : actions) {
      if (a.kind == UserAction::kNo) {
        ApplyDontAskAgain(a.dontAskAgain, m_services);
        return kPromptCancel;
      }
      if (a.programResult != kPromptOk) continue;  // the prompt stays open
      if (!ConfirmInstaller(a.chosenPath, dir, file, m_services)) continue;
      ApplyDontAskAgain(a.dontAskAgain, m_services);
      return kPromptOk;
    }
    ADD_FAILURE() << "the script ended with the prompt still open";
    return kPromptCancel;
  }

  std::vector<UserAction> actions;
  bool failToCreate = false;
  int runs = 0;
  std::string proposed, version;

 private:
  const UpgradeServices& m_services;
};

}  // namespace velmora::testing
