#include "pdf_export.h"

#include <filesystem>

#include "engine/engine.h"
#include "write_failure.h"

namespace tsm {
namespace {

constexpr int kDone = 0;
constexpr int kNotDone = 1;
constexpr int kUsageError = 2;
constexpr const char* kNoHeader = "tsm: --header is for PostScript and EPS: a PDF has no header or footer band yet";

// What the document has to say, and its file written safely.
PrintExportResult writePdf(const ts::PdfDocument& document, const std::string& out, const ts::HostFiles& files) {
  std::string said;
  for (const std::string& warning : document.warnings) said += (said.empty() ? "tsm: " : "\ntsm: ") + warning;
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(document.bytes.data()), document.bytes.size());
  const ts::WriteResult written = files.writeWhole(out, bytes);
  if (written != ts::WriteResult::Written) {
    said += (said.empty() ? "tsm: " : "\ntsm: ") + writeFailure(out, written, files.forWriting(out));
    return {kNotDone, said};
  }
  // A picture left out means the page is not whole.
  return {document.picturesLeftOut ? kNotDone : kDone, said};
}

}  // namespace

PrintExportResult pdfExport(const std::string& out, const ts::PrintOptions& options, ts::Engine& engine,
                            const ts::HostFiles& files) {
  if (options.header != ts::HeaderFooter::None) return {kUsageError, kNoHeader};
  return writePdf(engine.printPdf(options), out, files);
}

PrintExportResult pdfPagesExport(const std::vector<std::string>& pages, const std::string& out, ts::PrintOptions options,
                                 const std::optional<ts::PaperSize>& paper, ts::Engine& engine, const ts::HostFiles& files,
                                 const std::function<bool(const std::string&)>& openPage) {
  if (options.header != ts::HeaderFooter::None) return {kUsageError, kNoHeader};
  options.kind = ts::OutputKind::Network;
  std::vector<ts::PdfWriter> drawn;
  for (const std::string& page : pages) {
    if (!openPage(page)) return {kNotDone, ""};
    ts::PrintOptions forPage = options;
    forPage.paper = paper.value_or(engine.paper());
    drawn.push_back(engine.drawPdfPage(forPage));
  }
  return writePdf(engine.printPdfPages(drawn, std::filesystem::path(out).stem().string()), out, files);
}

}  // namespace tsm
