// The drawing editor and its files: getting, saving and deleting library
// drawings, and the work drawing kept as text ("DRW.TMP").

#include <fstream>

#include "draw/draw_messages.h"
#include "draw/symbol_library.h"
#include "draw/work_drawing_file.h"
#include "engine/command_line.h"
#include "engine/draw_mode.h"
#include "engine/draw_mode_messages.h"
#include "engine/engine_host.h"
#include "model/host_files.h"
#include "model/item_codes.h"
#include "model/page_file.h"

namespace ts {
namespace {

namespace text = draw_mode_messages;

struct NumberAndName {
  std::optional<int> number;
  std::string name;
};

// "5001 Coda sign": the number, then the name as typed.
NumberAndName splitNumberAndName(std::string_view answer) {
  const CommandLine line = splitCommandLine(answer);
  NumberAndName result;
  const std::optional<double> number = parseNumber(line.word);
  if (!number) return result;
  result.number = truncToInt(*number);
  result.name = line.rest.substr(0, kDrawingNameLength);
  return result;
}

bool numberInRange(int number) { return number >= 0 && number <= kDrawingMaxNumber; }

std::optional<std::string> readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kWorkDrawingMaxBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

}  // namespace

std::optional<int> DrawMode::askNumber(const CommandLine& line) {
  if (!line.numbers.empty()) return truncToInt(line.numbers.front());
  const std::optional<std::string> answer = ask(text::kNumberPrompt);
  if (!answer) return std::nullopt;
  return splitNumberAndName(*answer).number;
}

DrawModeReply DrawMode::getDrawing(const CommandLine& line) {
  const std::optional<int> number = askNumber(line);
  if (!number) return {text::kNoNumber, true};
  return getNumber(*number);
}

DrawModeReply DrawMode::getNeighbour(const CommandLine& line) {
  if (m_number < 0) return getDrawing(line);
  return getNumber(m_number + (line.word == "GN" ? 1 : -1));
}

DrawModeReply DrawMode::getNumber(int number) {
  if (!numberInRange(number)) return {text::kBadNumber, true};
  if (m_unsaved && !confirm(text::kNotSavedReplace)) return countMessage();
  const LibraryDrawing& found = m_library.find(number);
  if (found.status != DrawingLookup::Found) return {libraryDrawingMessage(number, found.status), true};
  replacePoints(found.points, true);
  m_number = number;
  m_name = found.name;
  return countMessage();
}

bool DrawMode::permanentNumberAllowed(int number) {
  return number >= kFirstUserDrawing || confirm(text::kPermanentNumbers);
}

DrawModeReply DrawMode::save(const CommandLine&) {
  if (m_points.empty()) return {text::kNothingToSave};
  const std::optional<std::string> answer = ask(text::kNumberAndName);
  if (!answer) return countMessage();
  const NumberAndName typed = splitNumberAndName(*answer);
  if (!typed.number) return {text::kNoNumber, true};
  const int number = *typed.number;
  if (!numberInRange(number)) return {text::kBadNumber, true};
  if (!permanentNumberAllowed(number)) return countMessage();
  const std::string name = typed.name.empty() ? m_name : typed.name;
  const LibraryWriteStatus status = m_library.replaceDrawing(number, m_points, name);
  if (status != LibraryWriteStatus::Written) return {text::libraryWriteMessage(status, number), true};
  m_unsaved = false;
  m_number = number;
  m_name = name;
  return {text::kSaved};
}

DrawModeReply DrawMode::deleteDrawing(const CommandLine& line) {
  const std::optional<int> number = askNumber(line);
  if (!number) return {text::kNoNumber, true};
  if (!numberInRange(*number)) return {text::kBadNumber, true};
  const DrawingLookup found = m_library.find(*number).status;
  if (found == DrawingLookup::DamagedFile) {
    return {text::libraryWriteMessage(LibraryWriteStatus::Damaged, *number), true};
  }
  if (found != DrawingLookup::Found) return {libraryDrawingMessage(*number, found), true};
  if (!permanentNumberAllowed(*number) || !confirm(text::kDeleteQuestion)) return countMessage();
  const LibraryWriteStatus status = m_library.replaceDrawing(*number, {}, "");
  if (status != LibraryWriteStatus::Written) return {text::libraryWriteMessage(status, *number), true};
  return {text::kDeleted};
}

DrawModeReply DrawMode::writeWork(const CommandLine&) {
  const std::optional<std::string> answer = ask(text::kOutputFile);
  if (!answer) return countMessage();
  const std::string typed = trimmed(*answer);
  const std::string name = typed.empty() ? kWorkDrawingName : typed;
  const std::string content = encodeWorkDrawing({m_name, m_points});
  const std::span bytes(reinterpret_cast<const uint8_t*>(content.data()), content.size());
  const WriteResult result = m_files.writeWhole(name, bytes);
  if (result != WriteResult::Written) return {writeErrorMessage(name, result), true};
  return {text::workDrawingWritten(name)};
}

DrawModeReply DrawMode::readWork(const CommandLine&) {
  const std::optional<std::string> answer = ask(text::kInputFile);
  if (!answer) return countMessage();
  const std::string typed = trimmed(*answer);
  const std::string name = typed.empty() ? kWorkDrawingName : typed;
  const std::optional<std::filesystem::path> path = m_files.findExisting(name);
  std::error_code error;
  const bool readable = path && std::filesystem::is_regular_file(*path, error);
  const std::optional<std::string> content = readable ? readText(*path) : std::nullopt;
  if (!content) return {std::string(page_file_messages::kNotFound) + " " + name, true};
  WorkDrawing drawing;
  const WorkDrawingRead read = decodeWorkDrawing(*content, drawing);
  if (read.status != WorkDrawingStatus::Ok) return {text::workDrawingReadMessage(read, name), true};
  if (m_unsaved && !confirm(text::kNotSavedReplace)) return countMessage();
  replacePoints(std::move(drawing.points), true);
  m_number = -1;
  m_name = drawing.name;
  return countMessage();
}

}  // namespace ts
