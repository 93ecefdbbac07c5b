// The numbers of distributing room: merging, fitting, the gap changes and
// the closed form of applying them. Applying the changes gap after gap,
// left to right, stretches each position once (in the gap it stands in)
// after every earlier gap's change has shifted it; so a position inside gap
// i ends at a'(i) + (p + shift(i) - a'(i)) x factor(i), where a'(i) is the
// gap's left column after the shifts. That form takes one search per
// position instead of a walk over every gap.

#include "layout/justification_distribution.h"

#include <algorithm>
#include <cmath>

#include "layout/justification_messages.h"

namespace ts {
namespace {

constexpr float kMergeLimit = 0.2f;     // further staves merge up to the right position less this
constexpr float kSmallestFactor = 0.2f; // a gap squeezed this far keeps its inside as it was
constexpr float kAfterLeftColumn = 0.2f;
constexpr float kCleanUp = 0.01f;

void mergeOne(std::vector<SpacingColumn>& merged, const std::vector<SpacingColumn>& staff, float right) {
  for (const SpacingColumn& column : staff) {
    if (column.x >= right - kMergeLimit) break;
    const auto at = std::lower_bound(merged.begin(), merged.end(), column.x - kMergedColumn,
                                     [](const SpacingColumn& c, float x) { return c.x < x; });
    if (at != merged.end() && std::fabs(at->x - column.x) <= kMergedColumn) {
      at->gap = std::max(at->gap, column.gap);
    } else {
      merged.insert(std::upper_bound(merged.begin(), merged.end(), column.x,
                                     [](float x, const SpacingColumn& c) { return x < c.x; }),
                    column);
    }
  }
}

}  // namespace

std::vector<SpacingColumn> mergeColumns(std::span<const std::vector<SpacingColumn>> staves, float right) {
  std::vector<SpacingColumn> merged;
  for (size_t s = 0; s < staves.size(); ++s) {
    if (s == 0) merged = staves[0];
    else mergeOne(merged, staves[s], right);
  }
  if (!merged.empty() && merged.back().x < right - kMergedColumn) merged.push_back({right, 0.0f});
  return merged;
}

std::optional<std::string> fitNeeds(std::vector<float>& gaps, float available) {
  double needed = 0.0;
  for (const float gap : gaps) needed += gap;
  if (gaps.empty() || !(available < needed)) return std::nullopt;
  const float share = static_cast<float>((needed - available) / static_cast<double>(gaps.size()));
  for (float& gap : gaps) gap = std::max(0.0f, gap - share);
  return notEnoughSpaceMessage(needed, available);
}

std::vector<float> gapChanges(std::span<const float> xs, std::span<const float> gaps) {
  const size_t count = std::min(gaps.size(), xs.empty() ? size_t{0} : xs.size() - 1);
  std::vector<float> slack(count), changes(count, 0.0f);
  double spare = 0.0, short_ = 0.0;
  for (size_t i = 0; i < count; ++i) {
    slack[i] = (xs[i + 1] - xs[i]) - gaps[i];
    if (slack[i] > 0.0f) spare += slack[i];
    if (slack[i] < 0.0f) short_ -= slack[i];
  }
  if (spare == 0.0 || short_ == 0.0) return changes;
  const double ratio = short_ / spare;
  const double growth = ratio > 1.0 ? 1.0 / ratio : 1.0;  // what the narrow gaps can have
  const double shrink = ratio > 1.0 ? 1.0 : ratio;
  for (size_t i = 0; i < count; ++i)
    changes[i] = static_cast<float>(slack[i] < 0.0f ? -slack[i] * growth : -shrink * slack[i]);
  return changes;
}

GapChangeMap::GapChangeMap(std::span<const float> xs, std::span<const float> changes)
    : m_xs(xs.begin(), xs.end()), m_changes(changes.begin(), changes.end()) {
  m_changes.resize(m_xs.empty() ? 0 : m_xs.size() - 1, 0.0f);
  m_shifts.resize(m_xs.size(), 0.0f);
  for (size_t i = 1; i < m_xs.size(); ++i) m_shifts[i] = m_shifts[i - 1] + m_changes[i - 1];
  m_moves = std::any_of(m_changes.begin(), m_changes.end(), [](float change) { return change != 0.0f; });
}

float GapChangeMap::map(float position) const {
  if (!m_moves || m_xs.empty() || !(position >= m_xs.front())) return position;
  const size_t after = static_cast<size_t>(std::upper_bound(m_xs.begin(), m_xs.end(), position) - m_xs.begin());
  if (after >= m_xs.size()) return position + m_shifts.back();
  const size_t gap = after - 1;
  const float a = m_xs[gap] + m_shifts[gap];
  const float width = m_xs[gap + 1] - m_xs[gap];
  float factor = width > 0.0f ? (width + m_changes[gap]) / width : 1.0f;
  if (factor <= kSmallestFactor) factor = 1.0f;
  if (position == m_xs[gap]) return a;  // a column moves with its shift, nothing else
  float placed = a + (position - m_xs[gap]) * factor;
  // Held right of the gap before's left column, but never pushed past its own gap's right one.
  const float right = m_xs[gap + 1] + m_shifts[gap + 1];
  if (gap > 0) placed = std::max(placed, std::min(m_xs[gap - 1] + m_shifts[gap - 1] + kAfterLeftColumn, right));
  return placed;
}

float cleanedPosition(float position, float rightEdge) {
  if (std::fabs(position) < kCleanUp) return 0.0f;
  if (std::fabs(position - rightEdge) < kCleanUp) return rightEdge;
  return position;
}

}  // namespace ts
