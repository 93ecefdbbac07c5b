#pragma once
// `tsm export PAGE OUT.ps|OUT.eps|OUT.pdf`: the page through the engine's
// print path and its PostScript or PDF writer, the print options given as
// flags.

#include <functional>
#include <string>
#include <vector>

namespace ts {
class Engine;
class HostFiles;
}  // namespace ts

namespace tsm {

// True when the export's output is a PostScript, EPS or PDF file.
bool isPrintExport(const std::vector<std::string>& arguments);

struct PrintExportResult {
  int status = 0;  // 0 done, 1 not done, 2 usage error
  std::string message;
};

// Reads the page, draws it for print and writes the file through the
// host's safe writer.
PrintExportResult printExport(const std::vector<std::string>& arguments, ts::Engine& engine, const ts::HostFiles& files,
                              const std::function<bool(const std::string&)>& openPage);

}  // namespace tsm
