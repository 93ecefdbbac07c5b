#pragma once
// The desktop program's export of the open page: PNG and SVG painted from
// the lists the view shows (the same pictures the batch driver writes),
// PDF, PostScript and EPS through the engine's print path. Every file is
// written whole through the safe writer: a failed export leaves an earlier
// file of the same name as it was.

#include <QString>
#include <array>
#include <optional>
#include <string>

namespace ts {
class Engine;
class EngineSession;
}  // namespace ts

namespace ts::shell {

enum class ExportFormat { Png, Svg, Pdf, PostScript, Eps };

struct ExportFormatInfo {
  ExportFormat format;
  const char* menuLabel;
  const char* filter;
  const char* extension;
};

inline constexpr std::array<ExportFormatInfo, 5> kExportFormats{{
    {ExportFormat::Png, "&PNG Picture...", "PNG picture (*.png)", "png"},
    {ExportFormat::Svg, "&SVG Picture...", "SVG picture (*.svg)", "svg"},
    {ExportFormat::Pdf, "P&DF...", "PDF document (*.pdf)", "pdf"},
    {ExportFormat::PostScript, "Post&Script...", "PostScript (*.ps)", "ps"},
    {ExportFormat::Eps, "&EPS...", "Encapsulated PostScript (*.eps)", "eps"},
}};

namespace export_messages {
inline constexpr const char* kWritten = "Written: ";
inline constexpr const char* kBusy = "*** Finish the command under way first.";
inline constexpr const char* kNotPainted = "*** The picture could not be painted.";
inline constexpr const char* kPicturesLeftOut = "*** An included picture was left out.";
}  // namespace export_messages

struct ExportResult {
  bool written = false;
  std::string message;  // what the user is told, success or not
};

// The format a file name's extension names; nothing for any other.
std::optional<ExportFormat> exportFormatFor(const QString& path);
// `path` with the format's extension, unless it has it already.
QString withExtension(const QString& path, ExportFormat format);

// Writes the open page. The engine must not be inside a command.
ExportResult exportPage(Engine& engine, const EngineSession& session, const QString& path, ExportFormat format);

}  // namespace ts::shell
