// The options alone ("/OPTIONS") end with 1 when a value could not be stored. The sheet tells
// the user in its own boxes; this watches them pass, so whoever started the run learns it too.
#pragma once
#include "common/prompts.h"

namespace velmora {

// The boxes that say a setting was not stored: the cache values, the default agent, the
// clear-cache mark.
bool IsStoreFailure(int code);

class StoreFailureWatch : public Prompts {
 public:
  explicit StoreFailureWatch(Prompts& shown) : m_shown(shown) {}

  int ShowError(int code, unsigned flags, OwnerWindow owner = nullptr) override;
  int ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner = nullptr) override;
  int ShowMessage(unsigned stringId, unsigned flags) override { return m_shown.ShowMessage(stringId, flags); }

  bool Failed() const { return m_bFailed; }

 private:
  Prompts& m_shown;
  bool m_bFailed = false;
};

}  // namespace velmora
