#include <gtest/gtest.h>

#include "driver/pipe_server_identity.h"

namespace velmora {
namespace {

DriverServiceStatus Installed(std::uint32_t state, std::uint32_t processId) {
  DriverServiceStatus s;
  s.installed = true;
  s.state = state;
  s.processId = processId;
  return s;
}

TEST(PipeServerIdentityTest, OnlyTheInstalledServicesOwnProcessIsTheDriver) {
  const std::optional<std::uint32_t> unknown;
  const struct {
    const char* what;
    DriverServiceStatus service;
    std::optional<std::uint32_t> server;
    bool driver;
  } rows[] = {
      {"no service: whoever serves", DriverServiceStatus{}, 77u, true},
      {"no service, server unknown", DriverServiceStatus{}, unknown, true},
      {"the running service's process", Installed(kServiceRunning, 77), 77u, true},
      {"a starting service's process", Installed(kServiceStartPending, 77), 77u, true},
      {"another process while it runs", Installed(kServiceRunning, 77), 78u, false},
      {"anyone while it is stopped", Installed(kServiceStopped, 0), 0u, false},
      {"anyone while it is stopped, any id", Installed(kServiceStopped, 0), 78u, false},
      {"a server that cannot be told", Installed(kServiceRunning, 77), unknown, false},
  };
  for (const auto& r : rows) EXPECT_EQ(r.driver, PipeServerIsTheDriver(r.service, r.server)) << r.what;
}

}  // namespace
}  // namespace velmora
