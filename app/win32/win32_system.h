// Operating-system services over KERNEL32, USER32, ADVAPI32 and SHELL32.
#pragma once
#include <windows.h>

#include "common/system_port.h"

namespace velmora {

// The two system calls a restart makes; tests put their own in place, so nothing restarts.
struct RestartCalls {
  decltype(&::AdjustTokenPrivileges) adjustPrivileges = &::AdjustTokenPrivileges;
  decltype(&::ExitWindowsEx) exitWindows = &::ExitWindowsEx;
};

class CWin32System : public SystemPort {
 public:
  CWin32System() = default;
  explicit CWin32System(RestartCalls restart) : m_restart(restart) {}

  bool CurrentDirectory(std::string* dir) override;
  bool ShortPathName(const std::string& path, std::string* shortPath) override;
  std::intptr_t RunProgram(const std::string& dir, const std::string& file) override;
  bool RestartWindows() override;
  bool FileExists(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::uint32_t LastError() override;
  void UpperCase(std::string& text) override;

 private:
  bool EnableShutdownPrivilege();

  RestartCalls m_restart;
};

}  // namespace velmora
