#include "options/win32/cache_property.h"

#include <commctrl.h>

#include "framework/win32/data_exchange_int.h"
#include "options/cache_settings_io.h"
#include "options/clear_cache.h"
#include "options/companion_programs.h"
#include "resource.h"

namespace velmora {
namespace {

int BoxOf(CacheBox box) {
  switch (box) {
    case CacheBox::kBlockSize: return IDC_BLOCK_SIZE;
    case CacheBox::kMaxSize: return IDC_MAX_SIZE;
    case CacheBox::kHours: return IDC_HOURS;
    case CacheBox::kMinutes: return IDC_MINUTES;
    case CacheBox::kSeconds: return IDC_SECONDS;
  }
  return IDC_MAX_SIZE;
}

}  // namespace

CCacheProperty::CCacheProperty(const OptionsServices& services) : CPropertyPage(IDD_CACHE_PAGE), m_services(services) {}

CacheFields CCacheProperty::Shown() const { return {m_nBlockSize, m_nMaxSize, m_nHours, m_nMinutes, m_nSeconds}; }

CacheFields CCacheProperty::Stored() const {
  return {m_nStoredBlockSize, m_nStoredMaxSize, m_nStoredHours, m_nStoredMinutes, m_nStoredSeconds};
}

void CCacheProperty::DoDataExchange(framework::CDataExchange* dx) {
  framework::DDX_Control(dx, IDC_SPIN_MAX_SIZE, m_spinMaxSize);
  framework::DDX_Control(dx, IDC_SPIN_SECONDS, m_spinSeconds);
  framework::DDX_Control(dx, IDC_SPIN_MINUTES, m_spinMinutes);
  framework::DDX_Control(dx, IDC_SPIN_HOURS, m_spinHours);
  framework::DDX_Control(dx, IDC_SPIN_BLOCK_SIZE, m_spinBlockSize);
  framework::DDX_Text(dx, IDC_BLOCK_SIZE, m_nBlockSize);
  framework::DDX_Text(dx, IDC_HOURS, m_nHours);
  framework::DDX_Text(dx, IDC_MINUTES, m_nMinutes);
  framework::DDX_Text(dx, IDC_SECONDS, m_nSeconds);
  framework::DDX_Text(dx, IDC_MAX_SIZE, m_nMaxSize);
}

void CCacheProperty::SetSpinPositions() {
  m_spinBlockSize.SetPos(m_nBlockSize);
  m_spinMaxSize.SetPos(m_nMaxSize);
  m_spinHours.SetPos(m_nHours);
  m_spinMinutes.SetPos(m_nMinutes);
  m_spinSeconds.SetPos(m_nSeconds);
}

int CCacheProperty::LoadCacheSettings() {
  const CacheRead r = ReadCacheSettings(m_services.settings, m_services.prompts);
  m_nBlockSize = r.shown.blockSize;
  m_nMaxSize = r.shown.maxSize;
  m_nHours = r.shown.hours;
  m_nMinutes = r.shown.minutes;
  m_nSeconds = r.shown.seconds;
  m_nStoredBlockSize = r.stored.blockSize;
  m_nStoredMaxSize = r.stored.maxSize;
  m_nStoredHours = r.stored.hours;
  m_nStoredMinutes = r.stored.minutes;
  m_nStoredSeconds = r.stored.seconds;
  {
    // A spin clamps a position to its range and writes it into its box; the boxes must show
    // exactly what was read, so they are written last.
    NotificationLock lock(*this);
    SetSpinPositions();
    UpdateData(FALSE);
  }
  if (!r.allRead) SaveCacheSettings();  // writes the defaults of what could not be read
  if (m_bInitialized) SetModified(CacheSettingsChanged(Shown(), Stored()));
  return r.allRead ? 1 : 0;
}

bool CCacheProperty::SaveCacheSettings() {
  if (!UpdateData(TRUE) || !ValidateRanges()) return false;
  WriteCacheSettings(m_services.settings, m_services.prompts, Shown(), Stored());
  return true;
}

bool CCacheProperty::ValidateRanges() {
  const auto refusal = FindRangeRefusal(Shown(), Stored());
  if (!refusal) return true;
  framework::CDataExchange dx(m_hWnd, true);
  framework::DDV_RefuseRange(&dx, BoxOf(refusal->box), refusal->min, refusal->max);
  return false;
}

int CCacheProperty::IsCacheSettingsChanged() {
  if (m_bInitialized) UpdateData(TRUE);
  return CacheSettingsChanged(Shown(), Stored()) ? 1 : 0;
}

BOOL CCacheProperty::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  const int r = LoadCacheSettings();
  m_spinBlockSize.SetRange(1, 4);
  m_spinMaxSize.SetRange(16, 19999);
  m_spinHours.SetRange(0, 999);
  m_spinMinutes.SetRange(0, 59);
  m_spinSeconds.SetRange(0, 59);
  {
    // Positions set before the ranges were clamped to the control's default range.
    NotificationLock lock(*this);
    SetSpinPositions();
    UpdateData(FALSE);
  }
  m_bInitialized = 1;
  if (r == 0) LoadCacheSettings();
  return TRUE;
}

BOOL CCacheProperty::OnKillActive() { return CPropertyPage::OnKillActive() && ValidateRanges(); }

BOOL CCacheProperty::OnApply() {
  // The sheet validated the page before the apply; a refusal here still keeps what was typed.
  if (!SaveCacheSettings()) return FALSE;
  LoadCacheSettings();
  return CPropertyPage::OnApply();
}

void CCacheProperty::OnFieldChange() { SetModified(IsCacheSettingsChanged()); }

bool CCacheProperty::OnCommand(WPARAM wp, LPARAM) {
  const int id = LOWORD(wp);
  const int code = HIWORD(wp);
  if (code == EN_CHANGE && (id == IDC_BLOCK_SIZE || id == IDC_MAX_SIZE || id == IDC_HOURS || id == IDC_MINUTES ||
                            id == IDC_SECONDS)) {
    OnFieldChange();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_CLEAR_CACHE) {
    OnClearCache();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_PERFORMANCE_INFO) {
    OnPerformanceInfo();
    return true;
  }
  return false;
}

bool CCacheProperty::OnNotify(WPARAM, LPARAM lp, LRESULT* result) {
  auto* hdr = reinterpret_cast<NMHDR*>(lp);
  if (hdr->idFrom != IDC_SPIN_BLOCK_SIZE || hdr->code != UDN_DELTAPOS) return false;
  auto* change = reinterpret_cast<NMUPDOWN*>(lp);
  change->iDelta = BlockSizeStep(change->iPos, change->iDelta);
  *result = 0;  // allow the move
  return true;
}

void CCacheProperty::OnClearCache() {
  if (ClearCache(m_services.settings, m_services.prompts, m_services.system) == ClearCacheOutcome::kRestarting) {
    PostQuitMessage(0);  // Windows is restarting: end the sheet, the palette and the program
  }
}

void CCacheProperty::OnPerformanceInfo() {
  StartCompanion(m_services.system, m_services.prompts, m_services.installDir, kPerformanceInfo, m_hWnd);
}

}  // namespace velmora
