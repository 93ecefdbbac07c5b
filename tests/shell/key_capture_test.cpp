#include "shell/key_capture.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

constexpr KeyStroke kUp{vk::kUp, 72, true};
constexpr KeyStroke kPageUp{vk::kPageUp, 73, true};
constexpr KeyStroke kDelete{vk::kDelete, 83, true};
constexpr KeyStroke kPadDelete{vk::kDelete, kScanPadDelete, false};
constexpr KeyStroke kF1{vk::kF1, 59, false};
constexpr KeyStroke kF3{114, 61, false};
constexpr KeyStroke kF12{123, 88, false};
constexpr KeyStroke kEscape{vk::kEscape, 1, false};
constexpr KeyStroke kInsert{vk::kInsert, 82, true};
constexpr KeyStroke kLetterA{65, 30, false};

TEST(PseudoKey, CoversNavigationAndFunctionKeysOnly) {
  struct Case {
    int key;
    const char* sent;
  } cases[] = {{33, "~~033"}, {36, "~~036"}, {40, "~~040"}, {46, "~~046"}, {113, "~~113"},
               {123, "~~123"}, {112, nullptr}, {27, nullptr}, {45, nullptr}, {65, nullptr}};
  for (const Case& c : cases) {
    const std::optional<std::string> sent = pseudoKeyFor(c.key);
    if (c.sent) {
      EXPECT_EQ(sent, std::string(c.sent)) << c.key;
    } else {
      EXPECT_FALSE(sent) << c.key;
    }
  }
}

TEST(CommandKeyCapture, KeysAreTypedUntilACommandIsSent) {
  CommandKeyCapture capture;
  EXPECT_FALSE(capture.keyDown(kUp, false));
  EXPECT_FALSE(capture.keyDown(kF3, false));
  capture.commandSent();
  EXPECT_EQ(capture.keyDown(kUp, false), "~~038");
  capture.keySent();
  EXPECT_EQ(capture.keyDown(kF3, false), "~~114");
  EXPECT_EQ(capture.keyDown(kDelete, false), "~~046");
}

TEST(CommandKeyCapture, EscapeAndF1SwitchCaptureOff) {
  for (const KeyStroke& key : {kEscape, kF1}) {
    CommandKeyCapture capture;
    capture.commandSent();
    EXPECT_FALSE(capture.keyDown(key, false));
    EXPECT_FALSE(capture.navigationCaptured());
    EXPECT_FALSE(capture.functionKeysCaptured());
    EXPECT_EQ(capture.counter(), 0);
    EXPECT_FALSE(capture.keyDown(kUp, false)) << "typed again after capture is off";
  }
}

TEST(CommandKeyCapture, PageUpCountsOnlyUnderFunctionKeyCapture) {
  CommandKeyCapture capture;
  capture.commandSent();
  EXPECT_EQ(capture.keyDown(kPageUp, false), "~~033");
  capture.switchOff();
  EXPECT_FALSE(capture.keyDown(kPageUp, false));
  EXPECT_EQ(capture.counter(), 0);
}

TEST(CommandKeyCapture, PadDeleteCountsUnderNavigationCapture) {
  CommandKeyCapture capture;
  capture.commandSent();
  EXPECT_EQ(capture.keyDown(kPadDelete, false), "~~046");
  EXPECT_EQ(capture.counter(), 1);
}

TEST(CommandKeyCapture, InsertIsTypedWithoutEndingCapture) {
  CommandKeyCapture capture;
  capture.commandSent();
  EXPECT_FALSE(capture.keyDown(kInsert, false));
  EXPECT_TRUE(capture.navigationCaptured());
  capture.keySent();
  EXPECT_EQ(capture.keyDown(kF12, false), "~~123");
}

TEST(CommandKeyCapture, ARawKeyRequestLooksUpEvenUncountedKeys) {
  CommandKeyCapture capture;
  EXPECT_EQ(capture.keyDown(kF3, true), "~~114");
  EXPECT_FALSE(capture.keyDown(kLetterA, true));
  EXPECT_EQ(capture.mode(), 0);
}

TEST(CommandKeyCapture, InputModeCapturesBoth) {
  CommandKeyCapture capture;
  capture.switchOnForInput();
  EXPECT_EQ(capture.mode(), kCaptureModeInput);
  EXPECT_EQ(capture.keyDown(kDelete, false), "~~046");
}

}  // namespace
}  // namespace ts::shell
