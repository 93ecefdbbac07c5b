#pragma once
// Where the widths of each font come from: the metric files "fm00.fmt" ...
// in the font library folder. The fixed folders below are tried through the
// host's files first, then the library that came with the program (the
// folder "fontlib" beside the symbol library "cantlib"). The first readable
// file wins; a file is read once and its widths kept, and so is the finding
// that a font has no readable file.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "draw/font_metric_file.h"

namespace ts {

class HostFiles;

inline constexpr std::array<std::string_view, 3> kFontFolders = {
    "C:\\tonesmith\\fontlib\\",
    "C:\\Program Files\\tonesmith\\fontlib\\",
    "C:\\Program Files (x86)\\tonesmith\\fontlib\\",
};

// The advance of every slot of one font, in font sizes.
struct FontWidths {
  std::array<float, kMetricSlots> advances{};

  float advance(unsigned char code) const { return advances[static_cast<size_t>(metricSlot(code))]; }
  static FontWidths fromFile(const FontMetricFile& file);
};

class FontMetrics {
 public:
  FontMetrics(const HostFiles& files, std::filesystem::path bundled);

  // The widths of metric file `fileNumber` (0..98); nothing when no folder
  // holds a readable file of that number.
  const FontWidths* widths(int fileNumber);
  // A folder tried before the fixed ones (the preferences' font library).
  void setPreferredFolder(std::string folder);

 private:
  std::optional<FontWidths> load(int fileNumber) const;

  const HostFiles& m_files;
  std::filesystem::path m_bundled;
  std::string m_preferred;
  std::array<bool, kMetricFontFiles> m_tried{};
  std::array<std::optional<FontWidths>, kMetricFontFiles> m_fonts;
};

}  // namespace ts
