// The page as it leaves the program: the same drawing as the screen's with
// the print target, for the PostScript and PDF writers of the hosts.

#include "engine/engine.h"

namespace ts {

std::vector<std::string> Engine::drawForPrint(DisplayTarget& target) {
  DrawRequest request;
  request.print = true;
  request.showInvisible = false;
  request.unit = m_unit;
  request.paper = m_paper;
  // The drawer keeps the staff table of its last drawing for clicks; the
  // print drawing places staves the same way, so nothing the screen relies
  // on changes.
  return m_drawer.draw(m_page, request, target).warnings;
}

}  // namespace ts
