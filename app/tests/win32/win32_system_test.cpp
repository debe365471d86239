// The restart through the system port, with the system's restart call replaced: nothing here
// restarts anything. The restart is planned and lets other programs save (never forced); the
// privilege it needs is enabled first, and a refusal of either step
// reads as the restart's failure with that step's error.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/win32/win32_system.h"
#include "framework/win32/handles.h"

namespace velmora {
namespace {

// What the replaced restart call saw.
struct RestartSeen {
  int calls = 0;
  UINT flags = 0;
  DWORD reason = 0;
  bool privilegeEnabled = false;
};
RestartSeen g_seen;
DWORD g_restartError = ERROR_SUCCESS;  // the error the replaced call fails with; 0: it succeeds
DWORD g_adjustError = ERROR_SUCCESS;   // the last error the replaced privilege call leaves
BOOL g_adjustResult = TRUE;

// 1 enabled, 0 present but not enabled, -1 not in the token.
int ShutdownPrivilegeState() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return -1;
  framework::UniqueKernelHandle token(raw);
  LUID shutdown{};
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown)) return -1;
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenPrivileges, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token.get(), TokenPrivileges, buffer.data(), size, &size)) return -1;
  const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
    if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart) {
      return (p.Attributes & SE_PRIVILEGE_ENABLED) ? 1 : 0;
    }
  }
  return -1;
}

void SetShutdownPrivilege(bool enabled) {
  HANDLE raw = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw));
  framework::UniqueKernelHandle token(raw);
  TOKEN_PRIVILEGES tp{};
  tp.PrivilegeCount = 1;
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid));
  tp.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
  ASSERT_TRUE(AdjustTokenPrivileges(token.get(), FALSE, &tp, 0, nullptr, nullptr));
}

BOOL WINAPI RecordRestart(UINT flags, DWORD reason) {
  ++g_seen.calls;
  g_seen.flags = flags;
  g_seen.reason = reason;
  g_seen.privilegeEnabled = ShutdownPrivilegeState() == 1;
  if (g_restartError == ERROR_SUCCESS) return TRUE;
  SetLastError(g_restartError);
  return FALSE;
}

BOOL WINAPI ScriptedAdjust(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD) {
  SetLastError(g_adjustError);
  return g_adjustResult;
}

class RestartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen = {};
    g_restartError = ERROR_SUCCESS;
    g_adjustError = ERROR_SUCCESS;
    g_adjustResult = TRUE;
  }
  void TearDown() override { SetShutdownPrivilege(false); }
};

TEST_F(RestartTest, ShutdownPrivilegeIsEnabledBeforeAPlannedRestartThatLetsProgramsSave) {
  ASSERT_NE(-1, ShutdownPrivilegeState()) << "the test token lacks the shutdown privilege";
  SetShutdownPrivilege(false);
  ASSERT_EQ(0, ShutdownPrivilegeState());
  RestartCalls calls;
  calls.exitWindows = &RecordRestart;
  CWin32System system(calls);
  EXPECT_TRUE(system.RestartWindows());
  EXPECT_EQ(1, g_seen.calls);
  // Never EWX_FORCE: other programs are asked to close and may save their work.
  EXPECT_EQ(static_cast<UINT>(EWX_REBOOT | EWX_FORCEIFHUNG), g_seen.flags);
  EXPECT_EQ(static_cast<DWORD>(SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_MAINTENANCE |
                               SHTDN_REASON_FLAG_PLANNED),
            g_seen.reason);
  EXPECT_TRUE(g_seen.privilegeEnabled);

  // The call's own refusal, as before: false, with its error.
  g_restartError = ERROR_PRIVILEGE_NOT_HELD;
  EXPECT_FALSE(system.RestartWindows());
  EXPECT_EQ(static_cast<std::uint32_t>(ERROR_PRIVILEGE_NOT_HELD), system.LastError());
}

TEST_F(RestartTest, PrivilegeThatCannotBeEnabledFailsTheRestartWithItsError) {
  RestartCalls calls;
  calls.exitWindows = &RecordRestart;
  calls.adjustPrivileges = &ScriptedAdjust;
  CWin32System system(calls);
  // A token without the privilege: the call returns TRUE and says so only in the last error.
  g_adjustError = ERROR_NOT_ALL_ASSIGNED;
  EXPECT_FALSE(system.RestartWindows());
  EXPECT_EQ(static_cast<std::uint32_t>(ERROR_NOT_ALL_ASSIGNED), system.LastError());
  // Refused outright.
  g_adjustResult = FALSE;
  g_adjustError = ERROR_ACCESS_DENIED;
  EXPECT_FALSE(system.RestartWindows());
  EXPECT_EQ(static_cast<std::uint32_t>(ERROR_ACCESS_DENIED), system.LastError());
  EXPECT_EQ(0, g_seen.calls);
}

}  // namespace
}  // namespace velmora
