#include "engine/print_command.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>

#include "engine/command_line.h"
#include "engine/engine_host.h"
#include "engine/long_work.h"
#include "engine/print_messages.h"
#include "engine/print_option_list.h"
#include "model/host_files.h"
#include "model/page_file.h"
#include "model/page_store.h"
#include "model/print_queue.h"
#include "output/font_setup.h"
#include "output/postscript_writer.h"

namespace ts {
namespace {

namespace msg = print_messages;
namespace fs = std::filesystem;

constexpr size_t kMostBatchPages = 1000;            // entries of "PRINT.SCR" read
constexpr uintmax_t kLargestFile = 16 << 20;  // bytes of a batch list, page or picture read

std::optional<std::vector<uint8_t>> readFile(const fs::path& path) { return readFileBytes(path, kLargestFile); }

std::vector<std::string> batchEntries(std::span<const uint8_t> bytes, bool reverse) {
  std::vector<std::string> entries;
  std::string line;
  const auto take = [&] {
    const std::string entry = trimmed(line);
    if (!entry.empty() && entries.size() < kMostBatchPages) entries.push_back(entry);
    line.clear();
  };
  for (const uint8_t byte : bytes) {
    if (byte == '\n' || byte == '\r') take();
    else line += static_cast<char>(byte);
  }
  take();
  if (reverse) std::reverse(entries.begin(), entries.end());
  return entries;
}

std::string localTime(std::time_t when, const char* format) {
  std::tm parts{};
  localtime_r(&when, &parts);
  char text[64];
  return std::strftime(text, sizeof text, format, &parts) > 0 ? text : "";
}

// The folder and file date of the page as the host finds it.
std::pair<std::string, std::string> pageFileFacts(const HostFiles& files, std::string_view name) {
  const std::optional<fs::path> path = files.findExisting(name);
  if (!path) return {};
  std::error_code error;
  const auto written = fs::last_write_time(*path, error);
  if (error) return {path->parent_path().string(), ""};
  const auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(fs::file_time_type::clock::to_sys(written));
  return {path->parent_path().string(), localTime(std::chrono::system_clock::to_time_t(system), "%Y-%m-%d")};
}

bool wantsList(const CommandLine& line, const PrintOptions& options) {
  return line.mnemonic != "PRPS" && (!options.freeze || !line.numbers.empty() || !line.rest.empty());
}

}  // namespace

PrintedDocument printDocument(const PrintPage& page, const PrintOptions& options, const PrintDrawing& draw,
                              const PictureReader& pictures, const std::string& fontSetup, const std::string& project,
                              const std::string& fileDate) {
  PostScriptWriter writer;
  writer.setPictures(pictures, options.mirror);
  PrintedDocument done;
  done.warnings = draw(page.page, page.unit, writer);
  for (const std::string& name : writer.missingPictures()) {
    done.warnings.push_back(std::string(msg::kFileNotFound) + " " + name);
  }
  for (const std::string& name : writer.picturesWithoutBox()) {
    done.warnings.push_back(std::string(msg::kNoBoundingBox) + " " + name);
  }
  done.picturesLeftOut = !writer.missingPictures().empty() || !writer.picturesWithoutBox().empty();
  PrintedPage facts;
  facts.title = std::string(page.name);
  facts.fontInit = fontSetup;
  facts.header = {std::string(page.name), project, fileDate, localTime(std::time(nullptr), "%H:%M"),
                  printDataText(options)};
  done.text = writer.document(options, facts);
  return done;
}

std::string batchOutputName(std::string_view pageName, OutputKind kind) {
  const size_t dot = pageName.rfind('.');
  const size_t slash = pageName.find_last_of("/\\");
  const bool hasExtension = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
  return std::string(pageName.substr(0, hasExtension ? dot : pageName.size())) +
         (kind == OutputKind::Eps ? ".EPS" : ".PS");
}

PrintCommand::PrintCommand(EngineHost& host, const HostFiles& files, fs::path bundledFontFolder, int& waitLevel)
    : m_host(host), m_files(files), m_bundledFontFolder(std::move(bundledFontFolder)), m_waitLevel(waitLevel) {}

PictureReader PrintCommand::pictureReader() const {
  // A picture placed many times is read once a print.
  auto read = std::make_shared<std::map<std::string, std::optional<std::string>, std::less<>>>();
  return [files = &m_files, read](std::string_view name) -> std::optional<std::string> {
    if (const auto known = read->find(name); known != read->end()) return known->second;
    const std::optional<fs::path> path = files->findExisting(name);
    const std::optional<std::vector<uint8_t>> bytes = path ? readFile(*path) : std::nullopt;
    return (*read)[std::string(name)] =
               bytes ? std::optional<std::string>(std::in_place, bytes->begin(), bytes->end()) : std::nullopt;
  };
}

const std::string& PrintCommand::fontSetup() {
  if (!m_fontSetupSought) {
    m_fontSetupSought = true;
    m_fontSetup = findFontSetup(m_files, m_bundledFontFolder);
  }
  return m_fontSetup;
}

PrintReply PrintCommand::run(const CommandLine& line, const PrintPage& page, const PrintDrawing& draw) {
  PrintOptions options = m_options;
  options.paper = page.paper;
  options.customWidth = page.customWidth;
  options.customHeight = page.customHeight;
  if (line.mnemonic == "PRPS") options.kind = OutputKind::Eps;
  if (wantsList(line, options)) {
    const std::optional<PrintOptions> chosen = askPrintOptions(m_host, options, m_waitLevel);
    if (!chosen) return {msg::kCancelled, false};
    options = *chosen;
    m_options = options;
  }
  if (options.batch) return batch(options, draw);
  const std::string output = options.kind == OutputKind::Eps ? options.epsName : options.netName;
  return printPage(page, options, draw, output);
}

PrintReply PrintCommand::printPage(const PrintPage& page, const PrintOptions& options, const PrintDrawing& draw,
                                   const std::string& outputName) {
  const auto [project, fileDate] = pageFileFacts(m_files, page.name);
  const PrintedDocument document = printDocument(page, options, draw, pictureReader(), fontSetup(), project, fileDate);
  for (const std::string& warning : document.warnings) m_host.showMessage(warning);
  PrintReply reply = deliver(document.text, options, page.name, outputName);
  // The page went out without a picture it places: a script must hear of it.
  reply.failed = reply.failed || document.picturesLeftOut;
  return reply;
}

PrintReply PrintCommand::deliver(const std::string& document, const PrintOptions& options, std::string_view title,
                                 const std::string& outputName) {
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(document.data()), document.size());
  if (options.kind == OutputKind::Printer) {
    if (!m_queue) return {msg::kNoPrinter, true};
    const PrintQueueResult result = m_queue->submit(bytes, title);
    if (!result.sent) return {result.message, true};
    return {std::string(msg::kSentToPrinter) + " " + result.message, false};
  }
  const WriteResult written = m_files.writeWhole(outputName, bytes);
  if (written != WriteResult::Written) return {writeErrorMessage(outputName, written), true};
  return {std::string(options.kind == OutputKind::Eps ? msg::kEpsWritten : msg::kNetWritten) + " " + outputName, false};
}

PrintReply PrintCommand::batch(const PrintOptions& options, const PrintDrawing& draw) {
  const std::optional<fs::path> listPath = m_files.findExisting(msg::kBatchList);
  const std::optional<std::vector<uint8_t>> list = listPath ? readFile(*listPath) : std::nullopt;
  if (!list) return {std::string(msg::kFileNotFound) + " " + msg::kBatchList, true};
  bool failed = false;
  auto page = std::make_unique<PageStore>();
  const std::vector<std::string> entries = batchEntries(*list, options.reverse);
  for (size_t done = 0; done < entries.size(); ++done) {
    const std::string& name = entries[done];
    if (!goOnWithWork(&m_host, done, entries.size(), name)) return {long_work_messages::kBatchCancelled, true};
    const std::optional<fs::path> path = m_files.findExisting(name);
    const std::optional<std::vector<uint8_t>> bytes = path ? readFile(*path) : std::nullopt;
    const PageReadResult read = bytes ? readPageFile(*bytes, isBackupFileName(name), *page) : PageReadResult{};
    if (!bytes || read.status != PageReadStatus::Ok) {
      m_host.showMessage(std::string(msg::kFileNotFound) + " " + name);
      failed = true;
      continue;
    }
    m_host.showMessage(std::string(msg::kBatchPrinting) + " " + name);
    const PrintPage batchPage{*page, name, read.hasUnit ? read.unit : 0.0f, options.paper, options.customWidth,
                              options.customHeight};
    const PrintReply reply = printPage(batchPage, options, draw, batchOutputName(name, options.kind));
    if (!reply.message.empty()) m_host.showMessage(reply.message);
    failed = failed || reply.failed;
  }
  return {msg::kLeavingBatch, failed};
}

}  // namespace ts
