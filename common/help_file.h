// The program's help file, opened from the palette and the options sheet, and its topics.
#pragma once

namespace velmora {

// Beside Velmora.exe.
constexpr char kHelpFile[] = "Velmora.chm";

// The page inside the help file that a help context opens; nullptr for a context it lacks.
// (The compiler stores the file's own context map with the build machine's paths, so the
// program keeps the map itself.)
const char* HelpTopic(unsigned long context);

}  // namespace velmora
