// The transpose commands. Every word asks for its range the same way; the
// word then decides the amount (typed on the tool bar, asked in the setup
// or chosen among the instrument keys), and the staves are transposed, then
// justified again between 0 and 200 as "J" justifies them.

#include "engine/transpose_command.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "engine/command_line.h"
#include "engine/engine_host.h"
#include "layout/justification.h"
#include "layout/justification_edges.h"
#include "model/page_store.h"

namespace ts {
namespace {

namespace msg = transpose_messages;

constexpr int kEnharmonicStep = 1;  // "ENH+1" and "ENH-1"

bool hasNumber(const CommandLine& line) { return !line.numbers.empty() && std::isfinite(line.numbers.front()); }

std::string upperTrimmed(const std::string& text) { return toUpper(trimmed(text)); }

std::string yesNo(bool yes) { return yes ? "Y" : "N"; }

std::vector<DialogField> setupFields(int amount, const TransposeOptions& last) {
  const size_t clef = static_cast<size_t>(static_cast<int>(last.clef) + 1);
  return {{msg::kAmountLabel, std::to_string(amount)},
          {msg::kClefLabel, kClefChoiceNames[clef]},
          {msg::kKeyLabel, yesNo(last.addKeySignature)},
          {msg::kStemsLabel, yesNo(last.normalizeStems)},
          {msg::kCueLabel, yesNo(last.cueNotes)}};
}

// Justifies the staves transposed again between 0 and 200, as "J" does,
// one system at a time: a staff justified alone would leave the notes of
// the other staves of its system out of line, and staves of several
// systems justified as one would take each other's columns.
void justifyAgain(const std::vector<int>& staves, TransposeContext& context, TransposeReply& reply) {
  for (const std::vector<int>& system : systemsOfStaves(context.page, staves)) {
    const JustifyRange range{system.front(), system.back(), 0.0f, kNormalRightEdge};
    prepareForJustification(context.page, range);
    JustifyOutcome justified = justifyStaves(context.page, range, context.preferences);
    finishJustification(context.page, range);
    for (std::string& message : justified.messages) reply.boxes.push_back(std::move(message));
  }
}

}  // namespace

std::optional<int> amountOfAnswer(const std::string& answer) {
  const std::optional<double> value = parseNumber(trimmed(answer));
  if (!value || *value != std::trunc(*value) || std::fabs(*value) > kEnharmonicUp) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<bool> yesOfAnswer(const std::string& answer) {
  const std::string upper = upperTrimmed(answer);
  if (upper == "Y" || upper == "YES") return true;
  if (upper == "N" || upper == "NO") return false;
  return std::nullopt;
}

std::optional<ClefChoice> clefOfAnswer(const std::string& answer) {
  const std::string upper = upperTrimmed(answer);
  if (upper.empty()) return std::nullopt;
  int value = static_cast<int>(ClefChoice::None);
  for (const char* name : kClefChoiceNames) {
    const std::string choice = toUpper(name);
    if (upper == choice || upper == choice.substr(0, 1)) return static_cast<ClefChoice>(value);
    ++value;
  }
  return std::nullopt;
}

TransposeRange rangeOfArea(const GroupArea& area) {
  const float right = area.right == 0.0f ? kNormalRightEdge : area.right;
  const int upper = std::max(area.lowerStaff, area.upperStaff);
  return {area.lowerStaff, upper, std::min(area.left, right), std::max(area.left, right)};
}

bool TransposeCommand::isTransposeWord(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  if (m == "TR" || line.word == "TRI") return true;
  if (m == "TRM" || m == "TRP") return hasNumber(line);
  return m == "ENH" && hasNumber(line) && std::fabs(line.numbers.front()) == kEnharmonicStep;
}

std::vector<double> TransposeCommand::begin(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  std::vector<double> area = line.numbers;
  m_asks = Asks::Nothing;
  if (m == "TR") {
    m_asks = Asks::Setup;
    m_amount = m_last.halfSteps;
  }
  if (line.word == "TRI") m_asks = Asks::Instrument;
  if (m == "TRM" || m == "TRP" || m == "ENH") {
    const double number = std::clamp(line.numbers.front(), -1000.0, 1000.0);
    const int amount = static_cast<int>(m == "TRM" ? -number : number);
    m_amount = m == "ENH" ? (amount > 0 ? kEnharmonicUp : kEnharmonicDown) : amount;
    if (m == "TRM" && m_amount == 0) m_asks = Asks::Setup;  // "Clef change"
    area.erase(area.begin());
  }
  return area;
}

std::optional<TransposeOptions> TransposeCommand::askSetup(TransposeContext& context, TransposeReply& reply) {
  ++context.waitLevel;
  const std::optional<std::vector<std::string>> answers =
      context.host.askFields(msg::kSetupTitle, setupFields(m_amount, m_last));
  --context.waitLevel;
  if (!answers || answers->size() < 5) return std::nullopt;  // cancelled: nothing changes
  const auto& a = *answers;
  const std::optional<int> amount = amountOfAnswer(a[0]);
  const std::optional<ClefChoice> clef = clefOfAnswer(a[1]);
  const std::optional<bool> key = yesOfAnswer(a[2]), stems = yesOfAnswer(a[3]), cue = yesOfAnswer(a[4]);
  if (!amount) reply.message = msg::kNotAmount + a[0];
  else if (!clef) reply.message = msg::kNotClef + a[1];
  else if (!key || !stems || !cue) reply.message = std::string(msg::kNotYesNo) + (!key ? a[2] : !stems ? a[3] : a[4]);
  if (!reply.message.empty()) {
    reply.failed = true;
    return std::nullopt;
  }
  m_last = {*amount, *clef, *key, *stems, *cue};
  return m_last;
}

std::optional<TransposeOptions> TransposeCommand::askInstrument(TransposeContext& context) {
  std::vector<std::string> labels;
  for (const InstrumentKey& key : kInstrumentKeys) labels.emplace_back(key.label);
  ++context.waitLevel;
  const std::optional<int> chosen = context.host.askChoice(msg::kInstrumentTitle, labels);
  --context.waitLevel;
  if (!chosen || *chosen < 1 || *chosen > static_cast<int>(labels.size())) return std::nullopt;
  TransposeOptions options = m_last;
  options.halfSteps = kInstrumentKeys[static_cast<size_t>(*chosen - 1)].halfSteps;
  return options;
}

TransposeReply TransposeCommand::run(const GroupArea& area, TransposeContext& context) {
  TransposeReply reply;
  std::optional<TransposeOptions> options;
  if (m_asks == Asks::Setup) options = askSetup(context, reply);
  if (m_asks == Asks::Instrument) options = askInstrument(context);
  if (m_asks == Asks::Nothing) {
    options = m_last;
    options->halfSteps = m_amount;
  }
  if (!options) return reply;
  return transpose(rangeOfArea(area), *options, context);
}

TransposeReply TransposeCommand::transpose(const TransposeRange& range, const TransposeOptions& options,
                                           TransposeContext& context) {
  TransposeReply reply;
  // Worked on a copy, so that a refusal found part way leaves the page and
  // the undo copy as they were.
  PageStore changed = context.page;
  const TransposeOutcome outcome = transposeRange(changed, range, options);
  if (!outcome.refusal.empty()) {
    reply.message = outcome.refusal;
    reply.failed = true;
    return reply;
  }
  if (!outcome.changed) return reply;
  context.saveUndo();
  context.page = std::move(changed);
  reply.boxes = outcome.messages;
  justifyAgain(outcome.staves, context, reply);
  reply.changed = true;
  return reply;
}

}  // namespace ts
