// An owner-drawn push button drawn entirely from up to four pictures: normal, selected
// (pressed), focus and disabled. No text; a focus rectangle over the picture while the window
// shows keyboard cues. Its window text is only its mnemonic; the words of its picture go to
// screen readers as its accessible name.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/bitmap_choice.h"
#include "framework/win32/bitmap.h"
#include "framework/win32/wnd.h"

namespace framework {

class CBitmapButton : public CWnd {
 public:
  CBitmapButton() = default;
  ~CBitmapButton() override;

  // Replaces all four pictures. Stops at once when the normal one is missing (all stay
  // empty); a missing optional one stays empty. True when every given picture loaded.
  BOOL LoadBitmaps(const char* normal, const char* selected = nullptr, const char* focus = nullptr,
                   const char* disabled = nullptr);
  // Makes the button window exactly as large as the normal picture, keeping its place.
  void SizeToContent();
  // Copies the picture chosen for the item's state to the item rectangle.
  virtual void DrawItem(const DRAWITEMSTRUCT* item);

  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

  const CBitmap& Picture(ButtonPicture which) const { return m_pictures[static_cast<int>(which)]; }

  // The words a screen reader says for the button. Once named, a button with a window answers
  // accessibility questions itself (OLEACC is loaded with the first question) and to the
  // dialog manager as a push button (Enter presses it while it has the focus); renaming a
  // named button on the screen announces the new name.
  void SetAccessibleName(const std::string& name);

 private:
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  void StopAnswering();

  CBitmap m_pictures[4];  // indexed by ButtonPicture
  // Shared with the objects handed to screen readers, which lose it (and answer no more) when
  // the window they describe is destroyed.
  std::shared_ptr<std::wstring> m_pAccessibleName = std::make_shared<std::wstring>();
  HWND m_hAnswering = nullptr;  // the window SubclassProc is installed on
};

}  // namespace framework
