// Reading and writing the Cache page's settings, with the page's error boxes.
#pragma once
#include "common/prompts.h"
#include "common/settings_store.h"
#include "options/cache_policy.h"
#include "options/cache_units.h"

namespace velmora {

struct CacheRead {
  CacheFields shown;   // what the page shows: the value read, else the default
  CacheFields stored;  // as read; kStoredBeforeRead parts where the read failed
  bool allRead;
  // Which of BlockSize, MaxSize and RefreshTimer were read.
  bool blockSizeRead;
  bool maxSizeRead;
  bool refreshTimerRead;
};

// Reads BlockSize, MaxSize and RefreshTimer. Each failed read shows its own box (20002, 20003,
// 20004, in that order, task-modal, no owner) and leaves the default shown. A setting with a
// policy value is not read: the policy's value counts as read and stored.
CacheRead ReadCacheSettings(SettingsStore& settings, Prompts& prompts, const CachePolicy& policy = {});

// Writes each value whose shown form differs from the remembered one; a failed write shows
// 20005, 20006 or 20007 and the later writes still happen. Callers refuse values that do not
// fit first (FindRangeRefusal).
void WriteCacheSettings(SettingsStore& settings, Prompts& prompts, const CacheFields& shown, const CacheFields& stored);

}  // namespace velmora
