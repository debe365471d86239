#include "options/agent_page.h"

namespace velmora {

void AgentPage::Load() {
  m_remembered.reset();
  const DefaultAgent agent = ReadDefaultAgent(m_settings);
  if (!agent.valid) {
    m_boxes.Show(AgentShown{AgentType::kNovell, kPlaceholderAgentName});
    return;
  }
  m_boxes.Show(AgentShown{agent.type, agent.name});
  m_remembered = m_boxes.ReadBoxes();  // as the box keeps it
}

bool AgentPage::Changed() const { return IsDefaultAgentChanged(m_boxes.ReadBoxes(), m_remembered); }

void AgentPage::Apply(OwnerWindow page) {
  SaveDefaultAgent(m_settings, m_prompts, page, m_boxes.ReadBoxes(), m_remembered);
  Load();
}

}  // namespace velmora
