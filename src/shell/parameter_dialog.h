#pragma once
// The parameter dialogs "P1 - 10", "P11- 20" and "P21 - 30": ten
// parameters of the current item, their original values and new values.

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_host.h"

namespace ts::shell {

class ScriptedAnswers;

bool isParameterDialogTitle(std::string_view title);

// Fields 1 to 10 are the parameters (their values the current ones); an
// eleventh field, when given, is the text. Returns each parameter's new
// value (the old one where the typed text is not a number) and the text.
std::optional<std::vector<std::string>> runParameterDialog(QWidget* parent, std::string_view title,
                                                           const std::vector<DialogField>& fields,
                                                           ScriptedAnswers* answers);

}  // namespace ts::shell
