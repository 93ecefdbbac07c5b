#pragma once
// The system's print queue, as the engine sees it: a finished PostScript
// document is handed over whole. The platform's queue runs the system's
// print command; hosts without one leave the engine without a queue, and
// tests keep a fake.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ts {

struct PrintQueueResult {
  bool sent = false;
  std::string message;  // what the queue said, or why nothing was printed
};

class PrintQueue {
 public:
  virtual ~PrintQueue() = default;
  virtual PrintQueueResult submit(std::span<const uint8_t> postScript, std::string_view title) const = 0;
};

}  // namespace ts
