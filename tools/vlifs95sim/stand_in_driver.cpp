#include "tools/vlifs95sim/stand_in_driver.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace velmora::sim {
namespace {

constexpr std::size_t kBufferBytes = 6132;

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t index, std::int32_t value) {
  std::memcpy(bytes.data() + index * 4, &value, 4);
}

bool ParseInt(const std::string& text, std::int32_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
  *value = static_cast<std::int32_t>(v);
  return true;
}

bool ParseVersion(const std::string& text, std::array<std::int32_t, 4>* version) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t dot = i < 3 ? text.find('.', start) : std::string::npos;
    if (i < 3 && dot == std::string::npos) return false;
    if (!ParseInt(text.substr(start, dot == std::string::npos ? std::string::npos : dot - start), &(*version)[i]))
      return false;
    start = dot + 1;
  }
  return true;
}

}  // namespace

const char kStandInUsage[] =
    "vlifs95sim: stands in for the VLIFS95 cache driver on \\\\.\\pipe\\VLIFS95\n"
    "  --state N            state to report (3 active, 4 inactive; default 4)\n"
    "  --version A.B.C.D    version to report (default 4.5.1.370)\n"
    "  --refuse CODE=RESULT answer request CODE with RESULT and do not carry it out\n"
    "  --stall              answer no request at all\n"
    "  --stall-on CODE      answer no request with this code\n"
    "  --short BYTES        send only the first BYTES bytes of every answer\n"
    "  --log FILE           append one line per request received\n"
    "  --pipe NAME          serve another pipe (default \\\\.\\pipe\\VLIFS95)\n"
    "  --registry           start from ActivateState, honour a ClearCache mark once, and\n"
    "                       re-read the cache settings on request 5\n"
    "  --service            run as the Windows service (with --registry)\n";

Answer StandInDriver::Serve(const std::uint8_t* request, std::size_t size) {
  Answer answer;
  if (size >= 4) std::memcpy(&answer.request, request, 4);
  if (m_settings.stallAll || m_settings.stallOn.count(answer.request)) {
    answer.stalled = true;
    return answer;
  }
  // The answer is the request's buffer with the driver's words written over it.
  answer.reply.assign(kBufferBytes, 0);
  std::memcpy(answer.reply.data(), request, std::min(size, kBufferBytes));

  const auto refusal = m_settings.refusals.find(answer.request);
  if (refusal != m_settings.refusals.end()) {
    answer.result = refusal->second;
  } else {
    switch (answer.request) {
      case 1: {
        for (std::size_t i = 0; i < 4; ++i) PutWord(answer.reply, 1 + i, m_settings.version[i]);
        PutWord(answer.reply, 5, m_settings.state);
        const std::int32_t report[] = {m_report.settingsResult,
                                       m_report.inEffect.blockSize,
                                       m_report.inEffect.maxSize,
                                       m_report.inEffect.refreshTimer,
                                       static_cast<std::int32_t>(m_report.rejected),
                                       m_report.settingsChanges,
                                       m_report.cacheClears};
        for (std::size_t i = 0; i < std::size(report); ++i) PutWord(answer.reply, 1 + kReportFirstWord + i, report[i]);
        break;
      }
      case 2: m_settings.state = 3; break;
      case 3: m_settings.state = 4; break;
      case 5:
        ++m_report.settingsChanges;
        if (m_settingsSource) {
          const CacheSettingsRead read = m_settingsSource(m_report.inEffect);
          m_report.inEffect = read.inEffect;
          m_report.rejected = read.rejected;
          m_report.settingsResult = answer.result = read.Result();
        }
        break;
      default: answer.result = kUnknownRequestResult; break;
    }
  }
  PutWord(answer.reply, 0, answer.result);
  if (m_settings.shortReply) answer.reply.resize(std::min(*m_settings.shortReply, kBufferBytes));
  return answer;
}

void StandInDriver::RereadSettings() {
  if (!m_settingsSource) return;
  const CacheSettingsRead read = m_settingsSource(m_report.inEffect);
  m_report.inEffect = read.inEffect;
  m_report.rejected = read.rejected;
  m_report.settingsResult = read.Result();
}

void StandInDriver::StartFrom(const StartUpState& start) {
  m_settings.state = start.state;
  m_report.inEffect = start.settings.inEffect;
  m_report.rejected = start.settings.rejected;
  m_report.settingsResult = start.settings.Result();
  if (start.cacheCleared) ++m_report.cacheClears;
}

std::string LogLine(const Answer& answer, std::int32_t stateAfter) {
  std::string line = "request " + std::to_string(answer.request);
  if (answer.stalled) return line + " stalled";
  return line + " result " + std::to_string(answer.result) + " state " + std::to_string(stateAfter);
}

std::optional<StandInOptions> ParseStandInOptions(const std::vector<std::string>& args, std::string* error) {
  StandInOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    const bool takesValue = name == "--state" || name == "--version" || name == "--refuse" ||
                            name == "--stall-on" || name == "--short" || name == "--log" || name == "--pipe";
    if (name == "--help" || name == "-h" || name == "/?") {
      options.help = true;
      continue;
    }
    if (name == "--stall") {
      options.settings.stallAll = true;
      continue;
    }
    if (name == "--registry" || name == "--service") {
      options.registry = true;
      options.service = options.service || name == "--service";
      continue;
    }
    if (!takesValue) {
      *error = "unknown option " + name;
      return std::nullopt;
    }
    if (i + 1 >= args.size()) {
      *error = name + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    bool ok = true;
    std::int32_t n = 0;
    if (name == "--state") {
      ok = ParseInt(value, &options.settings.state);
    } else if (name == "--version") {
      ok = ParseVersion(value, &options.settings.version);
    } else if (name == "--refuse") {
      const std::size_t eq = value.find('=');
      std::int32_t result = 0;
      ok = eq != std::string::npos && ParseInt(value.substr(0, eq), &n) && ParseInt(value.substr(eq + 1), &result);
      if (ok) options.settings.refusals[n] = result;
    } else if (name == "--stall-on") {
      ok = ParseInt(value, &n);
      if (ok) options.settings.stallOn.insert(n);
    } else if (name == "--short") {
      ok = ParseInt(value, &n) && n >= 0;
      if (ok) options.settings.shortReply = static_cast<std::size_t>(n);
    } else if (name == "--log") {
      options.logFile = value;
    } else {
      options.pipeName = value;
    }
    if (!ok) {
      *error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace velmora::sim
