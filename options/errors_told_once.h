// Error boxes that are shown at most once each: the Cache page's loads go through one of these
// for the whole opening of the sheet, so a value that can be neither read nor written back is
// reported once (its read error, then its write error) rather than at every load and apply.
#pragma once
#include <set>
#include <string>

#include "common/prompts.h"

namespace velmora {

class ErrorsToldOnce : public Prompts {
 public:
  explicit ErrorsToldOnce(Prompts& prompts) : m_prompts(prompts) {}

  // An error already told answers as the box's default button would, without a box.
  int ShowError(int code, unsigned flags, OwnerWindow owner = nullptr) override;
  int ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner = nullptr) override;
  // Messages are no errors: always shown.
  int ShowMessage(unsigned stringId, unsigned flags) override { return m_prompts.ShowMessage(stringId, flags); }

 private:
  bool FirstTime(int code) { return m_told.insert(code).second; }

  Prompts& m_prompts;
  std::set<int> m_told;
};

}  // namespace velmora
