#pragma once
// Reading an item's numeric parameters for drawing. A redraw reads every
// parameter of every item more than once (to check them, to find the
// staves and bars, to draw them), so they are read in one run from the
// store instead of one PageStore::param call each.

#include <span>

#include "model/page_store.h"

namespace ts {

// Copies P1, P2, ... of item k into out[0], out[1], ...: as many as the item
// stores as parameters (a text item's characters excluded) and `out` holds.
// Returns how many were copied; each equals page.param(k, i).
int readItemParameters(const PageStore& page, int k, std::span<float> out);

}  // namespace ts
