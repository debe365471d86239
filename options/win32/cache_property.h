// The Cache page (template 112): block size, maximum cache size and refresh timer; Clear Cache
// and the performance program. Its rules live in CachePage; the window moves values.
#pragma once
#include "framework/win32/property_page.h"
#include "framework/win32/spin_button.h"
#include "options/cache_page.h"
#include "options/options_services.h"

namespace velmora {

class CCacheProperty : public framework::CPropertyPage, private CacheBoxes {
 public:
  explicit CCacheProperty(const OptionsServices& services);

  // 1 when any shown value differs from its value as last read.
  int IsCacheSettingsChanged();

  framework::CSpinButtonCtrl m_spinMaxSize;
  framework::CSpinButtonCtrl m_spinSeconds;
  framework::CSpinButtonCtrl m_spinMinutes;
  framework::CSpinButtonCtrl m_spinHours;
  framework::CSpinButtonCtrl m_spinBlockSize;

 protected:
  void DoDataExchange(framework::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;
  BOOL OnApply() override;
  bool OnCommand(WPARAM wp, LPARAM lp) override;
  bool OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  // CacheBoxes: the boxes exchange with m_fields.
  void Show(const CacheFields& shown) override;
  bool ReadBoxes(CacheFields* shown) override;
  void Refuse(const RangeRefusal& refusal) override;
  void SetRanges() override;
  void SetModified(bool modified) override;
  void ShowControl(const CachePageControl& control) override;

  // Makes the page (and the sheet around it) tall enough to show control `id` below the rest.
  void GrowToShow(int id);
  void OnFieldChange();
  void OnChangeSettings();
  void OnClearCache();
  void OnPerformanceInfo();

  OptionsServices m_services;
  CachePage m_page;
  CacheFields m_fields{0, 0, 0, 0, 0};  // what the boxes exchange with
};

}  // namespace velmora
