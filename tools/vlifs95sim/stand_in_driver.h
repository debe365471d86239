// How the stand-in cache driver answers: the behaviour the program expects of the real driver
// (status with version and state, activate, deactivate, settings changed), plus the faults a
// test or a developer may ask for. Shared by vlifs95sim.exe, the tests' own driver and the
// scripted driver of the native tests, so all three behave alike.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velmora::sim {

// The result for a request code the driver does not know.
constexpr std::int32_t kUnknownRequestResult = 1;

struct StandInSettings {
  std::int32_t state = 4;  // 3 active, 4 inactive
  std::array<std::int32_t, 4> version{4, 5, 1, 370};
  std::map<std::int32_t, std::int32_t> refusals;  // request code -> result it gets instead
  bool stallAll = false;                          // answer nothing at all
  std::set<std::int32_t> stallOn;                 // answer nothing to these codes
  std::optional<std::size_t> shortReply;          // answer only this many bytes
};

struct Answer {
  std::int32_t request = 0;  // word 0 of what came in (0 when it was shorter than a word)
  std::int32_t result = 0;
  bool stalled = false;            // nothing is sent back
  std::vector<std::uint8_t> reply;  // the bytes to send back
};

class StandInDriver {
 public:
  explicit StandInDriver(StandInSettings settings = {}) : m_settings(std::move(settings)) {}

  // Carries out one request and gives the answer to send.
  Answer Serve(const std::uint8_t* request, std::size_t size);

  StandInSettings& Settings() { return m_settings; }
  const StandInSettings& Settings() const { return m_settings; }

 private:
  StandInSettings m_settings;
};

// One log line for a request, e.g. "request 2 result 0 state 3" or "request 1 stalled".
std::string LogLine(const Answer& answer, std::int32_t stateAfter);

// The stand-in's command line. On a mistake, nullopt and the reason in *error.
struct StandInOptions {
  StandInSettings settings;
  std::string logFile;
  std::string pipeName = "\\\\.\\pipe\\VLIFS95";
  bool help = false;
};
std::optional<StandInOptions> ParseStandInOptions(const std::vector<std::string>& args, std::string* error);
extern const char kStandInUsage[];

}  // namespace velmora::sim
