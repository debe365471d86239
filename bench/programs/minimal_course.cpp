// The platform work the command-line course cannot avoid, and nothing else: OLE
// initialisation, six status exchanges with the driver over its pipe, one registry open and
// close. Built two ways:
//   bench_floor_course     importing only what that work needs: KERNEL32, USER32, ADVAPI32,
//                          OLE32 (the floor of the course);
//   bench_minimal_course   importing the system libraries Velmora.exe imported before it
//                          loaded COMCTL32, COMDLG32 and SHELL32 on first use.
#include <windows.h>
#include <ole2.h>

#include <cstdint>

#ifdef BENCH_SAME_LIBRARIES
#include "bench/programs/same_libraries.h"
#endif

namespace {

constexpr DWORD kExchangeBytes = 6132;
constexpr int kStatusRequests = 6;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
#ifdef BENCH_SAME_LIBRARIES
  bench::ImportTheSameLibraries();
#else
  // USER32 as an import of its own, as the course needs it; referenced, never called.
  volatile bool never = GetTickCount() == 0xFFFFFFFFu && GetCurrentProcessId() == 0;
  if (never) GetDesktopWindow();
#endif
  if (FAILED(OleInitialize(nullptr))) return 3;

  static std::int32_t request[kExchangeBytes / 4];
  static std::int32_t reply[kExchangeBytes / 4];
  int failed = 0;
  for (int i = 0; i < kStatusRequests; ++i) {
    request[0] = 1;  // status
    DWORD got = 0;
    if (!CallNamedPipeA("\\\\.\\pipe\\VLIFS95", request, kExchangeBytes, reply, kExchangeBytes, &got, 5000) ||
        got < 4) {
      ++failed;
    }
  }

  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nolvex\\Velmora", 0, KEY_READ, &key) == ERROR_SUCCESS) {
    RegCloseKey(key);
  }

  OleUninitialize();
  return failed == 0 ? 0 : 2;
}
