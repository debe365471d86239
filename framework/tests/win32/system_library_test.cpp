// Libraries loaded on first use: a missing library or entry answers nullptr (and is tried
// again), a present one loads once and its entries work; the framework's libraries are
// named right, and the common controls register before the first up-down control.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "framework/win32/common_controls.h"
#include "framework/win32/system_library.h"

namespace framework {
namespace {

TEST(SystemLibraryTest, AMissingLibraryAnswersNothingEachTimeItIsAsked) {
  CSystemLibrary missing("velmora-no-such-library.dll");
  EXPECT_EQ(nullptr, missing.Find<decltype(::PathFindFileNameA)>("PathFindFileNameA"));
  EXPECT_FALSE(missing.IsLoaded());
  EXPECT_EQ(nullptr, missing.Find<decltype(::PathFindFileNameA)>("PathFindFileNameA"));
}

TEST(SystemLibraryTest, APresentLibraryLoadsOnFirstUseAndItsEntriesWork) {
  CSystemLibrary shlwapi("shlwapi.dll");
  EXPECT_FALSE(shlwapi.IsLoaded()) << "nothing is loaded before the first call";
  auto* fileName = shlwapi.Find<decltype(::PathFindFileNameA)>("PathFindFileNameA");
  ASSERT_NE(nullptr, fileName);
  EXPECT_TRUE(shlwapi.IsLoaded());
  char path[] = "C:\\VELMORA\\SETUP.EXE";
  EXPECT_STREQ("SETUP.EXE", fileName(path));
  EXPECT_EQ(fileName, shlwapi.Find<decltype(::PathFindFileNameA)>("PathFindFileNameA"));
  EXPECT_EQ(nullptr, shlwapi.Find<decltype(::PathFindFileNameA)>("VelmoraNoSuchEntry"));
  EXPECT_TRUE(shlwapi.IsLoaded()) << "a missing entry leaves the library loaded";
}

TEST(SystemLibraryTest, TheFrameworksLibrariesHoldTheEntriesItCalls) {
  EXPECT_NE(nullptr, CommonControlsLibrary().Find<decltype(::PropertySheetA)>("PropertySheetA"));
  EXPECT_NE(nullptr, CommonControlsLibrary().Find<decltype(::SetWindowSubclass)>("SetWindowSubclass"));
  EXPECT_NE(nullptr, CommonDialogLibrary().Find<decltype(::GetOpenFileNameA)>("GetOpenFileNameA"));
  EXPECT_NE(nullptr, ShellLibrary().Find<decltype(::ShellExecuteA)>("ShellExecuteA"));
  EXPECT_NE(nullptr, AccessibilityLibrary().Find<decltype(::CreateStdAccessibleObject)>("CreateStdAccessibleObject"));
  EXPECT_NE(nullptr, AccessibilityLibrary().Find<decltype(::LresultFromObject)>("LresultFromObject"));
  EXPECT_NE(nullptr, AutomationLibrary().Find<decltype(::SysAllocString)>("SysAllocString"));
}

TEST(SystemLibraryTest, CommonControlsRegisterOnceAndUpDownControlsCanBeMade) {
  ASSERT_TRUE(AfxInitCommonControls());
  EXPECT_TRUE(AfxInitCommonControls());
  HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, spin);
  SendMessageA(spin, UDM_SETRANGE32, 16, 19999);
  int lower = 0, upper = 0;
  SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
  EXPECT_EQ(16, lower);
  EXPECT_EQ(19999, upper);
  DestroyWindow(spin);
}

}  // namespace
}  // namespace framework
