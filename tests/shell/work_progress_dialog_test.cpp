// The progress window of long work: Cancel stops the work at its next step,
// and a finished window leaves nothing behind for the next work.

#include "shell/work_progress_dialog.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace ts::shell {
namespace {

TEST(WorkProgressDialog, CancelStopsTheNextStepAndANewWorkStartsAfresh) {
  QWidget parent;
  WorkProgressDialog progress(&parent);
  EXPECT_TRUE(progress.step(0, 0, "no steps")) << "work of no steps shows nothing";
  EXPECT_EQ(progress.window(), nullptr);
  ASSERT_TRUE(progress.step(0, 3, "SONG1.PAG"));
  ASSERT_NE(progress.window(), nullptr);
  EXPECT_EQ(progress.window()->maximum(), 3);
  EXPECT_EQ(progress.window()->labelText(), QStringLiteral("SONG1.PAG"));
  EXPECT_TRUE(progress.step(1, 3, "SONG2.PAG"));
  progress.window()->cancel();
  EXPECT_FALSE(progress.step(2, 3, "SONG3.PAG"));
  EXPECT_FALSE(progress.step(2, 3, "SONG3.PAG")) << "cancelled stays cancelled until the work ends";
  progress.finish();
  EXPECT_EQ(progress.window(), nullptr);
  EXPECT_TRUE(progress.step(0, 2, "ONE.MUS")) << "the next work is not cancelled by the last one";
  EXPECT_EQ(progress.window()->value(), 0);
  EXPECT_TRUE(progress.step(2, 2, ""));
  EXPECT_NE(progress.window(), nullptr) << "the window stays up to the end of the call";
}

}  // namespace
}  // namespace ts::shell
