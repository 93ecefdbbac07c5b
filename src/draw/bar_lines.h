#pragma once
// The rules of bar lines (code 14), as pure functions.

namespace ts {

struct BarSteps {
  float bottom = 3.0f;
  float top = 11.0f;
};
// Bottom and top step of a bar type, unless P10 and P11 give them.
BarSteps barSteps(int type, float p10, float p11);
// Staves a bar spans upward from its own: P4 (at least 1), 999 to the last
// staff, never beyond the highest staff.
int barSpan(int p4, int staff, int highestStaff);

}  // namespace ts
