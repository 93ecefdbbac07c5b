#pragma once
// Horizontal justification of a system: the items of its staves between a
// left and a right position re-spaced so that every column keeps the room
// it needs and the room left is shared out in proportion to the spacing
// the columns already have; and the line-up of the staves by beats.

#include <string>
#include <vector>

namespace ts {

class PageStore;
struct Preferences;

constexpr float kNormalRightEdge = 200.0f;  // P3 of the writing width's right edge

struct JustifyRange {
  int firstStaff = 1;
  int lastStaff = 1;
  float left = 0.0f;
  float right = kNormalRightEdge;
};

struct JustifyOutcome {
  std::vector<std::string> messages;  // "*** Not enough space to justify ideally. ..."
  bool changed = false;               // a position of the page changed
};

// Justifies the staves of the range. Staves with fewer than two columns
// add nothing; a range with fewer than two columns moves nothing.
JustifyOutcome justifyStaves(PageStore& page, const JustifyRange& range, const Preferences& preferences);

// The staff numbers of the range that items of the page name, in order:
// at most one a item, however wide the range.
std::vector<int> stavesInRange(const PageStore& page, const JustifyRange& range);

struct StaffBeatCount {
  int staff = 0;
  double beats = 0.0;
};

struct LineUpOutcome {
  std::vector<StaffBeatCount> counts;  // each staff's beats, in staff order
  bool changed = false;
};

// Lines the staves up by beats: each staff's columns go to where their
// beats fall on the staff with the most columns (the lowest such staff).
LineUpOutcome lineUpStaves(PageStore& page, const JustifyRange& range);

// The line-up report: "Staff   1 has  4.000 beats" for each staff, then
// "\r\n\r\nType X to exit.".
std::string beatsReport(const std::vector<StaffBeatCount>& counts);

}  // namespace ts
