#pragma once
// Long work the engine does step by step (the page files of a layout, the
// pages of a batch print) asks the host before each step whether to go on,
// so that a host can show how far it is and let the user stop it between
// steps, never inside one.

#include <cstddef>
#include <string_view>

namespace ts {

class EngineHost;

namespace long_work_messages {
inline constexpr const char* kLayoutCancelled = "Layout cancelled: the page files it had replaced have their old contents again.";
inline constexpr const char* kBatchCancelled = "Batch printing cancelled: the pages printed so far are whole.";
}  // namespace long_work_messages

// Whether to go on with step `done` of `total`; true without a host. The
// counts are held to what the host's numbers can carry.
bool goOnWithWork(EngineHost* host, size_t done, size_t total, std::string_view what);

}  // namespace ts
