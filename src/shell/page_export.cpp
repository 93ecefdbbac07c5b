#include "shell/page_export.h"

#include <QFileInfo>
#include <algorithm>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "model/page_file.h"
#include "platform/safe_file_writer.h"
#include "render/page_picture.h"

namespace ts::shell {
namespace {

constexpr int kExportDotsPerInch = 150;

std::span<const uint8_t> bytesOf(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// What the print path said, one line each, after `first`.
std::string withWarnings(std::string first, const std::vector<std::string>& warnings) {
  for (const std::string& warning : warnings) first += "\n" + warning;
  return first;
}

ExportResult written(const std::string& path, WriteResult result, const std::vector<std::string>& warnings,
                     bool picturesLeftOut) {
  if (result != WriteResult::Written) return {false, writeErrorMessage(path, result)};
  std::string message = withWarnings(export_messages::kWritten + path, warnings);
  if (picturesLeftOut) message += std::string("\n") + export_messages::kPicturesLeftOut;
  return {true, message};
}

ExportResult exportPicture(Engine& engine, const EngineSession& session, const std::string& path, ExportFormat format) {
  PictureSettings settings;
  settings.dotsPerInch = kExportDotsPerInch;
  settings.paper = engine.paper();
  const size_t usedWords = std::min(session.displayList().size(), static_cast<size_t>(std::max(session.displayUsed(), 0)));
  const size_t usedText = std::min(session.textList().size(), static_cast<size_t>(std::max(session.textUsed(), 0)));
  const std::span<const int32_t> words(session.displayList().data(), usedWords);
  const std::span<const char> text(session.textList().data(), usedText);
  const QByteArray picture =
      paintPagePicture(words, text, format == ExportFormat::Png ? PictureFormat::Png : PictureFormat::Svg, settings);
  if (picture.isEmpty()) return {false, export_messages::kNotPainted};
  const std::span bytes(reinterpret_cast<const uint8_t*>(picture.constData()), static_cast<size_t>(picture.size()));
  return written(path, writeFileSafely(path, bytes), {}, false);
}

ExportResult exportPrint(Engine& engine, const std::string& path, ExportFormat format) {
  PrintOptions options;
  options.kind = format == ExportFormat::Eps ? OutputKind::Eps : OutputKind::Network;
  options.paper = engine.paper();
  if (format == ExportFormat::Pdf) {
    const PdfDocument document = engine.printPdf(options);
    return written(path, writeFileSafely(path, bytesOf(document.bytes)), document.warnings, document.picturesLeftOut);
  }
  const PrintedDocument document = engine.printPostScript(options);
  return written(path, writeFileSafely(path, bytesOf(document.text)), document.warnings, document.picturesLeftOut);
}

}  // namespace

std::optional<ExportFormat> exportFormatFor(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  for (const ExportFormatInfo& info : kExportFormats)
    if (suffix == QLatin1String(info.extension)) return info.format;
  return std::nullopt;
}

QString withExtension(const QString& path, ExportFormat format) {
  if (exportFormatFor(path) == format) return path;
  for (const ExportFormatInfo& info : kExportFormats)
    if (info.format == format) return path + "." + QLatin1String(info.extension);
  return path;
}

ExportResult exportPage(Engine& engine, const EngineSession& session, const QString& path, ExportFormat format) {
  const std::string target = path.toStdString();
  if (format == ExportFormat::Png || format == ExportFormat::Svg) return exportPicture(engine, session, target, format);
  return exportPrint(engine, target, format);
}

}  // namespace ts::shell
