#include "draw/text_layout.h"

#include <algorithm>
#include <cmath>

#include "draw/font_table.h"
#include "model/item_codes.h"

namespace ts {
namespace {

float param(std::span<const float> params, int i) {
  return i >= 1 && static_cast<size_t>(i) < params.size() ? params[static_cast<size_t>(i)] : 0.0f;
}

float orDefault(float value, float fallback) { return value > 0.0f ? value : fallback; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Two digits at `at`: the font number they spell, or -1.
int switchNumber(std::string_view text, size_t at) {
  if (text.size() < at + kFontSwitchDigits || !isDigit(text[at]) || !isDigit(text[at + 1])) return -1;
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

void addRun(FontSwitches& result, int font, std::string_view text) {
  if (!text.empty()) result.runs.push_back({font, std::string(text)});
}

size_t characterCount(const std::vector<SetRun>& runs) {
  size_t count = 0;
  for (const SetRun& run : runs) count += run.text.size();
  return count;
}

// Page units a character moves the next one along, before any spacing.
float advanceOf(const SetRun& run, unsigned char code, const TextSpacing& spacing) {
  if (code == ' ' && spacing.spaceWidth > 0.0f) return spacing.spaceWidth;
  return characterAdvance(run.widths, code) * spacing.em * spacing.widthFactor;
}

float naturalAdvances(const std::vector<SetRun>& runs, const TextSpacing& spacing) {
  float width = 0.0f;
  for (const SetRun& run : runs) {
    for (const char c : run.text) width += advanceOf(run, static_cast<unsigned char>(c), spacing);
  }
  return width;
}

// Space added between two characters: the character spacing, and the
// share of the room a justification leaves.
float gapBetweenCharacters(const std::vector<SetRun>& runs, const TextSpacing& spacing) {
  const size_t count = characterCount(runs);
  if (count < 2) return spacing.charSpacing;
  const float gaps = static_cast<float>(count - 1);
  const float natural = naturalAdvances(runs, spacing) + spacing.charSpacing * gaps;
  const float room = spacing.justifyWidth - natural;
  return spacing.charSpacing + (spacing.justifyWidth > 0.0f && room > 0.0f ? room / gaps : 0.0f);
}

std::vector<PlacedString> wholeRuns(const std::vector<SetRun>& runs, const TextSpacing& spacing) {
  std::vector<PlacedString> placed;
  float offset = 0.0f;
  for (size_t i = 0; i < runs.size(); ++i) {
    placed.push_back({i, offset, runs[i].text});
    offset += stringWidth(runs[i].widths, runs[i].text) * spacing.em;
  }
  return placed;
}

std::vector<PlacedString> eachCharacter(const std::vector<SetRun>& runs, const TextSpacing& spacing, float gap) {
  std::vector<PlacedString> placed;
  float offset = 0.0f;
  for (size_t i = 0; i < runs.size(); ++i) {
    for (const char c : runs[i].text) {
      if (c != ' ') placed.push_back({i, offset, std::string(1, c)});
      offset += advanceOf(runs[i], static_cast<unsigned char>(c), spacing) + gap;
    }
  }
  return placed;
}

}  // namespace

TextParameters textParameters(std::span<const float> params) {
  TextParameters text;
  text.font = truncToInt(param(params, 6));
  text.size = std::min(orDefault(param(params, 7), kDefaultTextSize), kLargestTextSize);
  text.widthFactor = std::min(orDefault(param(params, 8), 1.0f), kLargestWidthFactor);
  text.angle = std::fmod(param(params, 9), 360.0f);
  text.charSpacing = std::clamp(param(params, 5), -kLargestTextSpacing, kLargestTextSpacing);
  text.spaceWidth = std::clamp(param(params, 10), 0.0f, kLargestTextSpacing);
  text.justifyWidth = std::max(param(params, 11), 0.0f);
  text.verticalOffset = param(params, 13);
  return text;
}

int fontFileNumber(int fontNumber) { return fontNumber < 0 ? 0 : fontNumber % kMetricFontFiles; }

FontSwitches splitFontSwitches(std::string_view text, int startFont) {
  FontSwitches result;
  int font = startFont;
  size_t start = 0;
  for (size_t i = text.find(kFontSwitch); i != std::string_view::npos; i = text.find(kFontSwitch, start)) {
    addRun(result, font, text.substr(start, i - start));
    const int number = switchNumber(text, i + 1);
    if (number < 0) {
      result.numberMissing = true;
      font = kCourierFont;
      start = i + 1;
    } else {
      font = number;
      start = i + 1 + kFontSwitchDigits;
    }
  }
  addRun(result, font, text.substr(std::min(start, text.size())));
  return result;
}

float characterAdvance(const FontWidths* widths, unsigned char code) {
  return widths ? widths->advance(code) : kFallbackAdvance;
}

float stringWidth(const FontWidths* widths, std::string_view text) {
  float width = 0.0f;
  for (const char c : text) width += characterAdvance(widths, static_cast<unsigned char>(c));
  return width;
}

std::vector<PlacedString> placeStrings(const std::vector<SetRun>& runs, const TextSpacing& spacing) {
  const float gap = gapBetweenCharacters(runs, spacing);
  const bool asTheFontSpaces = gap == 0.0f && spacing.spaceWidth <= 0.0f && spacing.widthFactor == 1.0f;
  return asTheFontSpaces ? wholeRuns(runs, spacing) : eachCharacter(runs, spacing, gap);
}

float setWidth(const std::vector<SetRun>& runs, const TextSpacing& spacing) {
  const size_t count = characterCount(runs);
  if (count == 0) return 0.0f;
  return naturalAdvances(runs, spacing) + gapBetweenCharacters(runs, spacing) * static_cast<float>(count - 1);
}

}  // namespace ts
