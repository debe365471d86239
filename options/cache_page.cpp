#include "options/cache_page.h"

#include "options/cache_settings_io.h"

namespace velmora {

void CachePage::Open() {
  const bool allRead = Load();
  m_boxes.SetRanges();
  m_boxes.Show(m_shown);  // positions set before the ranges were clamped to the default range
  m_bReady = true;
  if (!allRead) Load();
}

bool CachePage::Load() {
  const CacheRead r = ReadCacheSettings(m_settings, m_prompts);
  m_shown = r.shown;
  m_stored = r.stored;
  m_boxes.Show(m_shown);
  if (!r.allRead) Save();  // writes the defaults of what could not be read
  if (m_bReady) m_boxes.SetModified(CacheSettingsChanged(m_shown, m_stored));
  return r.allRead;
}

bool CachePage::Save() {
  if (!m_boxes.Take(&m_shown) || !ValidateRanges()) return false;
  WriteCacheSettings(m_settings, m_prompts, m_shown, m_stored);
  return true;
}

bool CachePage::ValidateRanges() {
  const auto refusal = FindRangeRefusal(m_shown, m_stored);
  if (!refusal) return true;
  m_boxes.Refuse(*refusal);
  return false;
}

bool CachePage::Changed() {
  if (m_bReady) m_boxes.Take(&m_shown);  // a box that holds no number keeps its last value
  return CacheSettingsChanged(m_shown, m_stored);
}

bool CachePage::Leave() { return m_boxes.Take(&m_shown) && ValidateRanges(); }

bool CachePage::Apply() {
  // The sheet validated the page before the apply; a refusal here still keeps what was typed.
  if (!Save()) return false;
  Load();
  return true;
}

}  // namespace velmora
