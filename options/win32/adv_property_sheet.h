// The options sheet, "Velmora Options": holds the General, Cache and Agent pages and shows only
// the Cache page. Tells the driver when an apply stored changed settings, refreshes the Agent
// page when the sheet is activated again, and opens help on the active page's topic.
#pragma once
#include "framework/win32/property_sheet.h"
#include "options/options_services.h"
#include "options/settings_notice.h"
#include "options/win32/agent_property.h"
#include "options/win32/cache_property.h"
#include "options/win32/general_property.h"

namespace velmora {

// Help contexts of the pages (common/help_file.cpp).
constexpr DWORD kHelpContextCachePage = 2001;
constexpr DWORD kHelpContextAgentPage = 2002;

class CAdvPropertySheet : public framework::CPropertySheet {
 public:
  CAdvPropertySheet(const OptionsServices& services, HWND parent);
  ~CAdvPropertySheet() override;

  void WinHelp(DWORD_PTR data, UINT command) override;
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  void OnPageNotified(framework::CPropertyPage* page, UINT code, LRESULT result) override;
  // With no owner to stand over (the options alone): in the middle of the screen when shown.
  void CentreOnScreen() { m_bCentreOnScreen = true; }

  CGeneralProperty m_generalPage;
  CCacheProperty m_cachePage;
  CAgentProperty m_agentPage;

 protected:
  void OnActivate(UINT state, HWND other, BOOL minimized) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  // Tells the driver of changed settings when an apply left a notice pending.
  void TellDriverIfPending();

  OptionsServices m_services;
  SettingsNotice m_notice;
  bool m_bCentreOnScreen = false;
};

}  // namespace velmora
