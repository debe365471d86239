// The program's string table as data, for tests that read the texts without the resources.
#pragma once

namespace velmora {

// The text of a string-table entry, or nullptr when there is none.
const char* LookupString(unsigned id);

}  // namespace velmora
