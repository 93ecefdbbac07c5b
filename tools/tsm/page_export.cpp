#include "page_export.h"

#include "platform/safe_file_writer.h"
#include "write_failure.h"

namespace tsm {

std::string exportPicture(std::span<const int32_t> words, std::span<const char> text, const std::string& path,
                          const ExportSettings& settings) {
  const std::optional<ts::PictureFormat> format = ts::pictureFormatFor(path);
  if (!format) return "the picture must be a .png, .svg, .pdf, .ps or .eps file: " + path;
  const QByteArray picture = ts::paintPagePicture(words, text, *format, settings);
  if (picture.isEmpty()) return "cannot paint " + path;
  const std::span bytes(reinterpret_cast<const uint8_t*>(picture.constData()), static_cast<size_t>(picture.size()));
  const ts::WriteResult written = ts::writeFileSafely(path, bytes);
  return written == ts::WriteResult::Written ? std::string() : writeFailure(path, written, path);
}

}  // namespace tsm
