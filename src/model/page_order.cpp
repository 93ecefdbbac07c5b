#include "model/page_order.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ts {
namespace {

// Truncation toward zero, saturating at +-limit. Key parts are kept well
// inside the int64 range so that scaling and adding them cannot overflow.
int64_t truncTo64(double value, double limit) {
  if (std::isnan(value)) return 0;
  return static_cast<int64_t>(std::clamp(value, -limit, limit));
}

constexpr double kKeyPartLimit = 9.0e18;  // a key part that is only added to
constexpr double kScaledPartLimit = 9.0e15;  // a key part that is multiplied by 1000 first

// A NaN secondary value would break the ordering; it sorts last instead.
float comparableSecondary(float value) {
  return std::isnan(value) ? std::numeric_limits<float>::infinity() : value;
}

}  // namespace

float roundToHundredth(float p3) {
  if (!std::isfinite(p3)) return p3;
  return static_cast<float>(std::round(static_cast<double>(p3) * 100.0) / 100.0);
}

OrderKey orderKey(const ItemRecord& item, PageOrder order) {
  const int code = item.code();
  const bool hasStep = item.params.size() >= 4;
  const float p3Thousandths = item.p(3) * 1000.0f;  // float product, as stored values are floats
  OrderKey result;
  if (order == PageOrder::ByPosition) {
    result.key = truncTo64(std::round(p3Thousandths), kScaledPartLimit) * 1000 + truncToInt(item.p(2));
    if (hasStep) {
      result.secondary = item.p(4);
      if (code == kCodeNote || code == kCodeRest || code == kCodeClef || code == kCodeBeam)
        result.secondary = std::fmod(result.secondary, 100.0f);
      if (code == kCodeBars) result.secondary = 0.0f;
    }
    return result;
  }
  int64_t staff = truncToInt(item.p(2));
  if (order == PageOrder::ByStaffReversed) staff = 201 - staff;
  // Notes and rests come before the other items at the same place.
  result.key = staff * 1000000 + truncTo64(p3Thousandths, kKeyPartLimit) + (code > kCodeRest ? 1 : 0);
  if (hasStep) result.secondary = item.p(4) + (code == kCodeRest ? 5.0f : 0.0f);
  return result;
}

int64_t textFrontKey(const ItemRecord& item) {
  return static_cast<int64_t>(truncToInt(item.p(2))) * 100000 + truncTo64(item.p(4) * 100.0f, kKeyPartLimit);
}

void orderPage(PageStore& page, PageOrder order) {
  if (page.itemCount() < 2) return;
  std::vector<ItemRecord> items;
  items.reserve(page.itemCount());
  for (int k = 1; k <= page.itemCount(); ++k) {
    page.setParam(k, 3, roundToHundredth(page.param(k, 3)));
    items.push_back(page.record(k));
  }
  // Taking the smallest key again and again, the first of equals winning,
  // is a stable sort by (key, secondary). Secondary values of 900 and above
  // and keys beyond any staff simply sort by value, so every item is placed
  // exactly once.
  const PageOrder byKey = order == PageOrder::TextFirst ? PageOrder::ByStaff : order;
  std::vector<OrderKey> keys;
  keys.reserve(items.size());
  for (const ItemRecord& item : items) keys.push_back(orderKey(item, byKey));
  std::vector<int> sequence(items.size());
  for (size_t i = 0; i < sequence.size(); ++i) sequence[i] = static_cast<int>(i);
  std::stable_sort(sequence.begin(), sequence.end(), [&](int a, int b) {
    if (keys[a].key != keys[b].key) return keys[a].key < keys[b].key;
    return comparableSecondary(keys[a].secondary) < comparableSecondary(keys[b].secondary);
  });
  if (order == PageOrder::TextFirst) {
    const auto firstOther = std::stable_partition(
        sequence.begin(), sequence.end(), [&](int i) { return items[i].code() == kCodeText; });
    std::stable_sort(sequence.begin(), firstOther,
                     [&](int a, int b) { return textFrontKey(items[a]) > textFrontKey(items[b]); });
  }
  // Whole records move, so a text item keeps every stored word.
  std::vector<int> itemOrder;
  itemOrder.reserve(sequence.size());
  for (int i : sequence) itemOrder.push_back(i + 1);
  page.permute(itemOrder);
}

}  // namespace ts
