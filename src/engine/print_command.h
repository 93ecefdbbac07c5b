#pragma once
// The print command, a component of the engine: "PR" shows the print
// option list and prints the page (or, with BATCH, the pages listed in
// "PRINT.SCR") as PostScript to the print queue, to a file for a network
// printer or to an EPS file; "PRPS" writes the EPS file at once. The page
// is drawn by the engine's own drawing with the print target, into the
// PostScript writer.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/postscript_writer.h"
#include "output/print_options.h"

namespace ts {

class EngineHost;
class HostFiles;
class PageStore;
class PathSink;
class PrintQueue;
struct CommandLine;

// The page in the engine's hands.
struct PrintPage {
  const PageStore& page;
  std::string_view name;
  float unit = 0.0f;  // 0 inches, 1 metric
  PaperSize paper = PaperSize::Letter;
  float customWidth = 9.0f;
  float customHeight = 12.0f;
};

// Draws a page for print into the sink; returns what the drawing said.
using PrintDrawing = std::function<std::vector<std::string>(const PageStore&, float unit, PathSink&)>;

struct PrintReply {
  std::string message;
  bool failed = false;
};

class PrintCommand {
 public:
  // `bundledFontFolder` holds the font set-up that came with the program.
  PrintCommand(EngineHost& host, const HostFiles& files, std::filesystem::path bundledFontFolder, int& waitLevel);

  void setQueue(const PrintQueue* queue) { m_queue = queue; }
  // The network printer the preferences name: the NET output's file.
  void setNetworkName(const std::string& name) { m_options.netName = name; }
  const PrintOptions& options() const { return m_options; }
  PrintReply run(const CommandLine& line, const PrintPage& page, const PrintDrawing& draw);
  // Reads the files of included pictures through the host's files.
  PictureReader pictureReader() const;
  // The printer's font set-up, sought once; empty when none was found.
  const std::string& fontSetup();
  // The font library that came with the program.
  const std::filesystem::path& bundledFontFolder() const { return m_bundledFontFolder; }

 private:
  PrintReply printPage(const PrintPage& page, const PrintOptions& options, const PrintDrawing& draw,
                       const std::string& outputName);
  PrintReply deliver(const std::string& document, const PrintOptions& options, std::string_view title,
                     const std::string& outputName);
  PrintReply batch(const PrintOptions& options, const PrintDrawing& draw);

  EngineHost& m_host;
  const HostFiles& m_files;
  std::filesystem::path m_bundledFontFolder;
  int& m_waitLevel;
  const PrintQueue* m_queue = nullptr;
  PrintOptions m_options;
  std::string m_fontSetup;
  bool m_fontSetupSought = false;
};

// The PostScript of one page drawn for these options: the drawing goes
// into a writer, which then makes the whole file.
struct PrintedDocument {
  std::string text;
  std::vector<std::string> warnings;
  bool picturesLeftOut = false;  // an included picture could not be placed
};
PrintedDocument printDocument(const PrintPage& page, const PrintOptions& options, const PrintDrawing& draw,
                              const PictureReader& pictures, const std::string& fontSetup, const std::string& project,
                              const std::string& fileDate);

// The file a batch page goes to: the page's name with ".EPS" or ".PS".
std::string batchOutputName(std::string_view pageName, OutputKind kind);

}  // namespace ts
