#include "draw/page_geometry.h"

#include <cmath>

#include "model/item_codes.h"

namespace ts {
namespace {

constexpr float kSizeOfP14 = 0.889f;     // P14 names sizes in these units
constexpr float kSmallStaffSize = 0.65f;
constexpr float kBottomLineSteps = 3.0f;  // the bottom line is step 3
constexpr float kMiddleLinePerSize = 1225.0f;  // seven steps of a size-1 staff
constexpr int kPlacementLimit = 1000;     // P4 at or above: no placement
constexpr int kMaxStaffLines = 100;       // P7 from 100 on raises the first line

}  // namespace

float staffSize(float p5, float p14) {
  const float size = p14 != 0.0f ? p14 / kSizeOfP14 : p5;
  return size == 0.0f ? 1.0f : size;
}

int staffKind(float p11, float size) {
  const int weight = truncToInt(p11);
  return weight == 0 && size < kSmallStaffSize ? -1 : weight;
}

int staffBaseHeight(int staff) {
  const int n = staff >= kRightSheetFirstStaff ? staff - (kRightSheetFirstStaff - 1) : staff;
  return kStaffSpacing * (n + 1) - kStaffBaseOffset;
}

float bottomLineFromSteps(int staff, float p4, float stepScale) {
  return static_cast<float>(staffBaseHeight(staff)) + p4 * kStepUnits * stepScale;
}

float lengthUnits(float length, bool metric) {
  return metric ? length * kPageUnitsPerInch / kCentimetresPerInch : length * kPageUnitsPerInch;
}

HangingPlace hangingPlace(float p10) {
  const int whole = truncToInt(p10);
  HangingPlace place;
  place.distance = std::fmod(p10, 100.0f);
  place.fromStaff = whole / 100 == 0 ? 1 : whole / 100;
  return place;
}

int roundUnits(float value) { return truncToInt(std::round(value)); }

int referenceFromBottomLine(float y0, float stepScale) {
  return roundUnits(y0 - kBottomLineSteps * kStepUnits * stepScale);
}

int middleFromReference(int referenceY, float size) {
  return roundUnits(size * kMiddleLinePerSize + static_cast<float>(referenceY));
}

float itemStep(int code, float p4) {
  const bool packed = code == kCodeNote || code == kCodeRest || code == kCodeClef || code == kCodeBeam;
  return packed ? std::fmod(p4, 100.0f) : p4;
}

StaffLines staffLines(float p7) {
  StaffLines lines;
  const int n = truncToInt(p7);
  if (n < 0) lines.visible = false;
  if (n > 0) lines.count = n;
  if (lines.count >= kMaxStaffLines) {
    const int hundreds = lines.count / kMaxStaffLines;
    if (hundreds > 1) lines.raisedSpacings = hundreds - 1;
    lines.count %= kMaxStaffLines;
  }
  return lines;
}

int printStaffLineWeight(float p7, float p11) {
  constexpr int kDefaultWeightMarker = 99;
  const int weight = truncToInt(p11);
  return p7 < 0.0f || weight == kDefaultWeightMarker ? 0 : weight;
}

float staffNumberX(int staff, float staffStartX) {
  if (staffStartX >= 0.0f) return staff > 99 ? -1700.0f : -1200.0f;
  return staffStartX - 1200.0f;
}

bool onRightSheet(int staff) { return staff >= kRightSheetFirstStaff; }

StaffTable::StaffTable() { reset(); }

void StaffTable::reset() {
  for (int staff = 0; staff < kStaffLimit; ++staff) {
    StaffEntry& e = m_entries[staff];
    e = StaffEntry{};
    e.referenceY = referenceFromBottomLine(bottomLineFromSteps(staff, 0.0f, kStepScalePerSize), kStepScalePerSize);
    e.middleY = middleFromReference(e.referenceY, 1.0f);
  }
}

bool StaffTable::place(const StaffPlacement& p) {
  if (!valid(p.staff)) return false;
  if (p.p4 >= static_cast<float>(kPlacementLimit)) return false;
  const float size = staffSize(p.p5, p.p14);
  const float scale = kStepScalePerSize * size;
  float y0 = 0.0f;
  if (p.p10 == 0.0f) {
    y0 = bottomLineFromSteps(p.staff, p.p4, scale);
  } else {
    const HangingPlace hang = hangingPlace(p.p10);
    const StaffEntry& from = entry(hang.fromStaff);
    y0 = static_cast<float>(from.referenceY) + kBottomLineSteps * kStepUnits * from.stepScale +
         lengthUnits(hang.distance, p.metric);
  }
  StaffEntry& e = m_entries[p.staff];
  e.stepScale = scale;
  e.referenceY = referenceFromBottomLine(y0, scale);
  e.middleY = middleFromReference(e.referenceY, size);
  e.kind = staffKind(p.p11, size);
  e.colour = p.p26;
  e.defined = true;
  return true;
}

const StaffEntry& StaffTable::entry(int staff) const {
  return m_entries[valid(staff) ? staff : 0];
}

float StaffTable::stepY(int staff, float step) const {
  const StaffEntry& e = entry(staff);
  return static_cast<float>(e.referenceY) + step * kStepUnits * e.stepScale;
}

}  // namespace ts
