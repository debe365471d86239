#include "palette/win32/main_palette.h"

#include "app/win32/palette_app.h"
#include "resource.h"

namespace velmora {

CMainPalette::CMainPalette(HWND parent)
    : CDialog(IDD_MAIN_PALETTE, parent), m_nActivationState(App().m_driver.IsActive()) {}

}  // namespace velmora
