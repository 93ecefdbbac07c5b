#pragma once
// Edit menus that come in pages: a switch request with a small number
// (4 to 9) turns the current page of a family into its next page.

#include <optional>

namespace ts::shell {

constexpr int kFirstEditMenu = 101;  // edit menus are tool bars numbered from here

// The menu to load for a switch request while `current` is shown; a
// result below 101 means the request is ignored. `selector` is 0 or 1.
int editMenuToLoad(int requested, int selector, int current);

// The first page of the family that `menu` belongs to, if it is paged.
std::optional<int> firstPageOfFamily(int menu);

}  // namespace ts::shell
