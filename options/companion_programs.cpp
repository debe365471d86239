#include "options/companion_programs.h"

#include "common/error_codes.h"
#include "common/message_box_values.h"

namespace velmora {

bool StartCompanion(SystemPort& system, Prompts& prompts, const std::string& installDir,
                    const CompanionProgram& program, OwnerWindow page) {
  const std::string shownPath = installDir + program.shownTail;
  if (system.RunProgram(installDir, program.file) > 32) return true;
  prompts.ShowErrorWithArg(kErrCannotExecute, shownPath, kMbIconHand, page);
  return false;
}

}  // namespace velmora
