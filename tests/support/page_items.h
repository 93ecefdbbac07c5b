#pragma once
// Appends an item of these parameters to a page; its number, 0 when refused.

#include <utility>
#include <vector>

#include "model/page_store.h"

namespace ts::testing {

inline int addItem(PageStore& page, std::vector<float> params) {
  ItemRecord record;
  record.params = std::move(params);
  return page.append(record);
}

}  // namespace ts::testing
