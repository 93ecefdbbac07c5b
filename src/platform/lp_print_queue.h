#pragma once
// The system's print queue through the `lp` command: the document is
// written to its standard input. Where `lp` is not installed, nothing is
// run and the user is told that no printer is set up.

#include "model/print_queue.h"

namespace ts {

class LpPrintQueue : public PrintQueue {
 public:
  PrintQueueResult submit(std::span<const uint8_t> postScript, std::string_view title) const override;
};

}  // namespace ts
