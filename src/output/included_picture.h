#pragma once
// An EPS file placed on a printed page (code 15 items): its PostScript
// (the PostScript section of a DOS EPS binary, or the whole file), its
// bounding box, and the lines that wrap it so that nothing it does reaches
// the page around it: it runs inside a save of its own with a showpage that
// does nothing, sees the page's set-up as names, and the page's CANTO is
// called again after it.

#include <optional>
#include <string>
#include <string_view>

#include "draw/path_sink.h"

namespace ts {

// The %%BoundingBox: of an EPS file in points.
struct EpsBox {
  double left = 0, bottom = 0, right = 0, top = 0;
};

// A picture file as a page item names it, with its box.
struct NamedPicture {
  std::string name;
  EpsBox box;
};

// The PostScript a file holds; empty when it is a DOS EPS binary whose
// section lies outside the file.
std::string_view epsPostScript(std::string_view file);

// The first usable "%%BoundingBox:" line (one that reads "(atend)" defers
// to a later one); nothing when there is none or it encloses no area.
std::optional<EpsBox> epsBoundingBox(std::string_view postscript);

// The picture's lines in the page body, from the wrapper's opening line to
// the page's set-up called again.
std::string wrappedPicture(const PrintPicture& picture, const EpsBox& box, std::string_view postscript, bool mirror);

}  // namespace ts
