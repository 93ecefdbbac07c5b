#include "model/page_title.h"

#include <cstdio>

namespace ts {

const char* paperTag(PaperSize paper) {
  switch (paper) {
    case PaperSize::Legal: return "<Legal>";
    case PaperSize::Ledger: return "<Ledger>";
    case PaperSize::Double: return "<Double>";
    case PaperSize::A3: return "<A3>";
    case PaperSize::A4: return "<A4>";
    case PaperSize::B4: return "<B4>";
    case PaperSize::Custom: return "<Custom>";
    case PaperSize::Letter: break;
  }
  return "";
}

std::string pageTitle(std::string_view name, int itemCount, bool modified, PaperSize paper) {
  std::string title(name);
  if (itemCount <= 0) return title;
  char state[48];
  std::snprintf(state, sizeof state, modified ? "* (not saved - %04d Items)" : " (saved - %04d Items)", itemCount);
  title += state;
  const std::string tag = paperTag(paper);
  if (!tag.empty()) title += " " + tag;
  return title;
}

}  // namespace ts
