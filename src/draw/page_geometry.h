#pragma once
// Page units and staff coordinates. Every mark is placed in page units
// (4000 to the inch, Y upward) from its item's staff, horizontal position
// and vertical step; the staff items say where each staff lies and how large
// it is. The rules are small pure functions so each can be checked alone.

#include <array>
#include <cstdint>

namespace ts {

constexpr float kPageUnitsPerInch = 4000.0f;
constexpr float kCentimetresPerInch = 2.54f;
constexpr float kUnitsPerP3 = 150.0f;          // one P3 unit, 0.0375 inch
constexpr float kStepUnits = 7.0f;             // symbol units in one step (scaled by the step scale)
constexpr float kStepScalePerSize = 25.0f;     // step scale of a staff of size 1
constexpr int kWritingRight = 30000;           // right end of staff lines: 200 P3 units
constexpr int kStaffSpacing = 3150;            // base heights of consecutive staves
constexpr int kStaffBaseOffset = 30300;        // so that staff 1 has base -24000
constexpr int kRightSheetFirstStaff = 200;     // staves 200.. lie on the right-hand sheet
constexpr int kRightSheetShift = 34050;        // page units between the two sheets
constexpr int kFirstStaffDisplayOffset = -15000;  // vertical display offset once a staff is drawn
constexpr int kStaffLimit = 400;               // staff numbers 1..399 have table entries
constexpr float kOutOfBoundsRightMargin = 12100.0f;  // beyond the right limit before a warning
constexpr float kOutOfBoundsLeftP3 = -140.0f;

// One staff's table entry.
struct StaffEntry {
  int referenceY = 0;     // page Y of step 0 (three steps below the bottom line)
  float stepScale = 25.0f;
  int middleY = 0;        // the middle line, step 7
  int kind = 0;           // P11, or -1 for a small staff with P11 = 0
  float colour = 0.0f;    // the staff item's colour selector, for ledger lines
  bool defined = false;   // a staff item has set this entry in this drawing
};

// The parameters of a staff item (code 8) that fix its place.
struct StaffPlacement {
  int staff = 0;   // P2
  float p4 = 0.0f;
  float p5 = 0.0f;
  float p10 = 0.0f;
  float p11 = 0.0f;
  float p14 = 0.0f;
  float p26 = 0.0f;
  bool metric = false;
};

// Staff size f: P14 / 0.889 when P14 is set, else P5, else 1.
float staffSize(float p5, float p14);
// Line weight kept for the staff: P11, or -1 for f < 0.65 with P11 = 0.
int staffKind(float p11, float size);
// Base height of a staff number (the right-hand sheet counts from 200 as 1).
int staffBaseHeight(int staff);
// Bottom line of a staff placed by P4 steps above its base.
float bottomLineFromSteps(int staff, float p4, float stepScale);
// Inches (or centimetres) of a hanging staff, in page units.
float lengthUnits(float length, bool metric);
// Which staff a P10 hangs from (k) and how far above its bottom line (d).
struct HangingPlace {
  int fromStaff = 1;
  float distance = 0.0f;
};
HangingPlace hangingPlace(float p10);
// Rounded to the nearest page unit, halves away from zero; saturating far out.
int roundUnits(float value);
// Step 0 of a staff whose bottom line is at y0.
int referenceFromBottomLine(float y0, float stepScale);
int middleFromReference(int referenceY, float size);
// Vertical step of an item: notes, rests, clefs and beams carry further
// information in the hundreds of P4.
float itemStep(int code, float p4);
// Lines of a staff from P7: how many, and by how many spacings the first is raised.
struct StaffLines {
  int count = 5;
  int raisedSpacings = 0;
  bool visible = true;
};
StaffLines staffLines(float p7);
// The weight the staff lines take on a print (P11; 0: the default width).
// 99 and invisible staves keep the default.
int printStaffLineWeight(float p7, float p11);
// X of the staff number, left of the staff's start.
float staffNumberX(int staff, float staffStartX);
// True when the staff number names the right-hand sheet on the screen.
bool onRightSheet(int staff);

class StaffTable {
 public:
  StaffTable();
  // Entries of every staff as a staff of size 1 at P4 = 0 would set them,
  // so that items before their staff item still land somewhere sensible.
  void reset();
  // Places one staff from its item. False when P4 >= 1000 (no placement).
  bool place(const StaffPlacement& placement);
  const StaffEntry& entry(int staff) const;
  float stepY(int staff, float step) const;  // page Y of a step of a staff
  bool valid(int staff) const { return staff >= 1 && staff < kStaffLimit; }

 private:
  std::array<StaffEntry, kStaffLimit> m_entries{};
};

}  // namespace ts
