#include "tests/robot/accessibility.h"

#include <oleacc.h>

#include <map>

#include "framework/win32/handles.h"

namespace robot {
namespace {

std::string Narrowed(BSTR text) {
  std::string out;
  if (!text) return out;
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length > 1) {
    out.resize(static_cast<std::size_t>(length - 1));
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], length, nullptr, nullptr);
  }
  SysFreeString(text);
  return out;
}

// Announcements by window; the hook runs on the listening thread only.
std::map<HWND, int>& Announcements() {
  static std::map<HWND, int> counts;
  return counts;
}

void CALLBACK OnNameChange(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
  if (event == EVENT_OBJECT_NAMECHANGE && object == OBJID_CLIENT && child == CHILDID_SELF) ++Announcements()[wnd];
}

}  // namespace

AccessibleDescription DescribeAccessible(HWND wnd) {
  AccessibleDescription out;
  framework::UniqueInterface<IAccessible> object;
  if (FAILED(AccessibleObjectFromWindow(wnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(object.put()))) || !object) {
    return out;
  }
  out.read = true;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if (object.get()->get_accName(self, &text) == S_OK) out.name = Narrowed(text);
  text = nullptr;
  if (object.get()->get_accDefaultAction(self, &text) == S_OK) out.defaultAction = Narrowed(text);
  text = nullptr;
  if (object.get()->get_accKeyboardShortcut(self, &text) == S_OK) out.shortcut = Narrowed(text);
  VARIANT role{};
  if (object.get()->get_accRole(self, &role) == S_OK && role.vt == VT_I4) out.role = role.lVal;
  return out;
}

NameChangeListener::NameChangeListener(DWORD pid)
    : m_hHook(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &OnNameChange, pid, 0,
                              WINEVENT_OUTOFCONTEXT)) {
  Announcements().clear();
}

NameChangeListener::~NameChangeListener() {
  if (m_hHook) UnhookWinEvent(m_hHook);
}

int NameChangeListener::Announced(HWND wnd) const {
  const auto found = Announcements().find(wnd);
  return found == Announcements().end() ? 0 : found->second;
}

}  // namespace robot
