// Keyboard cues (focus rectangles, mnemonic underlines) follow the keyboard: hidden while a
// window is used with the mouse, shown from the first Tab, arrow or Alt.
#pragma once
#include <windows.h>

namespace framework {

// Starts the dialog with its cues hidden (the system keeps them shown when the user's setting
// shows them always). Call once while the dialog initialises.
void InitializeKeyboardCues(HWND dialog);

// The cues a key message reveals, as the system's dialog manager does on Windows (Wine's does
// not): the focus after Tab or an arrow, focus and mnemonics after Alt; 0 for any other message.
WORD CuesRevealedBy(const MSG& msg);

// Shows those cues in the dialog and repaints its focused control, which may draw its cue.
void ShowKeyboardCues(HWND dialog, WORD cues);

}  // namespace framework
