// tsm: the batch driver of the Tonesmith engine.
//
//   tsm [--root DIR] items PAGE   print the items of a page file
//   tsm [--root DIR] exec [PAGE]  run user actions from standard input
//   tsm [--root DIR] dlist PAGE   print the display list and text list of a page
//   tsm [--root DIR] export PAGE OUT.png|OUT.svg [--zoom Z] [--dpi D] [--fit]
//   tsm [--root DIR] export PAGE OUT.ps|OUT.eps|OUT.pdf [print flags]
//   tsm [--root DIR] export PAGE... OUT.pdf [print flags]  (one PDF, a sheet a page)
//   tsm [--root DIR] midi PAGE OUT.mid [--tempo N] [--track CH:INSTR:AMPL:TRANSP:STAFF,...]...
//   tsm [--root DIR] export PAGE OUT.wav [--tempo N] [--track ...]... [--soundfont FILE]
//   tsm [--root DIR] input PAGE FILE --staff N [--range L R] [--out OUT.mus]
//   tsm [--root DIR] layout PAGE --bars LIST [--out DIR]
//   tsm [--root DIR] transpose PAGE --staves A B --by AMOUNT [--out OUT.mus] [options]
//
// Exit status: 0 when the work was done; 1 when it could not be: the page
// could not be read (items, dlist and export then print or write nothing),
// the picture could not be written, or an action of an exec script failed
// (a page or work file not read or written, a file name not given, a
// command the engine does not know or cannot do yet, an action line tsm
// cannot read; the script still runs to its end); 2 for a usage error.

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "draw/display_figures.h"
#include "draw/text_list.h"
#include "input_verb.h"
#include "layout_verb.h"
#include "midi_export.h"
#include "musicxml_verbs.h"
#include "page_export.h"
#include "platform/drive_map.h"
#include "platform/lp_print_queue.h"
#include "print_export.h"
#include "transpose_verb.h"
#include "tsm_host.h"
#include "wav_export.h"

namespace {

constexpr int kDone = 0;
constexpr int kNotDone = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "usage: tsm [--root DIR] items PAGE\n"
    "       tsm [--root DIR] exec [PAGE]   (actions on standard input)\n"
    "       tsm [--root DIR] dlist PAGE\n"
    "       tsm [--root DIR] export PAGE OUT.png|OUT.svg [--zoom Z] [--dpi D] [--fit]\n"
    "       tsm [--root DIR] export PAGE OUT.ps|OUT.eps|OUT.pdf [--size S] [--paper NAME] [--offsets X,Y]\n"
    "       tsm [--root DIR] export PAGE... OUT.pdf [print flags]   (several pages: one PDF, a sheet each)\n"
    "           [--resolution R] [--line-width L] [--rotate] [--mirror] [--header none|header|footer|both]\n"
    "           [--copies N] [--manual-feed] [--snap]\n"
    "       tsm [--root DIR] midi PAGE OUT.mid [--tempo N] [--track CH:INSTR:AMPL:TRANSP:STAFF,STAFF...]...\n"
    "       tsm [--root DIR] export PAGE OUT.wav [--tempo N] [--track ...]... [--soundfont FILE]\n"
    "       tsm [--root DIR] input PAGE FILE --staff N [--range L R] [--out OUT.mus]\n"
    "       tsm [--root DIR] layout PAGE --bars LIST [--out DIR]   (pages PAGE1.PAG, PAGE2.PAG, ...)\n"
    "       tsm [--root DIR] transpose PAGE --staves A B --by +2|-3|+M2|-P5|enh+|enh- [--range L R]\n"
    "           [--clef treble|bass|alto|tenor] [--add-key] [--stems] [--no-cue] [--out OUT.mus]\n"
    "       tsm [--root DIR] import SCORE.musicxml|SCORE.mxl OUT   (pages OUT1.MUS, OUT2.MUS, ...)\n"
    "       tsm [--root DIR] export PAGE... OUT.musicxml\n";

// The symbol library that comes with the program lies beside its bin folder.
std::filesystem::path bundledLibrary(const char* argv0) {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) program = std::filesystem::absolute(argv0, error);
  return program.parent_path().parent_path() / "cantlib";
}

std::filesystem::path g_library;

struct Options {
  std::string root;
  std::string verb;
  std::vector<std::string> arguments;
};

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--root") {
      if (++i >= argc) return false;
      options.root = argv[i];
    } else if ((arg == "--zoom" || arg == "--dpi") && !options.verb.empty()) {
      if (++i >= argc) return false;
      options.arguments.push_back(arg);
      options.arguments.push_back(argv[i]);
    } else if (arg.rfind("--root=", 0) == 0) {
      options.root = arg.substr(7);
    } else if (options.verb.empty()) {
      options.verb = arg;
    } else {
      options.arguments.push_back(arg);
    }
  }
  return !options.verb.empty();
}

void printItems(const ts::PageStore& page) {
  for (int k = 1; k <= page.itemCount(); ++k) {
    std::string line = std::to_string(k) + ":";
    const int params = page.paramCount(k);
    for (int i = 1; i <= params; ++i) line += " " + ts::formatParameter(page.param(k, i));
    if (page.code(k) == ts::kCodeText) line += " \"" + page.text(k) + "\"";
    std::cout << line << '\n';
  }
}

// Opens the page a verb works on, saying what the engine said; false when
// the page could not be read.
bool openForVerb(ts::EngineSession& session, tsm::ScriptHost& host, const std::string& page) {
  const ts::CallResult result = session.openPage(page);
  if (!result.message.empty()) host.print(result.message);
  return !result.failed;
}

int itemsVerb(const Options& options, ts::DriveMap& drives) {
  if (options.arguments.size() != 1) {
    std::cerr << kUsage;
    return kUsageError;
  }
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  ts::EngineSession session(engine);
  if (!openForVerb(session, host, options.arguments[0])) return kNotDone;
  printItems(engine.page());
  return kDone;
}

// Runs one script line; false when it could not be done.
bool runAction(const std::string& line, ts::EngineSession& session, tsm::ScriptHost& host) {
  host.startCall();
  ts::CallResult result;
  const auto argument = [&](size_t skip) { return line.size() > skip ? line.substr(skip) : std::string(); };
  if (line.rfind("!cmd ", 0) == 0) {
    result = session.sendCommand(argument(5));
  } else if (line.rfind("!open ", 0) == 0) {
    result = session.openPage(argument(6));
  } else if (line.rfind("!save ", 0) == 0) {
    result = session.savePage(argument(6));
  } else if (line == "!midi-keyboard") {
    host.setMidiKeyboard(true);
    return true;
  } else if (line.rfind("!", 0) == 0) {
    const std::optional<ts::UserEvent> event = tsm::ScriptHost::parseAction(line);
    if (!event) {
      std::cerr << "tsm: cannot read the action: " << line << '\n';
      return false;
    }
    switch (event->kind) {
      case ts::UserEvent::Kind::Click: result = session.click(event->x, event->y); break;
      case ts::UserEvent::Kind::Box: result = session.box(event->x, event->y, event->x2, event->y2); break;
      case ts::UserEvent::Kind::Key: result = session.pressKey(event->key); break;
      default: return true;
    }
  } else {
    result = session.typeLine(line);
  }
  if (!result.message.empty()) host.print(result.message);
  return !result.failed;
}

int execVerb(const Options& options, ts::DriveMap& drives) {
  if (options.arguments.size() > 1) {
    std::cerr << kUsage;
    return kUsageError;
  }
  tsm::ScriptHost host([] { return tsm::nextScriptLine(std::cin); }, std::cout);
  ts::Engine engine(host, drives, g_library);
  engine.loadPreferences(true);
  const ts::LpPrintQueue printQueue;
  engine.setPrintQueue(&printQueue);
  ts::EngineSession session(engine);
  // A failure does not stop the script: the user sees every message, and
  // the exit status tells that something went wrong.
  bool allDone = options.arguments.empty() || runAction("!open " + options.arguments[0], session, host);
  while (const std::optional<std::string> line = tsm::nextScriptLine(std::cin)) {
    if (line->empty()) continue;
    allDone = runAction(*line, session, host) && allDone;
  }
  return allDone ? kDone : kNotDone;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

void printDisplayList(const ts::EngineSession& session) {
  const std::vector<int32_t>& words = session.displayList();
  for (int32_t i = 0; i + 2 < session.displayUsed(); i += 3) {
    std::cout << words[i] << ' ' << words[i + 1] << ' ' << ts::wordPen(words[i + 2]) << ' '
              << ts::wordColour(words[i + 2]) << '\n';
  }
  const std::span<const char> text(session.textList().data(), static_cast<size_t>(session.textUsed()));
  for (const ts::TextBlock& block : ts::readTextList(text)) {
    const ts::TextFont& f = block.font;
    std::cout << "T " << quoted(f.face) << ' ' << ts::formatParameter(f.height) << ' ' << ts::formatParameter(f.width) << ' ' << f.angle
              << ' ' << f.colour << ' ' << f.weight << ' ' << f.italic << ' ' << f.underline << ' '
              << block.strings.size() << '\n';
    for (const ts::TextString& s : block.strings) {
      std::cout << "S " << s.x << ' ' << s.y << ' ' << quoted(s.text) << '\n';
    }
  }
}

int dlistVerb(const Options& options, ts::DriveMap& drives) {
  if (options.arguments.size() != 1) {
    std::cerr << kUsage;
    return kUsageError;
  }
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  engine.loadPreferences(true);
  ts::EngineSession session(engine);
  if (!openForVerb(session, host, options.arguments[0])) return kNotDone;
  printDisplayList(session);
  return kDone;
}

bool readNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && value > 0;
}

int printExportVerb(const Options& options, ts::DriveMap& drives) {
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  engine.loadPreferences(true);
  ts::EngineSession session(engine);
  const auto open = [&](const std::string& page) { return openForVerb(session, host, page); };
  const tsm::PrintExportResult result = tsm::printExport(options.arguments, engine, drives, open);
  if (!result.message.empty()) std::cerr << result.message << '\n';
  if (result.status == kUsageError) std::cerr << kUsage;
  return result.status;
}

int midiVerb(const Options& options, ts::DriveMap& drives) {
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  ts::EngineSession session(engine);
  const auto open = [&](const std::string& page) { return openForVerb(session, host, page) ? &engine.page() : nullptr; };
  const tsm::MidiExportResult result = tsm::midiExport(options.arguments, open);
  for (const std::string& message : result.messages) host.print(message);
  if (result.status == kUsageError) std::cerr << kUsage;
  return result.status;
}

int wavVerb(const Options& options, ts::DriveMap& drives) {
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  ts::EngineSession session(engine);
  const auto open = [&](const std::string& page) { return openForVerb(session, host, page) ? &engine.page() : nullptr; };
  const tsm::MidiExportResult result = tsm::wavExport(options.arguments, open);
  for (const std::string& message : result.messages) host.print(message);
  if (result.status == kUsageError) std::cerr << kUsage;
  return result.status;
}

int inputVerb(const Options& options, ts::DriveMap& drives) {
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  engine.loadPreferences(true);
  ts::EngineSession session(engine);
  const auto open = [&](const std::string& page) { return openForVerb(session, host, page); };
  const tsm::InputVerbResult result = tsm::inputVerb(options.arguments, session, open);
  for (const std::string& message : result.messages) host.print(message);
  if (result.status == kUsageError) std::cerr << kUsage;
  return result.status;
}

int transposeVerb(const Options& options, ts::DriveMap& drives) {
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  engine.loadPreferences(true);
  ts::EngineSession session(engine);
  const auto open = [&](const std::string& page) { return openForVerb(session, host, page); };
  const tsm::TransposeVerbResult result = tsm::transposeVerb(options.arguments, session, open);
  for (const std::string& message : result.messages) host.print(message);
  if (result.status == kUsageError) std::cerr << kUsage;
  return result.status;
}

// MusicXML reads and writes plain files: it needs no engine or drive map.
int musicXmlVerb(int status) {
  if (status == kUsageError) std::cerr << kUsage;
  return status;
}

int exportVerb(const Options& options, ts::DriveMap& drives, int argc, char** argv) {
  std::vector<std::string> files;
  tsm::ExportSettings settings;
  for (size_t i = 0; i < options.arguments.size(); ++i) {
    const std::string& arg = options.arguments[i];
    double value = 0;
    if ((arg == "--zoom" || arg == "--dpi") && i + 1 < options.arguments.size()) {
      if (!readNumber(options.arguments[++i], value)) {
        std::cerr << "tsm: " << arg << " wants a positive number\n";
        return kUsageError;
      }
      if (arg == "--zoom") settings.zoom = static_cast<int>(value);
      else settings.dotsPerInch = value;
    } else if (arg == "--fit") {
      settings.fit = true;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2 || settings.zoom < 1) {
    std::cerr << kUsage;
    return kUsageError;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives, g_library);
  engine.loadPreferences(true);
  ts::EngineSession session(engine);
  // A page that cannot be read exports nothing, rather than a blank picture
  // that looks like a page.
  if (!openForVerb(session, host, files[0])) return kNotDone;
  settings.paper = engine.paper();
  const std::span<const int32_t> words(session.displayList().data(), static_cast<size_t>(session.displayUsed()));
  const std::span<const char> text(session.textList().data(), static_cast<size_t>(session.textUsed()));
  const std::string error = tsm::exportPicture(words, text, files[1], settings);
  if (!error.empty()) {
    std::cerr << "tsm: " << error << '\n';
    return kNotDone;
  }
  return kDone;
}

}  // namespace

int main(int argc, char** argv) {
  g_library = bundledLibrary(argv[0]);
  Options options;
  if (!parseOptions(argc, argv, options)) {
    std::cerr << kUsage;
    return kUsageError;
  }
  ts::DriveMap drives(ts::DriveMap::defaultRoot(options.root));
  drives.mapDrivesFromEnvironment();
  if (options.verb == "items") return itemsVerb(options, drives);
  if (options.verb == "exec") return execVerb(options, drives);
  if (options.verb == "dlist") return dlistVerb(options, drives);
  if (options.verb == "midi") return midiVerb(options, drives);
  if (options.verb == "input") return inputVerb(options, drives);
  if (options.verb == "layout") return tsm::layoutVerb(options.arguments, drives, g_library, std::cout);
  if (options.verb == "transpose") return transposeVerb(options, drives);
  if (options.verb == "import") return musicXmlVerb(tsm::importMusicXml(options.arguments, std::cout, std::cerr));
  if (options.verb == "export" && tsm::isMusicXmlExport(options.arguments)) return musicXmlVerb(tsm::exportMusicXml(options.arguments, std::cout, std::cerr));
  if (options.verb == "export" && tsm::isWavExport(options.arguments)) return wavVerb(options, drives);
  if (options.verb == "export" && tsm::isPrintExport(options.arguments)) return printExportVerb(options, drives);
  if (options.verb == "export") {
    int qtArgc = 1;
    return exportVerb(options, drives, qtArgc, argv);
  }
  std::cerr << "tsm: unknown verb: " << options.verb << '\n' << kUsage;
  return kUsageError;
}
