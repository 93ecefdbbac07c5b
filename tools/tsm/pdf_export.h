#pragma once
// `tsm export PAGE OUT.pdf`: the page through the engine's print path and
// PDF writer, with the print flags of PostScript, written safely. No part
// of it starts Qt.

#include <string>

#include "output/print_options.h"
#include "print_export.h"

namespace ts {
class Engine;
class HostFiles;
}  // namespace ts

namespace tsm {

// The open page as a PDF; the fonts it could not embed are said, and do
// not stop the export.
PrintExportResult pdfExport(const std::string& out, const ts::PrintOptions& options, ts::Engine& engine,
                            const ts::HostFiles& files);

}  // namespace tsm
