#include "engine/long_work.h"

#include <algorithm>
#include <climits>

#include "engine/engine_host.h"

namespace ts {
namespace {

int heldCount(size_t count) { return static_cast<int>(std::min<size_t>(count, INT_MAX)); }

}  // namespace

bool goOnWithWork(EngineHost* host, size_t done, size_t total, std::string_view what) {
  if (!host) return true;
  return host->progress(heldCount(std::min(done, total)), heldCount(total), what);
}

}  // namespace ts
