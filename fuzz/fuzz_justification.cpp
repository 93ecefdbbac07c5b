// Any bytes read as a page file and, when the reader takes them, justified
// as the justify commands do (the system and range picked by the last
// byte), lined up by beats, and its first staff's notes placed as typed
// rhythms: no page may make justification hang, and no value that could
// be drawn before may become one that cannot.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "draw/drawable_values.h"
#include "layout/justification.h"
#include "layout/justification_edges.h"
#include "layout/typed_placement.h"
#include "model/page_file.h"
#include "model/page_store.h"
#include "model/preferences.h"

namespace {

std::vector<bool> drawableItems(const ts::PageStore& page) {
  std::vector<bool> drawable;
  for (int k = 1; k <= page.itemCount(); ++k) drawable.push_back(ts::firstUndrawableParameter(page.record(k).params) == 0);
  return drawable;
}

// The notes and rests of staff 1, with their durations as rhythms.
void placeFirstStaff(ts::PageStore& page, const ts::Preferences& preferences, uint8_t settings) {
  ts::TypedStretch stretch{1, static_cast<float>(settings % 20), 200.0f, {}};
  std::vector<float> rhythms;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (ts::truncToInt(page.param(k, 2)) != 1) continue;
    stretch.items.push_back(k);
    const int code = page.code(k);
    if ((code == ts::kCodeNote && page.param(k, 15) != -1.0f) || code == ts::kCodeRest) rhythms.push_back(page.param(k, 7));
  }
  (void)ts::placeTypedRhythms(page, stretch, rhythms, preferences, settings % 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ts::PageStore page;
  if (ts::readPageFile(std::span<const uint8_t>(data, size), false, page).status != ts::PageReadStatus::Ok) return 0;
  const uint8_t settings = size > 0 ? data[size - 1] : 0;
  const std::vector<bool> before = drawableItems(page);
  ts::Preferences preferences;
  preferences.afterBar = static_cast<float>(settings % 7);
  const ts::JustifyRange range{1 + settings % 3, 1 + settings % 5, static_cast<float>(settings % 50),
                               static_cast<float>(100 + settings)};
  ts::prepareForJustification(page, range);
  if ((settings & 0x10) != 0) (void)ts::lineUpStaves(page, range);
  (void)ts::justifyStaves(page, range, preferences);
  ts::finishJustification(page, range);
  if ((settings & 0x20) != 0) placeFirstStaff(page, preferences, settings);
  const std::vector<bool> after = drawableItems(page);
  for (size_t i = 0; i < before.size() && i < after.size(); ++i)
    if (before[i] && !after[i]) std::abort();
  return 0;
}
