#pragma once
// Text justification ("JT"): lyrics and other words under the music keep
// their places against their notes. Before the music is justified each
// text of the chosen row remembers the note or rest nearest it on its
// staff and how far from it it stands; afterwards it stands that far from
// the note again, wherever the note went.

#include <optional>
#include <vector>

#include "layout/justification.h"

namespace ts {

class PageStore;

// The texts justified: every text of the system, or the row of one text
// (its staff, and a step within half a step of its P4).
struct TextRow {
  int staff = 0;
  float step = 0.0f;
};

struct TextAnchor {
  int text = 0;  // item numbers
  int note = 0;
  float offset = 0.0f;  // the text's P3 less the note's
};

std::vector<TextAnchor> anchorTexts(const PageStore& page, const JustifyRange& range, std::optional<TextRow> row);

// Puts each text back at its offset from its note; true when one moved.
bool followAnchors(PageStore& page, const std::vector<TextAnchor>& anchors);

}  // namespace ts
