// Typed music input: the engine hands its page to the input mode and shows
// what it answers. Input changes the page as one step that "UNDO" takes
// back: the undo copy is written once, when the staff has been chosen.

#include "engine/engine.h"
#include "engine/group_selection.h"
#include "engine/item_picking.h"

namespace ts {

void Engine::inputCommand() {
  const auto staffAt = [this](int x, int y) {
    const DisplayPoint point{x, y};
    return areaOfBox(point, point, m_drawer.staves(), highestStaffInUse(m_page), drawnOffsets()).lowerStaff;
  };
  const InputReply reply = m_input.run(m_page, m_preferences, staffAt, [this] { saveUndoCopy(); });
  if (reply.changed) markModified();
  if (reply.failed) fail(reply.message);
  else setMessage(reply.message);
}

bool Engine::typedInputFromFile(std::string_view fileName, int staff, float left, float right,
                                std::vector<std::string>& messages) {
  if (m_editing) closeItem();
  saveUndoCopy();
  const InputReply reply = m_input.runFile(m_page, m_preferences, fileName, staff, left, right);
  messages = reply.messages;
  if (!reply.message.empty()) messages.push_back(reply.message);
  if (reply.changed) markModified();
  return !reply.failed;
}

}  // namespace ts
