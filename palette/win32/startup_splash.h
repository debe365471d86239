// The start-up picture: a borderless window showing bitmap 132 centred on the screen while a
// command-line action starts. It ends after 5 seconds, at the first key or mouse press the
// program's loop sees, or when start-up dismisses it; then the window's object deletes itself.
#pragma once
#include <windows.h>

#include "framework/win32/bitmap.h"
#include "framework/win32/popup_wnd.h"

namespace velmora {

class CStartupSplash;

// The start-up picture of one run: whether it may show, and the one alive now. The application
// owns one; a picture still alive when it goes is dismissed.
class CStartupPicture {
 public:
  CStartupPicture() = default;
  CStartupPicture(const CStartupPicture&) = delete;
  CStartupPicture& operator=(const CStartupPicture&) = delete;
  ~CStartupPicture();

  // Whether Show may create a picture.
  void Enable(bool enabled) { m_bEnabled = enabled; }
  // Creates and paints the picture when enabled and none exists; owner may be a window object
  // without a window, or none.
  void Show(framework::CWnd* owner);
  // Every message of the program's loop, before it is processed: a key or mouse press ends the
  // picture. The message is never consumed.
  void Filter(const MSG* msg);
  // Hides the picture and destroys it before returning.
  void Dismiss();
  // Start-up is still waiting (for a driver that is starting): the picture's 5 seconds count
  // again from now, so it shows for the whole wait unless the user dismissed it.
  void KeepShowing();
  // The picture alive now, if any.
  CStartupSplash* Current() const { return m_pCurrent; }

 private:
  friend class CStartupSplash;
  bool m_bEnabled = false;
  CStartupSplash* m_pCurrent = nullptr;
};

// The picture's window; it belongs to its window and deletes itself when that goes.
class CStartupSplash : public framework::CPopupWnd {
 public:
  explicit CStartupSplash(CStartupPicture& picture) : m_picture(picture) {}
  ~CStartupSplash() override;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void PostNcDestroy() override;

 private:
  friend class CStartupPicture;
  BOOL Create(HWND owner);
  // The picture drawn for dpi's scale; the one for 100 % when that one is missing.
  BOOL LoadPicture(int dpi);
  void OnPaint();

  CStartupPicture& m_picture;
  framework::CBitmap m_bitmap;
};

}  // namespace velmora
