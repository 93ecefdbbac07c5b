// First placement of typed notes: each note or rest advances the position
// by its share of the stretch in proportion to its duration; chord members
// stand with their chord's first note.

#include "layout/typed_placement.h"

#include <cmath>
#include <cstdio>

#include "model/item_codes.h"
#include "model/page_store.h"

namespace ts {
namespace {

constexpr int kDurationParam = 7;
constexpr float kGraceDuration = 64.0f;
constexpr float kGraceRoom = 0.1f;  // quarters of room a grace note takes

bool isChordMember(const PageStore& page, int k) { return page.code(k) == kCodeNote && page.param(k, 15) == -1.0f; }

bool takesRhythm(const PageStore& page, int k) {
  const int code = page.code(k);
  return (code == kCodeNote || code == kCodeRest) && !isChordMember(page, k);
}

float room(float duration) { return duration >= kGraceDuration ? kGraceRoom : duration; }

}  // namespace

float rhythmDuration(float code) {
  const float dots = std::floor(std::fabs(code) / 1000.0f);
  return std::fabs(code) - dots * 1000.0f;
}

PlacementResult placeTypedRhythms(PageStore& page, const TypedStretch& stretch, std::span<const float> rhythms,
                                  const Preferences& preferences, int spacingStaff) {
  (void)preferences;
  (void)spacingStaff;
  PlacementResult result;
  std::vector<int> takers;
  for (const int k : stretch.items) {
    if (k >= 1 && k <= page.itemCount() && takesRhythm(page, k)) takers.push_back(k);
  }
  if (takers.size() != rhythms.size()) {
    char text[64];
    std::snprintf(text, sizeof text, "Mismatch --%3zu rhythms,%3zu needed.", rhythms.size(), takers.size());
    result.messages.emplace_back(text);
    return result;
  }
  float total = 0.0f;
  for (const float code : rhythms) total += room(rhythmDuration(code));
  if (total <= 0.0f) return result;
  float at = stretch.left;
  float chordAt = at;
  size_t next = 0;
  for (const int k : stretch.items) {
    if (k < 1 || k > page.itemCount()) continue;
    if (isChordMember(page, k)) {
      page.setParam(k, 3, chordAt);
      continue;
    }
    if (!takesRhythm(page, k)) continue;
    page.setParam(k, kDurationParam, rhythms[next]);
    page.setParam(k, 3, at);
    chordAt = at;
    at += room(rhythmDuration(rhythms[next])) / total * (stretch.right - stretch.left);
    ++next;
  }
  result.placed = true;
  return result;
}

}  // namespace ts
