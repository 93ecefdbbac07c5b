#pragma once
// CTSmithSrvrItem: the page as an item embedded in another program. That
// embedding has no counterpart on this desktop; the item's drawing rule is
// kept so that a host able to embed can call it.

namespace ts::shell {

struct ServerRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const ServerRect&) const = default;
};

// Where an embedded item draws.
class ServerItemCanvas {
 public:
  virtual ~ServerItemCanvas() = default;
  virtual void setWindow(int originX, int originY, int extentX, int extentY) = 0;  // anisotropic mapping
  virtual void drawFirstEmbeddedItem(const ServerRect& into) = 0;
};

class CTSmithSrvrItem {
 public:
  static constexpr int kExtent = 3000;  // hundredths of a millimetre, both ways
  static constexpr ServerRect kItemRect{10, 10, 1010, 1010};

  // The size reported to the container.
  int extentX() const { return kExtent; }
  int extentY() const { return kExtent; }
  // Draws the document's first embedded item; the page itself is not drawn here.
  void draw(ServerItemCanvas& canvas) const;
};

}  // namespace ts::shell
