// What a screen reader would learn about a window: its client area's accessible object, read
// the way a screen reader in another process reads it (through WM_GETOBJECT and COM).
#pragma once
#include <windows.h>

#include <string>

namespace robot {

struct AccessibleDescription {
  bool read = false;  // the window gave an accessible object at all
  std::string name;
  long role = 0;
  std::string defaultAction;
  std::string shortcut;
};

// The calling thread must have COM initialised.
AccessibleDescription DescribeAccessible(HWND wnd);

// Name changes of the client areas of one process's windows, as a screen reader would hear
// them (an out-of-context event hook): counted while the thread that made it pumps messages
// (robot::WaitUntil does).
class NameChangeListener {
 public:
  explicit NameChangeListener(DWORD pid);
  NameChangeListener(const NameChangeListener&) = delete;
  NameChangeListener& operator=(const NameChangeListener&) = delete;
  ~NameChangeListener();

  bool Listening() const { return m_hHook != nullptr; }
  // How many name changes of `wnd` were announced so far.
  int Announced(HWND wnd) const;

 private:
  HWINEVENTHOOK m_hHook = nullptr;
};

}  // namespace robot
