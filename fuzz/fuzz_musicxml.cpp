// Any bytes as a score file (MusicXML text, or a .mxl zip when they start
// as one): the import must refuse or make pages without reading outside
// its buffers, every page it makes must be a page the store holds, and
// exporting those pages must give a score that imports again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "interchange/musicxml_interchange.h"
#include "interchange/score_to_pages.h"
#include "model/preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ts::Preferences preferences;
  const ts::interchange::ImportResult imported = ts::interchange::importScore({data, size}, preferences);
  if (imported.ok == imported.pages.empty()) std::abort();
  if (!imported.ok && imported.error.empty()) std::abort();
  if (imported.pages.size() > static_cast<size_t>(ts::interchange::kMaxImportPages)) std::abort();
  std::vector<const ts::PageStore*> pages;
  for (const ts::PageStore& page : imported.pages) {
    if (page.itemCount() > ts::kMaxItems || page.nextFreeWord() > ts::kStoreWords) std::abort();
    pages.push_back(&page);
  }
  if (pages.empty()) return 0;
  const ts::interchange::ExportResult exported = ts::interchange::exportScore(pages);
  if (!exported.ok) return 0;
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(exported.text.data()), exported.text.size());
  if (!ts::interchange::importScore(text, preferences).ok) std::abort();
  return 0;
}
