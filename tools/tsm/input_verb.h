#pragma once
// `tsm input PAGE FILE --staff N [--range L R] [--out OUT.mus]`: the stage
// lines of an input file fed to staff N (and, five lines to a stretch, to
// the staves above it) between positions L and R (2 and 200 when not
// given), as typed input reads a file, and the page saved to OUT (or PAGE).

#include <functional>
#include <string>
#include <vector>

namespace ts {
class EngineSession;
}  // namespace ts

namespace tsm {

struct InputVerbResult {
  int status = 0;  // 0 fed and saved, 1 not done (nothing saved), 2 usage error
  std::vector<std::string> messages;
};

// `openPage` opens the page in the session, false when it could not be read.
InputVerbResult inputVerb(const std::vector<std::string>& arguments, ts::EngineSession& session,
                          const std::function<bool(const std::string&)>& openPage);

}  // namespace tsm
