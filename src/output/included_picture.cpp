#include "output/included_picture.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace ts {
namespace {

constexpr std::string_view kBoundingBoxComment = "%%BoundingBox:";
constexpr uint8_t kDosEpsMagic[] = {0xC5, 0xD0, 0xD3, 0xC6};
constexpr size_t kDosEpsHeader = 30;
// Larger than any sheet: a box beyond it is damage, not a picture.
constexpr double kLargestBoxPoints = 100000.0;
constexpr double kPageUnitsPerPoint = 4000.0 / 72.0;

uint32_t littleEndian32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return value;
}

std::string_view trimmedLeft(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

// Four numbers, whole or real, after the comment's colon.
std::optional<EpsBox> boxNumbers(std::string_view rest) {
  double values[4];
  for (double& value : values) {
    rest = trimmedLeft(rest);
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || !std::isfinite(value) || std::fabs(value) > kLargestBoxPoints) return std::nullopt;
    rest.remove_prefix(static_cast<size_t>(end - rest.data()));
  }
  if (values[2] <= values[0] || values[3] <= values[1]) return std::nullopt;
  return EpsBox{values[0], values[1], values[2], values[3]};
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string definition(std::string_view name, const std::string& value) {
  return " /" + std::string(name) + " " + value + " def\n";
}

// The page's set-up as CANTO makes it, mirrored when the page is.
std::string pageSetUp(bool mirror) { return mirror ? " CANTO\n 29900 0 tr -1 1 scale\n" : " CANTO\n"; }

}  // namespace

std::string_view epsPostScript(std::string_view file) {
  if (file.size() < kDosEpsHeader || !std::equal(std::begin(kDosEpsMagic), std::end(kDosEpsMagic), file.begin(),
                                                  [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); })) {
    return file;
  }
  const uint64_t start = littleEndian32(file, 4);
  const uint64_t length = littleEndian32(file, 8);
  if (start > file.size() || length > file.size() - start) return {};
  return file.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

std::optional<EpsBox> epsBoundingBox(std::string_view postscript) {
  size_t start = 0;
  while (start < postscript.size()) {
    size_t end = postscript.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = postscript.size();
    const std::string_view line = postscript.substr(start, end - start);
    if (line.starts_with(kBoundingBoxComment)) {
      if (std::optional<EpsBox> box = boxNumbers(line.substr(kBoundingBoxComment.size()))) return box;
      // "(atend)" or a damaged line: a later one may serve.
    }
    start = end + 1;
  }
  return std::nullopt;
}

std::string wrappedPicture(const PrintPicture& picture, const EpsBox& box, std::string_view postscript, bool mirror) {
  std::string out = " r g /--sav2-- save def /showpage { } def\n";
  out += " % -- START USER-ADDED POSTSCRIPT CODE --\n";
  out += definition("globalsize", "size");
  out += definition("lnwd", "wdl");
  out += definition("loff", "lmar");
  out += definition("boff", "bmar");
  out += definition("stafflevel", number(picture.staffLevel));
  out += definition("pointslevel", "stafflevel boff add globalsize mul");
  out += definition("staffsize", number(picture.staffSize));
  for (size_t i = 0; i < picture.params.size(); ++i) {
    out += definition("pp" + std::to_string(i + 3), number(picture.params[i]));
  }
  out += pageSetUp(mirror);
  out += " " + std::to_string(picture.x) + " " + std::to_string(picture.y) + " tr\n";
  out += " " + number(picture.angle) + " rotate\n";
  const std::string scale = number(picture.scale * kPageUnitsPerPoint);
  out += " " + scale + " " + scale + " scale\n";
  out += " " + number(-box.left) + " " + number(-box.bottom) + " tr newpath\n";
  out += "%%BeginDocument: " + std::string(picture.name) + "\n";
  out += postscript;
  if (!postscript.empty() && postscript.back() != '\n' && postscript.back() != '\r') out += '\n';
  out += "%%EndDocument\n";
  out += " % -- END USER-ADDED POSTSCRIPT CODE --\n";
  out += " --sav2-- restore r g\n";
  out += pageSetUp(mirror);
  return out;
}

}  // namespace ts
