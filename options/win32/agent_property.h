// The Agent page (template 111): shows the default agent and starts the agent configuration
// and performance programs. Every operation the sheet calls waits for the page's window.
#pragma once
#include <string>

#include "framework/win32/property_page.h"
#include "options/options_services.h"

namespace velmora {

class CAgentProperty : public framework::CPropertyPage {
 public:
  explicit CAgentProperty(const OptionsServices& services);

  // Re-reads the stored agent into the controls; always 1.
  int LoadDefaultAgent();
  // Writes what the page shows when it differs from what it read.
  void SaveDefaultAgent();
  // 1 when the shown name or type differs from what was read; 0 without a window.
  int IsDefaultAgentChanged();
  // LoadDefaultAgent once the page has a window.
  void RefreshDefaultAgent();

  std::string m_strAgentName;  // as last loaded and shown
  int m_nAgentType = -1;       // button id 1007 / 1008; -1 none loaded; 0 none selected
  int m_bInitialized = 0;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnApply() override;
  bool OnCommand(WPARAM wp, LPARAM lp) override;

 private:
  OptionsServices m_services;
  int SelectedType() const;
  std::string ShownName() const;
  void OnAgentConfiguration();
  void OnPerformanceInfo();
};

}  // namespace velmora
