// The Cache page's rules: what a load shows and writes back, what an apply stores and reads
// again, and when the page counts as changed. The window only moves values (CacheBoxes).
#pragma once
#include "common/prompts.h"
#include "common/settings_store.h"
#include "options/cache_policy.h"
#include "options/cache_settings_io.h"
#include "options/cache_units.h"
#include "options/errors_told_once.h"

namespace velmora {

// The page's controls.
class CacheBoxes {
 public:
  virtual ~CacheBoxes() = default;
  // Puts the values into the boxes and their spins, unseen as a user's change.
  virtual void Show(const CacheFields& shown) = 0;
  // Reads the boxes; false when one holds no acceptable number (refused in that box).
  virtual bool ReadBoxes(CacheFields* shown) = 0;
  // Refuses the box of a value whose stored form would not fit.
  virtual void Refuse(const RangeRefusal& refusal) = 0;
  // The spins' ranges: set once, after the first load (setting them clamps the positions).
  virtual void SetRanges() = 0;
  virtual void SetModified(bool modified) = 0;
  // Locks what the user may not change and shows why; called only when something is locked.
  virtual void ShowControl(const CachePageControl& control) = 0;
};

class CachePage {
 public:
  CachePage(SettingsStore& settings, Prompts& prompts, CacheBoxes& boxes)
      : m_settings(settings), m_prompts(prompts), m_loadPrompts(prompts), m_boxes(boxes) {}

  // The page's first show: finds out who decides each setting (the policy, and whether this
  // user may change the Cache key), then loads. A load whose defaults are written back is
  // repeated once the page is ready, so the page shows (and compares with) what is stored now.
  void Open();
  // Reads the three values into the boxes (errors shown, defaults for what failed, and those
  // defaults written back); true when all three were read. A load's errors are told once per
  // page (one opening of the sheet), however often it loads.
  bool Load();
  // Stores what the user changed from the values as read; false, storing nothing, when a box is
  // refused. A default shown for a value that could not be read is the load's to write back.
  // Nothing is written for a user who may not change the settings, nor for a policy's value.
  bool Save();
  // Refuses a changed value whose stored form would not fit; false when refused.
  bool ValidateRanges();
  // True when a shown value differs from its value as read (the boxes are read once ready).
  bool Changed();
  // Leaving the page: the boxes must hold numbers, and changed ones must fit.
  bool Leave();
  // Apply: store, then read back what was stored. False when refused: what was typed stays.
  bool Apply();

  bool ready() const { return m_bReady; }
  const CacheFields& shown() const { return m_shown; }
  const CacheFields& stored() const { return m_stored; }
  const CachePageControl& control() const { return m_control; }

 private:
  // Takes the boxes and, when they pass, writes what differs from `base`, telling `prompts`.
  bool Store(Prompts& prompts, const CacheFields& base);
  // A policy's value stands, whatever its locked box holds.
  void KeepPolicyValues();
  // The values as read, with the defaults still shown for unread values counted as stored.
  CacheFields UserChangesBase() const;

  SettingsStore& m_settings;
  Prompts& m_prompts;
  ErrorsToldOnce m_loadPrompts;
  CacheBoxes& m_boxes;
  CachePolicy m_policy;
  bool m_bMayChange = true;
  CachePageControl m_control = DecideCachePageControl({}, true);
  CacheRead m_lastRead{kShownCacheDefaults, kStoredBeforeRead, false, false, false, false};
  CacheFields m_shown{0, 0, 0, 0, 0};
  CacheFields m_stored = kStoredBeforeRead;
  bool m_bReady = false;
};

}  // namespace velmora
