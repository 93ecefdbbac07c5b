// The transpose commands in the engine: they ask for the range as group
// operations ask for their area (typed numbers or a box) and hand it to
// the transpose component.

#include "engine/engine.h"
#include "engine/engine_messages.h"

namespace ts {

void Engine::startTranspose(const CommandLine& line) {
  const std::vector<double> area = m_transpose.begin(line);
  setMessage(messages::kAreaPrompt);
  if (!area.empty()) groupNumbers(area, false);  // "TRP2 1 0 200 2": the answer at once
}

void Engine::transposeChosen(const std::vector<double>& numbers, bool fromBox) {
  (void)fromBox;  // a box comes as the same four numbers
  const GroupArea area = areaFromNumbers(numbers);
  if (area.lowerStaff < 1) {
    setMessage(messages::kAreaPrompt);
    return;
  }
  endGroup();
  TransposeContext context{m_page, m_preferences, m_host, m_waitLevel, [this] { saveUndoCopy(); }};
  const TransposeReply reply = m_transpose.run(area, context);
  for (const std::string& box : reply.boxes) m_host.messageBox(box);
  if (reply.changed) markModified();
  if (reply.failed) fail(reply.message);
  else setMessage(reply.message);
}

bool Engine::transposeStaves(const TransposeRange& range, const TransposeOptions& options,
                             std::vector<std::string>& messages) {
  TransposeContext context{m_page, m_preferences, m_host, m_waitLevel, [this] { saveUndoCopy(); }};
  const TransposeReply reply = m_transpose.transpose(range, options, context);
  messages.insert(messages.end(), reply.boxes.begin(), reply.boxes.end());
  if (!reply.message.empty()) messages.push_back(reply.message);
  if (reply.changed) markModified();
  return !reply.failed;
}

}  // namespace ts
