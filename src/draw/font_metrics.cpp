#include "draw/font_metrics.h"

#include <string>

#include "model/host_files.h"

namespace ts {

FontWidths FontWidths::fromFile(const FontMetricFile& file) {
  FontWidths widths;
  for (size_t slot = 0; slot < widths.advances.size(); ++slot) {
    widths.advances[slot] = static_cast<float>(file.widths[slot]) / kMetricUnitsPerEm;
  }
  return widths;
}

FontMetrics::FontMetrics(const HostFiles& files, std::filesystem::path bundled)
    : m_files(files), m_bundled(std::move(bundled)) {}

std::optional<FontWidths> FontMetrics::load(int fileNumber) const {
  const std::string name = metricFileName(fileNumber);
  FontMetricFile file;
  if (!m_preferred.empty()) {
    const auto path = m_files.findExisting(m_preferred + name);
    if (path && readFontMetricFile(*path, file) == MetricFileStatus::Ok) return FontWidths::fromFile(file);
  }
  for (const std::string_view folder : kFontFolders) {
    const auto path = m_files.findExisting(std::string(folder) + name);
    if (path && readFontMetricFile(*path, file) == MetricFileStatus::Ok) return FontWidths::fromFile(file);
  }
  if (!m_bundled.empty() && readFontMetricFile(m_bundled / name, file) == MetricFileStatus::Ok) {
    return FontWidths::fromFile(file);
  }
  return std::nullopt;
}

void FontMetrics::setPreferredFolder(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  if (folder == m_preferred) return;
  m_preferred = std::move(folder);
  m_tried = {};
  m_fonts = {};
}

const FontWidths* FontMetrics::widths(int fileNumber) {
  if (fileNumber < 0 || fileNumber >= kMetricFontFiles) return nullptr;
  const auto index = static_cast<size_t>(fileNumber);
  if (!m_tried[index]) {
    m_tried[index] = true;
    m_fonts[index] = load(fileNumber);
  }
  return m_fonts[index] ? &*m_fonts[index] : nullptr;
}

}  // namespace ts
