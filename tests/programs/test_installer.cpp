// Stands in for the client's installer in end-to-end tests. It writes what it found at its
// start into INSTALLER.LOG beside itself and ends: the working directory, the command line,
// and whether the upgrade offer (marker file, registry request) was still there.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string OwnDirectory() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of('\\'));
}

bool RequestStillThere() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\NOLVEX\\VELMORA\\General", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  const bool there = RegQueryValueExA(key, "ShouldUpgrade", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return there;
}

}  // namespace

int main() {
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, cwd);
  const std::string dir = OwnDirectory();
  const bool marker = GetFileAttributesA((std::string(cwd) + "\\UPGRADE.DAT").c_str()) != INVALID_FILE_ATTRIBUTES;

  // Written to a temporary name and renamed, so a reader never sees half a log.
  const std::string log = dir + "\\INSTALLER.LOG";
  const std::string part = log + ".part";
  FILE* f = std::fopen(part.c_str(), "w");
  if (!f) return 1;
  std::fprintf(f, "cwd=%s\ncmdline=%s\nmarker=%d\nrequest=%d\n", cwd, GetCommandLineA(), marker ? 1 : 0,
               RequestStillThere() ? 1 : 0);
  std::fclose(f);
  return MoveFileExA(part.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
