#include "palette/palette_layout.h"

namespace velmora {

PaletteLayout ComputePaletteLayout(const PaletteMetrics& m) {
  const int bw = m.buttonWidth < 1 ? 0 : m.buttonWidth;
  const int bh = m.buttonHeight < 1 ? 0 : m.buttonHeight;
  const int left = m.frameLeft + 4;  // a 4-pixel margin inside the frame, 1 pixel between buttons

  PaletteLayout out;
  out.icon = {left + (bw - m.iconWidth) / 2, 2};
  out.activate = {left, m.frameTop + 4};
  out.options = {left, m.frameTop + bh + 5};
  out.help = {left, m.frameTop + 2 * bh + 6};
  out.frameWidth = bw + 8;
  out.frameHeight = 3 * bh + 11;
  // The frame's left margin is repeated on the right; 4 pixels are left below the frame.
  out.windowWidth = bw + 8 + 2 * m.frameLeft + 2 * m.cxDlgFrame;
  out.windowHeight = m.frameTop + 3 * bh + 11 + 4 + 2 * m.cyDlgFrame + m.cyCaption;
  out.window = {(m.cxScreen - out.windowWidth) / 2, (m.cyScreen - out.windowHeight) / 2};
  return out;
}

PalettePoint MinimisedIconOrigin(int clientWidth, int clientHeight, int cxIcon, int cyIcon) {
  return {(clientWidth - cxIcon + 1) / 2, (clientHeight - cyIcon + 1) / 2};
}

}  // namespace velmora
