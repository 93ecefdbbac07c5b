#include "engine/print_option_list.h"

#include <array>
#include <cstdio>

#include "engine/command_line.h"
#include "engine/engine_host.h"
#include "engine/print_messages.h"
#include "output/page_header.h"

namespace ts {
namespace {

namespace msg = print_messages;

constexpr int kMostRounds = 200;  // answers before the list gives up: a script cannot keep it open for ever
constexpr float kCentimetresPerInch = 2.54f;
constexpr PaperSize kLastPaper = PaperSize::Custom;

// Asks the dialogs of the list with the engine's wait level raised.
struct Dialogs {
  EngineHost& host;
  int& waitLevel;

  std::optional<std::vector<std::string>> fields(std::string_view title, const std::vector<DialogField>& shown) {
    ++waitLevel;
    auto answer = host.askFields(title, shown);
    --waitLevel;
    return answer;
  }
  std::optional<int> choice(std::string_view title, const std::vector<std::string>& choices) {
    ++waitLevel;
    auto answer = host.askChoice(title, choices);
    --waitLevel;
    return answer;
  }
  // One number in [low, high]; nothing (and a message) when it is not.
  std::optional<double> number(std::string_view title, const std::string& current, double low, double high,
                               const char* bad) {
    const auto answer = fields(title, {{std::string(title), current}});
    if (!answer || answer->empty()) return std::nullopt;
    const std::optional<double> value = parseNumber(trimmed((*answer)[0]));
    if (value && *value >= low && *value <= high) return value;
    host.showMessage(bad);
    return std::nullopt;
  }
};

std::string fixed(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

const char* yesNo(bool value) { return value ? "Yes" : "No"; }

const char* kindName(OutputKind kind) {
  return kind == OutputKind::Eps ? "EPS" : kind == OutputKind::Printer ? "LPT" : "NET";
}

const char* headerName(HeaderFooter header) {
  constexpr std::array<const char*, 4> kNames = {"None", "Header", "Footer", "Both"};
  return kNames[static_cast<size_t>(header)];
}

float offsetShown(float inches, bool metric) { return metric ? inches * kCentimetresPerInch : inches; }

std::string offsetsText(const PrintOptions& o) {
  return fixed(offsetShown(o.offsetX, o.metricOffsets), 2) + " " + fixed(offsetShown(o.offsetY, o.metricOffsets), 2) +
         (o.metricOffsets ? " cm" : " in");
}

void askSize(Dialogs& d, PrintOptions& o) {
  if (auto v = d.number(msg::kSizeTitle, fixed(o.size, 3), 0.05, 20.0, msg::kBadSize)) o.size = static_cast<float>(*v);
}

void askPaper(Dialogs& d, PrintOptions& o) {
  std::vector<std::string> names;
  for (int p = 1; p <= static_cast<int>(kLastPaper); ++p) names.emplace_back(paperName(static_cast<PaperSize>(p)));
  const std::optional<int> chosen = d.choice(msg::kPaperTitle, names);
  if (chosen && *chosen >= 1 && *chosen <= static_cast<int>(kLastPaper)) o.paper = static_cast<PaperSize>(*chosen);
}

void askOffsets(Dialogs& d, PrintOptions& o) {
  const auto answer = d.fields(msg::kOffsetsTitle, {{"Left", fixed(offsetShown(o.offsetX, o.metricOffsets), 2)},
                                                    {"Bottom", fixed(offsetShown(o.offsetY, o.metricOffsets), 2)}});
  if (!answer || answer->size() < 2) return;
  const double unit = o.metricOffsets ? kCentimetresPerInch : 1.0;
  const std::optional<double> x = parseNumber(trimmed((*answer)[0]));
  const std::optional<double> y = parseNumber(trimmed((*answer)[1]));
  const auto inRange = [&](const std::optional<double>& v) { return v && *v / unit >= -50.0 && *v / unit <= 50.0; };
  if (!inRange(x) || !inRange(y)) {
    d.host.showMessage(msg::kBadOffsets);
    return;
  }
  o.offsetX = static_cast<float>(*x / unit);
  o.offsetY = static_cast<float>(*y / unit);
}

void askResolution(Dialogs& d, PrintOptions& o) {
  if (auto v = d.number(msg::kResolutionTitle, std::to_string(o.resolution), 1, 10000, msg::kBadResolution)) {
    o.resolution = static_cast<int>(*v);
  }
}

void askLineWidth(Dialogs& d, PrintOptions& o) {
  if (auto v = d.number(msg::kLineWidthTitle, std::to_string(o.lineWidth), 0, 100, msg::kBadLineWidth)) {
    o.lineWidth = static_cast<int>(*v);
  }
}

void askName(Dialogs& d, std::string_view title, std::string& name) {
  const auto answer = d.fields(title, {{std::string(title), name}});
  if (!answer || answer->empty()) return;
  const std::string typed = trimmed((*answer)[0]);
  if (typed.empty()) {
    d.host.showMessage(msg::kBadName);
    return;
  }
  name = typed;
}

struct OptionRow {
  const char* key;
  const char* shown;
  std::string (*value)(const PrintOptions&);
  void (*choose)(Dialogs&, PrintOptions&);
};

// [row]: the list as it is shown, after "PRINT".
const std::array<OptionRow, 16> kRows = {{
    {"OUT", " = OUTPUT TO ", [](const PrintOptions& o) { return std::string(kindName(o.kind)); },
     [](Dialogs&, PrintOptions& o) {
       o.kind = o.kind == OutputKind::Eps ? OutputKind::Printer : o.kind == OutputKind::Printer ? OutputKind::Network
                                                                                                 : OutputKind::Eps;
     }},
    {"SIZ", "SIZE", [](const PrintOptions& o) { return fixed(o.size, 3); }, askSize},
    {"PAP", "PAPER", [](const PrintOptions& o) { return std::string(paperName(o.paper)); }, askPaper},
    {"OFF", "OFFSETS", offsetsText, askOffsets},
    {"FRE", "FREEZE", [](const PrintOptions& o) { return std::string(yesNo(o.freeze)); },
     [](Dialogs&, PrintOptions& o) { o.freeze = !o.freeze; }},
    {"RES", "RESOLUTION", [](const PrintOptions& o) { return std::to_string(o.resolution); }, askResolution},
    {"LIN", "LINE_width", [](const PrintOptions& o) { return std::to_string(o.lineWidth); }, askLineWidth},
    {"HEA", "HEADER/FOOTER ", [](const PrintOptions& o) { return std::string(headerName(o.header)); },
     [](Dialogs&, PrintOptions& o) { o.header = static_cast<HeaderFooter>((static_cast<int>(o.header) + 1) % 4); }},
    {"ROT", "ROTATE", [](const PrintOptions& o) { return std::string(yesNo(o.rotate)); },
     [](Dialogs&, PrintOptions& o) { o.rotate = !o.rotate; }},
    {"MIR", "MIRROR", [](const PrintOptions& o) { return std::string(yesNo(o.mirror)); },
     [](Dialogs&, PrintOptions& o) { o.mirror = !o.mirror; }},
    {"BAT", "BATCH", [](const PrintOptions& o) { return std::string(yesNo(o.batch)); },
     [](Dialogs&, PrintOptions& o) { o.batch = !o.batch; }},
    {"REV", "REVERSE", [](const PrintOptions& o) { return std::string(yesNo(o.reverse)); },
     [](Dialogs&, PrintOptions& o) { o.reverse = !o.reverse; }},
    {"INC", "", [](const PrintOptions& o) { return std::string(o.metricOffsets ? "inches" : "inches *"); },
     [](Dialogs&, PrintOptions& o) { o.metricOffsets = false; }},
    {"MET", "", [](const PrintOptions& o) { return std::string(o.metricOffsets ? "metric *" : "metric"); },
     [](Dialogs&, PrintOptions& o) { o.metricOffsets = true; }},
    {"EPS", "EPS NAME", [](const PrintOptions& o) { return o.epsName; },
     [](Dialogs& d, PrintOptions& o) { askName(d, msg::kEpsNameTitle, o.epsName); }},
    {"NET", "NET NAME", [](const PrintOptions& o) { return o.netName; },
     [](Dialogs& d, PrintOptions& o) { askName(d, msg::kNetNameTitle, o.netName); }},
}};

std::string rowLine(const OptionRow& row, const PrintOptions& options) {
  const std::string shown = row.shown;
  if (!shown.empty() && shown.front() == ' ') return row.key + shown + row.value(options);
  std::string line = std::string(row.key) + " ";
  if (!shown.empty()) line += shown + (shown.back() == ' ' ? "" : " ");
  return line + row.value(options);
}

}  // namespace

std::vector<std::string> printOptionLines(const PrintOptions& options) {
  std::vector<std::string> lines = {msg::kPrintChoice};
  for (const OptionRow& row : kRows) lines.push_back(rowLine(row, options));
  return lines;
}

std::optional<PrintOptions> askPrintOptions(EngineHost& host, PrintOptions options, int& waitLevel) {
  Dialogs dialogs{host, waitLevel};
  for (int round = 0; round < kMostRounds; ++round) {
    const std::optional<int> chosen = dialogs.choice(msg::kOptionsTitle, printOptionLines(options));
    if (!chosen) return std::nullopt;
    if (*chosen == 1) return options;
    if (*chosen >= 2 && *chosen <= static_cast<int>(kRows.size()) + 1) {
      kRows[static_cast<size_t>(*chosen - 2)].choose(dialogs, options);
    }
  }
  host.showMessage(msg::kTooManyAnswers);
  return std::nullopt;
}

}  // namespace ts
