#pragma once
// Writing one drawing into a library drawing file: the file is read whole,
// one slot is replaced (the later slots' index entries move, every other
// slot's points and name stay byte for byte), and the whole file is written
// back through the host's safe writer, so that a failed write leaves the
// old file as it was. A damaged file is never written over: the user would
// lose the nine other drawings it may still hold.

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "draw/drawing_file.h"

namespace ts {

class HostFiles;

enum class LibraryWriteStatus { Written, BadNumber, Damaged, TooManyPoints, BadPoint, ReadOnly, WriteFailed };

// Replaces drawing `number` in the file read from `source` (nothing: a file
// that does not exist yet, so an empty one) and writes the result as
// `target`, a name the host resolves. Deleting a drawing is replacing it
// with no points and a blank name.
LibraryWriteStatus replaceDrawingInFile(const HostFiles& files, const std::optional<std::filesystem::path>& source,
                                        std::string_view target, int number, std::span<const DrawingPoint> points,
                                        std::string_view name);

}  // namespace ts
