#include "tests/e2e/palette_fixture.h"

#include <gtest/gtest.h>

#include "common/palette_contract.h"
#include "framework/win32/handles.h"

namespace palette_e2e {

using namespace std::chrono_literals;

HWND WaitForPalette(const robot::Process& p) {
  HWND palette = robot::WaitForTopWindow(p.Pid(), velmora::kPaletteClassName, "Corvane Velmora", 10s);
  EXPECT_NE(nullptr, palette) << "the palette did not open";
  // Let it finish painting before anyone looks at it.
  robot::WaitUntil([] { return false; }, 300ms);
  return palette;
}

RECT ScreenRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

void ClickWithTheMouse(HWND wnd) {
  const RECT r = ScreenRect(wnd);
  INPUT in[3] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = ((r.left + r.right) / 2 * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
    i.mi.dy = ((r.top + r.bottom) / 2 * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
  }
  in[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
  in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(3, in, sizeof(INPUT));
  robot::WaitUntil([] { return false; }, 300ms);  // let the click arrive
}

bool ClickUntil(HWND wnd, const std::function<bool()>& answered) {
  const HWND top = GetAncestor(wnd, GA_ROOT);
  for (int click = 0; click < 3; ++click) {
    if (click > 0) {
      // Away and back, with the window in front again, as the person's next try would be.
      SetCursorPos(0, 0);
      SetForegroundWindow(top);
      WaitUntilTakesInput(top);
    }
    ClickWithTheMouse(wnd);
    if (robot::WaitUntil(answered, 4s)) return true;
  }
  return false;
}

bool WaitUntilTakesInput(HWND wnd) {
  if (!robot::WaitUntil([&] { return IsWindowEnabled(wnd) != FALSE; }, 5s)) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

RECT RectRelativeTo(HWND wnd, HWND origin) {
  RECT r = ScreenRect(wnd);
  const RECT o = ScreenRect(origin);
  OffsetRect(&r, -o.left, -o.top);
  return r;
}

namespace {

Pixels ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
  Pixels out;
  out.width = width;
  out.height = height;
  out.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), out.rgb.data(), &bi, DIB_RGB_COLORS);
  for (auto& px : out.rgb) px &= 0x00FFFFFFu;
  return out;
}

}  // namespace

Pixels CaptureScreen(const RECT& r) {
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  framework::UniqueMemoryDc memory(CreateCompatibleDC(screen));
  framework::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, w, h));
  {
    framework::SelectGuard select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  }
  Pixels out = ReadBitmap(screen, bitmap.get(), w, h);
  ReleaseDC(nullptr, screen);
  return out;
}

Pixels ProgramPicture(const char* name) {
  const std::string path = robot::ProgramDir() + "\\Velmora.exe";
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  Pixels out;
  if (!module) return out;
  framework::UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, 0)));
  if (bitmap) {
    BITMAP bm{};
    GetObjectA(bitmap.get(), sizeof bm, &bm);
    HDC screen = GetDC(nullptr);
    out = ReadBitmap(screen, bitmap.get(), bm.bmWidth, bm.bmHeight);
    ReleaseDC(nullptr, screen);
  }
  FreeLibrary(module);
  return out;
}

Pixels ProgramIcon(int id, int side, COLORREF ground) {
  const std::string path = robot::ProgramDir() + "\\Velmora.exe";
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  Pixels out;
  if (!module) return out;
  framework::UniqueIcon icon(static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, side, side, 0)));
  HDC screen = GetDC(nullptr);
  framework::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, side, side));
  framework::UniqueMemoryDc dc(CreateCompatibleDC(screen));
  if (icon && bitmap && dc) {
    {
      framework::SelectGuard select(dc.get(), bitmap.get());
      const RECT all{0, 0, side, side};
      framework::UniqueHandle<framework::GdiObjectTraits<HBRUSH>> brush(CreateSolidBrush(ground));
      FillRect(dc.get(), &all, brush.get());
      DrawIconEx(dc.get(), 0, 0, icon.get(), side, side, 0, nullptr, DI_NORMAL);
    }
    out = ReadBitmap(screen, bitmap.get(), side, side);
  }
  ReleaseDC(nullptr, screen);
  FreeLibrary(module);
  return out;
}

int DifferentPixels(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height) return std::max(a.width * a.height, b.width * b.height);
  int n = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) n += a.rgb[i] != b.rgb[i];
  return n;
}

}  // namespace palette_e2e
