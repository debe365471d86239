#include "framework/win32/html_help.h"

#include <htmlhelp.h>

#include "framework/win32/framework_ids.h"
#include "framework/win32/message_box.h"
#include "framework/win32/system_library.h"
#include "framework/win32/win_app.h"

namespace framework {
namespace {

using HtmlHelpFn = HWND WINAPI(HWND, LPCSTR, UINT, DWORD_PTR);

CSystemLibrary& HtmlHelpLibrary() {
  static CSystemLibrary library("hhctrl.ocx");
  return library;
}

HWND Show(const std::string& file, const std::string& target, UINT command, DWORD_PTR data) {
  HWND help = nullptr;
  if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (auto* htmlHelp = HtmlHelpLibrary().Find<HtmlHelpFn>("HtmlHelpA")) {
      // Owned by a window, the viewer's window would go with it (a sheet closing) and the viewer
      // would not know.
      help = htmlHelp(nullptr, target.c_str(), command, data);
    }
  }
  if (!help) {
    AfxMessageBox(AfxFormatString1(kIdpHelpNotShown, file), MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  // The viewer keeps one window per file: a second request finds it, perhaps behind others.
  if (IsIconic(help)) ShowWindow(help, SW_RESTORE);
  SetForegroundWindow(help);
  return help;
}

}  // namespace

std::string FileBesideProgram(const char* name) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
  std::string folder(path, n < MAX_PATH ? n : 0);
  const std::size_t slash = folder.find_last_of("\\/");
  folder.erase(slash == std::string::npos ? 0 : slash + 1);
  return folder + name;
}

HWND ShowHelpTopic(const std::string& file, const char* topic) {
  // Without a page, the file's own first page.
  return Show(file, topic ? file + "::/" + topic : file, HH_DISPLAY_TOPIC, 0);
}

HWND ShowHelpContext(const std::string& file, DWORD context) {
  return Show(file, file, HH_HELP_CONTEXT, context);
}

void CloseHelpWindows() {
  // Loading the viewer only to close nothing would cost every run that never asked for help.
  if (!HtmlHelpLibrary().IsLoaded()) return;
  if (auto* htmlHelp = HtmlHelpLibrary().Find<HtmlHelpFn>("HtmlHelpA")) htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

}  // namespace framework
