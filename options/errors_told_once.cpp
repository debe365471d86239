#include "options/errors_told_once.h"

#include "common/message_box_values.h"

namespace velmora {

int ErrorsToldOnce::ShowError(int code, unsigned flags, OwnerWindow owner) {
  return FirstTime(code) ? m_prompts.ShowError(code, flags, owner) : kIdOk;
}

int ErrorsToldOnce::ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner) {
  return FirstTime(code) ? m_prompts.ShowErrorWithArg(code, arg, flags, owner) : kIdOk;
}

}  // namespace velmora
