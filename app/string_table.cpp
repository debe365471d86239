#include "app/string_table.h"

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
  for (const Entry& e : kEntries) {
    if (e.id == id) return e.text;
  }
  return nullptr;
}

}  // namespace velmora
