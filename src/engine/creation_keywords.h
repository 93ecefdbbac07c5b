#pragma once
// The creation keywords: a word whose first three characters match one of
// 96 prefixes creates an item from that prefix's template.

#include <optional>
#include <string_view>
#include <vector>

#include "model/page_store.h"

namespace ts {

constexpr int kCreationKeywordCount = 96;

// Where a new item goes: the staff and position of the item edited or
// created last (staff 1 at the left edge on an empty page), and the
// highest staff number on the page (for a new staff).
struct CreationPlace {
  float staff = 1.0f;
  float position = 0.0f;
  int highestStaff = 0;
};

// The 1-based position of the keyword the word creates, if any.
// "RES" only matches the word "REST"; "P" and "F" only the whole word.
std::optional<int> findCreationKeyword(std::string_view word);

// The three-letter prefix at a position (for messages and tests).
std::string_view creationPrefix(int position);

// The item that keyword `position` creates at `place`. `argument` is the
// number typed after the keyword, when there is one ("END2", "NUM 5").
ItemRecord makeCreatedItem(int position, const CreationPlace& place, std::optional<double> argument);

}  // namespace ts
