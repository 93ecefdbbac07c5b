// tsm: the batch driver of the Tonesmith engine.
//
//   tsm [--root DIR] items PAGE   print the items of a page file
//   tsm [--root DIR] exec [PAGE]  run user actions from standard input

#include <charconv>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "platform/drive_map.h"
#include "tsm_host.h"

namespace {

constexpr const char* kUsage =
    "usage: tsm [--root DIR] items PAGE\n"
    "       tsm [--root DIR] exec [PAGE]   (actions on standard input)\n";

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

// The shortest decimal form that reads back as the same float.
std::string shortest(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

void printItems(const ts::PageStore& page) {
  for (int k = 1; k <= page.itemCount(); ++k) {
    std::string line = std::to_string(k) + ":";
    const int params = page.paramCount(k);
    for (int i = 1; i <= params; ++i) line += " " + shortest(page.param(k, i));
    if (page.code(k) == ts::kCodeText) line += " \"" + page.text(k) + "\"";
    std::cout << line << '\n';
  }
}

int itemsVerb(const Options& options, ts::DriveMap& drives) {
  if (options.arguments.size() != 1) {
    std::cerr << kUsage;
    return 2;
  }
  std::istringstream noInput;
  tsm::ScriptHost host([] { return std::optional<std::string>(); }, std::cerr);
  ts::Engine engine(host, drives);
  ts::EngineSession session(engine);
  const ts::CallResult result = session.openPage(options.arguments[0]);
  if (!result.message.empty()) host.print(result.message);
  printItems(engine.page());
  return 0;
}

void runAction(const std::string& line, ts::EngineSession& session, tsm::ScriptHost& host) {
  host.startCall();
  ts::CallResult result;
  const auto argument = [&](size_t skip) { return line.size() > skip ? line.substr(skip) : std::string(); };
  if (line.rfind("!cmd ", 0) == 0) {
    result = session.sendCommand(argument(5));
  } else if (line.rfind("!open ", 0) == 0) {
    result = session.openPage(argument(6));
  } else if (line.rfind("!save ", 0) == 0) {
    result = session.savePage(argument(6));
  } else if (line.rfind("!", 0) == 0) {
    const std::optional<ts::UserEvent> event = tsm::ScriptHost::parseAction(line);
    if (!event) {
      std::cerr << "tsm: cannot read the action: " << line << '\n';
      return;
    }
    switch (event->kind) {
      case ts::UserEvent::Kind::Click: result = session.click(event->x, event->y); break;
      case ts::UserEvent::Kind::Box: result = session.box(event->x, event->y, event->x2, event->y2); break;
      case ts::UserEvent::Kind::Key: result = session.pressKey(event->key); break;
      default: return;
    }
  } else {
    result = session.typeLine(line);
  }
  if (!result.message.empty()) host.print(result.message);
}

int execVerb(const Options& options, ts::DriveMap& drives) {
  if (options.arguments.size() > 1) {
    std::cerr << kUsage;
    return 2;
  }
  tsm::ScriptHost host([] { return tsm::nextScriptLine(std::cin); }, std::cout);
  ts::Engine engine(host, drives);
  ts::EngineSession session(engine);
  if (!options.arguments.empty()) runAction("!open " + options.arguments[0], session, host);
  while (const std::optional<std::string> line = tsm::nextScriptLine(std::cin)) {
    if (line->empty()) continue;
    runAction(*line, session, host);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  ts::DriveMap drives(ts::DriveMap::defaultRoot(options.root));
  drives.mapDrivesFromEnvironment();
  if (options.verb == "items") return itemsVerb(options, drives);
  if (options.verb == "exec") return execVerb(options, drives);
  std::cerr << "tsm: unknown verb: " << options.verb << '\n' << kUsage;
  return 2;
}
