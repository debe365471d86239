// Start-up maps only the system libraries every course needs: COMDLG32, SHELL32, OLEACC and the
// HTML Help viewer come in with the first file-open dialog, program start, screen reader's
// question or request for help. A new import of one of them (a stray call) would make every start
// pay for it again. COMCTL32 is there from the start: the manifest's common controls 6 own the
// standard controls, the palette's buttons among them; the first options sheet registers its
// other classes.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "res/resource.h"
#include "tests/e2e/options_fixture.h"

namespace {

using namespace std::chrono_literals;

// Lower-case base names of the modules the process has mapped now.
std::set<std::string> LoadedModules(HANDLE process) {
  HMODULE modules[512];
  DWORD bytes = 0;
  std::set<std::string> names;
  if (!EnumProcessModulesEx(process, modules, sizeof modules, &bytes, LIST_MODULES_ALL)) return names;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
    char name[MAX_PATH] = {};
    if (!GetModuleBaseNameA(process, modules[i], name, MAX_PATH)) continue;
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    names.insert(lower);
  }
  return names;
}

class LibraryLoadingTest : public options_e2e::OptionsTest {};

TEST_F(LibraryLoadingTest, ThePaletteStartsWithoutTheLateLibrariesAndTheSheetBringsCommonControls) {
  options_e2e::StoreCache(2048, 20480, 600);
  m_process = robot::Start("Velmora.exe", "");
  m_palette = palette_e2e::WaitForPalette(m_process);
  ASSERT_NE(nullptr, m_palette);
  std::set<std::string> loaded = LoadedModules(m_process.Handle());
  ASSERT_TRUE(loaded.count("user32.dll")) << "the module list of the palette process could not be read";
  EXPECT_TRUE(loaded.count("ole32.dll"));
  EXPECT_TRUE(loaded.count("comctl32.dll")) << "the standard controls are not the common controls 6 ones";
  EXPECT_FALSE(loaded.count("comdlg32.dll")) << "common dialogs mapped at start";
  EXPECT_FALSE(loaded.count("shell32.dll")) << "the shell mapped at start";
  EXPECT_FALSE(loaded.count("oleacc.dll")) << "accessibility mapped before any screen reader asked";
  EXPECT_FALSE(loaded.count("hhctrl.ocx")) << "the help viewer mapped before anyone asked for help";

  // The sheet registers the common controls' classes before its page's up-down controls are
  // made: each box has its spin, which steps the box.
  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  loaded = LoadedModules(m_process.Handle());
  EXPECT_TRUE(loaded.count("comctl32.dll"));
  EXPECT_FALSE(loaded.count("comdlg32.dll"));
  for (int spin : {IDC_SPIN_BLOCK_SIZE, IDC_SPIN_MAX_SIZE, IDC_SPIN_HOURS, IDC_SPIN_MINUTES, IDC_SPIN_SECONDS}) {
    EXPECT_EQ("msctls_updown32", robot::ClassName(GetDlgItem(Page(), spin))) << "control " << spin;
  }
  Type(options_e2e::kMaxSizeBox, "20");
  PostMessageA(Box(options_e2e::kMaxSizeBox), WM_KEYDOWN, VK_UP, 0);
  PostMessageA(Box(options_e2e::kMaxSizeBox), WM_KEYUP, VK_UP, 0);
  EXPECT_TRUE(robot::WaitUntil([&] { return Shown(options_e2e::kMaxSizeBox) == "21"; }, 5s))
      << Shown(options_e2e::kMaxSizeBox);

  // A second run of the sheet finds the library and its classes in place.
  PressAndSettle(IDCANCEL);
  EXPECT_TRUE(SheetClosed());
  OpenSheet();
  ASSERT_NE(nullptr, m_sheet);
  EXPECT_EQ("msctls_updown32", robot::ClassName(GetDlgItem(Page(), IDC_SPIN_MAX_SIZE)));
}

}  // namespace
