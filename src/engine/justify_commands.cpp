// The justify commands in the engine: they ask for the system as group
// operations ask for their area (typed numbers, a box or a click) and hand
// it to the justify component.

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "engine/item_picking.h"

namespace ts {

void Engine::startJustify(const CommandLine& line) {
  m_justify.begin(line.mnemonic);
  setMessage(messages::kSystemArea);
  if (!line.numbers.empty()) groupNumbers(line.numbers, false);  // "J 1 2 0 200": the answer at once
}

void Engine::justifyChosen(const std::vector<double>& numbers, bool fromBox) {
  const SystemChoice system = fromBox ? systemOfBox(areaFromNumbers(numbers)) : systemOfNumbers(numbers);
  if (system.lowestStaff < 1) {
    setMessage(messages::kSystemArea);
    return;
  }
  endGroup();
  JustifyContext context{m_page, m_preferences, m_host, m_waitLevel, [this] { saveUndoCopy(); },
                         [this](const UserEvent& click) { return pickNearestItem(m_places, {click.x, click.y}); }};
  const JustifyReply reply = m_justify.run(system, context);
  for (const std::string& box : reply.boxes) m_host.messageBox(box);
  if (reply.changed) markModified();
  setMessage(reply.message);
}

}  // namespace ts
