// The palette's window pieces in-process: picture buttons, the system menu entry, the
// start-up picture's lifetime.
#include <oleacc.h>
#include <servprov.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "app/win32/palette_app.h"
#include "common/palette_contract.h"
#include "framework/win32/bitmap_button.h"
#include "palette/win32/main_palette.h"
#include "palette/win32/startup_splash.h"
#include "resource.h"
#include "tests/robot/accessibility.h"
#include "tests/robot/robot.h"

namespace velmora {
namespace {

using framework::ButtonPicture;
using namespace std::chrono_literals;

TEST(BitmapButtonTest, LoadingReplacesTheWholeSetAndStopsAtAMissingNormalPicture) {
  framework::CBitmapButton button;
  EXPECT_TRUE(button.LoadBitmaps("PALETTE_ACTIVATEU", "PALETTE_ACTIVATED"));
  const HBITMAP activate = button.Picture(ButtonPicture::Normal).GetSafeHandle();
  ASSERT_NE(nullptr, activate);
  EXPECT_TRUE(button.LoadBitmaps("PALETTE_DEACTIVATEU", "PALETTE_DEACTIVATED"));
  EXPECT_NE(activate, button.Picture(ButtonPicture::Normal).GetSafeHandle());
  // The earlier pictures were deleted, not kept.
  BITMAP bm{};
  EXPECT_EQ(0, GetObjectA(activate, sizeof bm, &bm));

  EXPECT_FALSE(button.LoadBitmaps("NO_SUCH_PICTURE", "PALETTE_HELPD"));
  for (auto which : {ButtonPicture::Normal, ButtonPicture::Selected, ButtonPicture::Focus, ButtonPicture::Disabled}) {
    EXPECT_FALSE(button.Picture(which)) << static_cast<int>(which);
  }
  // A missing optional picture: false, the others loaded.
  EXPECT_FALSE(button.LoadBitmaps("PALETTE_HELPU", "NO_SUCH_PICTURE", "PALETTE_HELPD"));
  EXPECT_TRUE(button.Picture(ButtonPicture::Normal));
  EXPECT_FALSE(button.Picture(ButtonPicture::Selected));
  EXPECT_TRUE(button.Picture(ButtonPicture::Focus));
}

TEST(BitmapButtonTest, SizeToContentTakesThePictureSizeAndKeepsThePlace) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
  HWND wnd = CreateWindowExA(0, "BUTTON", "&V", WS_CHILD | BS_OWNERDRAW, 7, 9, 300, 100, parent, nullptr, nullptr, nullptr);
  framework::CBitmapButton button;
  button.Attach(wnd);
  button.LoadBitmaps("PALETTE_OPTIONSU", "PALETTE_OPTIONSD");
  button.SizeToContent();
  RECT r{};
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(7, r.left);
  EXPECT_EQ(9, r.top);
  EXPECT_EQ(176, r.right - r.left);
  EXPECT_EQ(32, r.bottom - r.top);
  button.Detach();
  DestroyWindow(parent);
}

// A named button answers for itself, an object held across a rename reads the new name, and
// the button's own procedure is back once the object or the window goes.
TEST(BitmapButtonTest, ANamedButtonTellsScreenReadersItsNameUntilItsObjectOrWindowGoes) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
  HWND wnd = CreateWindowExA(0, "BUTTON", "&V", WS_CHILD | BS_OWNERDRAW, 0, 0, 176, 32, parent, nullptr, nullptr, nullptr);
  const LONG_PTR buttonProc = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
  {
    framework::CBitmapButton button;
    button.Attach(wnd);
    EXPECT_EQ("V", robot::DescribeAccessible(wnd).name) << "an unnamed button is the system's";
    EXPECT_EQ(buttonProc, GetWindowLongPtrA(wnd, GWLP_WNDPROC));

    button.SetAccessibleName("Activate Velmora");  // role, action, shortcut: the palette's e2e test
    EXPECT_EQ("Activate Velmora", robot::DescribeAccessible(wnd).name);

    framework::UniqueInterface<IAccessible> held;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(wnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                               reinterpret_cast<void**>(held.put())));
    button.SetAccessibleName("Deactivate Velmora");
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, held.get()->get_accName(self, &name));
    EXPECT_STREQ(L"Deactivate Velmora", name);
    SysFreeString(name);
    // The default action is a click, posted so that the caller is not held by what it opens.
    EXPECT_EQ(S_OK, held.get()->accDoDefaultAction(self));
    MSG click{};
    EXPECT_TRUE(PeekMessageA(&click, wnd, BM_CLICK, BM_CLICK, PM_REMOVE));
  }
  EXPECT_EQ(buttonProc, GetWindowLongPtrA(wnd, GWLP_WNDPROC)) << "the ended object left its procedure";
  EXPECT_EQ("V", robot::DescribeAccessible(wnd).name);

  // A named button whose window is destroyed first lets go of it there; an object a screen
  // reader still holds then answers nothing and clicks nothing. It hands out the standard
  // object's other interfaces as long as it answers, as itself.
  {
    framework::CBitmapButton button;
    button.Attach(wnd);
    button.SetAccessibleName("Help");
    framework::UniqueInterface<IAccessible> standard;
    ASSERT_EQ(S_OK, CreateStdAccessibleObject(wnd, OBJID_CLIENT, __uuidof(IAccessible),
                                              reinterpret_cast<void**>(standard.put())));
    framework::UniqueInterface<IAccessible> held;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(wnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                               reinterpret_cast<void**>(held.put())));
    const IID identity = {0x7852b78d, 0x1cfd, 0x41c1, {0xa6, 0x15, 0x9c, 0x0c, 0x85, 0x96, 0x0b, 0x5f}};
    const IID others[] = {__uuidof(IEnumVARIANT), __uuidof(IOleWindow), __uuidof(IServiceProvider), identity};
    framework::UniqueInterface<IUnknown> heldItself;
    ASSERT_EQ(S_OK, held.get()->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(heldItself.put())));
    int handedOut = 0;
    for (const IID& iid : others) {
      framework::UniqueInterface<IUnknown> ours, theirs, back;
      const HRESULT expected = standard.get()->QueryInterface(iid, reinterpret_cast<void**>(theirs.put()));
      EXPECT_EQ(SUCCEEDED(expected), SUCCEEDED(held.get()->QueryInterface(iid, reinterpret_cast<void**>(ours.put()))));
      if (!ours) continue;
      ++handedOut;
      ASSERT_EQ(S_OK, ours.get()->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(back.put())));
      EXPECT_EQ(heldItself.get(), back.get()) << "handed out as another object";
    }
    HWND told = nullptr;
    framework::UniqueInterface<IOleWindow> window;
    if (SUCCEEDED(held.get()->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(window.put())))) {
      EXPECT_EQ(S_OK, window.get()->GetWindow(&told));
      EXPECT_EQ(wnd, told);
    }
    std::printf("the standard object hands out %d of its 4 other interfaces\n", handedOut);

    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(wnd));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    VARIANT role{};
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, held.get()->get_accName(self, &name));
    EXPECT_EQ(nullptr, name);
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, held.get()->get_accRole(self, &role));
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, held.get()->accDoDefaultAction(self));
    if (window) {
      EXPECT_EQ(CO_E_OBJNOTCONNECTED, window.get()->GetWindow(&told));
    }
    button.SetAccessibleName("Advanced Options");  // nothing to answer for, nothing announced
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, held.get()->get_accName(self, &name)) << "a later name reaches no dead window";
  }
  CoUninitialize();
}

TEST(MainPaletteTest, SystemMenuCarriesTheAboutEntryAfterASeparator) {
  CPaletteApp app;
  app.RegisterPaletteClass();
  CMainPalette palette(app.MakePaletteServices());
  static HWND s_found;
  static int s_items;
  static char s_text[64];
  static UINT s_id;
  static bool s_separator;
  s_found = nullptr;
  // Looks at the open palette from inside its modal run, then closes it.
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND wnd = FindWindowA(velmora::kPaletteClassName, nullptr);
    if (!wnd || s_found) return;
    s_found = wnd;
    HMENU menu = GetSystemMenu(wnd, FALSE);
    s_items = GetMenuItemCount(menu);
    GetMenuStringA(menu, static_cast<UINT>(s_items - 1), s_text, sizeof s_text, MF_BYPOSITION);
    s_id = GetMenuItemID(menu, s_items - 1);
    s_separator = (GetMenuState(menu, static_cast<UINT>(s_items - 2), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    PostMessageA(wnd, WM_CLOSE, 0, 0);
  });
  palette.DoModal();
  KillTimer(nullptr, timer);
  ASSERT_NE(nullptr, s_found);
  EXPECT_STREQ("&About Velmora...", s_text);
  EXPECT_EQ(0x0010u, s_id);
  EXPECT_TRUE(s_separator);
}

// The picture of the running test, for the hook below.
CStartupPicture* g_picture = nullptr;

class StartupSplashTest : public ::testing::Test {
 protected:
  void SetUp() override { g_picture = &picture; }
  void TearDown() override {
    picture.Dismiss();
    picture.Enable(false);
    g_picture = nullptr;
  }
  CStartupPicture picture;
};

// Destroys the start-up picture when it receives the given message during its creation.
UINT g_destroyOn = 0;
LRESULT CALLBACK DestroySplashOn(int code, WPARAM wp, LPARAM lp) {
  const auto* seen = reinterpret_cast<const CWPRETSTRUCT*>(lp);
  CStartupSplash* splash = g_picture ? g_picture->Current() : nullptr;
  if (code == HC_ACTION && seen->message == g_destroyOn && splash && splash->GetSafeHwnd() == seen->hwnd) {
    DestroyWindow(seen->hwnd);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// A picture destroyed while it is being created (by another program's hook, say) has taken
// its object with it: Show must not touch either afterwards.
TEST_F(StartupSplashTest, PictureDestroyedDuringItsOwnCreationIsNeverTouched) {
  picture.Enable(true);
  for (UINT message : {UINT{WM_CREATE}, UINT{WM_SHOWWINDOW}, UINT{WM_SIZE}}) {
    g_destroyOn = message;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, &DestroySplashOn, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    picture.Show(nullptr);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(nullptr, picture.Current()) << message;
  }
  // And a later one shows as usual.
  picture.Show(nullptr);
  ASSERT_NE(nullptr, picture.Current());
  EXPECT_TRUE(IsWindowVisible(picture.Current()->GetSafeHwnd()));
}

TEST_F(StartupSplashTest, ShowsOnlyWhenEnabledAndOnlyOne) {
  picture.Enable(false);
  picture.Show(nullptr);
  EXPECT_EQ(nullptr, picture.Current());

  picture.Enable(true);
  picture.Show(nullptr);
  CStartupSplash* first = picture.Current();
  ASSERT_NE(nullptr, first);
  HWND wnd = first->GetSafeHwnd();
  EXPECT_TRUE(IsWindowVisible(wnd));
  RECT r{};
  GetWindowRect(wnd, &r);
  EXPECT_EQ(594, r.right - r.left);
  EXPECT_EQ(183, r.bottom - r.top);
  picture.Show(nullptr);
  EXPECT_EQ(first, picture.Current());

  picture.Dismiss();  // gone before Dismiss returns, with no message loop run
  EXPECT_EQ(nullptr, picture.Current());
  EXPECT_FALSE(IsWindow(wnd));
  picture.Dismiss();  // nothing left: nothing happens
}

TEST_F(StartupSplashTest, KeyAndButtonPressesEndItReleasesAndMovesDoNot) {
  picture.Enable(true);
  for (UINT press : {UINT{WM_KEYDOWN}, UINT{WM_SYSKEYDOWN}, UINT{WM_RBUTTONDOWN}, UINT{WM_NCMBUTTONDOWN}}) {
    picture.Show(nullptr);
    ASSERT_NE(nullptr, picture.Current());
    HWND wnd = picture.Current()->GetSafeHwnd();
    for (UINT other : {UINT{WM_KEYUP}, UINT{WM_LBUTTONUP}, UINT{WM_MOUSEMOVE}, UINT{WM_CHAR}}) {
      MSG msg{wnd, other, 0, 0, 0, {}};
      picture.Filter(&msg);
      EXPECT_NE(nullptr, picture.Current()) << other;
    }
    MSG msg{wnd, press, 0, 0, 0, {}};
    picture.Filter(&msg);
    EXPECT_EQ(nullptr, picture.Current()) << press;
    EXPECT_FALSE(IsWindow(wnd));
  }
}

TEST_F(StartupSplashTest, CloseEndsItAndALaterShowMakesANewOne) {
  picture.Enable(true);
  picture.Show(nullptr);
  ASSERT_NE(nullptr, picture.Current());
  SendMessageA(picture.Current()->GetSafeHwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(nullptr, picture.Current());
  picture.Show(nullptr);
  EXPECT_NE(nullptr, picture.Current());
}

}  // namespace
}  // namespace velmora
