// A scripted operating system: records what the code under test asks of it.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "common/system_port.h"
#include "common/upper_case.h"

namespace velmora::testing {

class FakeSystem : public SystemPort {
 public:
  bool CurrentDirectory(std::string* dir) override {
    if (!currentDirectory) return false;
    *dir = *currentDirectory;
    return true;
  }
  bool ShortPathName(const std::string& path, std::string* shortPath) override {
    if (shortForm.empty()) return false;
    *shortPath = shortForm;
    (void)path;
    return true;
  }
  std::intptr_t RunProgram(const std::string& dir, const std::string& file) override {
    started.push_back(dir + "\\" + file);
    startedDirs.push_back(dir);
    return runResult;
  }
  bool RestartWindows() override {
    ++restarts;
    return restartSucceeds;
  }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  bool RemoveFile(const std::string& path) override {
    deleted.push_back(path);
    return files.erase(path) != 0;
  }
  std::uint32_t LastError() override { return lastError; }
  void UpperCase(std::string& text) override { text = UpperCase8Bit(text); }

  const std::string* currentDirectory = nullptr;
  std::string shortForm;
  std::intptr_t runResult = 42;
  bool restartSucceeds = true;
  std::uint32_t lastError = 0;
  int restarts = 0;
  std::set<std::string> files;
  std::vector<std::string> started, startedDirs, deleted;
};

}  // namespace velmora::testing
