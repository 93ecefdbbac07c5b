#pragma once
// The copy of the page kept while typed input runs, so that abandoning the
// input gives the page back: the item count as a 32-bit integer, then the
// page words 1 to P (P the next free word), little-endian.

#include <cstdint>
#include <span>
#include <vector>

#include "model/page_store.h"

namespace ts {

std::vector<uint8_t> encodeAbandonStore(const PageStore& page);

// Reads the copy back. The number of words comes from the file's length, so
// the copy can be read after a restart too; a copy whose item count does
// not match its words is refused and the page is left alone.
bool decodeAbandonStore(std::span<const uint8_t> bytes, PageStore& page);

}  // namespace ts
