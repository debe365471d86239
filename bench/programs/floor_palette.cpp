// The floor of the palette and options courses: the palette's own dialog template with its six
// pictures drawn and its icon, in plain Win32 and without our framework, importing only what
// showing it needs (KERNEL32, USER32, GDI32). Its options button hides it and runs a property
// sheet with the Cache page's template, with COMCTL32 loaded at that click as Velmora.exe
// loads it. Ends on the palette's quit message (0x069A with 0x123 / 0x543).
// Built as bench_floor_palette_ole with BENCH_FLOOR_OLE: the same plus OLE32 and the
// OleInitialize every start of Velmora.exe makes, to tell the platform's share from ours.
#include <windows.h>
#include <commctrl.h>
#ifdef BENCH_FLOOR_OLE
#include <ole2.h>
#endif

#include "common/palette_contract.h"
#include "end_messages.h"
#include "resource.h"

namespace {

HBITMAP g_pictures[3][2];  // activate, options, help; at rest, held down
const int kButtons[3] = {IDC_ACTIVATE, IDC_OPTIONS, IDC_HELP_BUTTON};
HICON g_icon = nullptr;

void LoadPictures(HINSTANCE instance) {
  const char* names[3][2] = {{"PALETTE_ACTIVATEU", "PALETTE_ACTIVATED"},
                             {"PALETTE_OPTIONSU", "PALETTE_OPTIONSD"},
                             {"PALETTE_HELPU", "PALETTE_HELPD"}};
  for (int b = 0; b < 3; ++b) {
    for (int s = 0; s < 2; ++s) g_pictures[b][s] = LoadBitmapA(instance, names[b][s]);
  }
}

void DrawPicture(const DRAWITEMSTRUCT* item) {
  for (int b = 0; b < 3; ++b) {
    if (static_cast<int>(item->CtlID) != kButtons[b]) continue;
    HBITMAP picture = g_pictures[b][(item->itemState & ODS_SELECTED) ? 1 : 0];
    HDC memory = CreateCompatibleDC(item->hDC);
    HGDIOBJ old = SelectObject(memory, picture);
    BITMAP bm{};
    GetObjectA(picture, sizeof bm, &bm);
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
}

// The palette's places: the buttons at their pictures' size under the icon, the window
// around them, centred on the screen.
void LayOut(HWND wnd) {
  BITMAP bm{};
  GetObjectA(g_pictures[0][0], sizeof bm, &bm);
  const int margin = 6, top = 36;
  for (int b = 0; b < 3; ++b) {
    SetWindowPos(GetDlgItem(wnd, kButtons[b]), nullptr, margin, top + b * bm.bmHeight, bm.bmWidth, bm.bmHeight,
                 SWP_NOZORDER);
  }
  SetWindowPos(GetDlgItem(wnd, IDC_PALETTE_FRAME), nullptr, margin - 2, top - 2, bm.bmWidth + 4,
               3 * bm.bmHeight + 4, SWP_NOZORDER);
  RECT r{0, 0, bm.bmWidth + 2 * margin, top + 3 * bm.bmHeight + margin};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(wnd, GWL_EXSTYLE)));
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(wnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
               SWP_NOZORDER);
}

INT_PTR CALLBACK PageProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A modal property sheet with the Cache page, COMCTL32 loaded on this first use.
void RunSheet(HWND owner) {
  static HMODULE comctl = LoadLibraryA("comctl32.dll");
  if (!comctl) return;
  auto* init = reinterpret_cast<decltype(::InitCommonControlsEx)*>(
      reinterpret_cast<void (*)()>(GetProcAddress(comctl, "InitCommonControlsEx")));
  auto* sheet = reinterpret_cast<decltype(::PropertySheetA)*>(
      reinterpret_cast<void (*)()>(GetProcAddress(comctl, "PropertySheetA")));
  if (!init || !sheet) return;
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  init(&icc);
  PROPSHEETPAGEA page{};
  page.dwSize = sizeof page;
  page.hInstance = GetModuleHandleA(nullptr);
  page.pszTemplate = MAKEINTRESOURCEA(IDD_CACHE_PAGE);
  page.pfnDlgProc = &PageProc;
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP;
  header.hwndParent = owner;
  header.hInstance = page.hInstance;
  header.pszCaption = "Velmora Options";
  header.nPages = 1;
  header.ppsp = &page;
  sheet(&header);
}

INT_PTR CALLBACK PaletteProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      SendMessageA(wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_icon));
      SendMessageA(wnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_icon));
      LayOut(wnd);
      return TRUE;
    case WM_DRAWITEM:
      DrawPicture(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDC_OPTIONS && HIWORD(wp) == BN_CLICKED) {
        ShowWindow(wnd, SW_HIDE);
        RunSheet(wnd);
        ShowWindow(wnd, SW_RESTORE);
      }
      return TRUE;
    default:
      return bench::AnswerEndMessage(wnd, msg, wp, lp) ? TRUE : FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef BENCH_FLOOR_OLE
  if (FAILED(OleInitialize(nullptr))) return 3;
#endif
  g_icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PALETTE));
  // The template names the palette's class: a dialog class of its own.
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = instance;
  wc.hIcon = g_icon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = velmora::kPaletteClassName;
  if (!RegisterClassA(&wc)) return 3;
  LoadPictures(instance);
  const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN_PALETTE), nullptr, &PaletteProc, 0);
  for (const auto& button : g_pictures) {
    for (HBITMAP picture : button) DeleteObject(picture);
  }
  UnregisterClassA(wc.lpszClassName, instance);
#ifdef BENCH_FLOOR_OLE
  OleUninitialize();
#endif
  return static_cast<int>(result);
}
