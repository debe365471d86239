#include "palette/palette_layout.h"

#include "palette/art_scale.h"

namespace velmora {

PaletteLayout ComputePaletteLayout(const PaletteMetrics& m) {
  const int bw = m.buttonWidth < 1 ? 0 : m.buttonWidth;
  const int bh = m.buttonHeight < 1 ? 0 : m.buttonHeight;
  // A 4-pixel margin inside the frame, 1 pixel between buttons, at 96 DPI.
  const int margin = ScaleToDpi(4, m.dpi);
  const int gap = ScaleToDpi(1, m.dpi);
  const int left = m.frameLeft + margin;

  PaletteLayout out;
  out.icon = {left + (bw - m.iconWidth) / 2, ScaleToDpi(2, m.dpi)};
  // The template's frame, moved down where the icon drawn for a larger scale would reach into
  // it further than the 32-pixel icon reaches at 96 DPI: onto its top line, no lower.
  const int lowest = out.icon.y + m.iconHeight - gap;
  const int top = m.frameTop > lowest ? m.frameTop : lowest;
  out.frame = {m.frameLeft, top};
  out.activate = {left, top + margin};
  out.options = {left, top + margin + bh + gap};
  out.help = {left, top + margin + 2 * (bh + gap)};
  out.frameWidth = bw + 2 * margin;
  out.frameHeight = 3 * bh + 2 * gap + 2 * margin + gap;
  // The frame's left margin is repeated on the right; a margin is left below the frame.
  out.windowWidth = out.frameWidth + 2 * m.frameLeft + 2 * m.cxDlgFrame;
  out.windowHeight = top + out.frameHeight + margin + 2 * m.cyDlgFrame + m.cyCaption;
  out.window = {(m.cxScreen - out.windowWidth) / 2, (m.cyScreen - out.windowHeight) / 2};
  return out;
}

PalettePoint MinimisedIconOrigin(int clientWidth, int clientHeight, int cxIcon, int cyIcon) {
  return {(clientWidth - cxIcon + 1) / 2, (clientHeight - cyIcon + 1) / 2};
}

}  // namespace velmora
