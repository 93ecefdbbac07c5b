// Any bytes read as an included EPS file: the DOS binary header, the
// bounding box lines and the wrapper must take them without reading outside
// them, and a box they accept must enclose an area of a sheet's size.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "output/included_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const std::string_view postscript = ts::epsPostScript(file);
  const std::optional<ts::EpsBox> box = ts::epsBoundingBox(postscript);
  if (!box) return 0;
  if (!(box->right > box->left && box->top > box->bottom)) std::abort();
  ts::PrintPicture picture;
  picture.name = "fuzz.eps";
  const std::string lines = ts::wrappedPicture(picture, *box, postscript, size % 2 == 0);
  if (lines.size() < postscript.size()) std::abort();
  return 0;
}
