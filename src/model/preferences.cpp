#include "model/preferences.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ts {
namespace {

enum class Field {
  Metric, Inches, Beam, BeamTilt, Rest, Dash, MidiKey, Processor, Sets, Ties, Dynamics, Slur, AfterClef, AfterBar,
  AfterKey, AfterMeter, Dashes, Symbols, Fonts, Version, Paper, Adobe, Arrows, Full, Printer, TextDivide, EditPointer,
  NewSlur
};

struct Key {
  std::string_view key;  // the first four columns of its line
  Field field;
};

// The key list, in the engine's order.
constexpr std::array<Key, 28> kKeys = {{
    {"METR", Field::Metric},     {"INCH", Field::Inches},      {"BEAM", Field::Beam},       {"BMTH", Field::BeamTilt},
    {"REST", Field::Rest},       {"DASH", Field::Dash},        {"MIDK", Field::MidiKey},    {"PROC", Field::Processor},
    {"SETS", Field::Sets},       {"TIES", Field::Ties},        {"DYNA", Field::Dynamics},   {"SLUR", Field::Slur},
    {"AFTC", Field::AfterClef},  {"AFTB", Field::AfterBar},    {"AFTK", Field::AfterKey},   {"AFTM", Field::AfterMeter},
    {"XDAS", Field::Dashes},     {"SYMB", Field::Symbols},     {"FONT", Field::Fonts},      {"VER ", Field::Version},
    {"PAPE", Field::Paper},      {"ADOB", Field::Adobe},       {"ARRO", Field::Arrows},     {"FULL", Field::Full},
    {"PRNT", Field::Printer},    {"TXTD", Field::TextDivide},  {"EDPT", Field::EditPointer}, {"NSLR", Field::NewSlur},
}};

constexpr size_t kKeyColumns = 4;
constexpr size_t kLongestLine = 512;
constexpr size_t kMostLines = 1000;
constexpr double kLargestReal = 1000.0;  // no setting is a larger number
constexpr int kLargestInteger = 100000;
constexpr int kHighestPaper = 7;
constexpr int kLowestOctave = 0, kHighestOctave = 9;
constexpr float kOldestVersion = 5.0f, kVersionWritten = 5.01f;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The value of a line: after the key's word as the writer spells it
// ("DYNAMICS", "XDASH", "VER") and the blanks that follow.
std::string_view valueOf(std::string_view line) {
  size_t at = 0;
  while (at < line.size() && ((line[at] >= 'A' && line[at] <= 'Z') || (line[at] >= 'a' && line[at] <= 'z'))) ++at;
  return trimmed(line.substr(at));
}

std::optional<double> realValue(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || std::fabs(value) > kLargestReal) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> integerValue(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < -kLargestInteger || value > kLargestInteger) {
    return std::nullopt;
  }
  return value;
}

bool readReal(std::string_view text, float& into, double factor = 1.0) {
  const std::optional<double> value = realValue(text);
  if (value) into = static_cast<float>(*value * factor);
  return value.has_value();
}

bool readInteger(std::string_view text, int& into) {
  const std::optional<int> value = integerValue(text);
  if (value) into = *value;
  return value.has_value();
}

bool readSwitch(std::string_view text, bool& into) {
  int value = 0;
  if (!readInteger(text, value)) return false;
  into = value != 0;
  return true;
}

bool readPaper(std::string_view text, int& into) {
  int value = 0;
  if (!readInteger(text, value) || value < 0 || value > kHighestPaper) return false;
  into = value;
  return true;
}

bool readMidiKey(std::string_view text, int& into) {
  const std::optional<int> key = midiKeyFromName(text);
  if (key) into = *key;
  return key.has_value();
}

// One line's value into its setting; false when it cannot be read.
bool readField(Field field, std::string_view line, Preferences& p) {
  const std::string_view value = valueOf(line);
  switch (field) {
    case Field::Metric: p.metric = true; return true;
    case Field::Inches: p.metric = false; return true;
    case Field::Beam: return readReal(value, p.beam, 0.01);
    case Field::BeamTilt: return readInteger(value, p.beamTilt);
    case Field::Rest: return readInteger(value, p.wholeRestFont);
    case Field::Dash: return readReal(value, p.dashSize);
    case Field::MidiKey: return readMidiKey(value, p.baseMidiKey);
    case Field::Processor: p.processor = std::string(value); return true;
    case Field::Sets: p.sets = std::string(value); return true;
    case Field::Ties: return readInteger(value, p.ties);
    case Field::Dynamics: return readReal(value, p.dynamicsOffset);
    case Field::Slur: return readReal(value, p.slurThickness);
    case Field::AfterClef: return readReal(value, p.afterClef);
    case Field::AfterBar: return readReal(value, p.afterBar);
    case Field::AfterKey: return readReal(value, p.afterKey);
    case Field::AfterMeter: return readReal(value, p.afterMeter);
    case Field::Dashes: return readInteger(value, p.dashes);
    case Field::Symbols: p.symbolLibrary = std::string(value); return true;
    case Field::Fonts: p.fontLibrary = std::string(value); return true;
    case Field::Version: return readReal(value, p.version);
    case Field::Paper: return readPaper(value, p.paperOutline);
    case Field::Adobe: return readSwitch(value, p.postScriptScreenFonts);
    case Field::Arrows: return readSwitch(value, p.arrowKeys);
    case Field::Full: return readSwitch(value, p.fullWidthInput);
    case Field::Printer: p.networkPrinter = std::string(value); return !value.empty();
    case Field::TextDivide:
      if (value.size() != 1) return false;
      p.textDivide = value.front();
      return true;
    case Field::EditPointer: return readInteger(value, p.editPointer);
    case Field::NewSlur: return readSwitch(value, p.newSlurFeatures);
  }
  return false;
}

const Key* keyOf(std::string_view line) {
  if (line.size() < kKeyColumns) return nullptr;
  for (const Key& key : kKeys) {
    bool same = true;
    for (size_t i = 0; i < kKeyColumns && same; ++i) {
      const char c = line[i] >= 'a' && line[i] <= 'z' ? static_cast<char>(line[i] - 'a' + 'A') : line[i];
      same = c == key.key[i];
    }
    if (same) return &key;
  }
  return nullptr;
}

std::string formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string formatted(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

PreferencesRead readPreferences(std::string_view text, const Preferences& defaults) {
  PreferencesRead read{defaults, {}};
  size_t start = 0;
  for (size_t number = 1; start < text.size() && number <= kMostLines; ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, std::min(end - start, kLongestLine)));
    start = end + 1;
    for (size_t i = 0; i < std::min(line.size(), kKeyColumns); ++i) {
      if (static_cast<unsigned char>(line[i]) < 32) line[i] = ' ';
    }
    const Key* key = keyOf(line);
    if (!key) continue;  // a line of no known key is passed over, as older files may hold some
    Preferences before = read.preferences;
    if (!readField(key->field, line, read.preferences)) {
      read.preferences = before;
      read.problems.push_back("PREF.DAT line " + std::to_string(number) + " is not understood (" +
                              std::string(trimmed(line)) + "); its default is kept.");
    }
  }
  return read;
}

std::string writePreferences(const Preferences& p) {
  std::string out;
  const auto line = [&](const std::string& text) { out += text + "\n"; };
  line(formatted("REST%5d", p.wholeRestFont));
  line(formatted("BEAM%6.2f", static_cast<double>(p.beam) * 100.0));
  line(formatted("BMTH%5d", p.beamTilt));
  line(formatted("TIES%3d", p.ties));
  line(formatted("SLUR%6.2f", static_cast<double>(p.slurThickness)));
  line("MIDK " + midiKeyName(p.baseMidiKey) + " ");
  line(p.metric ? "METRIC" : "INCHES");
  line(formatted("DYNAMICS%6.2f", static_cast<double>(p.dynamicsOffset)));
  line(formatted("DASH%5.2f", static_cast<double>(p.dashSize)));
  line(formatted("XDASH%3d", p.dashes));
  line(formatted("AFTC%6.2f", static_cast<double>(p.afterClef)));
  line(formatted("AFTB%6.2f", static_cast<double>(p.afterBar)));
  line(formatted("AFTK%6.2f", static_cast<double>(p.afterKey)));
  line(formatted("AFTM%6.2f", static_cast<double>(p.afterMeter)));
  line("SYMB  " + p.symbolLibrary);
  line("FONT  " + p.fontLibrary);
  line("PRNT  " + p.networkPrinter);
  line(formatted("ADOBE %d", p.postScriptScreenFonts ? 1 : 0));
  line(formatted("FULL  %d", p.fullWidthInput ? 1 : 0));
  line(formatted("EDPT  %d", std::max(p.editPointer, 0)));
  line(formatted("VER  %4.2f", static_cast<double>(p.version < kOldestVersion ? kVersionWritten : p.version)));
  line(formatted("PAPER %d", std::clamp(p.paperOutline, 0, kHighestPaper)));
  line(std::string("TXTD  ") + p.textDivide);
  return out;
}

std::string midiKeyName(int key) {
  const int octave = std::clamp(key / 12 - 1, kLowestOctave, kHighestOctave);
  return "C" + std::to_string(octave);
}

std::optional<int> midiKeyFromName(std::string_view name) {
  name = trimmed(name);
  if (name.size() != 2 || (name[0] != 'C' && name[0] != 'c') || name[1] < '0' || name[1] > '9') return std::nullopt;
  return (name[1] - '0' + 1) * 12;
}

std::string trimmedPath(std::string_view path) { return std::string(trimmed(path)); }

}  // namespace ts
