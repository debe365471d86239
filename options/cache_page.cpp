#include "options/cache_page.h"

namespace velmora {

void CachePage::Open() {
  const bool allRead = Load();
  m_boxes.SetRanges();
  m_boxes.Show(m_shown);  // positions set before the ranges were clamped to the default range
  m_bReady = true;
  if (!allRead) Load();
}

bool CachePage::Load() {
  m_lastRead = ReadCacheSettings(m_settings, m_loadPrompts);
  m_shown = m_lastRead.shown;
  m_stored = m_lastRead.stored;
  m_boxes.Show(m_shown);
  if (!m_lastRead.allRead) Store(m_loadPrompts, m_stored);  // writes the defaults of what could not be read
  if (m_bReady) m_boxes.SetModified(CacheSettingsChanged(m_shown, m_stored));
  return m_lastRead.allRead;
}

bool CachePage::Save() { return Store(m_prompts, UserChangesBase()); }

bool CachePage::Store(Prompts& prompts, const CacheFields& base) {
  if (!m_boxes.ReadBoxes(&m_shown) || !ValidateRanges()) return false;
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

bool CachePage::ValidateRanges() {
  const auto refusal = FindRangeRefusal(m_shown, m_stored);
  if (!refusal) return true;
  m_boxes.Refuse(*refusal);
  return false;
}

bool CachePage::Changed() {
  if (m_bReady) m_boxes.ReadBoxes(&m_shown);  // a box that holds no number keeps its last value
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
