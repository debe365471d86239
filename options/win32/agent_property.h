// The Agent page (template 111): shows the default agent and starts the agent configuration
// and performance programs. Every operation the sheet calls waits for the page's window.
#pragma once
#include "framework/win32/property_page.h"
#include "options/agent_page.h"
#include "options/options_services.h"

namespace velmora {

class CAgentProperty : public framework::CPropertyPage, private AgentBoxes {
 public:
  explicit CAgentProperty(const OptionsServices& services);

  // True when the shown name or type differs from what was read; false without a window.
  bool IsDefaultAgentChanged() const;
  // Re-reads the stored agent into the controls once the page has a window.
  void RefreshDefaultAgent();

  bool m_bInitialized = false;  // the page has its window and has loaded once

 protected:
  BOOL OnInitDialog() override;
  BOOL OnApply() override;
  bool OnCommand(WPARAM wp, LPARAM lp) override;

 private:
  // AgentBoxes
  void Show(const AgentShown& agent) override;
  AgentShown ReadBoxes() const override;

  void OnAgentConfiguration();
  void OnPerformanceInfo();

  OptionsServices m_services;
  AgentPage m_page;
};

}  // namespace velmora
