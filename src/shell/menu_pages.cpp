#include "shell/menu_pages.h"

#include <array>

namespace ts::shell {
namespace {

constexpr int kAnyPageRequest = 0;  // the brackets family answers every page request
constexpr int kHighestPageRequest = 100;

struct MenuFamily {
  int requested;  // the number that asks for the next page of this family
  int first;      // the family's first page
  int selector0;  // the page selector 0 leads to (from any other page)
  int selector1;  // the page selector 1 leads to
};

// [family] requested, first page, selector-0 page, selector-1 page
constexpr std::array<MenuFamily, 8> kFamilies{{
    {4, 161, 223, 224},  // lines
    {5, 162, 220, 221},  // slurs
    {6, 175, 225, 226},  // beams
    {6, 176, 271, 270},  // tremolos
    {7, 190, 249, 250},  // octave signs
    {8, 202, 251, 252},  // trills
    {9, 198, 253, 254},  // pedals
    {kAnyPageRequest, 172, 268, 269},  // brackets
}};

bool inFamily(const MenuFamily& family, int menu) {
  return menu == family.first || menu == family.selector0 || menu == family.selector1;
}

bool answers(const MenuFamily& family, int requested) {
  if (family.requested == kAnyPageRequest) return requested <= kHighestPageRequest;
  return requested == family.requested;
}

}  // namespace

int editMenuToLoad(int requested, int selector, int current) {
  for (const MenuFamily& family : kFamilies) {
    if (!inFamily(family, current) || !answers(family, requested)) continue;
    const int target = selector == 0 ? family.selector0 : family.selector1;
    return current == target ? family.first : target;
  }
  return requested;
}

std::optional<int> firstPageOfFamily(int menu) {
  for (const MenuFamily& family : kFamilies)
    if (inFamily(family, menu)) return family.first;
  return std::nullopt;
}

}  // namespace ts::shell
