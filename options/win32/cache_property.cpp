#include "options/win32/cache_property.h"

#include <commctrl.h>

#include "framework/win32/data_exchange_int.h"
#include "framework/win32/resource_string.h"
#include "options/clear_cache.h"
#include "options/companion_programs.h"
#include "options/win32/elevated_options.h"
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

CCacheProperty::CCacheProperty(const OptionsServices& services)
    : CPropertyPage(IDD_CACHE_PAGE), m_services(services), m_page(services.settings, services.prompts, *this) {}

void CCacheProperty::DoDataExchange(framework::CDataExchange* dx) {
  framework::DDX_Control(dx, IDC_SPIN_MAX_SIZE, m_spinMaxSize);
  framework::DDX_Control(dx, IDC_SPIN_SECONDS, m_spinSeconds);
  framework::DDX_Control(dx, IDC_SPIN_MINUTES, m_spinMinutes);
  framework::DDX_Control(dx, IDC_SPIN_HOURS, m_spinHours);
  framework::DDX_Control(dx, IDC_SPIN_BLOCK_SIZE, m_spinBlockSize);
  framework::DDX_Text(dx, IDC_BLOCK_SIZE, m_fields.blockSize);
  framework::DDX_Text(dx, IDC_HOURS, m_fields.hours);
  framework::DDX_Text(dx, IDC_MINUTES, m_fields.minutes);
  framework::DDX_Text(dx, IDC_SECONDS, m_fields.seconds);
  framework::DDX_Text(dx, IDC_MAX_SIZE, m_fields.maxSize);
}

void CCacheProperty::Show(const CacheFields& shown) {
  m_fields = shown;
  // A spin clamps a position to its range and writes it into its box; the boxes must show
  // exactly the values, so they are written last.
  NotificationLock lock(*this);
  m_spinBlockSize.SetPos(m_fields.blockSize);
  m_spinMaxSize.SetPos(m_fields.maxSize);
  m_spinHours.SetPos(m_fields.hours);
  m_spinMinutes.SetPos(m_fields.minutes);
  m_spinSeconds.SetPos(m_fields.seconds);
  UpdateData(FALSE);
}

bool CCacheProperty::ReadBoxes(CacheFields* shown) {
  const bool read = UpdateData(TRUE) != FALSE;
  *shown = m_fields;  // the boxes before a refused one were read
  return read;
}

void CCacheProperty::Refuse(const RangeRefusal& refusal) {
  framework::CDataExchange dx(m_hWnd, true);
  framework::DDV_RefuseRange(&dx, BoxOf(refusal.box), refusal.min, refusal.max);
}

void CCacheProperty::SetRanges() {
  m_spinBlockSize.SetRange(kBlockSizeSpinRange.min, kBlockSizeSpinRange.max);
  m_spinMaxSize.SetRange(kMaxSizeSpinRange.min, kMaxSizeSpinRange.max);
  m_spinHours.SetRange(kHoursSpinRange.min, kHoursSpinRange.max);
  m_spinMinutes.SetRange(kMinutesSpinRange.min, kMinutesSpinRange.max);
  m_spinSeconds.SetRange(kSecondsSpinRange.min, kSecondsSpinRange.max);
}

void CCacheProperty::ShowControl(const CachePageControl& control) {
  struct Setting {
    SettingOwner owner;
    std::initializer_list<int> boxes;
    std::initializer_list<int> spins;
  };
  const Setting settings[] = {
      {control.blockSize, {IDC_BLOCK_SIZE}, {IDC_SPIN_BLOCK_SIZE}},
      {control.maxSize, {IDC_MAX_SIZE}, {IDC_SPIN_MAX_SIZE}},
      {control.refreshTimer, {IDC_HOURS, IDC_MINUTES, IDC_SECONDS}, {IDC_SPIN_HOURS, IDC_SPIN_MINUTES, IDC_SPIN_SECONDS}},
  };
  for (const Setting& s : settings) {
    if (s.owner == SettingOwner::kUser) continue;
    // A policy's value is locked; a value only an administrator changes can still be read and
    // selected (and so copied or read aloud).
    for (const int box : s.boxes) {
      if (s.owner == SettingOwner::kPolicy) {
        ::EnableWindow(GetDlgItem(box), FALSE);
      } else {
        SendDlgItemMessageA(m_hWnd, box, EM_SETREADONLY, TRUE, 0);
      }
    }
    for (const int spin : s.spins) ::EnableWindow(GetDlgItem(spin), FALSE);
  }
  if (!control.clearCacheEnabled) ::EnableWindow(GetDlgItem(IDC_CLEAR_CACHE), FALSE);

  const UINT line = control.notice == CacheNotice::kManaged ? IDS_CACHE_MANAGED : IDS_CACHE_ADMIN_ONLY;
  SetDlgItemTextA(m_hWnd, IDC_CACHE_NOTICE, framework::LoadResourceString(line).c_str());
  ::ShowWindow(GetDlgItem(IDC_CACHE_NOTICE), SW_SHOWNA);
  GrowToShow(IDC_CACHE_NOTICE);
  if (control.offerElevation) {
    HWND button = GetDlgItem(IDC_CHANGE_SETTINGS);
    SendMessageA(button, BCM_SETSHIELD, 0, TRUE);
    ::ShowWindow(button, SW_SHOWNA);
    GrowToShow(IDC_CHANGE_SETTINGS);
  }
}

void CCacheProperty::GrowToShow(int id) {
  RECT control{};
  ::GetWindowRect(GetDlgItem(id), &control);
  MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&control), 2);
  RECT margin{0, 0, 0, 6};
  MapDialogRect(m_hWnd, &margin);
  RECT page{};
  ::GetClientRect(m_hWnd, &page);
  const int delta = control.bottom + margin.bottom - page.bottom;
  if (delta <= 0) return;

  // The page, the tab control around it, and the sheet grow; the sheet's buttons move down.
  HWND sheet = ::GetParent(m_hWnd);
  RECT pageInSheet = page;
  MapWindowPoints(m_hWnd, sheet, reinterpret_cast<POINT*>(&pageInSheet), 2);
  for (HWND child = ::GetWindow(sheet, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    ::GetWindowRect(child, &r);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&r), 2);
    if (r.top >= pageInSheet.bottom) {
      ::SetWindowPos(child, nullptr, r.left, r.top + delta, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (r.bottom >= pageInSheet.bottom) {
      ::SetWindowPos(child, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + delta,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  RECT frame{};
  ::GetWindowRect(sheet, &frame);
  ::SetWindowPos(sheet, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + delta,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCacheProperty::OnChangeSettings() {
  // The elevated sheet stores and tells the driver itself; this page then shows what it stored.
  if (RunElevatedOptions(::GetParent(m_hWnd))) m_page.Load();
}

void CCacheProperty::SetModified(bool modified) { CPropertyPage::SetModified(modified ? TRUE : FALSE); }

int CCacheProperty::IsCacheSettingsChanged() { return m_page.Changed() ? 1 : 0; }

BOOL CCacheProperty::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_page.Open();
  return TRUE;
}

BOOL CCacheProperty::OnKillActive() { return m_page.Leave() ? TRUE : FALSE; }

BOOL CCacheProperty::OnApply() {
  if (!m_page.Apply()) return FALSE;
  return CPropertyPage::OnApply();
}

void CCacheProperty::OnFieldChange() { SetModified(m_page.Changed()); }

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
  if (code == BN_CLICKED && id == IDC_CHANGE_SETTINGS) {
    OnChangeSettings();
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
