// Notes (code 1): head, ledger lines, parentheses, flags, accidental, stem
// and dots, in that order.

#include "draw/notes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/draw_context.h"
#include "draw/item_colour.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr float kCueScale = 0.6f;
constexpr float kHeadUnits = 17.0f, kWideHeadUnits = 19.0f;
constexpr int kFirstHeadSymbol = 11;
constexpr int kNoHead = 7;
constexpr int kParenthesisDrawing = 208;
constexpr float kParenthesisScale = 1.4f;
constexpr int kFlagSymbol = 20, kDotSymbol = 24;
constexpr int kAccidentalBase = 5, kSecondAccidentalBase = 139;
constexpr float kShiftUnits = 60.0f;
constexpr float kLedgerOverhang = 5.0f;
constexpr float kStemStartUnits = 2.1f;

}  // namespace

int stemPrintWeight(float p17) { return std::max(0, truncToInt(p17 / 100.0f)); }

HeadShape headShape(int p6) {
  HeadShape head;
  int type = p6;
  if (type >= 10 && type <= 19) {
    head.parenthesised = true;
    type -= 10;
  }
  if (type == -3) type = 3;
  head.type = type;
  head.stem = !(type == 2 || type == 3 || type > 899 || (type >= 100 && type <= 198 && type != 139));
  if (type >= 0 && type <= 6) {
    head.number = kFirstHeadSymbol + type;
  } else if ((type >= 20 && type <= 25) || (type <= -20 && type >= -25)) {
    head.number = kFirstHeadSymbol;  // special heads: drawn as the standard head
  } else if (type == kNoHead || type < 0) {
    head.source = HeadSource::None;
  } else {
    head.source = HeadSource::Drawing;
    head.number = type == 8 ? 95 : type;
    head.scale = type == 8 || type == 9 ? 1.0f : 0.833f;
    if (type == 9) head.number = 139;
  }
  return head;
}

float markShift(float value) {
  const float fraction = std::fabs(value - std::trunc(value));
  return fraction > 0.9f ? -(fraction - 0.9f) : fraction;
}

NoteCodes noteCodes(float step, float p5, float p9) {
  NoteCodes codes;
  const int packed = std::abs(truncToInt(p5));
  const int units = packed % 10;
  codes.accidentalUnits = units;
  if (units != 0) {
    const bool second = (packed / 100) % 10 == 1 || units > 5;
    codes.accidental = units + (second ? kSecondAccidentalBase : kAccidentalBase);
  }
  codes.accidentalShift = markShift(p5);
  codes.stemTens = (packed / 10) % 10;
  codes.up = codes.stemTens == 1 || (codes.stemTens == 0 && step <= 6.0f);
  const int dots = std::abs(truncToInt(p9));
  codes.flags = dots % 10;
  codes.dots = (dots / 10) % 10;
  codes.dotsBelow = (dots / 100) % 10 == 1;
  codes.dotsFurther = (dots / 1000) % 10 == 1;
  codes.dotShift = -markShift(p9);
  return codes;
}

std::vector<int> ledgerSteps(int step, int aboveFrom) {
  std::vector<int> steps;
  for (int line = 1; line >= step; line -= 2) steps.push_back(line);
  for (int line = aboveFrom; line <= step; line += 2) steps.push_back(line);
  return steps;
}

bool needsLedgerLines(float p30, float p7, int step, bool crossStaffLedgers) {
  if (p30 < 0.0f) return false;
  return p30 != 0.0f || (p7 > -2.0f && (step < 2 || step > 12 || crossStaffLedgers));
}

float stemExtra(float p8, bool& tremolo) {
  tremolo = std::fabs(p8) >= 100.0f;
  if (!tremolo) return p8;
  return p8 > 0.0f ? p8 - 100.0f : p8 + 100.0f;
}

float noteScaleFactor(float p4, float p15) {
  // Typed input marks a chord's further notes with P15 = -1: no size, and a
  // negative one would draw the note mirrored.
  if (p15 > 0.0f) return p15;
  return std::abs(truncToInt(p4)) / 100 == 1 ? kCueScale : 1.0f;
}

float headWidthUnits(int headType) { return headType == 2 || headType == 3 ? kWideHeadUnits : kHeadUnits; }

float headShift(float p10, float headWidth, float stepScale) {
  const int shift = truncToInt(p10);
  if (shift == 10 || shift == 110) return headWidth;
  if (shift == 20) return -headWidth;
  return shift == 0 ? 0.0f : 6.0f * stepScale * p10;
}

float stemSteps(int flags, float p8) {
  const float extra = flags > 1 ? 2.0f * static_cast<float>(flags) - 2.5f : 0.0f;
  return extra + 7.0f + p8;
}

namespace {

struct Note {
  float x = 0, y = 0;       // head place
  float accidentalX = 0;    // where the accidental stands (P10 = 110 keeps it)
  float n = 25;             // note scale
  float headSize = 1;
  float width = 17 * 25;
  int step = 0;
  HeadShape head;
  NoteCodes codes;
};

void drawLedgerLines(DrawContext& ctx, const Note& note) {
  const ItemState& item = ctx.item;
  const int hundreds = (std::abs(item.pi(12)) / 100) % 10;
  if (!needsLedgerLines(item.p(30), item.p(7), note.step, hundreds != 0)) return;
  const std::vector<int> steps = ledgerSteps(note.step, hundreds != 0 ? 2 * hundreds + 3 : 13);
  if (steps.empty()) return;
  const float stepUnits = kStepUnits * item.scale;
  if (item.p(27) == 0.0f) {
    ctx.device.flush();
    ctx.device.setColour(itemColour(ctx.staves.entry(item.staff).colour, false));
  }
  for (const int line : steps) {
    const float y = note.y + static_cast<float>(line - note.step) * stepUnits;
    ctx.device.line(note.x - kLedgerOverhang * note.n, y, note.x + note.width + kLedgerOverhang * note.n, y);
  }
  ctx.device.flush();
  ctx.device.setColour(itemColour(item.p(26), item.number == ctx.request.highlightedItem));
}

// The type-0 head is the commonest mark of a page: its outline is kept for
// the last scale and copied instead of being worked out again.
void drawCachedHead(DrawContext& ctx, const Note& note) {
  HeadCache& cache = ctx.headCache;
  const float product = note.headSize * note.n;
  if (cache.product != product) {
    cache.product = product;
    cache.offsets.clear();
    cache.pens.clear();
    for (const DrawingPoint& p : ctx.library.symbol(kFirstHeadSymbol)) {
      cache.offsets.push_back({note.headSize * note.n * p.x, note.n * p.y});
      cache.pens.push_back(p.pen);
    }
  }
  if (ctx.device.skipPoints(cache.offsets.size())) return;
  for (size_t i = 0; i < cache.offsets.size(); ++i) {
    ctx.device.plot(note.x + cache.offsets[i][0], note.y + cache.offsets[i][1], cache.pens[i]);
  }
}

void drawHead(DrawContext& ctx, const Note& note) {
  switch (note.head.source) {
    case HeadSource::None: return;
    case HeadSource::Drawing: {
      const float k = 0.25f * note.n * note.head.scale;
      ctx.drawing(note.x, note.y, note.head.number, k * note.headSize, k);
      return;
    }
    case HeadSource::Symbol: break;
  }
  if (note.head.number == kFirstHeadSymbol && ctx.screen && ctx.item.pi(7) != 99 && !ctx.library.symbol(kFirstHeadSymbol).empty()) {
    drawCachedHead(ctx, note);
    return;
  }
  ctx.symbol(note.x, note.y, note.head.number, note.headSize, 1.0f, note.n);
}

void drawParentheses(DrawContext& ctx, const Note& note) {
  const float n = note.n;
  const float left = note.codes.accidental == 0 ? 13.8f : note.codes.accidentalUnits == 4 ? 40.8f : 28.2f;
  const float right = (note.codes.dots > 1 ? 51.2f : note.codes.dots == 1 ? 39.2f : 31.2f) +
                      17.0f * (note.headSize - 1.0f);
  ctx.symbol(note.x - left * n, note.y, kParenthesisDrawing, kParenthesisScale, kParenthesisScale, n);
  ctx.symbol(note.x + right * n, note.y, kParenthesisDrawing, -kParenthesisScale, kParenthesisScale, n);
}

void drawFlags(DrawContext& ctx, const Note& note, float extra) {
  const int k = note.codes.flags;
  if (k <= 0) return;
  const float stepUnits = kStepUnits * note.n;
  const float sign = note.codes.up ? 1.0f : -1.0f;
  float offset = std::fmod(extra, 100.0f) + 1.0f - (k > 1 ? 0.5f : 0.0f);
  const float x = note.codes.up ? note.x + note.width : note.x;
  for (int i = 0; i < k; ++i, offset += 2.0f) {
    ctx.symbol(x, note.y + sign * offset * stepUnits, kFlagSymbol, 1.0f, note.codes.up ? -1.0f : 1.0f, note.n);
  }
}

// Marks drawn with a line weight of their own on paper, the default width
// restored after them; the screen keeps its one-pixel lines.
template <class Marks>
void withPrintWeight(DrawContext& ctx, int weight, Marks marks) {
  const bool weighted = !ctx.screen && weight > 0;
  if (weighted) ctx.device.setLineWidth(weight);
  marks();
  if (weighted) ctx.device.restoreLineWidth();
}

void drawAccidental(DrawContext& ctx, const Note& note) {
  if (note.codes.accidental == 0) return;
  const float size = ctx.item.p(29) == 0.0f ? 1.0f : ctx.item.p(29);
  const float x = note.accidentalX - note.codes.accidentalShift * kShiftUnits * note.n;
  ctx.symbol(x, note.y, note.codes.accidental, size, size, note.n);
}

void drawStem(DrawContext& ctx, const Note& note, float extra, bool tremolo) {
  if (note.codes.stemTens == 0 || !note.head.stem) return;
  const float n = note.n;
  const int type = note.head.type;
  float start = type == 6 ? 7.0f * n : (type >= 4 && type <= 8) ? 0.0f : kStemStartUnits * n;
  const float offsetSteps = std::fmod(ctx.item.p(17), 100.0f);
  if (offsetSteps != 0.0f) start = offsetSteps * kStepUnits * n;
  const float length = stemSteps(note.codes.flags, extra) * kStepUnits * n;
  const float sign = note.codes.up ? 1.0f : -1.0f;
  const float x = note.codes.up ? note.x + note.width : note.x;
  ctx.device.line(x, note.y + sign * start, x, note.y + sign * length);
  if (!tremolo) return;
  const float middle = note.y + sign * (start + length) * 0.55f;
  for (const float at : {-3.0f * n, 3.0f * n}) {
    ctx.device.line(x - 6.0f * n, middle + at - 2.5f * n, x + 6.0f * n, middle + at + 2.5f * n);
  }
}

void drawDots(DrawContext& ctx, const Note& note) {
  const NoteCodes& c = note.codes;
  if (c.dots <= 0) return;
  const ItemState& item = ctx.item;
  float first = (c.up && c.flags > 0 && item.p(8) == 0.0f && c.stemTens != 0) ? 16.2f : 18.0f;
  first = (first + c.dotShift * kShiftUnits) * note.n * note.headSize;
  if ((note.head.type == kNoHead || note.head.type == -1) && !c.up && c.flags == 0) first /= 2.0f;
  if (c.dotsFurther) first += 0.284f * kShiftUnits * note.n;
  float steps = item.p(19);
  if (std::abs(note.step) % 2 == 1) steps += c.dotsBelow ? -1.0f : 1.0f;
  const float y = note.y + steps * kStepUnits * item.scale;
  const float size = item.p(31) == 0.0f ? 1.0f : item.p(31);
  for (int i = 0; i < c.dots; ++i) {
    ctx.symbol(note.x + first + 13.0f * note.n * static_cast<float>(i), y, kDotSymbol, size, size, note.n);
  }
}

}  // namespace

void drawNote(DrawContext& ctx) {
  ItemState& item = ctx.item;
  Note note;
  note.n = item.scale * noteScaleFactor(item.p(4), item.p(15));
  note.step = truncToInt(itemStep(kCodeNote, item.p(4)));
  note.head = headShape(item.pi(6));
  note.headSize = item.p(20) == 0.0f ? 1.0f : item.p(20);
  note.width = headWidthUnits(note.head.type) * note.n * note.headSize;
  note.codes = noteCodes(static_cast<float>(note.step), item.p(5), item.p(9));
  note.x = item.x;
  note.accidentalX = item.x;
  note.x += headShift(item.p(10), note.width, item.scale);
  if (item.pi(10) != 110) note.accidentalX = note.x;
  note.y = item.y;
  const int cross = std::abs(item.pi(12)) % 100;
  if (item.p(12) > 0.0f && cross > 0) {
    note.y += static_cast<float>(ctx.staves.entry(item.staff + 3 - 2 * cross).referenceY -
                                 ctx.staves.entry(item.staff).referenceY);
  }
  bool tremolo = false;
  const float extra = stemExtra(item.p(8), tremolo);
  drawLedgerLines(ctx, note);
  drawHead(ctx, note);
  if (note.head.parenthesised) drawParentheses(ctx, note);
  drawFlags(ctx, note, extra);
  withPrintWeight(ctx, item.pi(28), [&] { drawAccidental(ctx, note); });
  withPrintWeight(ctx, stemPrintWeight(item.p(17)), [&] { drawStem(ctx, note, extra, tremolo); });
  drawDots(ctx, note);
}

}  // namespace ts
