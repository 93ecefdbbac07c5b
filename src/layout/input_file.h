#pragma once
// Input files: the stage lines of typed input kept in a text file. A line
// starting with "%" is a comment; a line starting with "%%" opens a
// comment block that the next line starting with "%%" closes; text after a
// "%" inside a line is left out. A stage line runs on over the next file
// lines while the last "/" or ";" of what it holds is a "/"; a ";" ends
// it. Lines with nothing on them are passed over (an empty stage is
// written ";"). Leading blanks are not counted.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

constexpr size_t kInputFileBytes = 1 << 20;  // an input file larger than this is refused

std::vector<std::string> readInputFileLines(std::string_view text);

// The text of an input file holding these stage lines, one to a line, an
// empty one as ";".
std::string writeInputFileLines(const std::vector<std::string>& lines);

}  // namespace ts
