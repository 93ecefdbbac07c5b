#pragma once
// Menu words that set one parameter of the item being edited, as their
// buttons name it: "SLDSH" is "Slur Dashes (P11=1)", "DSH+" is "Dash Size
// Plus (P8 +.2)", "WYN" is "Wiggle Yes/No (P6)". Each word acts on the
// items of one code only.

#include <string_view>

#include "model/page_store.h"

namespace ts {

// Applies the word to the working record of an item; false (and the record
// unchanged) when the word is not one of these words for the item's code.
bool applyParameterWord(std::string_view word, WorkingRecord& record);

}  // namespace ts
