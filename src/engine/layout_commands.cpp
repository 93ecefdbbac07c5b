// Page layout and part extraction: the engine hands its page to the layout
// mode, which writes page files and leaves the page in memory as it was.

#include "engine/engine.h"

namespace ts {

void Engine::layoutCommand(bool parts) {
  const LayoutReply reply = m_layout.run(m_page, m_preferences, m_unit, parts, m_modified);
  if (reply.failed) fail(reply.message);
  else setMessage(reply.message);
}

}  // namespace ts
