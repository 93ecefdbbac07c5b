#pragma once
// What joins or marks the notes of a run once they stand in place: beams,
// tuplet numbers, slurs and ties, articulations, dynamics and hairpins,
// words and lyrics. Beams, slurs and marks are made by the same builders
// as typed input's, so an imported page looks like a typed one.

#include "interchange/run_builder.h"

namespace ts::interchange {

// Returns false when the page store ran out.
bool attachMarks(PageStore& run, const RunChunk& chunk, const Score& score, UnmappedLog& unmapped);

}  // namespace ts::interchange
