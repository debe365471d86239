// Entry point of Velmora.exe.
#include <windows.h>

#include "app/win32/palette_app.h"

namespace {
velmora::CPaletteApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
  return framework::AfxWinMain(instance, cmdLine);
}
