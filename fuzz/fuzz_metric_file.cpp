// Any bytes handed to the metric-file reader: it must refuse them or read
// them without reading outside its buffer, and a file it accepts must write
// back to the same bytes. Bytes after the first 358 are a text set in the
// font read from those, with its font switches, spacings and justification,
// so the widths a file can hold are measured and placed too.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "draw/font_metric_file.h"
#include "draw/font_metrics.h"
#include "draw/text_layout.h"

namespace {

void checkRoundTrip(std::span<const uint8_t> bytes) {
  ts::FontMetricFile file;
  if (ts::decodeFontMetrics(bytes, file) != ts::MetricFileStatus::Ok) return;
  const std::vector<uint8_t> again = ts::encodeFontMetrics(file);
  if (again.size() != bytes.size() || !std::equal(again.begin(), again.end(), bytes.begin())) std::abort();
}

// Sets the text in the font, one of the text's bytes choosing the spacing.
void setText(const ts::FontWidths& widths, std::string_view text) {
  const uint8_t choice = text.empty() ? 0 : static_cast<uint8_t>(text.front());
  std::vector<ts::SetRun> runs;
  for (const ts::TextRun& run : ts::splitFontSwitches(text, 0).runs) runs.push_back({run.font, &widths, run.text});
  const ts::TextSpacing spacing{ts::kLargestTextSize * ts::kPageUnitsPerPoint, (choice & 1) ? 1.0f : 2.5f,
                                (choice & 2) ? 0.0f : -ts::kLargestTextSpacing, (choice & 4) ? 0.0f : 3.0f,
                                (choice & 8) ? 0.0f : 1.0e9f};
  for (const ts::PlacedString& placed : ts::placeStrings(runs, spacing)) {
    if (placed.run >= runs.size() || !std::isfinite(placed.offset)) std::abort();
  }
  if (!std::isfinite(ts::setWidth(runs, spacing))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  checkRoundTrip(bytes);
  if (size < static_cast<size_t>(ts::kMetricFileBytes)) return 0;
  ts::FontMetricFile file;
  if (ts::decodeFontMetrics(bytes.first(ts::kMetricFileBytes), file) != ts::MetricFileStatus::Ok) return 0;
  const auto rest = bytes.subspan(ts::kMetricFileBytes);
  setText(ts::FontWidths::fromFile(file), {reinterpret_cast<const char*>(rest.data()), rest.size()});
  return 0;
}
