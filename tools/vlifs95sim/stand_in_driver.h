// How the stand-in cache driver answers: the behaviour the program expects of the real driver
// (status with version and state, activate, deactivate, settings changed), plus the faults a
// test or a developer may ask for. Shared by vlifs95sim.exe, the tests' own driver and the
// scripted driver of the native tests, so all three behave alike.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/vlifs95sim/driver_state.h"

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

// What the driver reports after the state, in words 5-11 of the status record (buffer words
// 6-12), so that a test can see what reached it. The program carries them uninterpreted.
struct DriverReport {
  std::int32_t settingsResult = 0;  // 0, or kSettingsUnusableResult when the last read took not all
  CacheSettings inEffect;           // words 6, 7, 8: block size, maximum size, refresh timer
  std::uint32_t rejected = 0;       // word 9: kRejected... bits of the last read
  std::int32_t settingsChanges = 0; // word 10: settings-changed requests served since start
  std::int32_t cacheClears = 0;     // word 11: cache clears since start (a "ClearCache" mark)
};
constexpr std::size_t kReportFirstWord = 5;  // in the status record; one more in the buffer

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
  DriverReport& Report() { return m_report; }
  const DriverReport& Report() const { return m_report; }

  // Where request 5 re-reads the settings from; without one it only answers 0.
  using SettingsSource = std::function<CacheSettingsRead(const CacheSettings& inEffect)>;
  void SetSettingsSource(SettingsSource source) { m_settingsSource = std::move(source); }
  // Takes the settings from the source again, unasked (the policy changed): not a request.
  void RereadSettings();

  // Starts as a driver does after a restart (see TakeStartUpState).
  void StartFrom(const StartUpState& start);

 private:
  StandInSettings m_settings;
  DriverReport m_report;
  SettingsSource m_settingsSource;
};

// One log line for a request, e.g. "request 2 result 0 state 3" or "request 1 stalled".
std::string LogLine(const Answer& answer, std::int32_t stateAfter);

// The stand-in's command line. On a mistake, nullopt and the reason in *error.
struct StandInOptions {
  StandInSettings settings;
  std::string logFile;
  std::string pipeName = kDriverPipePath;
  bool registry = false;  // keep state and settings in the registry like the driver
  bool service = false;   // run under the service control manager (implies registry)
  bool help = false;
};
std::optional<StandInOptions> ParseStandInOptions(const std::vector<std::string>& args, std::string* error);
extern const char kStandInUsage[];

}  // namespace velmora::sim
