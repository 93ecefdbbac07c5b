#include "interchange/unmapped_log.h"

#include "interchange/interchange_messages.h"

namespace ts::interchange {

void UnmappedLog::note(const std::string& kind, const std::string& measure) {
  if (!m_kinds.insert(kind).second) return;
  m_messages.push_back(std::string(messages::kCannotMap) + kind + messages::kInMeasure + measure + ")");
}

}  // namespace ts::interchange
