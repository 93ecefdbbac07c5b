#include "layout/transposition_enharmonic.h"

#include <cmath>
#include <optional>
#include <set>

#include "layout/notes_builder.h"
#include "model/page_store.h"

namespace ts {
namespace {

namespace msg = transposition_messages;

constexpr float kTolerance = 0.001f;
constexpr float kPacking = 100.0f;
constexpr int kNaturalDigit = 3;

struct Respelling {
  int item;
  float p4;
  float p5;
};

bool inArea(const PageStore& page, int k, const TransposeRange& range) {
  const int staff = truncToInt(page.param(k, 2));
  const float x = page.param(k, 3);
  return staff >= range.firstStaff && staff <= range.lastStaff && x >= range.left - kTolerance &&
         x <= range.right + kTolerance;
}

int accidentalDigitOf(const PageStore& page, int k) {
  const int whole = truncToInt(page.param(k, 5));
  return whole < 0 ? 0 : whole % 10;
}

bool takesPart(const PageStore& page, int k, const TransposeRange& range, bool cueNotes) {
  if (page.code(k) != kCodeNote || !inArea(page, k, range)) return false;
  return cueNotes || truncToInt(std::fabs(page.param(k, 4)) / kPacking) != 1;
}

bool keyInRange(const PageStore& page, const TransposeRange& range) {
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.code(k) == kCodeKeySignature && inArea(page, k, range)) return true;
  return false;
}

std::set<int> signsOf(const PageStore& page, const TransposeRange& range, bool cueNotes) {
  std::set<int> signs;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (!takesPart(page, k, range, cueNotes)) continue;
    if (const int sign = accidentalSign(accidentalDigitOf(page, k)); sign != 0) signs.insert(sign);
  }
  return signs;
}

std::optional<Respelling> respelled(const PageStore& page, int k, int direction) {
  const int staff = truncToInt(page.param(k, 2));
  const float x = page.param(k, 3), p4 = page.param(k, 4), p5 = page.param(k, 5);
  const int digit = accidentalDigitOf(page, k);
  const std::optional<int> alteration = alterationOfDigit(digit);
  if (!alteration) return std::nullopt;
  const int step = truncToInt(std::fmod(p4, kPacking)) + clefBase(clefInForce(page, staff, x));
  const std::optional<Spelling> moved = enharmonicSpelling({step, *alteration}, direction);
  if (!moved) return std::nullopt;
  const int key = keyInForce(page, staff, x);
  const bool keyAgrees = keyAlteration(std::abs(key) >= 100 ? 0 : key, letterOfStep(moved->step)) == 0;
  const int newDigit = moved->alteration != 0 ? accidentalDigit(moved->alteration) : keyAgrees ? 0 : kNaturalDigit;
  return Respelling{k, movedPackedStep(p4, moved->step - step), p5 + static_cast<float>(newDigit - digit)};
}

}  // namespace

int accidentalSign(int digit) {
  const std::optional<int> alteration = alterationOfDigit(digit);
  return !alteration || *alteration == 0 ? 0 : *alteration > 0 ? 1 : -1;
}

void enharmonicChange(PageStore& page, const TransposeRange& range, bool cueNotes, int direction,
                      TransposeOutcome& outcome) {
  if (keyInRange(page, range)) {
    outcome.refusal = msg::kKeySignatureInRange;
    return;
  }
  const std::set<int> signs = signsOf(page, range, cueNotes);
  if (signs.size() > 1) {
    outcome.refusal = msg::kMixedSharpsAndFlats;
    return;
  }
  std::vector<Respelling> respellings;
  std::set<int> staves;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (!takesPart(page, k, range, cueNotes) || accidentalSign(accidentalDigitOf(page, k)) != direction) continue;
    if (const std::optional<Respelling> note = respelled(page, k, direction)) {
      respellings.push_back(*note);
      staves.insert(truncToInt(page.param(k, 2)));
    }
  }
  if (respellings.empty()) {
    outcome.refusal = msg::kNoEnharmonicChanges;
    return;
  }
  for (const Respelling& note : respellings) {
    page.setParam(note.item, 4, note.p4);
    page.setParam(note.item, 5, note.p5);
  }
  outcome.staves.assign(staves.begin(), staves.end());
  outcome.changed = true;
}

}  // namespace ts
