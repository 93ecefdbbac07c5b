#include "model/history_file.h"

#include <algorithm>

namespace ts {
namespace {

std::string trimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\0')) --end;
  return std::string(text.substr(0, end));
}

}  // namespace

std::vector<std::string> parseHistory(std::string_view text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start < text.size() && names.size() < static_cast<size_t>(kHistoryLines)) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string name = trimRight(text.substr(start, std::min<size_t>(end - start, kHistoryLineLength)));
    if (!name.empty()) names.push_back(std::move(name));
    start = end + 1;
  }
  return names;
}

std::string formatHistory(const std::vector<std::string>& names) {
  std::string text;
  for (int i = 0; i < kHistoryLines; ++i) {
    std::string line = i < static_cast<int>(names.size()) ? names[i].substr(0, kHistoryLineLength) : std::string();
    line.resize(kHistoryLineLength, ' ');
    text += line;
    text += '\n';
  }
  return text;
}

bool addToHistory(std::vector<std::string>& names, std::string_view name) {
  const std::string entry = trimRight(name).substr(0, kHistoryLineLength);
  if (entry.empty() || std::find(names.begin(), names.end(), entry) != names.end()) return false;
  names.insert(names.begin(), entry);
  if (names.size() > static_cast<size_t>(kHistoryLines)) names.resize(kHistoryLines);
  return true;
}

}  // namespace ts
