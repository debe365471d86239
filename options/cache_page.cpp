#include "options/cache_page.h"

#include "common/registry_names.h"

namespace velmora {

void CachePage::Open() {
  m_policy = ReadCachePolicy(m_settings);
  m_bMayChange = m_settings.CheckChangeAccess(kCacheKey) == kErrorSuccess;
  m_control = DecideCachePageControl(m_policy, m_bMayChange);
  if (!m_control.Unrestricted()) m_boxes.ShowControl(m_control);
  const bool allRead = Load();
  m_boxes.SetRanges();
  m_boxes.Show(m_shown);  // positions set before the ranges were clamped to the default range
  m_bReady = true;
  if (!allRead) Load();
}

bool CachePage::Load() {
  m_lastRead = ReadCacheSettings(m_settings, m_loadPrompts, m_policy);
  m_shown = m_lastRead.shown;
  m_stored = m_lastRead.stored;
  m_boxes.Show(m_shown);
  if (!m_lastRead.allRead && m_bMayChange) Store(m_loadPrompts, m_stored);  // writes the defaults of what could not be read
  if (m_bReady) m_boxes.SetModified(CacheSettingsChanged(m_shown, m_stored));
  return m_lastRead.allRead;
}

bool CachePage::Save() { return Store(m_prompts, UserChangesBase()); }

bool CachePage::Store(Prompts& prompts, const CacheFields& base) {
  if (!m_boxes.ReadBoxes(&m_shown)) return false;
  KeepPolicyValues();
  if (!ValidateRanges()) return false;
  if (!m_bMayChange) return true;  // the user could not have stored anything: no box either
  WriteCacheSettings(m_settings, prompts, m_shown, base);
  return true;
}

CacheFields CachePage::UserChangesBase() const {
  CacheFields base = m_stored;
  const CacheFields& d = kShownCacheDefaults;
  if (!m_lastRead.blockSizeRead && m_shown.blockSize == d.blockSize) base.blockSize = d.blockSize;
  if (!m_lastRead.maxSizeRead && m_shown.maxSize == d.maxSize) base.maxSize = d.maxSize;
  if (!m_lastRead.refreshTimerRead && m_shown.hours == d.hours && m_shown.minutes == d.minutes &&
      m_shown.seconds == d.seconds) {
    base.hours = d.hours;
    base.minutes = d.minutes;
    base.seconds = d.seconds;
  }
  return base;
}

void CachePage::KeepPolicyValues() {
  if (m_policy.blockSize) m_shown.blockSize = m_stored.blockSize;
  if (m_policy.maxSize) m_shown.maxSize = m_stored.maxSize;
  if (m_policy.refreshTimer) {
    m_shown.hours = m_stored.hours;
    m_shown.minutes = m_stored.minutes;
    m_shown.seconds = m_stored.seconds;
  }
}

bool CachePage::ValidateRanges() {
  const auto refusal = FindRangeRefusal(m_shown, m_stored);
  if (!refusal) return true;
  m_boxes.Refuse(*refusal);
  return false;
}

bool CachePage::Changed() {
  if (m_bReady) m_boxes.ReadBoxes(&m_shown);  // a box that holds no number keeps its last value
  KeepPolicyValues();
  if (!m_bMayChange) return false;
  return CacheSettingsChanged(m_shown, m_stored);
}

bool CachePage::Leave() { return m_boxes.ReadBoxes(&m_shown) && ValidateRanges(); }

bool CachePage::Apply() {
  // The sheet validated the page before the apply; a refusal here still keeps what was typed.
  if (!Save()) return false;
  Load();
  return true;
}

}  // namespace velmora
