#pragma once
// The order commands: "OS" (by staff), "OSR" (by staff, staves reversed),
// "OH" (by horizontal position) and "OT" (text first, then by staff).

#include <cstdint>

#include "model/page_store.h"

namespace ts {

enum class PageOrder { ByStaff, ByStaffReversed, ByPosition, TextFirst };

struct OrderKey {
  int64_t key = 0;
  float secondary = 0.0f;
};

// P3 rounded to the nearest 0.01, as every item gets it before ordering.
float roundToHundredth(float p3);
// The key and secondary value of one item (P3 already rounded).
OrderKey orderKey(const ItemRecord& item, PageOrder order);
// The key that puts text items in front under "OT" (larger comes first).
int64_t textFrontKey(const ItemRecord& item);

// Reorders the whole page in place. Items with equal keys keep their order.
void orderPage(PageStore& page, PageOrder order);

}  // namespace ts
