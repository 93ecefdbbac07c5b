// Any bytes handed to the page-file reader: it must refuse or read them
// without reading or writing outside its buffers, and a page it accepts must
// write back and read again to the same records.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/page_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ts::PageStore page;
  static ts::PageStore again;
  const bool withName = size > 0 && (data[0] & 1);
  const ts::PageReadResult result = ts::readPageFile(std::span<const uint8_t>(data, size), withName, page);
  if (result.status != ts::PageReadStatus::Ok) return 0;
  for (int k = 1; k <= page.itemCount(); ++k) {
    (void)page.record(k);
    (void)page.text(k);
  }
  const std::vector<uint8_t> bytes = ts::encodePageFile(page, 0.0f);
  const ts::PageReadResult reread = ts::readPageFile(bytes, false, again);
  if (reread.status != ts::PageReadStatus::Ok || again.itemCount() != page.itemCount() ||
      again.nextFreeWord() != page.nextFreeWord())
    std::abort();
  return 0;
}
