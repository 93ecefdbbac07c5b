#include "transpose_verb.h"

#include <cstdlib>
#include <optional>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "engine/transpose_command.h"
#include "layout/transposition.h"

namespace tsm {
namespace {

constexpr int kDone = 0, kNotDone = 1, kUsageError = 2;
constexpr double kLargestStaff = 100000.0;

struct TransposeArguments {
  std::string page, out;
  ts::TransposeRange range;
  ts::TransposeOptions options;
  bool amountGiven = false;
  bool stavesGiven = false;
};

std::optional<double> numberOf(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !(value > -kLargestStaff && value < kLargestStaff)) return std::nullopt;
  return value;
}

// Batch runs change nothing they are not told to: no key signature is
// added and stems stay, unless asked.
ts::TransposeOptions batchOptions() {
  ts::TransposeOptions options;
  options.addKeySignature = false;
  return options;
}

bool readStaves(const std::vector<std::string>& arguments, size_t& i, TransposeArguments& read) {
  const std::optional<double> first = i + 1 < arguments.size() ? numberOf(arguments[++i]) : std::nullopt;
  const std::optional<double> last = i + 1 < arguments.size() ? numberOf(arguments[++i]) : std::nullopt;
  if (!first || !last || *first < 1 || *last < *first) return false;
  read.range.firstStaff = static_cast<int>(*first);
  read.range.lastStaff = static_cast<int>(*last);
  read.stavesGiven = true;
  return true;
}

bool readRange(const std::vector<std::string>& arguments, size_t& i, TransposeArguments& read) {
  const std::optional<double> left = i + 1 < arguments.size() ? numberOf(arguments[++i]) : std::nullopt;
  const std::optional<double> right = i + 1 < arguments.size() ? numberOf(arguments[++i]) : std::nullopt;
  if (!left || !right || *right <= *left) return false;
  read.range.left = static_cast<float>(*left);
  read.range.right = static_cast<float>(*right);
  return true;
}

bool readOption(const std::vector<std::string>& arguments, size_t& i, TransposeArguments& read) {
  const std::string& arg = arguments[i];
  const bool hasValue = i + 1 < arguments.size();
  if (arg == "--staves") return readStaves(arguments, i, read);
  if (arg == "--range") return readRange(arguments, i, read);
  if (arg == "--by" && hasValue) {
    const std::optional<int> amount = ts::transpositionAmountOfText(arguments[++i]);
    read.options.halfSteps = amount.value_or(0);
    read.amountGiven = amount.has_value();
    return read.amountGiven;
  }
  if (arg == "--clef" && hasValue) {
    const std::optional<ts::ClefChoice> clef = ts::clefOfAnswer(arguments[++i]);
    read.options.clef = clef.value_or(ts::ClefChoice::None);
    return clef.has_value();
  }
  if (arg == "--out" && hasValue) {
    read.out = arguments[++i];
    return true;
  }
  if (arg == "--add-key") read.options.addKeySignature = true;
  else if (arg == "--stems") read.options.normalizeStems = true;
  else if (arg == "--no-cue") read.options.cueNotes = false;
  else return false;
  return true;
}

std::optional<TransposeArguments> readArguments(const std::vector<std::string>& arguments) {
  TransposeArguments read;
  read.options = batchOptions();
  std::vector<std::string> files;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i].rfind("--", 0) == 0) {
      if (!readOption(arguments, i, read)) return std::nullopt;
    } else {
      files.push_back(arguments[i]);
    }
  }
  if (files.size() != 1 || !read.amountGiven || !read.stavesGiven) return std::nullopt;
  read.page = files[0];
  if (read.out.empty()) read.out = read.page;
  return read;
}

}  // namespace

TransposeVerbResult transposeVerb(const std::vector<std::string>& arguments, ts::EngineSession& session,
                                  const std::function<bool(const std::string&)>& openPage) {
  TransposeVerbResult result;
  const std::optional<TransposeArguments> read = readArguments(arguments);
  if (!read) return {kUsageError, {}};
  if (!openPage(read->page)) return {kNotDone, {}};
  // A refused transposition leaves the page on disk as it was.
  if (!session.engine().transposeStaves(read->range, read->options, result.messages))
    return {kNotDone, std::move(result.messages)};
  const ts::CallResult saved = session.savePage(read->out);
  if (!saved.message.empty()) result.messages.push_back(saved.message);
  result.status = saved.failed ? kNotDone : kDone;
  return result;
}

}  // namespace tsm
