#include "interchange/musicxml_reader.h"

#include <cstring>
#include <pugixml.hpp>

#include "interchange/interchange_messages.h"
#include "interchange/measure_reader.h"

namespace ts::interchange {
namespace {

constexpr long kMaxElements = 2'000'000;
constexpr size_t kMaxParts = 64;
constexpr size_t kMaxMeasures = 5000;
constexpr long kMaxNotes = 200'000;

// Document-type declarations are skipped, never read: custom entities stay
// unexpanded text, which is what keeps "billion laughs" files harmless.
constexpr unsigned kParseOptions = pugi::parse_default & ~pugi::parse_doctype;

// Counts elements without recursion, so deep nesting cannot exhaust the stack.
bool withinElementCap(const pugi::xml_node& root) {
  long count = 0;
  pugi::xml_node node = root.first_child();
  while (node) {
    if (node.type() == pugi::node_element && ++count > kMaxElements) return false;
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling() && node != root) node = node.parent();
    if (!node || node == root) break;
    node = node.next_sibling();
  }
  return true;
}

std::string partName(const pugi::xml_node& partList, const char* id) {
  for (const pugi::xml_node& part : partList.children("score-part"))
    if (std::strcmp(part.attribute("id").as_string(), id) == 0) return part.child_value("part-name");
  return {};
}

void readHeader(const pugi::xml_node& root, Score& score) {
  score.title = root.child("work").child_value("work-title");
  if (score.title.empty()) score.title = root.child_value("movement-title");
  for (const pugi::xml_node& creator : root.child("identification").children("creator"))
    if (std::strcmp(creator.attribute("type").as_string(), "composer") == 0) score.composer = creator.child_value();
  if (score.title.size() > 80) score.title.resize(80);
  if (score.composer.size() > 80) score.composer.resize(80);
}

bool readPart(const pugi::xml_node& element, const pugi::xml_node& partList, long& notesLeft, Part& part,
              std::string& error, UnmappedLog& unmapped) {
  part.id = element.attribute("id").as_string();
  part.name = partName(partList, part.id.c_str());
  PartState state;
  state.notesLeft = notesLeft;
  MeasureReader reader(state, unmapped);
  for (const pugi::xml_node& measure : element.children("measure")) {
    if (part.measures.size() >= kMaxMeasures) {
      error = messages::kTooManyMeasures;
      return false;
    }
    if (!reader.read(measure, part.measures.emplace_back(), error)) return false;
    part.staves = std::max(part.staves, state.staves);
  }
  notesLeft = state.notesLeft;
  return true;
}

std::string parseError(const pugi::xml_parse_result& parsed) {
  return std::string(messages::kNotXml) + parsed.description() + messages::kAtByte + std::to_string(parsed.offset);
}

}  // namespace

ReadOutcome readMusicXml(std::string_view text, UnmappedLog& unmapped) {
  if (text.size() > kMaxFileBytes) return {std::nullopt, messages::kTooLarge};
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size(), kParseOptions);
  if (!parsed) return {std::nullopt, parseError(parsed)};
  if (!withinElementCap(document)) return {std::nullopt, messages::kTooManyElements};
  if (document.child("score-timewise")) return {std::nullopt, messages::kTimewise};
  const pugi::xml_node root = document.child("score-partwise");
  if (!root) return {std::nullopt, messages::kNotPartwise};
  Score score;
  readHeader(root, score);
  long notesLeft = kMaxNotes;
  std::string error;
  for (const pugi::xml_node& element : root.children("part")) {
    if (score.parts.size() >= kMaxParts) return {std::nullopt, messages::kTooManyParts};
    if (!readPart(element, root.child("part-list"), notesLeft, score.parts.emplace_back(), error, unmapped))
      return {std::nullopt, error};
  }
  if (score.parts.empty()) return {std::nullopt, messages::kNoParts};
  return {std::move(score), {}};
}

}  // namespace ts::interchange
