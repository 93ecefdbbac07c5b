#pragma once
// The texts of the item bar and of the parameter dialogs.

#include <array>
#include <string>
#include <string_view>

namespace ts::shell {

constexpr int kItemBarParameters = 20;
constexpr int kDialogParameters = 10;
constexpr float kAbsentParameter = -99990.0f;  // at or below: "not present", shown empty
constexpr size_t kNewValueChars = 32;          // characters read from a new-value field
constexpr size_t kDialogTextChars = 48;        // characters read from the dialog's text field

struct ItemBarRecord {
  std::array<float, kItemBarParameters> params{};  // P1..P20; P1 = 0: no current item
  int item = 0;
  int itemCount = 0;
};

struct ItemBarTexts {
  std::string item;                                   // "%d/%d"
  std::array<std::string, kItemBarParameters> params;  // empty for absent parameters
};

// `parameter` counts from 1: P1 "%2.0f", P2 "%5.1f", the others "%8.3f".
std::string formatItemBarParameter(int parameter, float value);
ItemBarTexts itemBarTexts(const ItemBarRecord& record);

// The parameter dialogs show every value with "%8.3f".
std::string formatDialogValue(float value);
// A new value typed into a dialog field; a field that is not a number
// leaves the old value.
float readNewValue(std::string_view field, float old);

}  // namespace ts::shell
