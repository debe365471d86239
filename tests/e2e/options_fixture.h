// Helpers of the options courses: open the sheet from the palette's options button as a person
// would, find its page's controls, type into boxes and read what the sheet shows.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/palette_fixture.h"
#include "tests/robot/fake_driver.h"
#include "tests/robot/registry.h"
#include "tests/robot/robot.h"

namespace options_e2e {

using namespace std::chrono_literals;

constexpr const char* kCacheKey = robot::keys::kCache;
constexpr int kApplyButton = 0x3021;  // the property sheet's Apply button
constexpr int kBlockSizeBox = IDC_BLOCK_SIZE, kMaxSizeBox = IDC_MAX_SIZE, kHoursBox = IDC_HOURS, kMinutesBox = IDC_MINUTES,
              kSecondsBox = IDC_SECONDS;

inline void StoreCache(DWORD blockSize, DWORD maxSize, DWORD refreshTimer) {
  robot::SetDword(kCacheKey, "BlockSize", blockSize);
  robot::SetDword(kCacheKey, "MaxSize", maxSize);
  robot::SetDword(kCacheKey, "RefreshTimer", refreshTimer);
}

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    robot::ResetVelmoraRegistry();
    ASSERT_TRUE(m_driver.Serving());
  }
  void TearDown() override {
    if (m_process.Running()) {
      for (auto& b : robot::MessageBoxes(m_process.Pid())) robot::PressButton(b.wnd, IDCANCEL);
      if (m_sheet && IsWindow(m_sheet)) robot::PressButton(m_sheet, IDCANCEL);
      robot::WaitUntil([&] { return m_sheet == nullptr || !IsWindowVisible(m_sheet); }, 5s);
      if (m_palette) PostMessageA(m_palette, WM_CLOSE, 0, 0);
    }
    m_process.WaitForExit(10s);
  }

  // Stores the usual values (2 KB blocks, 20 MB, ten minutes) and opens the sheet over them;
  // returns the program's registry as it stood before the sheet opened.
  std::string OpenSheetOverUsualCache() {
    StoreCache(2048, 20480, 600);
    std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
    OpenSheet();
    return before;
  }
  // Answers a box and waits until the program shows none.
  void Answer(HWND box, int button) {
    robot::PressButton(box, button);
    robot::WaitUntil([&] { return robot::MessageBoxes(m_process.Pid()).empty(); }, 5s);
  }
  // Waits for the program's next box, checks its text and answers it with OK.
  void ExpectBoxAndAnswer(const std::string& text) {
    robot::MessageBoxSeen seen;
    ASSERT_TRUE(robot::WaitForMessageBox(m_process.Pid(), &seen, 5s));
    EXPECT_EQ(text, seen.text);
    Answer(seen.wnd, IDOK);
  }
  // Starts the program and clicks the options button; answers the boxes that come before the
  // sheet shows and returns them.
  std::vector<robot::MessageBoxSeen> OpenSheet() {
    if (!m_process.Running()) {
      m_process = robot::Start("Velmora.exe", "");
      m_palette = palette_e2e::WaitForPalette(m_process);
    }
    std::vector<robot::MessageBoxSeen> boxes;
    if (!m_palette) return boxes;
    m_requestsBefore = SettingsRequests();
    robot::PressButton(m_palette, IDC_OPTIONS);
    std::vector<HWND> pressed;
    robot::WaitUntil(
        [&] {
          for (const robot::MessageBoxSeen& b : robot::MessageBoxes(m_process.Pid())) {
            if (std::find(pressed.begin(), pressed.end(), b.wnd) != pressed.end()) continue;
            boxes.push_back(b);
            pressed.push_back(b.wnd);
            robot::PressButton(b.wnd, IDOK);
          }
          m_sheet = robot::FindTopWindow(m_process.Pid(), "#32770", "Velmora Options");
          return m_sheet != nullptr;
        },
        10s);
    EXPECT_NE(nullptr, m_sheet) << "the options sheet did not open";
    robot::WaitUntil([] { return false; }, 200ms);  // let it settle
    return boxes;
  }

  HWND Page() const { return reinterpret_cast<HWND>(SendMessageA(m_sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  HWND Box(int id) const { return GetDlgItem(Page(), id); }
  std::string Shown(int id) const { return robot::Text(Box(id)); }
  bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(m_sheet, kApplyButton)) != FALSE; }

  // Selects the box's text and types over it, key by key.
  void Type(int id, const std::string& text) {
    HWND box = Box(id);
    PostMessageA(box, EM_SETSEL, 0, -1);
    if (text.empty()) PostMessageA(box, WM_CHAR, VK_BACK, 0);
    for (char c : text) PostMessageA(box, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    robot::WaitUntil([&] { return Shown(id) == text; }, 5s);
  }

  // Settings-changed requests (code 5) the driver received.
  int SettingsRequests() const {
    const std::vector<int> r = m_driver.Requests();
    return static_cast<int>(std::count(r.begin(), r.end(), 5));
  }
  int NewSettingsRequests() const { return SettingsRequests() - m_requestsBefore; }

  // Presses a sheet button (IDOK, IDCANCEL, Apply) and waits for the program to settle.
  void PressAndSettle(int id) {
    robot::PressButton(m_sheet, id);
    robot::WaitUntil([] { return false; }, 400ms);
  }
  bool SheetClosed() {
    return robot::WaitUntil([&] { return !IsWindow(m_sheet) || !IsWindowVisible(m_sheet); }, 5s);
  }

  robot::FakeDriver m_driver;
  robot::Process m_process;
  HWND m_palette = nullptr;
  HWND m_sheet = nullptr;
  int m_requestsBefore = 0;
};

}  // namespace options_e2e
