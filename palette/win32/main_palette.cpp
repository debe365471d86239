#include "palette/win32/main_palette.h"

#include "resource.h"

namespace velmora {

CMainPalette::CMainPalette(HWND parent) : CDialog(IDD_MAIN_PALETTE, parent) {}

}  // namespace velmora
