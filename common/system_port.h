// The operating-system services the program's decisions need, as a port.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

class SystemPort {
 public:
  virtual ~SystemPort() = default;
  // The process's current directory; false when it cannot be read.
  virtual bool CurrentDirectory(std::string* dir) = 0;
  // The short (8.3) form of a path; false when it cannot be converted.
  virtual bool ShortPathName(const std::string& path, std::string* shortPath) = 0;
  // Starts dir + "\" + file with dir as working directory; the shell's result (<= 32: failure).
  virtual std::intptr_t RunProgram(const std::string& dir, const std::string& file) = 0;
  // Restart of Windows, other programs asked to close (only a hung one is forced); false on
  // failure (see LastError).
  virtual bool RestartWindows() = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  virtual std::uint32_t LastError() = 0;
  // Upper-cases 8-bit text in place the way the system does (CharUpperA on Windows).
  virtual void UpperCase(std::string& text) = 0;
};

}  // namespace velmora
