#include "tests/doubles/string_table.h"

#include <algorithm>
#include <iterator>

namespace velmora {
namespace {

struct Entry {
  unsigned id;
  const char* text;
};

constexpr Entry kEntries[] = {
#define VELMORA_STRING(id, text) {id, text},
#include "strings.def"
#undef VELMORA_STRING
};

}  // namespace

const char* LookupString(unsigned id) {
  const Entry* found = std::find_if(std::begin(kEntries), std::end(kEntries), [id](const Entry& e) { return e.id == id; });
  return found == std::end(kEntries) ? nullptr : found->text;
}

}  // namespace velmora
