#include "interchange/musicxml_interchange.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "interchange/interchange_messages.h"
#include "interchange/musicxml_reader.h"
#include "interchange/musicxml_writer.h"
#include "interchange/mxl_container.h"
#include "interchange/page_to_score.h"
#include "interchange/score_to_pages.h"

namespace ts::interchange {

ImportResult importScore(std::span<const uint8_t> bytes, const Preferences& preferences) {
  ImportResult result;
  if (bytes.size() > kMaxFileBytes) {
    result.error = messages::kTooLarge;
    return result;
  }
  std::string text;
  if (looksLikeZip(bytes)) {
    ContainerOutcome container = readMxlContainer(bytes);
    if (!container.error.empty()) {
      result.error = container.error;
      return result;
    }
    text = std::move(container.score);
  } else {
    text.assign(bytes.begin(), bytes.end());
  }
  UnmappedLog unmapped;
  const ReadOutcome read = readMusicXml(text, unmapped);
  if (!read.score) {
    result.error = read.error;
    return result;
  }
  PagesOutcome pages = scoreToPages(*read.score, preferences, unmapped);
  result.unmapped = unmapped.messages();
  if (!pages.error.empty()) {
    result.error = pages.error;
    return result;
  }
  result.ok = true;
  result.notices = std::move(pages.notices);
  result.pages = std::move(pages.pages);
  return result;
}

std::vector<std::string> importPageNames(const std::string& stem, size_t count) {
  std::string base = stem;
  if (base.size() > 4) {
    std::string tail = base.substr(base.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::toupper(c); });
    if (tail == ".MUS") base.resize(base.size() - 4);
  }
  std::vector<std::string> names;
  for (size_t i = 1; i <= count; ++i) names.push_back(base + std::to_string(i) + ".MUS");
  return names;
}

ExportResult exportScore(std::span<const PageStore* const> pages) {
  ExportResult result;
  if (pages.empty()) {
    result.error = messages::kNoPages;
    return result;
  }
  ScoreFromPages score = pagesToScore(pages);
  if (!score.error.empty()) {
    result.error = score.error;
    return result;
  }
  result.ok = true;
  result.notices = std::move(score.notices);
  result.text = writeMusicXml(score.score);
  return result;
}

}  // namespace ts::interchange
