#pragma once
// What an import could not carry over: each kind said once, with the
// measure it first turned up in, so a long score gives a short report.

#include <set>
#include <string>
#include <vector>

namespace ts::interchange {

class UnmappedLog {
 public:
  void note(const std::string& kind, const std::string& measure);
  // "cannot map ornaments (first in measure 12)", in the order first met.
  const std::vector<std::string>& messages() const { return m_messages; }

 private:
  std::set<std::string> m_kinds;
  std::vector<std::string> m_messages;
};

}  // namespace ts::interchange
