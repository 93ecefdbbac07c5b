#pragma once
// `tsm export PAGE... OUT.pdf`: the pages through the engine's print path
// and PDF writer, one to a sheet, with the print flags of PostScript,
// written safely. No part of it starts Qt.

#include <functional>
#include <optional>
#include <string>
#include <vector>

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
// Several pages in order as one PDF: each read and drawn in turn; a page
// that cannot be read stops it, and nothing is written.
PrintExportResult pdfPagesExport(const std::vector<std::string>& pages, const std::string& out, ts::PrintOptions options,
                                 const std::optional<ts::PaperSize>& paper, ts::Engine& engine, const ts::HostFiles& files,
                                 const std::function<bool(const std::string&)>& openPage);

}  // namespace tsm
