#pragma once
// How a page's staves make systems and parts: a bar line at a staff's left
// end reaching over several staves joins them into one system, a brace
// joins staves into one part; any staff left over is a system of its own.

#include <vector>

#include "model/page_store.h"

namespace ts::interchange {

struct PageStaff {
  int number = 0;
  float left = 0.0f;  // P3 of the staff item
};

struct PagePart {
  std::vector<int> staves;  // page staff numbers, top first
};

struct PageSystem {
  std::vector<PagePart> parts;  // top first
  float left = 0.0f;            // where the system's staves begin
  int staffCount() const;
};

// The page's systems, top first.
std::vector<PageSystem> pageSystems(const PageStore& page);

}  // namespace ts::interchange
