#pragma once
// A score made into pages: placed as runs of bars, its notes joined and
// marked, broken into lines and pages by the page layout, each line
// begun with its system's bar and braces, and the title and composer set
// over the first page.

#include <string>
#include <vector>

#include "interchange/score_model.h"
#include "interchange/unmapped_log.h"
#include "model/page_store.h"

namespace ts {
struct Preferences;
}

namespace ts::interchange {

constexpr int kMaxImportPages = 200;

struct PagesOutcome {
  std::vector<PageStore> pages;
  std::vector<std::string> notices;  // what the layout said
  std::string error;                 // why nothing was made, when nothing was
};

PagesOutcome scoreToPages(const Score& score, const Preferences& preferences, UnmappedLog& unmapped);

}  // namespace ts::interchange
