#include "layout/justification_edges.h"

#include <cmath>
#include <map>

#include "layout/justification_columns.h"
#include "model/page_store.h"

namespace ts {
namespace {

constexpr int kCentredRestParam = 9;  // P9 = -1 centres a rest in its bar
constexpr float kCentred = -1.0f;
constexpr float kWholeBarRest = -2.0f;  // rest types at or below this fill a bar
constexpr float kSlurEndAtNote = -1.0f;

bool onSystem(const PageStore& page, int k, const JustifyRange& range) {
  const int staff = truncToInt(page.param(k, 2));
  return staff >= range.firstStaff && staff <= range.lastStaff;
}

bool inRange(float x, const JustifyRange& range) {
  return x >= range.left - kRangeTolerance && x <= range.right + kRangeTolerance;
}

// The start (P3) of each staff: its first staff item's.
std::map<int, float> staffStarts(const PageStore& page) {
  std::map<int, float> starts;
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.code(k) == kCodeStaff) starts.emplace(truncToInt(page.param(k, 2)), page.param(k, 3));
  return starts;
}

bool moveClefOffStaffStart(PageStore& page, int k, const JustifyRange& range, const std::map<int, float>& starts) {
  const auto start = starts.find(truncToInt(page.param(k, 2)));
  const float x = page.param(k, 3);
  if (start == starts.end() || x != start->second || !inRange(x, range)) return false;
  return page.setParam(k, 3, x + kClefFromStaffStart);
}

bool stepBack(PageStore& page, int k, int i) {
  const float x = page.param(k, i);
  const float stepped = stepBackFromEdge(x, kNormalRightEdge);
  return stepped != x && page.setParam(k, i, stepped);
}

bool centreRest(PageStore& page, int k) {
  if (page.param(k, kCentredRestParam) == kCentred) return false;
  if (page.paramCount(k) >= kCentredRestParam) return page.setParam(k, kCentredRestParam, kCentred);
  ItemRecord record = page.record(k);
  record.params.resize(kCentredRestParam, 0.0f);
  record.params[kCentredRestParam - 1] = kCentred;
  return page.replace(k, record);  // a full store keeps the rest as it was
}

}  // namespace

float stepBackFromEdge(float position, float rightEdge) {
  return std::fabs(position - rightEdge) < kFromRightEdge ? rightEdge - kFromRightEdge : position;
}

bool prepareForJustification(PageStore& page, const JustifyRange& range) {
  bool changed = false;
  const std::map<int, float> starts = staffStarts(page);
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (!onSystem(page, k, range)) continue;
    switch (page.code(k)) {
      case kCodeClef: changed = moveClefOffStaffStart(page, k, range, starts) || changed; break;
      case kCodeNote: changed = stepBack(page, k, 3) || changed; break;
      case kCodeBeam: changed = stepBack(page, k, 6) || changed; break;
      case kCodeSlur:
        if (page.param(k, 8) == kSlurEndAtNote) changed = stepBack(page, k, 6) || changed;
        break;
      default: break;
    }
  }
  return changed;
}

bool finishJustification(PageStore& page, const JustifyRange& range) {
  bool changed = false;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (!onSystem(page, k, range) || page.code(k) != kCodeRest) continue;
    if (inRange(page.param(k, 3), range) && page.param(k, 5) <= kWholeBarRest) changed = centreRest(page, k) || changed;
  }
  return changed;
}

}  // namespace ts
