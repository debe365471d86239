#include "app/start_turn.h"

namespace velmora {

StartTurn NextStartTurn(bool turnTaken, bool otherShowsADialog, std::uint32_t waitedMs) {
  if (turnTaken) return StartTurn::kOurs;
  // The user asked again while the other start waits for an answer: show them the question.
  if (otherShowsADialog) return StartTurn::kHandOver;
  return waitedMs >= kStartTurnLimitMs ? StartTurn::kUnguarded : StartTurn::kKeepWaiting;
}

}  // namespace velmora
