#include "shell/button_wrap.h"

#include <algorithm>

namespace ts::shell {

WrappedButtons wrapButtons(std::span<const ButtonExtent> buttons, int limit) {
  WrappedButtons wrapped;
  wrapped.places.reserve(buttons.size());
  size_t lineStart = 0;
  int along = 0, thickness = 0;
  const auto closeLine = [&](size_t end) {
    for (size_t i = lineStart; i < end; ++i) wrapped.places[i].thickness = thickness;
    wrapped.longestLine = std::max(wrapped.longestLine, along);
    wrapped.acrossUsed += thickness;
    ++wrapped.lines;
  };
  for (size_t i = 0; i < buttons.size(); ++i) {
    const ButtonExtent size{std::max(0, buttons[i].along), std::max(0, buttons[i].across)};
    if (i > lineStart && along + size.along > limit) {
      closeLine(i);
      lineStart = i;
      along = thickness = 0;
    }
    wrapped.places.push_back({along, wrapped.acrossUsed, 0});
    along += size.along;
    thickness = std::max(thickness, size.across);
  }
  if (!buttons.empty()) closeLine(buttons.size());
  return wrapped;
}

}  // namespace ts::shell
