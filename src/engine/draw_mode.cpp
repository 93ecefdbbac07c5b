// The drawing editor's mode: its commands, the points clicked, jumps,
// curves, moving and sizing points, and the figure shown over the page.

#include "engine/draw_mode.h"

#include <algorithm>
#include <cmath>

#include "draw/drawable_values.h"
#include "draw/symbol_library.h"
#include "engine/command_line.h"
#include "engine/draw_mode_messages.h"
#include "engine/drawing_curve.h"
#include "engine/engine_host.h"
#include "engine/engine_messages.h"
#include "engine/key_map.h"
#include "model/item_codes.h"

namespace ts {
namespace {

namespace text = draw_mode_messages;

constexpr int16_t kPenDrawPoint = 0, kPenMovePoint = 1, kPenFillPoint = 2, kPenContourPoint = 3;
constexpr float kLargestSize = 100.0f;     // a size beyond this is a typing slip
constexpr float kMarkHalfWidth = 150.0f;   // page units of the marks at the origin and the picked point

// Words that keep their meaning in every mode: moving and rebuilding the display.
constexpr const char* kDisplayWords[] = {"MID", "TOP", "BOT", "]]", "[[", "--", "++", "Z$", "Z", "QQ", "FREEZ", "INVI"};
// Words of the editor's menus that this version does not have yet.
constexpr const char* kLaterWords[] = {"GM",   "CLO",  "SET",  "EDR", "ALL", "ONE", "CO", "RO",  "INS",
                                       "H",    "SKIPB", "STP+", "STP-", "SKIP", "TH", "CLR", "A", "FILL"};

template <size_t N>
bool listed(std::string_view word, const char* const (&words)[N]) {
  return std::any_of(std::begin(words), std::end(words), [&](const char* w) { return word == w; });
}

bool pointIsSound(const DrawingPoint& p) { return coordinateIsSound(p.x) && coordinateIsSound(p.y); }

// A page coordinate held inside the drawable window, for the figure only.
float insideWindow(float value) { return std::clamp(value, -kDrawableExtent, kDrawableExtent); }

void addMark(std::vector<DrawingPoint>& figure, float x, float y) {
  figure.push_back({x - kMarkHalfWidth, y, kPenMovePoint});
  figure.push_back({x + kMarkHalfWidth, y, kPenDrawPoint});
  figure.push_back({x, y - kMarkHalfWidth, kPenMovePoint});
  figure.push_back({x, y + kMarkHalfWidth, kPenDrawPoint});
}

}  // namespace

DrawingPoint editorToDrawing(float x, float y, int16_t pen) {
  return {(x - kEditorOriginX) / kEditorUnitsPerDrawingUnit, (y - kEditorOriginY) / kEditorUnitsPerDrawingUnit, pen};
}

DrawingPoint drawingToEditor(const DrawingPoint& point) {
  return {kEditorOriginX + point.x * kEditorUnitsPerDrawingUnit, kEditorOriginY + point.y * kEditorUnitsPerDrawingUnit,
          point.pen};
}

const DrawMode::Command DrawMode::kCommands[] = {
    {"X", &DrawMode::leave},         {"JMP", &DrawMode::jump},         {"JF", &DrawMode::jump},
    {"JFX", &DrawMode::jump},        {"DEL", &DrawMode::erasePoint},   {"CRV1", &DrawMode::markCurveStart},
    {"CRV2", &DrawMode::makeCurve},  {"M", &DrawMode::startMove},      {"SI", &DrawMode::size},
    {"G", &DrawMode::getDrawing},    {"GN", &DrawMode::getNeighbour},  {"GB", &DrawMode::getNeighbour},
    {"SA", &DrawMode::save},         {"DLD", &DrawMode::deleteDrawing}, {"SCX", &DrawMode::writeWork},
    {"REX", &DrawMode::readWork},
};

DrawMode::DrawMode(EngineHost& host, const HostFiles& files, SymbolLibrary& library, int& waitLevel)
    : m_host(host), m_files(files), m_library(library), m_waitLevel(waitLevel) {}

DrawModeReply DrawMode::enter() {
  if (!active()) m_host.showMessage(text::kDrawMode);
  m_step = Step::Draw;
  DrawModeReply reply = menu();
  updateFigure();
  return reply;
}

DrawModeReply DrawMode::menu() {
  static const std::vector<std::string> kChoices = {"Start drawing", "Get drawing", "Read ASCII file", "Exit"};
  ++m_waitLevel;
  const std::optional<int> choice = m_host.askChoice(text::kMenuTitle, kChoices);
  --m_waitLevel;
  const CommandLine none;
  if (choice == 1) return startDrawing();
  if (choice == 2) return getDrawing(none);
  if (choice == 3) return readWork(none);
  if (choice == 4) return leave(none);
  return countMessage();
}

std::optional<DrawModeReply> DrawMode::command(const CommandLine& line) {
  const std::string& word = line.word;
  if (listed(word, kDisplayWords) || listed(line.mnemonic, kDisplayWords) || word.rfind("FREEZ", 0) == 0 ||
      word.rfind("INVI", 0) == 0) {
    return std::nullopt;
  }
  DrawModeReply reply;
  if (word == "DRW") {
    reply = enter();
  } else if (const Command* found = findCommand(line)) {
    if (found->handler != &DrawMode::leave) m_step = Step::Draw;  // any other command ends a pick or a move
    reply = (this->*found->handler)(line);
  } else if (listed(word, kLaterWords)) {
    reply = {"*** " + word + " " + messages::kNotAvailable, true};
  } else {
    reply = {std::string(messages::kUnknownWord) + " " + word.substr(0, 9), true, true};
  }
  updateFigure();
  return reply;
}

const DrawMode::Command* DrawMode::findCommand(const CommandLine& line) const {
  for (const std::string* word : {&line.word, &line.mnemonic}) {
    for (const Command& command : kCommands) {
      if (*word == command.word) return &command;
    }
  }
  return nullptr;
}

DrawModeReply DrawMode::click(float pageX, float pageY) {
  DrawModeReply reply;
  if (m_step == Step::PickFirst || m_step == Step::PickLast) {
    reply = pickPoint(pageX, pageY);
  } else if (m_step == Step::Moving) {
    reply = moveSelection(pageX, pageY);
  } else {
    reply = addPoint(pageX, pageY);
  }
  updateFigure();
  return reply;
}

std::optional<DrawModeReply> DrawMode::key(int virtualKey) {
  if (virtualKey != vk::kF4) return std::nullopt;
  DrawModeReply reply = markPick();
  updateFigure();
  return reply;
}

DrawModeReply DrawMode::countMessage() const { return {text::pointCountMessage(m_editing, m_points.size())}; }

DrawModeReply DrawMode::leave(const CommandLine&) {
  if (m_step != Step::Draw) {
    m_step = Step::Draw;  // "X" finishes a move, or gives up choosing its points
    return countMessage();
  }
  if (m_unsaved && !confirm(text::kNotSavedExit)) return countMessage();
  m_step = Step::Off;
  replacePoints({}, false);
  m_number = -1;
  m_name.clear();
  return {text::kLeaving};
}

DrawModeReply DrawMode::startDrawing() {
  if (m_unsaved && !confirm(text::kNotSavedReplace)) return countMessage();
  replacePoints({}, false);
  m_number = -1;
  m_name.clear();
  return countMessage();
}

void DrawMode::replacePoints(std::vector<DrawingPoint> points, bool editing) {
  m_points = std::move(points);
  m_editing = editing;
  m_unsaved = false;
  m_nextPen = kPenMovePoint;
  m_curveStart.reset();
  m_step = m_step == Step::Off ? Step::Off : Step::Draw;
}

DrawModeReply DrawMode::addPoint(float x, float y) {
  if (m_points.size() >= static_cast<size_t>(kDrawingFileMaxPoints)) return {text::kDrawingFull};
  // The first point of a drawing always starts a figure.
  const int16_t pen = m_points.empty() && m_nextPen == kPenDrawPoint ? kPenMovePoint : m_nextPen;
  m_points.push_back(editorToDrawing(x, y, pen));
  m_nextPen = kPenDrawPoint;
  m_unsaved = true;
  return countMessage();
}

DrawModeReply DrawMode::jump(const CommandLine& line) {
  if (line.word == "JMP") {
    m_nextPen = kPenMovePoint;
    return {text::kJump};
  }
  m_nextPen = line.word == "JFX" ? kPenContourPoint : kPenFillPoint;
  return {text::kJumpFill};
}

DrawModeReply DrawMode::erasePoint(const CommandLine&) {
  if (m_points.empty()) return {text::kNoPoints};
  m_points.pop_back();
  if (m_curveStart && *m_curveStart > m_points.size()) m_curveStart.reset();
  m_unsaved = true;
  return countMessage();
}

DrawModeReply DrawMode::markCurveStart(const CommandLine&) {
  // The curve starts at the last point drawn, or at the first one to come.
  m_curveStart = m_points.empty() ? 0 : m_points.size() - 1;
  return {text::kCurveStart};
}

DrawModeReply DrawMode::makeCurve(const CommandLine&) {
  if (!m_curveStart || *m_curveStart + 1 >= m_points.size()) return {text::kNoCurveMarkers};
  const std::optional<std::string> answer = ask(text::kPointsPerSegment);
  if (!answer) return countMessage();
  const std::optional<double> typed = parseNumber(trimmed(*answer));
  const int perSegment = typed ? truncToInt(*typed) : 0;
  const CurveCount count = checkPointsPerSegment(perSegment);
  if (count == CurveCount::TooFew) return {text::kTooFewCurvePoints};
  if (count == CurveCount::TooMany) return {text::kTooManyCurvePoints};
  const size_t start = *m_curveStart;
  const std::span<const DrawingPoint> marked(m_points.data() + start, m_points.size() - start);
  if (static_cast<int64_t>(start) + curvePointCount(marked.size(), perSegment) > kDrawingFileMaxPoints) {
    return {text::kDrawingFull};
  }
  std::vector<DrawingPoint> curve = curveThrough(marked, perSegment);
  if (!std::all_of(curve.begin(), curve.end(), pointIsSound)) return {text::kBeyondBounds};
  m_points.resize(start);
  m_points.insert(m_points.end(), curve.begin(), curve.end());
  m_curveStart.reset();
  m_unsaved = true;
  return countMessage();
}

DrawModeReply DrawMode::startMove(const CommandLine&) {
  if (m_points.empty()) return {text::kNoPoints};
  m_step = Step::PickFirst;
  m_cursor = m_points.size() - 1;
  return {text::kMoveFirstLast};
}

DrawModeReply DrawMode::pickPoint(float x, float y) {
  const DrawingPoint at = editorToDrawing(x, y, 0);
  const auto distance = [&](const DrawingPoint& p) { return std::hypot(double{p.x} - at.x, double{p.y} - at.y); };
  const auto nearest = std::min_element(m_points.begin(), m_points.end(),
                                        [&](const auto& a, const auto& b) { return distance(a) < distance(b); });
  m_cursor = static_cast<size_t>(nearest - m_points.begin());
  return {text::kMoveFirstLast};
}

DrawModeReply DrawMode::markPick() {
  if (m_step == Step::PickFirst) {
    m_first = m_cursor;
    m_step = Step::PickLast;
    return {text::kMoveFirstLast};
  }
  if (m_step != Step::PickLast) return countMessage();
  m_last = m_cursor;
  if (m_last < m_first) std::swap(m_first, m_last);
  m_step = Step::Moving;
  return {text::kMoving};
}

DrawModeReply DrawMode::moveSelection(float x, float y) {
  // The point picked last goes to the click; the others keep their places around it.
  const DrawingPoint to = editorToDrawing(x, y, 0);
  const float dx = to.x - m_points[m_cursor].x;
  const float dy = to.y - m_points[m_cursor].y;
  std::vector<DrawingPoint> moved(m_points.begin() + static_cast<std::ptrdiff_t>(m_first),
                                  m_points.begin() + static_cast<std::ptrdiff_t>(m_last) + 1);
  for (DrawingPoint& p : moved) p = {p.x + dx, p.y + dy, p.pen};
  if (!std::all_of(moved.begin(), moved.end(), pointIsSound)) return {text::kBeyondBounds};
  std::copy(moved.begin(), moved.end(), m_points.begin() + static_cast<std::ptrdiff_t>(m_first));
  m_unsaved = true;
  return {text::kMoving};
}

DrawModeReply DrawMode::size(const CommandLine&) {
  if (m_points.empty()) return {text::kNoPoints};
  std::optional<std::string> answer = ask(text::kSizePrompt);
  if (!answer) return countMessage();
  std::replace(answer->begin(), answer->end(), ',', ' ');
  const CommandLine typed = splitCommandLine(*answer);
  const auto sound = [](double v) { return v != 0.0 && std::abs(v) <= kLargestSize; };
  if (!typed.numbersOnly || typed.numbers.empty() || typed.numbers.size() > 2 ||
      !std::all_of(typed.numbers.begin(), typed.numbers.end(), sound)) {
    return {text::kBadSize};
  }
  const auto sx = static_cast<float>(typed.numbers.front());
  const auto sy = static_cast<float>(typed.numbers.back());
  std::vector<DrawingPoint> sized = m_points;
  for (DrawingPoint& p : sized) p = {p.x * sx, p.y * sy, p.pen};
  if (!std::all_of(sized.begin(), sized.end(), pointIsSound)) return {text::kBeyondBounds};
  m_points = std::move(sized);
  m_unsaved = true;
  return countMessage();
}

bool DrawMode::confirm(const char* question) {
  ++m_waitLevel;
  const bool yes = m_host.askYesNo(question);
  --m_waitLevel;
  return yes;
}

std::optional<std::string> DrawMode::ask(const char* prompt) {
  ++m_waitLevel;
  std::optional<std::string> answer = m_host.promptLine(prompt);
  --m_waitLevel;
  return answer;
}

void DrawMode::updateFigure() {
  m_figure.clear();
  if (!active()) return;
  m_figure.reserve(m_points.size() + 8);
  addMark(m_figure, kEditorOriginX, kEditorOriginY);
  for (const DrawingPoint& point : m_points) {
    const DrawingPoint p = drawingToEditor(point);
    m_figure.push_back({insideWindow(p.x), insideWindow(p.y), p.pen});
  }
  if (m_step == Step::Draw || m_points.empty()) return;
  const DrawingPoint picked = drawingToEditor(m_points[std::min(m_cursor, m_points.size() - 1)]);
  addMark(m_figure, insideWindow(picked.x), insideWindow(picked.y));
}

}  // namespace ts
