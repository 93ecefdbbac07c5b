#pragma once
// Compressed MusicXML (.mxl): a zip whose META-INF/container.xml names the
// score inside. Entries are inflated with a running count against a cap,
// never trusting the sizes the zip's headers claim, so a zip bomb stops at
// the cap.

#include <cstdint>
#include <span>
#include <string>

namespace ts::interchange {

// Zip files start with "PK\3\4".
bool looksLikeZip(std::span<const uint8_t> bytes);

struct ContainerOutcome {
  std::string score;  // the score's XML text
  std::string error;  // empty when the score was found and read
};

ContainerOutcome readMxlContainer(std::span<const uint8_t> bytes);

}  // namespace ts::interchange
