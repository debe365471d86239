// Help from a compiled HTML Help file, shown by the system's viewer (hhctrl.ocx). The viewer is
// loaded on the first request for help, never at start: most runs never ask for help.
#pragma once
#include <windows.h>

#include <string>

namespace framework {

// The file `name` in the folder of the running program, whatever the current directory is.
std::string FileBesideProgram(const char* name);

// Opens `topic` (a page inside the file, such as "palette.htm") in the help window, or brings
// the help window already open to the front at that topic. The help window belongs to no other
// window, as a viewer of its own would: it stays open when the window that asked for it closes,
// until CloseHelpWindows. When the viewer or the file is missing, one box names the file; the
// answer is then nullptr.
HWND ShowHelpTopic(const std::string& file, const char* topic);
// The same for a context number of the file's own map.
HWND ShowHelpContext(const std::string& file, DWORD context);

// Closes every help window this process opened; does nothing when help was never asked for.
void CloseHelpWindows();

}  // namespace framework
