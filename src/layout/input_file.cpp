#include "layout/input_file.h"

#include "layout/input_line.h"

namespace ts {
namespace {

std::string_view leftTrimmed(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  return line;
}

std::string_view rightTrimmed(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

// True when a stage line holding this text goes on over the next file line.
bool runsOn(std::string_view text) {
  const size_t last = text.find_last_of("/;");
  return last != std::string_view::npos && text[last] == '/';
}

}  // namespace

std::vector<std::string> readInputFileLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string pending;
  bool inBlock = false;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view raw = leftTrimmed(text.substr(at, end - at));
    at = end + 1;
    if (raw.substr(0, 2) == "%%") {
      inBlock = !inBlock;
      continue;
    }
    if (inBlock || raw.substr(0, 1) == "%") continue;
    const std::string_view body = rightTrimmed(raw.substr(0, raw.find('%')));
    if (body.empty() && pending.empty()) continue;
    if (pending.size() + body.size() <= kExpandedLineLimit) pending += body;
    if (runsOn(pending)) continue;
    lines.push_back(std::move(pending));
    pending.clear();
  }
  if (!pending.empty()) lines.push_back(std::move(pending));
  return lines;
}

std::string writeInputFileLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (line.empty() || runsOn(line) ? line + ";" : line) + "\n";
  return text;
}

}  // namespace ts
