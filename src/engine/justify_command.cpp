// The justify commands. Every word asks for the system the same way; the
// word then decides the range (typed, or the staves' own extent), whether
// the staves are lined up by beats first, justified, and whether texts
// follow their notes. The page change is one undoable step.

#include "engine/justify_command.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "engine/engine_host.h"
#include "layout/justification_edges.h"
#include "layout/justification_messages.h"
#include "layout/justification_text.h"
#include "model/page_store.h"

namespace ts {
namespace {

enum class TextMode { None, AskRow, All };

struct JustifyWord {
  const char* word;
  bool staffExtents;  // the range is each staff's own ("L" forms)
  bool lineUp;
  bool justify;
  TextMode texts;
  bool selectOnly;
};

constexpr std::array<JustifyWord, 8> kWords = {{
    {"J", false, false, true, TextMode::None, false},
    {"JN", false, false, false, TextMode::None, true},
    {"JT", false, false, true, TextMode::AskRow, false},
    {"JTX", false, false, true, TextMode::All, false},
    {"L", true, true, true, TextMode::None, false},
    {"LN", true, false, false, TextMode::None, true},
    {"LJ", true, true, true, TextMode::None, false},
    {"LI", true, true, false, TextMode::None, false},
}};

const JustifyWord* findWord(std::string_view mnemonic) {
  for (const JustifyWord& word : kWords)
    if (mnemonic == word.word) return &word;
  return nullptr;
}

int lastStaffOf(const SystemChoice& system) {
  const long long last = static_cast<long long>(system.lowestStaff) + std::max(1, system.staffCount) - 1;
  return static_cast<int>(std::min<long long>(last, kMaxItems * 1000LL));
}

std::string selectedMessage(const PageStore& page, const JustifyRange& range) {
  GroupArea area{range.firstStaff, range.left, range.right, range.lastStaff, {}};
  char text[64];
  std::snprintf(text, sizeof text, "%d items selected.", static_cast<int>(selectItems(page, area).size()));
  return text;
}

// The row of the text the user clicks; nothing when the click picks no text.
std::optional<TextRow> askTextRow(JustifyContext& context, bool& cancelled) {
  ++context.waitLevel;
  const UserEvent event = context.host.waitForInput(WaitKind::Click, justification_messages::kClickOnText);
  --context.waitLevel;
  cancelled = event.kind != UserEvent::Kind::Click;
  const int item = cancelled ? 0 : context.pickItem(event);
  if (item < 1 || item > context.page.itemCount() || context.page.code(item) != kCodeText) return std::nullopt;
  return TextRow{truncToInt(context.page.param(item, 2)), context.page.param(item, 4)};
}

}  // namespace

SystemChoice systemOfNumbers(const std::vector<double>& numbers) {
  const auto at = [&](size_t i) { return i < numbers.size() ? numbers[i] : 0.0; };
  // Typed positions are held where drawing can still reach them.
  const auto position = [&](size_t i) {
    const double value = at(i);
    return std::isfinite(value) ? static_cast<float>(std::clamp(value, -1.0e7, 1.0e7)) : 0.0f;
  };
  return {truncToInt(at(0)), std::max(1, truncToInt(at(1))), position(2), position(3)};
}

SystemChoice systemOfBox(const GroupArea& box) {
  const int upper = std::max(box.upperStaff, box.lowerStaff);
  const float right = box.right == 0.0f ? kNormalRightEdge : box.right;  // a click: from it to the right edge
  return {box.lowerStaff, upper - box.lowerStaff + 1, std::min(box.left, right), std::max(box.left, right)};
}

JustifyRange typedRange(const SystemChoice& system) {
  const float right = system.right > system.left ? system.right : kNormalRightEdge;
  return {system.lowestStaff, lastStaffOf(system), system.left, right};
}

JustifyRange staffExtentRange(const PageStore& page, const SystemChoice& system) {
  JustifyRange range{system.lowestStaff, lastStaffOf(system), 0.0f, kNormalRightEdge};
  bool found = false;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int staff = truncToInt(page.param(k, 2));
    if (page.code(k) != kCodeStaff || staff < range.firstStaff || staff > range.lastStaff) continue;
    const float start = page.param(k, 3);
    const float end = page.param(k, 6) != 0.0f ? page.param(k, 6) : kNormalRightEdge;
    if (!std::isfinite(start) || !std::isfinite(end) || !(end > start)) continue;
    range.left = found ? std::min(range.left, start) : start;
    range.right = found ? std::max(range.right, end) : end;
    found = true;
  }
  return range;
}

bool JustifyCommand::isJustifyWord(std::string_view mnemonic) { return findWord(mnemonic) != nullptr; }

JustifyReply JustifyCommand::run(const SystemChoice& system, JustifyContext& context) {
  JustifyReply reply;
  const JustifyWord* word = findWord(m_word);
  if (!word || system.lowestStaff < 1) return reply;
  PageStore& page = context.page;
  const JustifyRange range = word->staffExtents ? staffExtentRange(page, system) : typedRange(system);
  if (word->selectOnly) {
    reply.message = selectedMessage(page, range);
    return reply;
  }
  std::optional<TextRow> row;
  if (word->texts == TextMode::AskRow) {
    bool cancelled = false;
    row = askTextRow(context, cancelled);
    if (cancelled) return reply;
    if (!row) {
      reply.message = justification_messages::kNotAText;
      return reply;
    }
  }
  context.saveUndo();
  reply.changed = prepareForJustification(page, range);
  if (word->lineUp) {
    const LineUpOutcome lined = lineUpStaves(page, range);
    reply.changed = lined.changed || reply.changed;
    reply.boxes.push_back(beatsReport(lined.counts));
  }
  const std::vector<TextAnchor> anchors =
      word->texts == TextMode::None ? std::vector<TextAnchor>{} : anchorTexts(page, range, row);
  if (word->justify) {
    JustifyOutcome justified = justifyStaves(page, range, context.preferences);
    reply.changed = justified.changed || reply.changed;
    for (std::string& message : justified.messages) reply.boxes.push_back(std::move(message));
  }
  reply.changed = followAnchors(page, anchors) || reply.changed;
  reply.changed = finishJustification(page, range) || reply.changed;
  return reply;
}

}  // namespace ts
