// The start-up picture: a borderless window showing bitmap 132 centred on the screen while a
// command-line action starts. It ends after 5 seconds, at the first key or mouse press the
// program's loop sees, or when start-up dismisses it; then the object deletes itself.
#pragma once
#include <windows.h>

#include "framework/win32/bitmap.h"
#include "framework/win32/popup_wnd.h"

namespace velmora {

class CStartupSplash : public framework::CPopupWnd {
 public:
  // Whether Show may create a splash.
  static void Enable(int flag);
  // Creates and paints the splash when enabled and none exists; owner may be a window object
  // without a window, or none.
  static void Show(framework::CWnd* owner);
  // Every message of the program's loop, before it is processed: a key or mouse press ends the
  // splash. The message is never consumed.
  static void Filter(const MSG* msg);
  // Hides the splash and destroys it before returning.
  static void Dismiss();
  // Start-up is still waiting (for a driver that is starting): the splash's 5 seconds count
  // again from now, so it shows for the whole wait unless the user dismissed it.
  static void KeepShowing();
  // The splash alive now, if any.
  static CStartupSplash* Current() { return s_pCurrent; }

  CStartupSplash() = default;
  ~CStartupSplash() override;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void PostNcDestroy() override;

 private:
  BOOL Create(HWND owner);
  void OnPaint();

  framework::CBitmap m_bitmap;

  static int s_bEnabled;
  static CStartupSplash* s_pCurrent;
};

}  // namespace velmora
