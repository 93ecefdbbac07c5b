#include "shell/tsmith_srvr_item.h"

namespace ts::shell {

void CTSmithSrvrItem::draw(ServerItemCanvas& canvas) const {
  canvas.setWindow(0, 0, kExtent, kExtent);
  canvas.drawFirstEmbeddedItem(kItemRect);
}

}  // namespace ts::shell
