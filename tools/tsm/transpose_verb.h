#pragma once
// `tsm transpose PAGE --staves A B --by AMOUNT [--range L R] [--clef NAME]
// [--add-key] [--stems] [--no-cue] [--out OUT.mus]`: the staves A to B
// between L and R (0 and 200 when not given) transposed by AMOUNT (half
// steps "+2", "-3"; an interval "+M2", "-P5"; "enh+" or "enh-") as the
// transpose commands do, and the page saved to OUT (or PAGE, through the
// safe writer). A refused transposition saves nothing.

#include <functional>
#include <string>
#include <vector>

namespace ts {
class EngineSession;
}  // namespace ts

namespace tsm {

struct TransposeVerbResult {
  int status = 0;  // 0 transposed and saved, 1 refused or not saved, 2 usage error
  std::vector<std::string> messages;
};

// `openPage` opens the page in the session, false when it could not be read.
TransposeVerbResult transposeVerb(const std::vector<std::string>& arguments, ts::EngineSession& session,
                                  const std::function<bool(const std::string&)>& openPage);

}  // namespace tsm
