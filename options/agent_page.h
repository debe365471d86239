// The Agent page's rules: what a load shows and remembers, when the page counts as changed, and
// what an apply writes. The window only moves values (AgentBoxes).
#pragma once
#include <optional>

#include "common/prompts.h"
#include "common/settings_store.h"
#include "options/default_agent.h"

namespace velmora {

// The page's controls: the name box and the two type buttons.
class AgentBoxes {
 public:
  virtual ~AgentBoxes() = default;
  // Puts the name into its box and selects the type's button, unseen as a user's change.
  virtual void Show(const AgentShown& agent) = 0;
  // What the boxes hold now: the selected button (kNone when neither is) and the name as the
  // box keeps it.
  virtual AgentShown ReadBoxes() const = 0;
};

class AgentPage {
 public:
  AgentPage(SettingsStore& settings, Prompts& prompts, AgentBoxes& boxes)
      : m_settings(settings), m_prompts(prompts), m_boxes(boxes) {}

  // Reads the stored agent into the boxes and remembers what they show. With no valid value the
  // placeholder shows with Novell and nothing is remembered, so the page counts as changed.
  void Load();
  // True when the boxes differ from what the last load remembered.
  bool Changed() const;
  // Writes what the page shows when it changed (a failed write shows 20009 owned by `page` and
  // the apply goes on), then loads again.
  void Apply(OwnerWindow page);

  const std::optional<AgentShown>& remembered() const { return m_remembered; }

 private:
  SettingsStore& m_settings;
  Prompts& m_prompts;
  AgentBoxes& m_boxes;
  std::optional<AgentShown> m_remembered;
};

}  // namespace velmora
