#include "engine/key_map.h"

#include <gtest/gtest.h>

#include "model/item_codes.h"

namespace ts {
namespace {

TEST(KeyMap, MainMode) {
  struct Case {
    int key;
    const char* command;
  } cases[] = {
      {vk::kF2, "NB"},   {vk::kF3, "NX"},   {vk::kF4, "I"},  {vk::kF6, "PR"},  {vk::kF7, "PLA"},
      {vk::kF8, "UNDO"}, {vk::kF9, "I"},    {vk::kF10, "PR"}, {vk::kF11, "MID"}, {vk::kF12, "TOP"},
      {vk::kF13, "PR"},  {vk::kDelete, ""}, {vk::kPageUp, ""}, {65, ""},        {0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(mainModeKeyCommand(c.key), c.command) << c.key;
  EXPECT_NE(mainModeKeyCommand(vk::kF5), "");
  EXPECT_NE(mainModeKeyCommand(vk::kUp), "");
  EXPECT_NE(mainModeKeyCommand(vk::kDown), "");
  EXPECT_NE(mainModeKeyCommand(vk::kUp), mainModeKeyCommand(vk::kDown));
}

TEST(KeyMap, EditModeMovesTheSameForEveryCode) {
  struct Case {
    int key;
    const char* command;
  } cases[] = {
      {vk::kPageUp, "u4"}, {vk::kPageDown, "d4"}, {vk::kEnd, "r10"}, {vk::kHome, "l10"}, {vk::kLeft, "l1"},
      {vk::kUp, "u1"},     {vk::kRight, "r1"},    {vk::kDown, "d1"}, {vk::kDelete, "de"}, {vk::kF2, "B"},
      {vk::kF3, "NEX"},
  };
  for (int code = kCodeNote; code <= kCodeMeter; ++code)
    for (const Case& c : cases) EXPECT_EQ(editModeKeyCommand(c.key, code), c.command) << c.key << " code " << code;
}

TEST(KeyMap, EditModeFunctionKeysByCode) {
  // [key][code 1..18]
  struct Row {
    int key;
    const char* byCode[18];
  } rows[] = {
      {vk::kF6, {"", "RINV", "", "", "", "", "", "SI", "", "", "", "", "", "INV", "13 1", "", "", ""}},
      {vk::kF7, {"FLI", "", "", "LFT", "LFT", "LFT", "LFT", "", "FLI", "500 -1", "FLI", "", "", "", "", "TX", "", ""}},
      {vk::kF8, {"CN", "CN", "CN", "RGT", "RGT", "RGT", "RGT", "RGT", "CN", "CN", "CN", "CN", "CN", "CN", "CN", "CN",
                 "CN", "CN"}},
      {vk::kF10, {"", "", "", "", "", "", "", "", "", "500 1", "", "", "", "", "", "", "", ""}},
      {vk::kF11, {"", "", "", "", "", "", "", "", "", "", "13 1", "", "", "", "", "", "", ""}},
  };
  for (const Row& row : rows)
    for (int code = 1; code <= 18; ++code)
      EXPECT_EQ(editModeKeyCommand(row.key, code), row.byCode[code - 1]) << row.key << " code " << code;
}

}  // namespace
}  // namespace ts
