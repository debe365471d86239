// Operating-system services over KERNEL32, USER32 and SHELL32.
#pragma once
#include "app/system_port.h"

namespace velmora {

class CWin32System : public SystemPort {
 public:
  bool CurrentDirectory(std::string* dir) override;
  bool ShortPathName(const std::string& path, std::string* shortPath) override;
  std::intptr_t RunProgram(const std::string& dir, const std::string& file) override;
  bool RestartWindows() override;
  bool FileExists(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::uint32_t LastError() override;
};

}  // namespace velmora
