// The palette: the program's main window, a modal dialog on template 102 with the program
// icon above three picture buttons (activate or deactivate, options, help) in a black frame.
#pragma once
#include "framework/win32/dialog.h"
#include "framework/win32/handles.h"
#include "framework/win32/static_ctrl.h"
#include "palette/palette_services.h"
#include "palette/win32/palette_button.h"

namespace velmora {

class CMainPalette : public framework::CDialog {
 public:
  explicit CMainPalette(const PaletteServices& services, HWND parent = nullptr);
  ~CMainPalette() override;

  // Closes the help windows, then destroys the window.
  BOOL DestroyWindow() override;

  framework::CStatic m_wndIcon;
  CPaletteButton m_btnOptions;
  CPaletteButton m_btnHelp;
  CPaletteButton m_btnActivate;
  // The cache state the palette shows: 1 active, 0 inactive; read once from the driver here.
  int m_nActivationState;
  HICON m_hIcon = nullptr;  // shared resource icon, loaded with the window: never destroyed
  // The scale of the pictures shown (100, 125, 150, 175 or 200 %) and the DPI laid out for,
  // both taken from the window when it is made.
  int m_nArtPercent = 100;
  int m_nDpi = 96;

 private:
  PaletteServices m_services;
  framework::UniqueIcon m_hFrameIcon;  // the icon control's picture drawn for a DPI above 96

 protected:
  void DoDataExchange(framework::CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  bool OnCommand(WPARAM wp, LPARAM lp) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

  void LoadActivatePictures();
  void LoadPictures();
  // Places everything for m_nDpi: centred on the screen, or at the top-left of `placed`.
  void LayOut(const RECT* placed = nullptr);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnToggle();
  void OnOptions();
  void OnHelp();
  void OnAbout();
  void PaintMinimised();
};

}  // namespace velmora
