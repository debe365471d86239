// What a screen reader learns about a picture button: the system's standard object for the
// button's client area (place, state, keyboard shortcut from the window text's mnemonic), with
// the words of its picture as its name and a push button's role. Where the system offers no
// default action for an owner-drawn button (Wine), the action is "Press", done by a click.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace framework {

// The answer to the button's WM_GETOBJECT for OBJID_CLIENT (`wp` as received). The object
// reads *name whenever it is asked, so a renamed button is never described with its old name;
// it does not own it: once the last owner lets go (the button, when its window is destroyed),
// every call answers CO_E_OBJNOTCONNECTED and nothing is posted to the window.
// 0 when OLEACC or the standard object is not available: the button's own procedure answers.
LRESULT AnswerAccessibleButton(HWND button, WPARAM wp, const std::shared_ptr<const std::wstring>& name);

}  // namespace framework
