// The Cache page (template 112): block size, maximum cache size and refresh timer, kept as the
// values shown and the values last read; Clear Cache and the performance program.
#pragma once
#include "framework/win32/property_page.h"
#include "options/options_services.h"
#include "framework/win32/spin_button.h"
#include "options/cache_units.h"

namespace velmora {

class CCacheProperty : public framework::CPropertyPage {
 public:
  explicit CCacheProperty(const OptionsServices& services);

  // 1 when any shown value differs from its value as last read.
  int IsCacheSettingsChanged();
  // Reads the three values into the page (errors shown, defaults for what failed, and those
  // defaults written back); 1 when all three were read.
  int LoadCacheSettings();
  // Stores what differs; nothing when a box is refused. False when refused.
  bool SaveCacheSettings();

  framework::CSpinButtonCtrl m_spinMaxSize;
  framework::CSpinButtonCtrl m_spinSeconds;
  framework::CSpinButtonCtrl m_spinMinutes;
  framework::CSpinButtonCtrl m_spinHours;
  framework::CSpinButtonCtrl m_spinBlockSize;
  int m_nBlockSize = 0;  // Kbytes shown
  int m_nHours = 0;
  int m_nMinutes = 0;
  int m_nSeconds = 0;
  int m_nMaxSize = 0;  // Mbytes shown
  int m_nStoredHours = -1;
  int m_nStoredMinutes = -1;
  int m_nStoredSeconds = -1;
  int m_nStoredMaxSize = 0;
  int m_nStoredBlockSize = 0;
  int m_bInitialized = 0;

 protected:
  void DoDataExchange(framework::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;
  BOOL OnApply() override;
  bool OnCommand(WPARAM wp, LPARAM lp) override;
  bool OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  OptionsServices m_services;
  CacheFields Shown() const;
  CacheFields Stored() const;
  // Refuses a changed value whose stored form would not fit; false when refused.
  bool ValidateRanges();
  void SetSpinPositions();
  void OnFieldChange();
  void OnClearCache();
  void OnPerformanceInfo();
};

}  // namespace velmora
