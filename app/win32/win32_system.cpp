#include "app/win32/win32_system.h"

#include <windows.h>
#include <shellapi.h>

#include "framework/win32/handles.h"
#include "framework/win32/system_library.h"

namespace velmora {
namespace {
constexpr DWORD kRestartReason =
    SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_MAINTENANCE | SHTDN_REASON_FLAG_PLANNED;
}  // namespace


bool CWin32System::CurrentDirectory(std::string* dir) {
  char buf[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  if (n == 0 || n >= MAX_PATH) return false;
  dir->assign(buf, n);
  return true;
}

bool CWin32System::ShortPathName(const std::string& path, std::string* shortPath) {
  char buf[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  shortPath->assign(buf, n);
  return true;
}

std::intptr_t CWin32System::RunProgram(const std::string& dir, const std::string& file) {
  const std::string path = dir + "\\" + file;
  // SHELL32 is loaded here, on the first program start, not at every start of ours; if it cannot
  // be, the answer is ShellExecuteA's own for a missing library.
  auto* run = framework::ShellLibrary().Find<decltype(::ShellExecuteA)>("ShellExecuteA");
  HINSTANCE h = run ? run(nullptr, nullptr, path.c_str(), nullptr, dir.c_str(), SW_SHOW)
                    : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  return reinterpret_cast<std::intptr_t>(h);
}

bool CWin32System::EnableShutdownPrivilege() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) {
    // A system without access tokens needs no privilege to restart.
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
  }
  framework::UniqueKernelHandle token(raw);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
  SetLastError(ERROR_SUCCESS);
  if (!m_restart.adjustPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
  // A token without the privilege still "succeeds"; only the last error (1300) tells.
  return GetLastError() == ERROR_SUCCESS;
}

bool CWin32System::RestartWindows() {
  // NT-family Windows refuses a restart (1314) from a caller whose shutdown privilege is not
  // enabled; failing to enable it is reported as the restart's failure, with its error.
  if (!EnableShutdownPrivilege()) return false;
  // Programs get the chance to save their work: only one that does not answer is ended. The
  // reason tells the event log this is a planned restart for the cache's maintenance.
  return m_restart.exitWindows(EWX_REBOOT | EWX_FORCEIFHUNG, kRestartReason) != FALSE;
}

bool CWin32System::FileExists(const std::string& path) {
  // No length limit of the old existence test; directories do not count as files.
  DWORD attrs = GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CWin32System::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

std::uint32_t CWin32System::LastError() { return GetLastError(); }

void CWin32System::UpperCase(std::string& text) { CharUpperA(text.data()); }

}  // namespace velmora
