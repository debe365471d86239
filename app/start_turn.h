// Starts of one session take turns: one at a time goes from the look for a running palette to
// its own palette (or its end). What a start does while another has the turn.
#pragma once
#include <cstdint>

namespace velmora {

enum class StartTurn {
  kOurs,         // the turn was free or came to us: look for a palette and go on
  kHandOver,     // the other start shows a box or a dialog: bring it forward and end
  kKeepWaiting,  // the other start works unseen (its driver, its start-up picture): look again
  kUnguarded,    // waited long enough: go on as a lone start would
};

// How often a waiting start looks again, and how long it waits in all. The other start's unseen
// work is bounded (a driver that is still starting, then one driver limit), so this limit is
// only reached when that start hangs.
constexpr std::uint32_t kStartTurnLookMs = 100;
constexpr std::uint32_t kStartTurnLimitMs = 60000;

StartTurn NextStartTurn(bool turnTaken, bool otherShowsADialog, std::uint32_t waitedMs);

}  // namespace velmora
