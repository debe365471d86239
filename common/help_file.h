// The program's help file, opened from the palette and the options sheet.
#pragma once

namespace velmora {

constexpr char kHelpFile[] = "Velmora.hlp";

}  // namespace velmora
