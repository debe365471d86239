#include "common/help_file.h"

namespace velmora {

const char* HelpTopic(unsigned long context) {
  struct Entry {
    unsigned long context;
    const char* page;
  };
  static constexpr Entry kTopics[] = {
#define VELMORA_HELP_TOPIC(context, page) {context, page},
#include "help_topics.def"  // beside this file
#undef VELMORA_HELP_TOPIC
  };
  for (const Entry& e : kTopics) {
    if (e.context == context) return e.page;
  }
  return nullptr;
}

}  // namespace velmora
