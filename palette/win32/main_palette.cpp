#include "palette/win32/main_palette.h"

#include "common/help_file.h"
#include "driver/activation.h"
#include "framework/win32/handles.h"
#include "framework/win32/html_help.h"
#include "framework/win32/keyboard_cues.h"
#include "framework/win32/message_box.h"
#include "framework/win32/resource_string.h"
#include "framework/win32/win_app.h"
#include "framework/win32/window_dpi.h"
#include "palette/art_scale.h"
#include "palette/palette_choices.h"
#include "palette/palette_layout.h"
#include "palette/win32/about_box.h"
#include "resource.h"

namespace velmora {
namespace {

const DWORD kPaletteHelpContext = 2000;

POINT TopLeftInClient(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  POINT p{r.left, r.top};
  ScreenToClient(parent, &p);
  return p;
}

// The picture resource `name` drawn for `percent`.
std::string Scaled(const char* name, int percent) { return ScaledPictureName(name, percent); }

void MoveTo(HWND wnd, PalettePoint p) {
  SetWindowPos(wnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// What a screen reader says for a button: the words of its picture, from the string table.
void NameButton(CPaletteButton& button, const ButtonPictureNames& pictures) {
  button.SetAccessibleName(framework::LoadResourceString(pictures.spokenName));
}

}  // namespace

// The state is asked at once (its request belongs to start-up); the icon and the pictures wait
// for the window: a command-line change that shows no palette never draws them.
CMainPalette::CMainPalette(const PaletteServices& services, HWND parent)
    : CDialog(IDD_MAIN_PALETTE, parent), m_nActivationState(services.driver.IsActive()), m_services(services) {}

void CMainPalette::LoadPictures() {
  LoadActivatePictures();
  m_btnOptions.LoadBitmaps(Scaled(kOptionsPictures.normal, m_nArtPercent).c_str(),
                           Scaled(kOptionsPictures.selected, m_nArtPercent).c_str());
  m_btnHelp.LoadBitmaps(Scaled(kHelpPictures.normal, m_nArtPercent).c_str(),
                        Scaled(kHelpPictures.selected, m_nArtPercent).c_str());
}

CMainPalette::~CMainPalette() = default;

void CMainPalette::LoadActivatePictures() {
  const ButtonPictureNames names = ActivatePictureNames(m_nActivationState);
  m_btnActivate.LoadBitmaps(Scaled(names.normal, m_nArtPercent).c_str(),
                            Scaled(names.selected, m_nArtPercent).c_str());
  NameButton(m_btnActivate, names);  // on a toggle this announces the new action
}

BOOL CMainPalette::DestroyWindow() {
  // A help window opened from the palette or its options closes with it.
  framework::CloseHelpWindows();
  return CDialog::DestroyWindow();
}

void CMainPalette::DoDataExchange(framework::CDataExchange* dx) {
  framework::DDX_Control(dx, IDC_PALETTE_ICON, m_wndIcon);
  framework::DDX_Control(dx, IDC_OPTIONS, m_btnOptions);
  framework::DDX_Control(dx, IDC_HELP_BUTTON, m_btnHelp);
  framework::DDX_Control(dx, IDC_ACTIVATE, m_btnActivate);
}

BOOL CMainPalette::OnInitDialog() {
  CDialog::OnInitDialog();

  const std::string about = framework::LoadResourceString(IDS_ABOUTBOX);
  if (!about.empty()) {
    HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    if (menu) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      AppendMenuA(menu, MF_STRING, kAboutCommand, about.c_str());
    }
  }
  m_hIcon = LoadIconA(framework::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_PALETTE));
  // The pictures drawn for the scale of the monitor the window opens on.
  m_nDpi = static_cast<int>(framework::WindowDpi(m_hWnd));
  m_nArtPercent = ArtScalePercent(m_nDpi);
  LoadPictures();
  SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  // The buttons' focus rectangle waits for the keyboard.
  framework::InitializeKeyboardCues(m_hWnd);
  m_btnActivate.SizeToContent();
  m_btnOptions.SizeToContent();
  m_btnHelp.SizeToContent();
  NameButton(m_btnActivate, ActivatePictureNames(m_nActivationState));
  NameButton(m_btnOptions, kOptionsPictures);
  NameButton(m_btnHelp, kHelpPictures);
  LayOut();
  // From here a start at the same moment finds this palette and hands over to it.
  if (m_services.shown) m_services.shown();
  return TRUE;
}

void CMainPalette::LayOut(const RECT* placed) {
  HWND frame = GetDlgItem(m_hWnd, IDC_PALETTE_FRAME);
  const POINT frameTopLeft = TopLeftInClient(m_hWnd, frame);

  // The button's client rectangle widened by its borders (none) gives its window size.
  RECT button{};
  GetClientRect(m_btnActivate.m_hWnd, &button);
  AdjustWindowRectEx(&button, static_cast<DWORD>(GetWindowLongA(m_btnActivate.m_hWnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(m_btnActivate.m_hWnd, GWL_EXSTYLE)));
  RECT icon{};
  GetClientRect(m_wndIcon.m_hWnd, &icon);

  PaletteMetrics m;
  m.frameLeft = frameTopLeft.x;
  m.frameTop = frameTopLeft.y;
  m.buttonWidth = button.right - button.left;
  m.buttonHeight = button.bottom - button.top;
  m.iconWidth = icon.right - icon.left;
  m.iconHeight = icon.bottom - icon.top;
  m.cxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
  m.cyDlgFrame = GetSystemMetrics(SM_CYDLGFRAME);
  m.cyCaption = GetSystemMetrics(SM_CYCAPTION);
  m.cxScreen = GetSystemMetrics(SM_CXSCREEN);
  m.cyScreen = GetSystemMetrics(SM_CYSCREEN);
  m.dpi = m_nDpi;
  PaletteLayout l = ComputePaletteLayout(m);
  if (placed) l.window = {placed->left, placed->top};

  MoveTo(m_wndIcon.m_hWnd, l.icon);
  MoveTo(m_btnActivate.m_hWnd, l.activate);
  MoveTo(m_btnOptions.m_hWnd, l.options);
  MoveTo(m_btnHelp.m_hWnd, l.help);
  SetWindowPos(frame, nullptr, l.frame.x, l.frame.y, l.frameWidth, l.frameHeight, SWP_NOZORDER);
  SetWindowPos(m_hWnd, nullptr, l.window.x, l.window.y, l.windowWidth, l.windowHeight, SWP_NOZORDER);
}

bool CMainPalette::OnCommand(WPARAM wp, LPARAM lp) {
  if (HIWORD(wp) == BN_CLICKED) {
    switch (LOWORD(wp)) {
      case IDC_ACTIVATE:
        OnToggle();
        return true;
      case IDC_OPTIONS:
        OnOptions();
        return true;
      case IDC_HELP_BUTTON:
        OnHelp();
        return true;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wp, lp);
}

bool CMainPalette::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_SYSCOMMAND:
      if (!IsAboutCommand(static_cast<unsigned>(wp))) return false;
      OnAbout();
      *result = 0;
      return true;
    case WM_PAINT:
      if (!IsIconic(m_hWnd)) return false;
      PaintMinimised();
      *result = 0;
      return true;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      *result = 0;
      return true;
    case WM_QUERYDRAGICON:
      *result = reinterpret_cast<LRESULT>(m_hIcon);
      return true;
    case WM_HELP:  // F1, on the palette or any of its buttons
      OnHelp();
      *result = TRUE;
      return true;
    case kQuitMessage:
      if (IsQuitRequest(wp, lp)) {
        framework::CloseHelpWindows();
        PostQuitMessage(0);
      }
      *result = 0;
      return true;
    // The palette holds nothing unsaved: the session may end, and when it does (or the system's
    // installer closes applications to update them) the palette ends as its quit request ends it.
    case WM_QUERYENDSESSION:
      *result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wp) {
        framework::CloseHelpWindows();
        PostQuitMessage(0);
      }
      *result = 0;
      return true;
    default:
      return false;
  }
}

// Moved to a monitor of another scale: the pictures drawn for it, the frame and the icon
// control scaled as the dialog manager would have placed them, everything laid out again at
// the place the system suggests.
void CMainPalette::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || dpi == m_nDpi) {
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  const int old = m_nDpi;
  m_nDpi = dpi;
  m_nArtPercent = ArtScalePercent(dpi);
  LoadPictures();
  m_btnActivate.SizeToContent();
  m_btnOptions.SizeToContent();
  m_btnHelp.SizeToContent();

  HWND frame = GetDlgItem(m_hWnd, IDC_PALETTE_FRAME);
  const POINT f = TopLeftInClient(m_hWnd, frame);
  SetWindowPos(frame, nullptr, MulDiv(f.x, dpi, old), MulDiv(f.y, dpi, old), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT icon{};
  GetWindowRect(m_wndIcon.m_hWnd, &icon);
  const int side = ScaleToDpi(32, dpi);
  m_hFrameIcon.reset(static_cast<HICON>(
      LoadImageA(framework::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_VELMORA), IMAGE_ICON, side, side, 0)));
  if (m_hFrameIcon) SendMessageA(m_wndIcon.m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(m_hFrameIcon.get()), 0);
  SetWindowPos(m_wndIcon.m_hWnd, nullptr, 0, 0, MulDiv(icon.right - icon.left, dpi, old),
               MulDiv(icon.bottom - icon.top, dpi, old), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut(&suggested);
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CMainPalette::OnToggle() {
  const int old = m_nActivationState;
  {
    DriverAction toggle(m_services.driver);
    SetActivation(m_services.driver, m_services.settings, m_services.prompts, old == 0 ? 1 : 0);
    m_nActivationState = m_services.driver.IsActive();
  }
  LoadActivatePictures();
  InvalidateRect(m_btnActivate.m_hWnd, nullptr, TRUE);
  if (const unsigned message = ToggleMessage(old, m_nActivationState)) {
    framework::AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  }
}

void CMainPalette::OnOptions() {
  ShowWindow(m_hWnd, SW_HIDE);
  if (m_services.runOptions) m_services.runOptions(m_hWnd);
  ShowWindow(m_hWnd, SW_RESTORE);
}

void CMainPalette::OnHelp() {
  framework::ShowHelpTopic(framework::FileBesideProgram(kHelpFile), HelpTopic(kPaletteHelpContext));
}

void CMainPalette::OnAbout() {
  CAboutBox about;
  about.DoModal();
}

void CMainPalette::PaintMinimised() {
  framework::CPaintDC dc(m_hWnd);
  SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
  RECT client{};
  GetClientRect(m_hWnd, &client);
  const PalettePoint at = MinimisedIconOrigin(client.right - client.left, client.bottom - client.top,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  DrawIcon(dc.get(), at.x, at.y, m_hIcon);
}

}  // namespace velmora
