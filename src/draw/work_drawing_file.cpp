#include "draw/work_drawing_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace ts {
namespace {

constexpr std::string_view kHeader = "# Tonesmith work drawing: one point a line, x y pen, in drawing units\n";
constexpr std::string_view kNameKey = "NAME ";

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The next blank-separated word of `text`, which loses it.
std::string_view nextWord(std::string_view& text) {
  text = trimBlanks(text);
  size_t end = 0;
  while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

std::optional<double> wordNumber(std::string_view word) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// "x y pen" with a sound coordinate pair and one of the drawing pens.
std::optional<DrawingPoint> pointOfLine(std::string_view line) {
  const std::optional<double> x = wordNumber(nextWord(line));
  const std::optional<double> y = wordNumber(nextWord(line));
  const std::optional<double> pen = wordNumber(nextWord(line));
  if (!x || !y || !pen || !trimBlanks(line).empty()) return std::nullopt;
  if (std::abs(*x) > kDrawingMaxCoordinate || std::abs(*y) > kDrawingMaxCoordinate) return std::nullopt;
  if (*pen != std::trunc(*pen) || !penIsSound(static_cast<int16_t>(std::clamp(*pen, -1.0, 4.0)))) return std::nullopt;
  return DrawingPoint{static_cast<float>(*x), static_cast<float>(*y), static_cast<int16_t>(*pen)};
}

}  // namespace

std::string encodeWorkDrawing(const WorkDrawing& drawing) {
  std::string text(kHeader);
  text += std::string(kNameKey) + drawing.name.substr(0, kDrawingNameLength) + "\n";
  for (const DrawingPoint& p : drawing.points) {
    char line[64];
    std::snprintf(line, sizeof line, "%.9g %.9g %d\n", static_cast<double>(p.x), static_cast<double>(p.y), p.pen);
    text += line;
  }
  return text;
}

WorkDrawingRead decodeWorkDrawing(std::string_view text, WorkDrawing& out) {
  if (text.size() > kWorkDrawingMaxBytes) return {WorkDrawingStatus::TooLarge, 0};
  WorkDrawing read;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = trimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (line.empty() || line.front() == '#') continue;
    if (line.substr(0, kNameKey.size()) == kNameKey || line == trimBlanks(kNameKey)) {  // a blank name too
      read.name = std::string(trimBlanks(line.substr(kNameKey.size() - 1)).substr(0, kDrawingNameLength));
      continue;
    }
    const std::optional<DrawingPoint> point = pointOfLine(line);
    if (!point) return {WorkDrawingStatus::BadLine, number};
    if (read.points.size() >= static_cast<size_t>(kDrawingFileMaxPoints)) {
      return {WorkDrawingStatus::TooManyPoints, number};
    }
    read.points.push_back(*point);
  }
  out = std::move(read);
  return {};
}

}  // namespace ts
