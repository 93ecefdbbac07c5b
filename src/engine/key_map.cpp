#include "engine/key_map.h"

#include "model/item_codes.h"

namespace ts {

std::string mainModeKeyCommand(int key) {
  switch (key) {
    case vk::kF2: return "NB";
    case vk::kF3: return "NX";
    case vk::kF4: return "I";
    case vk::kF5: return "QQ165";
    case vk::kF6: return "PR";
    case vk::kF7: return "PLA";
    case vk::kF8: return "UNDO";
    case vk::kF9: return "I";
    case vk::kF10: return "PR";
    case vk::kF11: return "MID";
    case vk::kF12: return "TOP";
    case vk::kF13: return "PR";
    case vk::kUp: return "]]";    // display up
    case vk::kDown: return "[[";  // display down
    default: return {};
  }
}

std::string editModeKeyCommand(int key, int code) {
  const bool twoEnded = isTwoEndedCode(code);
  switch (key) {
    case vk::kPageUp: return "u4";
    case vk::kPageDown: return "d4";
    case vk::kEnd: return "r10";
    case vk::kHome: return "l10";
    case vk::kLeft: return "l1";
    case vk::kUp: return "u1";
    case vk::kRight: return "r1";
    case vk::kDown: return "d1";
    case vk::kDelete: return "de";
    case vk::kF2: return "B";
    case vk::kF3: return "NEX";
    case vk::kF6:
      if (code == kCodeRest) return "RINV";
      if (code == kCodeStaff) return "SI";
      if (code == kCodeBars) return "INV";
      if (code == kCodeEps) return "13 1";
      return {};
    case vk::kF7:
      if (code == kCodeNumber) return "500 -1";
      if (code == kCodeNote || code == kCodeLibrary || code == kCode11) return "FLI";
      if (code == kCodeText) return "TX";
      if (twoEnded) return "LFT";
      return {};
    case vk::kF8:
      if (twoEnded || code == kCodeStaff) return "RGT";
      return "CN";
    case vk::kF10:
      if (code == kCodeNumber) return "500 1";
      return {};
    case vk::kF11:
      if (code == kCode11) return "13 1";
      return {};
    default: return {};
  }
}

}  // namespace ts
