#include "pdf_export.h"

#include "engine/engine.h"
#include "write_failure.h"

namespace tsm {
namespace {

constexpr int kDone = 0;
constexpr int kNotDone = 1;
constexpr int kUsageError = 2;
constexpr const char* kNoHeader = "tsm: --header is for PostScript and EPS: a PDF has no header or footer band yet";

}  // namespace

PrintExportResult pdfExport(const std::string& out, const ts::PrintOptions& options, ts::Engine& engine,
                            const ts::HostFiles& files) {
  if (options.header != ts::HeaderFooter::None) return {kUsageError, kNoHeader};
  const ts::PdfDocument document = engine.printPdf(options);
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

}  // namespace tsm
