#include "common/help_file.h"

#include <algorithm>
#include <iterator>

namespace velmora {

const char* HelpTopic(unsigned long context) {
  struct Entry {
    unsigned long context;
    const char* page;
  };
  // The build reads this table too (help/check_help.cmake): it fails when a page named here is
  // not in the help file. One entry a line.
  static constexpr Entry kTopics[] = {
      {2000, "palette.htm"},  // the palette
      {2001, "cache.htm"},    // the options sheet's Cache page
      {2002, "agent.htm"},    // the Agent page
  };
  const Entry* found =
      std::find_if(std::begin(kTopics), std::end(kTopics), [context](const Entry& e) { return e.context == context; });
  return found == std::end(kTopics) ? nullptr : found->page;
}

}  // namespace velmora
