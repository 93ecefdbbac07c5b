// The drawing's messages, blanks and all.

#include "draw/draw_messages.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(DrawMessages, FilledInTexts) {
  EXPECT_EQ(outOfBoundsRightMessage(3, 1), "Stf   3,  Code  1.  P3 is out of bounds. > 280");
  EXPECT_EQ(outOfBoundsLeftMessage(12, 14), "Stf  12,  Code 14.  P3 is out of bounds. < -140");
  EXPECT_EQ(staffOutOfRangeMessage(2), "*** Warning: P4 of Staff   2 out of range.");
  EXPECT_EQ(paperSizeMessage(PaperSize::Letter), "**** Letter size, 8.5\"x11\"");
  EXPECT_EQ(paperSizeMessage(PaperSize::A4), "**** A4 size, 8.3\"x11.7\"");
  EXPECT_EQ(paperSizeMessage(PaperSize::Double), "**** Double page, 17\"x11\"");
  EXPECT_EQ(paperSizeMessage(PaperSize::Custom, 9, 12), "**** Custom size,  9.00\"x12.00\"");
}

}  // namespace
}  // namespace ts
