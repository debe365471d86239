// Where the palette's controls and window go, from the frame's position, the pictures' size,
// the system metrics and the window's DPI. Every halving truncates toward zero, as C++ integer division does.
#pragma once

namespace velmora {

struct PalettePoint {
  int x = 0;
  int y = 0;
};

struct PaletteMetrics {
  int frameLeft = 0;   // frame control's top-left corner in the palette's client coordinates
  int frameTop = 0;
  int buttonWidth = 0;   // the activate button's window size; all three buttons are taken as it
  int buttonHeight = 0;
  int iconWidth = 0;   // the icon control's client width and height
  int iconHeight = 0;
  int cxDlgFrame = 0;  // SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION
  int cyDlgFrame = 0;
  int cyCaption = 0;
  int cxScreen = 0;  // SM_CXSCREEN, SM_CYSCREEN: the palette centres on the whole screen
  int cyScreen = 0;
  int dpi = 96;  // the window's own DPI: margins and gaps are 96-DPI pixels scaled to it
};

struct PaletteLayout {
  PalettePoint icon;
  PalettePoint frame;
  PalettePoint activate;
  PalettePoint options;
  PalettePoint help;
  int frameWidth = 0;
  int frameHeight = 0;
  PalettePoint window;
  int windowWidth = 0;
  int windowHeight = 0;
};

PaletteLayout ComputePaletteLayout(const PaletteMetrics& m);

// Top-left corner of the program icon drawn centred in a minimised palette's client area.
PalettePoint MinimisedIconOrigin(int clientWidth, int clientHeight, int cxIcon, int cyIcon);

}  // namespace velmora
