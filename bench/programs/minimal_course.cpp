// The platform work the command-line course cannot avoid, and nothing else: OLE
// initialisation, six status exchanges with the driver over its pipe, one registry open and
// close. It imports from the same system libraries as Velmora.exe, so the loader does the
// same work.
#include <windows.h>
#include <ole2.h>

#include <cstdint>

#include "bench/programs/same_libraries.h"

namespace {

constexpr DWORD kExchangeBytes = 6132;
constexpr int kStatusRequests = 6;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  bench::ImportTheSameLibraries();
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
