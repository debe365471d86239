// "Change settings...": the options alone in an elevated Velmora ("Velmora.exe /OPTIONS" with the
// "runas" verb), owned by the waiting sheet, which stays painted and takes no input meanwhile.
#pragma once
#include <windows.h>

namespace velmora {

// True when the elevated options ran and ended: the caller reads the settings again. A declined
// elevation prompt shows nothing; any other failure to start shows one box with the system's
// message, owned by `sheet`.
bool RunElevatedOptions(HWND sheet);

}  // namespace velmora
