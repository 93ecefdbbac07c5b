// Any bytes read as a page file and, when the reader takes them, transposed
// by an amount and with options picked by the last bytes (the amount also
// read as a batch run types it, from the first bytes), then its systems
// found as the transpose commands find them: no page may make the
// transposer hang or crash, and a refused transposition changes nothing.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <string_view>
#include <vector>

#include "layout/transposition.h"
#include "model/page_file.h"
#include "model/page_store.h"

namespace {

constexpr int kAmounts[] = {0, 1, 2, -1, -6, 6, 7, 12, -12, 14, 21, 30, -30, 31, -45, ts::kEnharmonicUp,
                            ts::kEnharmonicDown};
constexpr size_t kAmountText = 6;  // bytes read as a typed amount

// The items' parameters bit for bit, so that a page holding NaNs equals itself.
std::vector<std::vector<uint32_t>> itemsOf(const ts::PageStore& page) {
  std::vector<std::vector<uint32_t>> items;
  for (int k = 1; k <= page.itemCount(); ++k) {
    std::vector<uint32_t> bits;
    for (const float value : page.record(k).params) bits.push_back(std::bit_cast<uint32_t>(value));
    items.push_back(std::move(bits));
  }
  return items;
}

ts::TransposeOptions optionsOf(uint8_t amount, uint8_t flags) {
  ts::TransposeOptions options;
  options.halfSteps = kAmounts[amount % std::size(kAmounts)];
  options.clef = static_cast<ts::ClefChoice>(static_cast<int>(flags % 5) - 1);
  options.addKeySignature = (flags & 0x08) != 0;
  options.normalizeStems = (flags & 0x10) != 0;
  options.cueNotes = (flags & 0x20) != 0;
  return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)ts::transpositionAmountOfText(
      std::string_view(reinterpret_cast<const char*>(data), std::min(size, kAmountText)));
  static ts::PageStore page;
  if (ts::readPageFile(std::span<const uint8_t>(data, size), false, page).status != ts::PageReadStatus::Ok) return 0;
  const uint8_t amount = size > 0 ? data[size - 1] : 0;
  const uint8_t flags = size > 1 ? data[size - 2] : 0;
  const ts::TransposeRange range{1 + flags % 3, 1 + amount % 5, static_cast<float>(flags % 50),
                                 static_cast<float>(100 + amount)};
  const std::vector<std::vector<uint32_t>> before = itemsOf(page);
  const ts::TransposeOutcome outcome = ts::transposeRange(page, range, optionsOf(amount, flags));
  if (!outcome.refusal.empty() && itemsOf(page) != before) std::abort();
  (void)ts::systemsOfStaves(page, outcome.staves);
  return 0;
}
