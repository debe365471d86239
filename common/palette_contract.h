// The palette's contract with other programs: they find a running palette by its window class
// and may ask it to close with its quit message, exactly these parameters. SETUP.EXE, the
// tools and the tests rely on it; the palette's template names the class too (res/palette.rc).
#pragma once

#define VELMORA_PALETTE_CLASS "VelmoraMainPalette"

#ifndef RC_INVOKED
namespace velmora {

constexpr const char kPaletteClassName[] = VELMORA_PALETTE_CLASS;
constexpr unsigned kQuitMessage = 0x069A;  // WM_USER + 666
constexpr unsigned long long kQuitWParam = 0x123;
constexpr long long kQuitLParam = 0x543;

}  // namespace velmora
#endif
