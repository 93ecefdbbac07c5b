#pragma once
// Sharing out the room of a justified line: the columns of all its staves
// merged into one list, the needed gaps fitted into the room there is, the
// change of every gap, and the new place of every position on the staves.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "layout/justification_columns.h"

namespace ts {

constexpr float kMergedColumn = 0.1f;  // columns of two staves this close are one

// The first staff's columns whole, each further staff's merged in by
// position (columns within 0.1 are one, keeping the larger gap) as far as
// `right` less 0.2; then a last column at `right` when the last one stands
// more than 0.1 left of it.
std::vector<SpacingColumn> mergeColumns(std::span<const std::vector<SpacingColumn>> staves, float right);

// Fits needed gaps into the room `available`: when they need more, every
// gap gives up an even share of the excess (no gap needs less than
// nothing) and the message says how much was needed.
std::optional<std::string> fitNeeds(std::vector<float>& gaps, float available);

// The change of each gap between the columns at `xs`: a gap narrower than
// it needs grows to its need, and the gaps with room to spare give up the
// growth in proportion to their spare room. None moves when no gap is too
// narrow or none has room to spare. When the spare room falls short of
// the growth wanted (the first column stands right of the range's start),
// the narrow gaps share what there is instead of the others shrinking
// below their needs.
std::vector<float> gapChanges(std::span<const float> xs, std::span<const float> gaps);

// Where every position goes when the gaps change: a position inside a gap
// is stretched about the gap's left column (a factor of 0.2 or less is
// taken as 1; never left of the gap before's left column plus 0.2), a
// position at or right of a column moves with it.
class GapChangeMap {
 public:
  GapChangeMap(std::span<const float> xs, std::span<const float> changes);
  float map(float position) const;
  bool movesAnything() const { return m_moves; }

 private:
  std::vector<float> m_xs;       // the columns as they stood
  std::vector<float> m_shifts;   // shift of column i: the changes of the gaps before it
  std::vector<float> m_changes;
  bool m_moves = false;
};

// The clean-up after justifying: a position within 0.01 of 0 becomes 0,
// one within 0.01 of the right edge becomes the edge.
float cleanedPosition(float position, float rightEdge);

}  // namespace ts
