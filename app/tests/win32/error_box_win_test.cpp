// Error boxes as a person sees them: real message boxes of this process, read and closed by
// a watcher thread.
#include <gtest/gtest.h>

#include <future>

#include "app/win32/palette_app.h"
#include "tests/robot/robot.h"

namespace velmora {
namespace {

robot::MessageBoxSeen ShowAndRead(const std::function<int()>& show, int* result) {
  auto watcher = std::async(std::launch::async, [] {
    robot::MessageBoxSeen box;
    if (robot::WaitForMessageBox(GetCurrentProcessId(), &box, std::chrono::seconds(10))) {
      robot::PressButton(box.wnd, IDOK);
    }
    return box;
  });
  *result = show();
  return watcher.get();
}

class ErrorBoxWinTest : public ::testing::Test {
 protected:
  CPaletteApp app;
};

TEST_F(ErrorBoxWinTest, Code20014ShowsItsNumberInTheCaptionAndItsTextWithTheHandIcon) {
  int result = 0;
  auto box = ShowAndRead([&] { return app.ShowError(20014, MB_ICONHAND); }, &result);
  EXPECT_EQ("Velmora Error :  14", box.caption);
  EXPECT_EQ("Cannot locate Velmora VxD (VLIFS95.VxD).  Please reinstall Velmora.", box.text);
  EXPECT_TRUE(box.hasIcon);
  EXPECT_EQ(nullptr, box.owner);
  EXPECT_EQ(IDOK, result);
}

TEST_F(ErrorBoxWinTest, CodeOutsideTheTableShowsItsCaptionAsText) {
  int result = 0;
  auto box = ShowAndRead([&] { return app.ShowError(20099, MB_ICONHAND); }, &result);
  EXPECT_EQ("Velmora Error :  99", box.caption);
  EXPECT_EQ("Velmora Error :  99", box.text);
}

TEST_F(ErrorBoxWinTest, Code20016NamesThePathBetweenTheAngleBrackets) {
  int result = 0;
  auto box = ShowAndRead(
      [&] { return app.ShowErrorWithArg(20016, "C:\\VELMORA\\Vantor32.EXE", MB_TASKMODAL | MB_ICONHAND); }, &result);
  EXPECT_EQ("Velmora Error :  16", box.caption);
  EXPECT_EQ("Velmora could not execute the program <C:\\VELMORA\\Vantor32.EXE>.  Please reinstall Velmora or "
            "contact your System Administrator.",
            box.text);
  // Missing entry with an argument: an empty text under the numbered caption.
  box = ShowAndRead([&] { return app.ShowErrorWithArg(20099, "x", MB_ICONHAND); }, &result);
  EXPECT_EQ("Velmora Error :  99", box.caption);
  EXPECT_EQ("", box.text);
}

TEST_F(ErrorBoxWinTest, GivenOwnerOwnsTheBox) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, owner);
  int result = 0;
  auto box = ShowAndRead([&] { return app.ShowError(20022, MB_ICONHAND, owner); }, &result);
  EXPECT_EQ(owner, box.owner);
  DestroyWindow(owner);
}

TEST_F(ErrorBoxWinTest, StringTableMessageBoxIsTitledWithTheProgramsNameAndWarns) {
  int result = 0;
  auto box = ShowAndRead([&] { return app.ShowMessage(110, MB_OK); }, &result);
  EXPECT_EQ("Velmora", box.caption);
  EXPECT_EQ("Velmora activated successfully.", box.text);
  EXPECT_TRUE(box.hasIcon);
}

}  // namespace
}  // namespace velmora
