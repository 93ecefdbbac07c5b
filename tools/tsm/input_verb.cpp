#include "input_verb.h"

#include <cstdlib>
#include <optional>

#include "engine/engine_session.h"

namespace tsm {
namespace {

constexpr int kDone = 0, kNotDone = 1, kUsageError = 2;

struct InputArguments {
  std::string page, file, out;
  int staff = 0;
  float left = 2.0f, right = 200.0f;
};

std::optional<double> numberOf(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !(value > -10000.0 && value < 10000.0)) return std::nullopt;
  return value;
}

std::optional<InputArguments> readArguments(const std::vector<std::string>& arguments) {
  InputArguments read;
  std::vector<std::string> files;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const auto value = [&]() { return i + 1 < arguments.size() ? numberOf(arguments[++i]) : std::nullopt; };
    if (arg == "--staff") {
      const std::optional<double> staff = value();
      if (!staff || *staff < 1) return std::nullopt;
      read.staff = static_cast<int>(*staff);
    } else if (arg == "--range") {
      const std::optional<double> left = value();
      const std::optional<double> right = value();
      if (!left || !right || *right <= *left) return std::nullopt;
      read.left = static_cast<float>(*left);
      read.right = static_cast<float>(*right);
    } else if (arg == "--out") {
      if (++i >= arguments.size()) return std::nullopt;
      read.out = arguments[i];
    } else if (arg.rfind("--", 0) == 0) {
      return std::nullopt;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2 || read.staff < 1) return std::nullopt;
  read.page = files[0];
  read.file = files[1];
  if (read.out.empty()) read.out = read.page;
  return read;
}

}  // namespace

InputVerbResult inputVerb(const std::vector<std::string>& arguments, ts::EngineSession& session,
                          const std::function<bool(const std::string&)>& openPage) {
  InputVerbResult result;
  const std::optional<InputArguments> read = readArguments(arguments);
  if (!read) return {kUsageError, {}};
  if (!openPage(read->page)) return {kNotDone, {}};
  const bool fed = session.engine().typedInputFromFile(read->file, read->staff, read->left, read->right,
                                                       result.messages);
  // A file that could not be read whole leaves the page on disk as it was.
  if (!fed) return {kNotDone, std::move(result.messages)};
  const ts::CallResult saved = session.savePage(read->out);
  if (!saved.message.empty()) result.messages.push_back(saved.message);
  result.status = saved.failed ? kNotDone : kDone;
  return result;
}

}  // namespace tsm
